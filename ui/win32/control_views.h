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
// place and shown when the control is (the view moves it when its kind stands elsewhere), so most
// windows are never moved or shown again once made.
HWND make_child(const wchar_t* window_class, DWORD style, HWND parent, const Control& c,
                DWORD ex_style = 0);

}  // namespace uir::win32
