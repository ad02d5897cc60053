// A panel as a top-level window: its client area of the panel's size, and its menu bar, when it
// has one, above the client area. The frame's close button does not close the window: it is
// handed on, and the program decides.
#pragma once

#include <QMenuBar>
#include <QWidget>
#include <functional>
#include <string>

#include "uir/model.h"

namespace uir::qt {

class PanelWindow : public QWidget {
  public:
    explicit PanelWindow(std::function<void()> close_requested);

    QWidget* client() const { return client_; }
    QMenuBar* menu_bar() const { return bar_; }
    // Replaces the menu bar (nullptr: none) and keeps the client area's size.
    void set_menu_bar(QMenuBar* bar);

    void show_geometry(const Panel& p);
    void show_title(const Panel& p, const std::string& suffix);
    void show_colour(const Panel& p);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    int bar_height() const;

    std::function<void()> close_requested_;
    QWidget* client_;
    QMenuBar* bar_ = nullptr;
    QSize client_size_;
};

// The menu bar of `bar` as Qt menus; `chosen` gets the id of the item the operator picks.
QMenuBar* build_menu_bar(const MenuBar& bar, QWidget* parent, std::function<void(int)> chosen);

}  // namespace uir::qt
