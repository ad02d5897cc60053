// The view of each control kind; make_control_view (control_view.cpp) picks one by kind.
#pragma once

#include <memory>

#include "control_view.h"

namespace uir::qt {

using ViewMaker = std::unique_ptr<ControlView> (*)(const Control& c, QWidget* parent, Operator& op);

std::unique_ptr<ControlView> make_command_button(const Control&, QWidget*, Operator&);
std::unique_ptr<ControlView> make_toggle_button(const Control&, QWidget*, Operator&);
std::unique_ptr<ControlView> make_check_box(const Control&, QWidget*, Operator&);
std::unique_ptr<ControlView> make_binary_switch(const Control&, QWidget*, Operator&);
std::unique_ptr<ControlView> make_led(const Control&, QWidget*, Operator&);
std::unique_ptr<ControlView> make_numeric(const Control&, QWidget*, Operator&);
std::unique_ptr<ControlView> make_string(const Control&, QWidget*, Operator&);
std::unique_ptr<ControlView> make_ring(const Control&, QWidget*, Operator&);
std::unique_ptr<ControlView> make_list_box(const Control&, QWidget*, Operator&);
std::unique_ptr<ControlView> make_text_box(const Control&, QWidget*, Operator&);
std::unique_ptr<ControlView> make_text_message(const Control&, QWidget*, Operator&);
std::unique_ptr<ControlView> make_decoration(const Control&, QWidget*, Operator&);
std::unique_ptr<ControlView> make_picture(const Control&, QWidget*, Operator&);
std::unique_ptr<ControlView> make_timer(const Control&, QWidget*, Operator&);

}  // namespace uir::qt
