// Panels and controls built in code, showing, hiding and discarding.
#include "panels.h"

#include <algorithm>

#include "ctrl_ops.h"
#include "events.h"
#include "kinds.h"
#include "text.h"

namespace uir::core {

namespace {

void erase_id(std::vector<int>& ids, int id) {
    ids.erase(std::remove(ids.begin(), ids.end(), id), ids.end());
}

}  // namespace

int centred_top(const PanelRec& p) {
    Backend* b = backend();
    const int screen = b ? b->screen_size().height : 0;
    return std::max(0, (screen - p.height) / 2);
}

int centred_left(const PanelRec& p) {
    Backend* b = backend();
    const int screen = b ? b->screen_size().width : 0;
    return std::max(0, (screen - p.width) / 2);
}

void set_panel_visible(PanelRec& p, bool visible, bool raise) {
    const int h = p.handle;
    if (p.visible == visible) {
        if (visible && raise) notify([&](Backend& b) { b.panel_raised(h); });
        return;
    }
    p.visible = visible;
    if (visible)
        notify([&](Backend& b) { b.panel_shown(h); });
    else
        notify([&](Backend& b) { b.panel_hidden(h); });
}

std::unique_ptr<PanelRec> make_panel_rec() {
    auto p = std::make_unique<PanelRec>();
    p->handle = next_handle();
    return p;
}

PanelRec& adopt_panel(std::unique_ptr<PanelRec> p) {
    PanelRec& ref = *p;
    rt().panels.emplace(ref.handle, std::move(p));
    notify([&](Backend& b) { b.panel_created(ref.handle); });
    return ref;
}

std::unique_ptr<CtrlRec> make_ctrl_rec(int kind) {
    const KindInfo* k = kind_info(kind);
    auto c = std::make_unique<CtrlRec>();
    c->kind = kind;
    c->data_type = k->default_type;
    c->mode = k->default_mode;
    c->width = k->width;
    c->height = k->height;
    if (k->value == ValueKind::Number) {
        c->min = type_min(c->data_type);
        c->max = type_max(c->data_type);
        c->incr = 1;
    }
    // A timer built in code waits to be enabled; a second is a neutral interval.
    if (kind == CTRL_TIMER) c->interval = 1.0;
    return c;
}

CtrlRec& attach_ctrl(PanelRec& p, std::unique_ptr<CtrlRec> c) {
    CtrlRec& ref = *c;
    ref.panel = p.handle;
    p.controls.push_back(ref.id);
    if (ref.kind == CTRL_TIMER) p.timers.push_back(ref.id);
    p.next_ctrl_id = std::max(p.next_ctrl_id, ref.id + 1);
    p.ctrls.emplace(ref.id, std::move(c));
    return ref;
}

void destroy_menu_bar(int handle) {
    auto& bars = rt().bars;
    auto it = bars.find(handle);
    if (it == bars.end()) return;
    const int panel = it->second->panel;
    bars.erase(it);
    PanelRec* p = nullptr;
    if (find_panel(panel, p) == 0 && p->menu_bar == handle) p->menu_bar = 0;
    notify([&](Backend& b) { b.menu_bar_changed(panel, handle); });
}

void destroy_panel(int handle) {
    auto& panels = rt().panels;
    auto it = panels.find(handle);
    if (it == panels.end()) return;
    if (it->second->menu_bar) destroy_menu_bar(it->second->menu_bar);
    panels.erase(handle);
    notify([&](Backend& b) { b.panel_discarded(handle); });
}

}  // namespace uir::core

using namespace uir::core;

int NewPanel(int parentPanel, const char* title, int top, int left, int height, int width) {
    if (!rt().started) return not_started();
    if (int st = check_text(title); st < 0) return st;
    // Every panel is a window of its own; panels inside panels are not offered.
    if (parentPanel != 0) return UIE_INVALID_ARGUMENT;
    if (height < 0 || width < 0) return UIE_INVALID_ARGUMENT;
    auto p = make_panel_rec();
    p->title = title;
    p->height = height;
    p->width = width;
    p->top = top == VAL_AUTO_CENTER ? centred_top(*p) : top;
    p->left = left == VAL_AUTO_CENTER ? centred_left(*p) : left;
    return adopt_panel(std::move(p)).handle;
}

int DisplayPanel(int panel) {
    PanelRec* p = nullptr;
    if (int st = find_panel(panel, p); st < 0) return st;
    set_panel_visible(*p, true, true);
    return 0;
}

int HidePanel(int panel) {
    PanelRec* p = nullptr;
    if (int st = find_panel(panel, p); st < 0) return st;
    set_panel_visible(*p, false, false);
    return 0;
}

// The discard callbacks run synchronously, the controls' first and then the panel's, while the
// panel is still intact; a second DiscardPanel from inside them changes nothing.
int DiscardPanel(int panel) {
    PanelRec* p = nullptr;
    if (int st = find_panel(panel, p); st < 0) return st;
    if (p->discarding) return 0;
    p->discarding = true;
    {
        BusyScope busy;
        const std::vector<int> ids = p->controls;
        for (int id : ids) {
            if (find_panel(panel, p) < 0) return 0;
            CtrlRec* c = ctrl_of(*p, id);
            if (!c || !c->callback) continue;
            guarded([&] { c->callback(panel, id, EVENT_DISCARD, data_for(*p, *c), 0, 0); });
        }
        if (find_panel(panel, p) < 0) return 0;
        if (p->callback)
            guarded([&] { p->callback(panel, 0, EVENT_DISCARD, p->callback_data, 0, 0); });
    }
    destroy_panel(panel);
    return 0;
}

int NewCtrl(int panel, int controlStyle, const char* label, int top, int left) {
    PanelRec* p = nullptr;
    if (int st = find_panel(panel, p); st < 0) return st;
    if (!kind_info(controlStyle)) return UIE_INVALID_ARGUMENT;
    if (label && check_text(label) < 0) return UIE_OUT_OF_RANGE;
    auto c = make_ctrl_rec(controlStyle);
    c->id = p->next_ctrl_id;
    c->label = label ? label : "";  // no label at all is common for lists and text boxes
    c->top = top;
    c->left = left;
    record_default(*c);
    CtrlRec& ref = attach_ctrl(*p, std::move(c));
    notify([&](uir::Backend& b) { b.control_created(panel, ref.id); });
    return ref.id;
}

int DiscardCtrl(int panel, int control) {
    PanelRec* p = nullptr;
    CtrlRec* c = nullptr;
    if (int st = find_ctrl(panel, control, p, c); st < 0) return st;
    if (c->discarding) return 0;
    c->discarding = true;
    if (c->callback) {
        BusyScope busy;
        guarded([&] { c->callback(panel, control, EVENT_DISCARD, data_for(*p, *c), 0, 0); });
        if (find_ctrl(panel, control, p, c) < 0) return 0;
    }
    erase_id(p->controls, control);
    erase_id(p->timers, control);
    if (p->close_ctrl == control) p->close_ctrl = 0;
    p->ctrls.erase(control);
    notify([&](uir::Backend& b) { b.control_discarded(panel, control); });
    return 0;
}
