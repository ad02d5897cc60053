// Look-ups in a menu bar, shared by the menu calls and automation.
#pragma once

#include <string_view>

#include "state.h"

namespace uir::core {

struct MenuRef {
    Menu* menu = nullptr;      // the menu with the id, or the menu that holds the item
    MenuItem* item = nullptr;  // the item with the id; nullptr when the id is a menu's
};

// UIE_INVALID_MENU when the bar has no menu or item with `id`.
int find_in_bar(MenuBarRec& bar, int id, MenuRef& ref);
// The item with `constant_name`, or nullptr.
const MenuItem* find_item_by_name(const MenuBarRec& bar, std::string_view constant_name);

}  // namespace uir::core
