// The registries that outlive a run: layouts by file name and the system's callbacks by name.
#include "registry.h"

#include <map>
#include <string>

#include "attributes.h"

namespace uir::core {
namespace {

template <class T>
using NameMap = std::map<std::string, T, std::less<>>;

NameMap<CtrlCallbackPtr>& callbacks() {
    static NameMap<CtrlCallbackPtr> m;
    return m;
}

NameMap<MenuCallbackPtr>& menu_callbacks() {
    static NameMap<MenuCallbackPtr> m;
    return m;
}

NameMap<const LayoutSpec*>& layouts() {
    static NameMap<const LayoutSpec*> m;
    return m;
}

int check_name(const char* name) {
    if (!name) return UIE_NULL_POINTER;
    return *name ? 0 : UIE_INVALID_ARGUMENT;
}

}  // namespace

const LayoutSpec* find_layout(std::string_view file_name) {
    auto& m = layouts();
    if (auto it = m.find(file_name); it != m.end()) return it->second;
    // A program may name the layout by a path; the layouts are kept under their base names.
    const auto slash = file_name.find_last_of("/\\");
    if (slash == std::string_view::npos) return nullptr;
    auto it = m.find(file_name.substr(slash + 1));
    return it == m.end() ? nullptr : it->second;
}

std::string callback_name(CtrlCallbackPtr fn) {
    if (!fn) return {};
    for (const auto& [name, f] : callbacks())
        if (f == fn) return name;
    return {};
}

}  // namespace uir::core

namespace uir {

int register_layout(const LayoutSpec& layout) {
    if (int st = core::check_name(layout.file_name); st < 0) return st;
    core::layouts()[layout.file_name] = &layout;
    return 0;
}

int register_callback(const char* name, CtrlCallbackPtr fn) {
    if (int st = core::check_name(name); st < 0) return st;
    if (!fn) return UIE_NULL_POINTER;
    core::callbacks()[name] = fn;
    return 0;
}

int register_menu_callback(const char* name, MenuCallbackPtr fn) {
    if (int st = core::check_name(name); st < 0) return st;
    if (!fn) return UIE_NULL_POINTER;
    core::menu_callbacks()[name] = fn;
    return 0;
}

CtrlCallbackPtr find_callback(std::string_view name) {
    auto& m = core::callbacks();
    auto it = m.find(name);
    return it == m.end() ? nullptr : it->second;
}

MenuCallbackPtr find_menu_callback(std::string_view name) {
    auto& m = core::menu_callbacks();
    auto it = m.find(name);
    return it == m.end() ? nullptr : it->second;
}

}  // namespace uir
