// The registry of the system's callback functions: layouts bind their controls, panels and menu
// items to callbacks by name (uir/layout.h), so each name must be registered before a panel that
// uses it is loaded.
#pragma once

#include <string_view>

#include "userint.h"

namespace uir {

int register_callback(const char* name, CtrlCallbackPtr fn);
int register_menu_callback(const char* name, MenuCallbackPtr fn);
CtrlCallbackPtr find_callback(std::string_view name);
MenuCallbackPtr find_menu_callback(std::string_view name);

}  // namespace uir
