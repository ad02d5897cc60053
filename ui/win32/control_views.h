// The view of each control kind; make_control_view (control_view.cpp) picks one by kind.
#pragma once

#include <memory>

#include "control_view.h"

namespace uir::win32 {

using ViewMaker = std::unique_ptr<ControlView> (*)(const Control& c, HWND parent, Operator& op);

std::unique_ptr<ControlView> make_command_button(const Control&, HWND, Operator&);
std::unique_ptr<ControlView> make_toggle_button(const Control&, HWND, Operator&);
std::unique_ptr<ControlView> make_check_box(const Control&, HWND, Operator&);
std::unique_ptr<ControlView> make_binary_switch(const Control&, HWND, Operator&);
std::unique_ptr<ControlView> make_led(const Control&, HWND, Operator&);
std::unique_ptr<ControlView> make_numeric(const Control&, HWND, Operator&);
std::unique_ptr<ControlView> make_string(const Control&, HWND, Operator&);
std::unique_ptr<ControlView> make_ring(const Control&, HWND, Operator&);
std::unique_ptr<ControlView> make_list_box(const Control&, HWND, Operator&);
std::unique_ptr<ControlView> make_text_box(const Control&, HWND, Operator&);
std::unique_ptr<ControlView> make_text_message(const Control&, HWND, Operator&);
std::unique_ptr<ControlView> make_decoration(const Control&, HWND, Operator&);
std::unique_ptr<ControlView> make_picture(const Control&, HWND, Operator&);
std::unique_ptr<ControlView> make_timer(const Control&, HWND, Operator&);

// A child window of one of the standard classes with the control's id, made at the control's
// place, shown when the control is and dimmed when it is, so most windows are never moved, shown
// or enabled again once made: under wine each of those is a round trip to its server. `text` is
// the window's text from the start.
HWND make_child(const wchar_t* window_class, DWORD style, HWND parent, const Control& c,
                DWORD ex_style = 0, const wchar_t* text = nullptr);
// The same at the rectangle `at` of the panel (a part of the control's place); `create_param`
// reaches the window procedure in WM_NCCREATE.
HWND make_child_at(const wchar_t* window_class, DWORD style, HWND parent, const Control& c,
                   const RECT& at, DWORD ex_style = 0, const wchar_t* text = nullptr,
                   void* create_param = nullptr);

}  // namespace uir::win32
