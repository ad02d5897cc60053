// How a script finds what a name stands for on the live panels, and how it tells the operator's
// view of a control: its value as shown and why an action on it was refused.
#pragma once

#include <string>
#include <string_view>

#include "uir/model.h"

namespace app::script {

// What a constant name leads to. When several live panels carry the name (two front panels of
// one host), the newest shown one is meant, else the newest.
struct Target {
    enum class Kind { none, panel, control, menu_item };
    Kind kind = Kind::none;
    int panel = 0;
    int id = 0;  // control id or menu item id
};

Target find_panel(std::string_view name);
Target find_control(std::string_view name);
Target find_menu_item(std::string_view name);
// A panel, else a control, else a menu item.
Target find_any(std::string_view name);
// A menu (not an item) on the menu bar of a panel, by the same rule; null when none has the name.
const uir::Menu* find_menu(std::string_view name);

// The kind of a control in the operator's words ("кнопка", "список").
std::string kind_name(int kind);

// Why the run-time refused an operator action on `name`, from the status it gave and the state
// of the panel and the control.
std::string refusal(const Target& target, std::string_view name, int status);

// A control's value as the transcript shows it: a number as its type holds it, a text in quotes,
// a ring's or list's item value and label.
std::string shown_value(const uir::Control& control);

// Whether a control's value kind is a number, a single text, lines, or items.
enum class ValueShape { none, number, text, lines, items };
ValueShape value_shape(const uir::Control& control);

// A number compared as the control's type holds it: single precision for VAL_FLOAT.
bool same_number(const uir::Control& control, double expected);
bool same_number(int data_type, double actual, double expected);
// A number as a control of that type holds and shows it: a single-precision value as short as
// single precision writes it.
std::string number_as_held(int data_type, double value);

}  // namespace app::script
