// Menu bars, menus and items built in code, and their attributes.
#include "menus.h"

#include <algorithm>

#include "panels.h"
#include "text.h"

namespace uir::core {

int find_in_bar(MenuBarRec& bar, int id, MenuRef& ref) {
    for (Menu& m : bar.menus) {
        if (m.id == id) {
            ref = {&m, nullptr};
            return 0;
        }
        for (MenuItem& item : m.items)
            if (item.id == id) {
                ref = {&m, &item};
                return 0;
            }
    }
    return UIE_INVALID_MENU;
}

const MenuItem* find_item_by_name(const MenuBarRec& bar, std::string_view constant_name) {
    for (const Menu& m : bar.menus)
        for (const MenuItem& item : m.items)
            if (!item.constant_name.empty() && item.constant_name == constant_name) return &item;
    return nullptr;
}

namespace {

void bar_changed(const MenuBarRec& bar) {
    notify([&](Backend& b) { b.menu_bar_changed(bar.panel, bar.handle); });
}

// The menu `menu` of the bar (not an item).
int find_menu(int menu_bar, int menu, MenuBarRec*& bar, Menu*& m) {
    if (int st = find_bar(menu_bar, bar); st < 0) return st;
    MenuRef ref;
    if (find_in_bar(*bar, menu, ref) < 0 || ref.item) return UIE_INVALID_MENU;
    m = ref.menu;
    return 0;
}

// Where `before` (-1: the end) falls among the items of `m`; -2 when no item has that id.
int insert_position(const Menu& m, int before) {
    if (before == -1) return static_cast<int>(m.items.size());
    for (std::size_t i = 0; i < m.items.size(); ++i)
        if (m.items[i].id == before) return static_cast<int>(i);
    return -2;
}

int add_item(int menu_bar, int menu, int before, MenuItem item) {
    MenuBarRec* bar = nullptr;
    Menu* m = nullptr;
    if (int st = find_menu(menu_bar, menu, bar, m); st < 0) return st;
    const int pos = insert_position(*m, before);
    if (pos < 0) return UIE_INVALID_MENU;
    item.id = bar->next_id++;
    const int id = item.id;
    m->items.insert(m->items.begin() + pos, std::move(item));
    bar_changed(*bar);
    return id;
}

}  // namespace
}  // namespace uir::core

using namespace uir::core;

// A panel carries one menu bar; a new one replaces (and discards) the old.
int NewMenuBar(int panel) {
    PanelRec* p = nullptr;
    if (int st = find_panel(panel, p); st < 0) return st;
    if (p->menu_bar) destroy_menu_bar(p->menu_bar);
    auto bar = std::make_unique<MenuBarRec>();
    bar->handle = next_handle();
    bar->panel = panel;
    const int handle = bar->handle;
    p->menu_bar = handle;
    rt().bars.emplace(handle, std::move(bar));
    bar_changed(*rt().bars[handle]);
    return handle;
}

int DiscardMenuBar(int menuBar) {
    MenuBarRec* bar = nullptr;
    if (int st = find_bar(menuBar, bar); st < 0) return st;
    destroy_menu_bar(menuBar);
    return 0;
}

int GetPanelMenuBar(int panel) {
    PanelRec* p = nullptr;
    if (int st = find_panel(panel, p); st < 0) return st;
    return p->menu_bar;
}

int NewMenu(int menuBar, const char* title, int before) {
    if (int st = check_text(title); st < 0) return st;
    MenuBarRec* bar = nullptr;
    if (int st = find_bar(menuBar, bar); st < 0) return st;
    auto pos = bar->menus.end();
    if (before != -1) {
        pos = std::find_if(bar->menus.begin(), bar->menus.end(),
                           [&](const uir::Menu& m) { return m.id == before; });
        if (pos == bar->menus.end()) return UIE_INVALID_MENU;
    }
    uir::Menu menu;
    menu.id = bar->next_id++;
    menu.title = title;
    const int id = menu.id;
    bar->menus.insert(pos, std::move(menu));
    bar_changed(*bar);
    return id;
}

int NewMenuItem(int menuBar, int menu, const char* itemName, int before, int shortcutKey,
                MenuCallbackPtr callback, void* callbackData) {
    if (int st = check_text(itemName); st < 0) return st;
    uir::MenuItem item;
    item.name = itemName;
    item.shortcut_key = shortcutKey;
    item.callback = callback;
    item.callback_data = callbackData;
    return add_item(menuBar, menu, before, std::move(item));
}

int InsertSeparator(int menuBar, int menu, int before) {
    uir::MenuItem item;
    item.separator = true;
    return add_item(menuBar, menu, before, std::move(item));
}

namespace {

// The menu or item an attribute call names, once the attribute is checked: the one the call
// handles, `wanted`; the other menu attribute in the wrong type is a mismatch.
int menu_attribute_target(int menuBar, int menuOrItem, int attribute, int wanted, MenuBarRec*& bar,
                          MenuRef& ref) {
    if (int st = find_bar(menuBar, bar); st < 0) return st;
    if (int st = find_in_bar(*bar, menuOrItem, ref); st < 0) return st;
    if (attribute == wanted) return 0;
    return attribute == ATTR_DIMMED || attribute == ATTR_ITEM_NAME ? UIE_TYPE_MISMATCH
                                                                   : UIE_INVALID_ATTRIBUTE;
}

}  // namespace

int SetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, int value) {
    MenuBarRec* bar = nullptr;
    MenuRef ref;
    if (int st = menu_attribute_target(menuBar, menuOrItem, attribute, ATTR_DIMMED, bar, ref);
        st < 0)
        return st;
    bool& dimmed = ref.item ? ref.item->dimmed : ref.menu->dimmed;
    if (dimmed == (value != 0)) return 0;
    dimmed = value != 0;
    bar_changed(*bar);
    return 0;
}

int GetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, int* value) {
    if (!value) return UIE_NULL_POINTER;
    MenuBarRec* bar = nullptr;
    MenuRef ref;
    if (int st = menu_attribute_target(menuBar, menuOrItem, attribute, ATTR_DIMMED, bar, ref);
        st < 0)
        return st;
    *value = (ref.item ? ref.item->dimmed : ref.menu->dimmed) ? 1 : 0;
    return 0;
}

// ATTR_ITEM_NAME: an item's text, or a menu's title.
int SetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, const char* value) {
    if (int st = check_text(value); st < 0) return st;
    MenuBarRec* bar = nullptr;
    MenuRef ref;
    if (int st = menu_attribute_target(menuBar, menuOrItem, attribute, ATTR_ITEM_NAME, bar, ref);
        st < 0)
        return st;
    if (ref.item && ref.item->separator) return UIE_INVALID_ATTRIBUTE;
    std::string& text = ref.item ? ref.item->name : ref.menu->title;
    if (text == value) return 0;
    text = value;
    bar_changed(*bar);
    return 0;
}

int GetMenuBarAttributeString(int menuBar, int menuOrItem, int attribute, char* buffer,
                              size_t size) {
    if (!buffer) return UIE_NULL_POINTER;
    MenuBarRec* bar = nullptr;
    MenuRef ref;
    if (int st = menu_attribute_target(menuBar, menuOrItem, attribute, ATTR_ITEM_NAME, bar, ref);
        st < 0)
        return st;
    return copy_out(ref.item ? ref.item->name : ref.menu->title, buffer, size);
}
