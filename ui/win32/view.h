// The renderer of the run-time's model: a window per panel, a view per control, kept in step by
// the backend's notifications, and the operator's gestures handed to uir::automation. Windows are
// found by (panel, control) and by window handle in maps, so a notification costs a look-up and
// redraws only what it changed.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "control_view.h"
#include "panel_window.h"

namespace uir::win32 {

class View : public Operator, public WindowEvents {
  public:
    explicit View(std::wstring title_suffix);
    ~View() override;

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

    bool any_panel_visible() const;
    PanelWindow* window(int panel) const;
    ControlView* control(int panel, int control) const;
    // The panel whose window is `hwnd` or holds it; 0 for none.
    int panel_of(HWND hwnd) const;
    // The window a popup belongs to: the panel's whose callback raised it (nullptr for none).
    HWND popup_owner() const;

    // The operator's keys and wheel before the windows see them: Tab and Shift+Tab move along
    // the chain, Enter presses the focused button or takes the typed value, Escape acts as the
    // panel's close control, Alt and a label's letter reach its control, the wheel turns only the
    // focused field. True when the message was taken.
    bool pre_translate(const MSG& msg);

    // Operator.
    void adopt_window(int panel, HWND window, ControlView* view) override;
    void drop_window(int panel, HWND window) override;

    // WindowEvents.
    void close_requested(int panel) override;
    void menu_chosen(int panel, int item) override;
    ControlView* view_of(int panel, HWND window) override;
    HWND focus_on_activation(int panel) override;

  private:
    struct PanelEntry {
        std::unique_ptr<PanelWindow> window;
        // Declared after the window, so the controls' windows go before their panel's.
        std::unordered_map<int, std::unique_ptr<ControlView>> controls;
        std::unordered_map<HWND, ControlView*> windows;
    };

    PanelEntry* entry(int panel);
    const PanelEntry* entry(int panel) const;
    void add_control(PanelEntry& e, const Control& c);
    void stack_new(int panel, int control);
    // A list's column header (the text message right above it) is drawn in the list's font, as
    // its lines are, so its captions stand over their columns.
    void apply_list_headers(int panel);
    // After a gesture: the control shows what the model kept, also when the gesture was refused.
    void show_model_value(int panel, int control) override;
    std::vector<int> chain(int panel) const;
    POINT anchor_offset(int panel) const;
    void move_focus(int panel, HWND from, bool backwards);
    bool shortcut(int panel, wchar_t letter);

    std::wstring suffix_;
    std::unordered_map<int, PanelEntry> panels_;
};

}  // namespace uir::win32
