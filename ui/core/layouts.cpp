// LoadPanelEx: a panel from a registered layout. The layout is checked completely before
// anything is created, so a refused load leaves no trace (not even a used handle).
#include <cmath>
#include <set>
#include <vector>

#include "attributes.h"
#include "ctrl_ops.h"
#include "kinds.h"
#include "panels.h"
#include "registry.h"
#include "text.h"

namespace uir::core {
namespace {

std::string str(const char* s) {
    return s ? s : "";
}

// The callbacks a layout names, resolved before anything is built.
struct Resolved {
    CtrlCallbackPtr panel_callback = nullptr;
    std::vector<CtrlCallbackPtr> ctrl_callbacks;               // per control of the layout
    std::vector<std::vector<MenuCallbackPtr>> item_callbacks;  // per menu, per item
};

int resolve_callback(const char* name, CtrlCallbackPtr& out) {
    out = nullptr;
    if (!name) return 0;
    out = find_callback(name);
    return out ? 0 : UIE_UNKNOWN_CALLBACK;
}

int effective_type(const CtrlSpec& cs) {
    if (cs.data_type != VAL_NO_TYPE) return cs.data_type;
    return kind_info(cs.kind)->default_type;
}

int check_ctrl(const CtrlSpec& cs) {
    const KindInfo* k = kind_info(cs.kind);
    if (!k || cs.id <= 0) return UIE_INVALID_ARGUMENT;
    const int type = effective_type(cs);
    if (!type_fits_kind(cs.kind, type)) return UIE_INVALID_ARGUMENT;
    if (cs.mode != VAL_HOT && cs.mode != VAL_INDICATOR) return UIE_INVALID_ARGUMENT;
    if (!is_colour(cs.back_color) || !is_colour(cs.text_color)) return UIE_INVALID_ARGUMENT;
    if (cs.width < 0 || cs.height < 0) return UIE_INVALID_ARGUMENT;
    if (k->value == ValueKind::Number) {
        if (!fits_type(type, cs.value)) return UIE_INVALID_ARGUMENT;
        const bool limits = cs.min != 0 || cs.max != 0;
        if (limits && (!fits_type(type, cs.min) || !fits_type(type, cs.max) || cs.min > cs.max))
            return UIE_INVALID_ARGUMENT;
        if (!std::isfinite(cs.incr) || cs.incr < 0) return UIE_INVALID_ARGUMENT;
        if (cs.precision < 0 || cs.precision > 15) return UIE_INVALID_ARGUMENT;
    }
    if (k->value == ValueKind::Items)
        for (const ListItemSpec& item : cs.items)
            if (!fits_type(type, item.value)) return UIE_INVALID_ARGUMENT;
    if (cs.kind == CTRL_TIMER && (!std::isfinite(cs.interval) || cs.interval < 0))
        return UIE_INVALID_ARGUMENT;
    return 0;
}

int resolve(const PanelSpec& ps, Resolved& r) {
    if (ps.height < 0 || ps.width < 0 || !is_colour(ps.back_color)) return UIE_INVALID_ARGUMENT;
    if (int st = resolve_callback(ps.callback, r.panel_callback); st < 0) return st;
    std::set<int> ids;
    for (const CtrlSpec& cs : ps.controls) {
        if (int st = check_ctrl(cs); st < 0) return st;
        if (!ids.insert(cs.id).second) return UIE_INVALID_ARGUMENT;
        CtrlCallbackPtr cb = nullptr;
        if (int st = resolve_callback(cs.callback, cb); st < 0) return st;
        r.ctrl_callbacks.push_back(cb);
    }
    if (ps.close_ctrl != 0 && !ids.count(ps.close_ctrl)) return UIE_INVALID_ARGUMENT;
    if (!ps.menu_bar) return 0;
    std::set<int> menu_ids;
    for (const MenuSpec& ms : ps.menu_bar->menus) {
        if (ms.id <= 0 || !menu_ids.insert(ms.id).second) return UIE_INVALID_ARGUMENT;
        auto& cbs = r.item_callbacks.emplace_back();
        for (const MenuItemSpec& is : ms.items) {
            if (is.id <= 0 || !menu_ids.insert(is.id).second) return UIE_INVALID_ARGUMENT;
            MenuCallbackPtr cb = nullptr;
            if (is.callback && !(cb = find_menu_callback(is.callback))) return UIE_UNKNOWN_CALLBACK;
            cbs.push_back(cb);
        }
    }
    return 0;
}

std::unique_ptr<CtrlRec> build_ctrl(const CtrlSpec& cs, CtrlCallbackPtr callback) {
    auto c = make_ctrl_rec(cs.kind);
    c->from_layout = true;
    c->id = cs.id;
    c->constant_name = str(cs.constant_name);
    c->data_type = effective_type(cs);
    c->mode = cs.mode;
    c->label = str(cs.label);
    c->top = cs.top;
    c->left = cs.left;
    c->width = cs.width;
    c->height = cs.height;
    c->dimmed = cs.dimmed;
    c->visible = cs.visible;
    c->back_color = cs.back_color;
    c->text_color = cs.text_color;
    c->callback = callback;
    c->fault_text = str(cs.fault_text);
    c->fault_if_nonzero = cs.fault_if_nonzero;
    switch (kind_info(cs.kind)->value) {
        case ValueKind::None:
            break;
        case ValueKind::Number:
            if (cs.min != 0 || cs.max != 0) {
                c->min = stored_as(c->data_type, cs.min);
                c->max = stored_as(c->data_type, cs.max);
            } else {
                c->min = type_min(c->data_type);
                c->max = type_max(c->data_type);
            }
            c->incr = cs.incr > 0 ? cs.incr : 1;
            c->precision = cs.precision;
            c->number = stored_as(c->data_type, cs.value);
            break;
        case ValueKind::Switch:
            c->number = cs.value != 0 ? 1 : 0;
            break;
        case ValueKind::Text:
            c->text = str(cs.text);
            break;
        case ValueKind::Lines:
            c->lines = split_lines(str(cs.text));
            break;
        case ValueKind::Items:
            for (const ListItemSpec& item : cs.items)
                c->items.push_back({str(item.label), item.value});
            if (!c->items.empty()) {
                c->index = 0;
                for (std::size_t i = 0; i < c->items.size(); ++i)
                    if (c->items[i].value == cs.value) {
                        c->index = static_cast<int>(i);
                        break;
                    }
            }
            break;
    }
    c->on_text = str(cs.on_text);
    c->off_text = str(cs.off_text);
    if (cs.kind == CTRL_TIMER) {
        c->interval = cs.interval;
        c->enabled = cs.enabled;
        if (c->enabled) arm_timer(*c);
    }
    record_default(*c);
    return c;
}

void build_menu_bar(PanelRec& p, const MenuBarSpec& data, const Resolved& r) {
    auto bar = std::make_unique<MenuBarRec>();
    bar->handle = next_handle();
    bar->panel = p.handle;
    bar->constant_name = str(data.constant_name);
    int top_id = 0;
    for (std::size_t m = 0; m < data.menus.size(); ++m) {
        const MenuSpec& ms = data.menus[m];
        Menu menu;
        menu.id = ms.id;
        menu.constant_name = str(ms.constant_name);
        menu.title = str(ms.title);
        top_id = std::max(top_id, ms.id);
        for (std::size_t i = 0; i < ms.items.size(); ++i) {
            const MenuItemSpec& is = ms.items[i];
            MenuItem item;
            item.id = is.id;
            item.constant_name = str(is.constant_name);
            item.name = str(is.text);
            item.separator = is.text == nullptr;
            item.callback = r.item_callbacks[m][i];
            menu.items.push_back(std::move(item));
            top_id = std::max(top_id, is.id);
        }
        bar->menus.push_back(std::move(menu));
    }
    bar->next_id = std::max(2, top_id + 1);
    p.menu_bar = bar->handle;
    rt().bars.emplace(bar->handle, std::move(bar));
}

}  // namespace
}  // namespace uir::core

