// A panel as a top-level window: its client area of the panel's size, and its menu bar, when it
// has one, above the client area. The frame's close button does not close the window: it is
// handed on, and the program decides.
//
// The window stays inside the screen's available area (ui/core/placement.h): a panel larger than
// the area gets the area's size and its client area scrolls, the menu bar staying on top. A
// small panel of a front panel stands where its main panel puts it (set_offset). The title is
// cut between words when the frame is too narrow for it; the simulated-crate mark sits in the
// menu bar's corner, or after the title when that fits, and in a tooltip wherever something was
// cut. F10 opens the menu bar (so do Alt and the titles' Alt letters); Escape is the frame's close
// button on panels that have a close control.
#pragma once

#include <QLabel>
#include <QMargins>
#include <QMenuBar>
#include <QPointer>
#include <QScrollArea>
#include <QShortcut>
#include <QWidget>
#include <functional>
#include <string>

#include "focus_mark.h"
#include "uir/model.h"

namespace uir::qt {

class PanelWindow : public QWidget {
  public:
    // `suffix`: what marks every window of a run on the simulated crate (" [симуляция]"), or
    // nothing.
    PanelWindow(std::function<void()> close_requested, std::string suffix);

    QWidget* client() const { return client_; }
    QMenuBar* menu_bar() const { return bar_; }
    QScrollArea* scroll_area() const { return scroll_; }
    FocusMark* focus_mark() const { return mark_; }
    QLabel* crate_mark() const { return crate_mark_; }
    // Replaces the menu bar (nullptr: none) and keeps the client area's size.
    void set_menu_bar(QMenuBar* bar);
    // Escape: asked whether the panel has a close control, and closing it if so.
    void on_escape(std::function<void()> escape) { escape_ = std::move(escape); }

    void show_geometry(const Panel& p);
    void show_title(const Panel& p);
    void show_colour(const Panel& p);
    // How far the window stands from the panel's own position: the distance its main panel has
    // moved from its layout place (small panels), else none.
    void set_offset(QPoint offset);
    // Opens the first menu of the menu bar, as F10 does.
    void open_menu();

    // The frame around the client area, as the window system reports it once the window is
    // shown, else as another window's was.
    QMargins frame_margins() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

  private:
    int bar_height() const;
    void place();
    void show_title();

    std::function<void()> close_requested_;
    std::function<void()> escape_;
    QScrollArea* scroll_;
    QWidget* client_;
    FocusMark* mark_;
    QMenuBar* bar_ = nullptr;
    QPointer<QLabel> crate_mark_;
    QShortcut* f10_ = nullptr;
    QSize client_size_;
    QPoint panel_pos_;  // the model's top-left, the frame's place before fitting
    QPoint offset_;
    QMargins placed_with_;  // the frame margins the last placement assumed
    std::string title_;
    std::string suffix_;
};

// The frame the window system puts around a window, as far as it is known yet.
QMargins known_frame_margins();

// The menu bar of `bar` as Qt menus; `chosen` gets the id of the item the operator picks.
QMenuBar* build_menu_bar(const MenuBar& bar, QWidget* parent, std::function<void(int)> chosen);

}  // namespace uir::qt
