// A panel as a top-level window: its client area of the panel's size at the panel's place, and
// its menu bar, when it has one, above the client area. The frame's close button does not close
// the window: it is handed on, and the program decides. Messages from the controls' windows go to
// the control views through WindowEvents.
#pragma once

#include <windows.h>

#include <string>

#include "runtime_access.h"

namespace uir::win32 {

class ControlView;

class WindowEvents {
  public:
    virtual ~WindowEvents() = default;
    virtual void close_requested(int panel) = 0;
    virtual void menu_chosen(int panel, int item) = 0;
    // The control view owning `window` (body, label or part) on `panel`; nullptr for none.
    virtual ControlView* view_of(int panel, HWND window) = 0;
    // The window became active: the control that should get the focus (nullptr: none).
    virtual HWND focus_on_activation(int panel) = 0;
};

class PanelWindow {
  public:
    // `mark`: what the window shows of the simulated crate (" [симуляция]"), empty for none.
    PanelWindow(int panel, WindowEvents& events, std::wstring mark);
    ~PanelWindow();
    PanelWindow(const PanelWindow&) = delete;
    PanelWindow& operator=(const PanelWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    int panel() const { return panel_; }

    void show_geometry(const Panel& p);
    // Panels with a menu bar carry the mark in the bar's right corner; the others after their
    // title when it fits. A title too long for the frame is cut between words.
    void show_title(const Panel& p);
    // Where the window stands beyond the panel's own place: a small panel follows its main panel.
    void set_offset(POINT offset);
    void show_colour(const Panel& p);
    // Replaces the menu bar (nullptr: none) and keeps the client area's size.
    void set_menu(HMENU menu, const Panel& p);
    HMENU menu() const { return menu_; }
    const std::wstring& mark() const;
    // The control that had the focus when the window was last deactivated.
    HWND saved_focus() const { return saved_focus_; }
    void forget_focus(HWND child) {
        if (saved_focus_ == child) saved_focus_ = nullptr;
    }
    void forget_focus() { saved_focus_ = nullptr; }

    // From now on the window hands no message on: it is being taken down with its view.
    void detach() { detached_ = true; }

    static void register_class(HINSTANCE instance);
    static void unregister_class(HINSTANCE instance);

  private:
    static LRESULT CALLBACK proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    void fill_background(HDC dc);
    void show_title();

    int panel_;
    WindowEvents& events_;
    std::wstring mark_;
    std::string title_;
    POINT offset_{0, 0};
    HWND hwnd_ = nullptr;
    HMENU menu_ = nullptr;
    HWND saved_focus_ = nullptr;
    COLORREF colour_ = 0;
    bool detached_ = false;
};

// The menu bar of `bar` as a Win32 menu; item ids are the bar's own. A menu's title has its
// shortcut letter, or else its first letter, so Alt and a letter open every menu. A non-empty
// `mark` stands greyed in the bar's right corner.
HMENU build_menu(const MenuBar& bar, const std::wstring& mark);

}  // namespace uir::win32
