// The renderer of the run-time's model: a window per panel, a view per control, kept in step by
// the backend's notifications, and the operator's gestures handed to uir::automation. Widgets
// are found by (panel, control) in maps, so a notification costs a look-up and redraws only what
// it changed.
#pragma once

#include <QPointer>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "control_view.h"
#include "panel_window.h"

namespace uir::qt {

class View : public Operator {
  public:
    explicit View(std::string title_suffix);
    ~View() override;

    const std::string& title_suffix() const { return suffix_; }

    void panel_created(int panel);
    void panel_discarded(int panel);
    void panel_shown(int panel);
    void panel_hidden(int panel);
    void panel_raised(int panel);
    void panel_attribute_changed(int panel, int attribute);
    void control_created(int panel, int control);
    void control_discarded(int panel, int control);
    void control_value_changed(int panel, int control);
    void control_attribute_changed(int panel, int control, int attribute);
    void list_changed(int panel, int control);
    void text_box_changed(int panel, int control);
    void menu_bar_changed(int panel);

    // The run-time's mark: a frame around the marked control; none for a panel or nothing.
    void show_mark(int panel, int control);
    // The frame now shown, nullptr for none (for tests).
    QWidget* mark() const { return mark_.data(); }

    bool any_panel_visible() const;
    // The window of the panel a popup raised now belongs to (the panel whose callback raised
    // it), nullptr for none.
    QWidget* popup_owner() const;
    PanelWindow* window(int panel) const;
    ControlView* control(int panel, int control) const;

  private:
    struct PanelEntry {
        std::unique_ptr<PanelWindow> window;
        // Declared after the window, so the controls' widgets go before their window.
        std::unordered_map<int, std::unique_ptr<ControlView>> controls;
        std::vector<QPointer<QWidget>> chain;  // the Tab chain's widgets, in order
    };

    PanelEntry* entry(int panel);
    void add_control(PanelEntry& e, const Control& c);
    void apply_tab_chain(int panel);
    void apply_list_headers(int panel);
    void focus_first(int panel);
    QPoint anchor_offset(int panel) const;
    // After a gesture: the control shows what the model kept, also when the gesture was refused.
    void show_model_value(int panel, int control) override;

    std::string suffix_;
    std::unordered_map<int, PanelEntry> panels_;
    QPointer<QWidget> mark_;  // a child of its window: it may go with the window first
};

}  // namespace uir::qt
