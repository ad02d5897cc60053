#include "front_panel_layout.h"

#include <deque>
#include <vector>

#include "qorm_layout.h"
#include "uir/callbacks.h"
#include "uir/layout.h"

namespace qt_test {
namespace {

// Storage for the copies: spans in the copied panel and control descriptions point into these.
struct Copy {
    std::deque<std::vector<uir::CtrlSpec>> controls;
    std::deque<std::vector<uir::MenuItemSpec>> items;
    std::deque<std::vector<uir::MenuSpec>> menus;
    std::deque<uir::MenuBarSpec> bars;
    std::vector<uir::PanelSpec> panels;
    uir::LayoutSpec layout;
};

void fill(Copy& c) {
    for (uir::PanelSpec p : qorm_layout().panels) {
        auto& controls = c.controls.emplace_back(p.controls.begin(), p.controls.end());
        for (uir::CtrlSpec& ctrl : controls)
            if (ctrl.callback) ctrl.callback = "viewCB";
        p.controls = controls;
        if (p.callback) p.callback = "viewCB";
        if (p.menu_bar) {
            auto& menus = c.menus.emplace_back(p.menu_bar->menus.begin(), p.menu_bar->menus.end());
            for (uir::MenuSpec& m : menus) {
                auto& items = c.items.emplace_back(m.items.begin(), m.items.end());
                for (uir::MenuItemSpec& item : items)
                    if (item.callback) item.callback = "viewMenuCB";
                m.items = items;
            }
            uir::MenuBarSpec bar = *p.menu_bar;
            bar.menus = menus;
            p.menu_bar = &c.bars.emplace_back(bar);
        }
        c.panels.push_back(p);
    }
    c.layout = {.file_name = kFrontPanelFile, .panels = c.panels};
}

const uir::LayoutSpec& recorded_layout() {
    static Copy copy;
    static const bool filled = (fill(copy), true);
    (void)filled;
    return copy.layout;
}

}  // namespace

int load_front_panel(int layout_panel_id) {
    uir::register_layout(recorded_layout());
    return LoadPanelEx(0, kFrontPanelFile, layout_panel_id, nullptr);
}

}  // namespace qt_test