using namespace uir::core;

// The module handle names where a layout file would be found; layouts here are registered by
// name, so it plays no part.
int LoadPanelEx(int parentPanel, const char* fileName, int panelResourceId, void* moduleHandle) {
    (void)moduleHandle;
    if (!rt().started) return not_started();
    if (!fileName) return UIE_NULL_POINTER;
    if (parentPanel != 0) return UIE_INVALID_ARGUMENT;
    const uir::LayoutSpec* layout = find_layout(fileName);
    if (!layout) return UIE_LAYOUT_NOT_FOUND;
    const uir::PanelSpec* ps = nullptr;
    for (const auto& candidate : layout->panels)
        if (candidate.id == panelResourceId) ps = &candidate;
    if (!ps) return UIE_PANEL_NOT_IN_LAYOUT;
    Resolved r;
    if (int st = resolve(*ps, r); st < 0) return st;

    auto p = make_panel_rec();
    p->from_layout = true;
    p->constant_name = str(ps->constant_name);
    p->layout_file = str(layout->file_name);
    p->layout_id = ps->id;
    p->title = str(ps->title);
    p->top = ps->top;
    p->left = ps->left;
    p->height = ps->height;
    p->width = ps->width;
    p->close_ctrl = ps->close_ctrl;
    p->back_color = ps->back_color;
    p->callback = r.panel_callback;
    if (p->top == VAL_AUTO_CENTER) p->top = centred_top(*p);
    if (p->left == VAL_AUTO_CENTER) p->left = centred_left(*p);
    for (std::size_t i = 0; i < ps->controls.size(); ++i)
        attach_ctrl(*p, build_ctrl(ps->controls[i], r.ctrl_callbacks[i]));
    if (ps->menu_bar) build_menu_bar(*p, *ps->menu_bar, r);
    return adopt_panel(std::move(p)).handle;
}
