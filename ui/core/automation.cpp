// Operator actions. Backends and tests both come through here: each action is checked against
// what a person could do, changes the control as the gesture does, and queues its event.
#include <algorithm>
#include <cmath>
#include <functional>

#include "ctrl_ops.h"
#include "events.h"
#include "kinds.h"
#include "menus.h"
#include "observer.h"
#include "text.h"
#include "uir/automation.h"

namespace uir::automation {
namespace {

using core::CtrlRec;
using core::PanelRec;
using core::ValueKind;

// A person can act only on a visible, undimmed, hot control of a shown panel.
int operable(int panel, int control, PanelRec*& p, CtrlRec*& c) {
    if (int st = core::find_ctrl(panel, control, p, c); st < 0) return st;
    if (!p->visible || p->discarding) return UIE_NOT_OPERABLE;
    if (!c->visible || c->dimmed || c->mode == VAL_INDICATOR || c->kind == CTRL_TIMER)
        return UIE_NOT_OPERABLE;
    return 0;
}

// List events carry the line's index in eventData1.
void queue_ctrl_event(int panel, int control, int event, int data1 = 0) {
    core::queue_event({.target = core::Event::Target::Control,
                       .panel = panel,
                       .control = control,
                       .event = event,
                       .data1 = data1});
}

std::function<void(const Action&)>& observer() {
    static std::function<void(const Action&)> fn;
    return fn;
}

Action action_on(Action::Kind kind, const PanelRec& p, const CtrlRec* c, double number,
                 const char* text) {
    Action a;
    a.kind = kind;
    a.panel = p.handle;
    a.panel_name = p.constant_name;
    if (c) {
        a.control = c->id;
        a.control_name = c->constant_name;
    }
    a.number = number;
    if (text) a.text = text;
    return a;
}

void accepted(Action::Kind kind, const PanelRec& p, const CtrlRec* c, double number = 0,
              const char* text = nullptr) {
    if (observer()) core::notify_observer(action_on(kind, p, c, number, text));
}

// A gesture refused as a person would be refused (the panel and the control are there, but not to
// be operated now): the observer hears of it too, so a recorded session keeps it as a refusal.
int refused(int status, Action::Kind kind, const PanelRec* p, const CtrlRec* c, double number = 0,
            const char* text = nullptr) {
    if (status != UIE_NOT_OPERABLE || p == nullptr || !observer()) return status;
    Action a = action_on(kind, *p, c, number, text);
    a.refused = true;
    core::notify_observer(a);
    return status;
}

ValueKind value_kind(const CtrlRec& c) {
    return core::kind_info(c.kind)->value;
}

// Typed input is brought into the limits; an integer control takes the nearest whole number.
double typed_number(const CtrlRec& c, double v) {
    v = core::clamp_to_limits(c, v);
    if (core::is_integer_type(c.data_type)) v = std::round(v);
    return v;
}

}  // namespace

int press(int panel, int control) {
    PanelRec* p = nullptr;
    CtrlRec* c = nullptr;
    if (int st = operable(panel, control, p, c); st < 0)
        return refused(st, Action::Kind::press, p, c);
    switch (core::kind_info(c->kind)->press) {
        case core::PressAction::Refuse:
            return UIE_INVALID_ARGUMENT;
        case core::PressAction::FlipAndCommit:
            core::set_number(*c, c->number != 0 ? 0 : 1);
            break;
        case core::PressAction::Commit:
            break;
    }
    queue_ctrl_event(panel, control, EVENT_COMMIT);
    accepted(Action::Kind::press, *p, c);
    return 0;
}

int set_value(int panel, int control, int value) {
    PanelRec* p = nullptr;
    CtrlRec* c = nullptr;
    if (int st = operable(panel, control, p, c); st < 0)
        return refused(st, Action::Kind::set_number, p, c, value);
    switch (value_kind(*c)) {
        case ValueKind::None:
            return UIE_NO_VALUE;
        case ValueKind::Text:
        case ValueKind::Lines:
            return UIE_TYPE_MISMATCH;
        case ValueKind::Switch:
            if (value != 0 && value != 1) return UIE_OUT_OF_RANGE;
            core::set_number(*c, value);
            break;
        case ValueKind::Number:
            core::set_number(*c, typed_number(*c, value));
            break;
        case ValueKind::Items:
            if (int st = core::select_item_by_value(*c, value); st < 0) return st;
            break;
    }
    queue_ctrl_event(panel, control, EVENT_COMMIT);
    accepted(Action::Kind::set_number, *p, c, value);
    return 0;
}

int set_value(int panel, int control, double value) {
    PanelRec* p = nullptr;
    CtrlRec* c = nullptr;
    if (int st = operable(panel, control, p, c); st < 0)
        return refused(st, Action::Kind::set_number, p, c, std::isfinite(value) ? value : 0);
    const ValueKind vk = value_kind(*c);
    if (vk == ValueKind::None) return UIE_NO_VALUE;
    if (vk != ValueKind::Number) return UIE_TYPE_MISMATCH;
    if (!std::isfinite(value)) return UIE_OUT_OF_RANGE;
    core::set_number(*c, typed_number(*c, value));
    queue_ctrl_event(panel, control, EVENT_COMMIT);
    accepted(Action::Kind::set_number, *p, c, value);
    return 0;
}

int set_value(int panel, int control, const char* value) {
    if (int st = core::check_text(value); st < 0) return st;
    PanelRec* p = nullptr;
    CtrlRec* c = nullptr;
    if (int st = operable(panel, control, p, c); st < 0)
        return refused(st, Action::Kind::set_text, p, c, 0, value);
    if (value_kind(*c) == ValueKind::None) return UIE_NO_VALUE;
    if (c->kind == CTRL_STRING)
        core::set_text(*c, value);
    else if (c->kind == CTRL_TEXT_BOX) {
        if (int st = core::set_text_box(*c, value); st < 0) return st;
    } else
        return UIE_TYPE_MISMATCH;
    queue_ctrl_event(panel, control, EVENT_COMMIT);
    accepted(Action::Kind::set_text, *p, c, 0, value);
    return 0;
}

namespace {

// The operator's gesture on line `index` of a ring or list: checked as a person would be, the
// line highlighted, then `event` queued (EVENT_NONE: none) and the observer told.
int line_gesture(int panel, int control, int index, bool lists_only, int event, Action::Kind kind) {
    PanelRec* p = nullptr;
    CtrlRec* c = nullptr;
    if (int st = operable(panel, control, p, c); st < 0) return refused(st, kind, p, c, index);
    const bool fits = lists_only ? c->kind == CTRL_LIST_BOX : value_kind(*c) == ValueKind::Items;
    if (!fits) return UIE_INVALID_ARGUMENT;
    if (index < 0 || index >= static_cast<int>(c->items.size())) return UIE_OUT_OF_RANGE;
    core::set_index(*c, index);
    if (event != EVENT_NONE) queue_ctrl_event(panel, control, event, index);
    accepted(kind, *p, c, index);
    return 0;
}

}  // namespace

int select_index(int panel, int control, int index) {
    return line_gesture(panel, control, index, false, EVENT_COMMIT, Action::Kind::select_index);
}

int double_click(int panel, int control, int index) {
    return line_gesture(panel, control, index, true, EVENT_LEFT_DOUBLE_CLICK,
                        Action::Kind::double_click);
}

// A single click only moves the highlight: the program reads it when another gesture commits.
int highlight(int panel, int control, int index) {
    return line_gesture(panel, control, index, true, EVENT_NONE, Action::Kind::highlight);
}

// The run-time never closes a panel itself: the program decides in the callback.
int close_panel(int panel) {
    PanelRec* p = nullptr;
    if (int st = core::find_panel(panel, p); st < 0) return st;
    if (!p->visible || p->discarding)
        return refused(UIE_NOT_OPERABLE, Action::Kind::close_panel, p, nullptr);
    if (const CtrlRec* c = p->close_ctrl ? core::ctrl_of(*p, p->close_ctrl) : nullptr) {
        // A dimmed close control means the program does not let the operator leave yet.
        if (c->dimmed || !c->visible)
            return refused(UIE_NOT_OPERABLE, Action::Kind::close_panel, p, nullptr);
        queue_ctrl_event(panel, c->id, EVENT_COMMIT);
        accepted(Action::Kind::close_panel, *p, nullptr);
        return 0;
    }
    core::queue_event({.target = core::Event::Target::Panel, .panel = panel, .event = EVENT_CLOSE});
    accepted(Action::Kind::close_panel, *p, nullptr);
    return 0;
}

int choose_menu_item(int panel, int item) {
    PanelRec* p = nullptr;
    if (int st = core::find_panel(panel, p); st < 0) return st;
    if (!p->visible || p->discarding) return UIE_NOT_OPERABLE;
    core::MenuBarRec* bar = nullptr;
    if (!p->menu_bar || core::find_bar(p->menu_bar, bar) < 0) return UIE_INVALID_MENU;
    core::MenuRef ref;
    if (core::find_in_bar(*bar, item, ref) < 0 || !ref.item) return UIE_INVALID_MENU;
    const auto tell = [&](bool refused) {
        if (!observer()) return;
        Action a = action_on(Action::Kind::choose_menu_item, *p, nullptr, 0, nullptr);
        a.control = item;
        a.control_name = ref.item->constant_name;
        a.refused = refused;
        core::notify_observer(a);
    };
    if (ref.item->separator || ref.item->dimmed || ref.menu->dimmed) {
        if (!ref.item->separator) tell(true);
        return UIE_NOT_OPERABLE;
    }
    core::queue_event({.target = core::Event::Target::Menu,
                       .panel = panel,
                       .control = item,
                       .event = EVENT_COMMIT,
                       .menu_bar = bar->handle});
    tell(false);
    return 0;
}

int find_control(int panel, std::string_view constant_name) {
    PanelRec* p = nullptr;
    if (int st = core::find_panel(panel, p); st < 0) return st;
    if (constant_name.empty()) return UIE_INVALID_CONTROL;
    for (int id : p->controls)
        if (core::ctrl_of(*p, id)->constant_name == constant_name) return id;
    return UIE_INVALID_CONTROL;
}

int find_menu_item(int panel, std::string_view constant_name) {
    PanelRec* p = nullptr;
    if (int st = core::find_panel(panel, p); st < 0) return st;
    core::MenuBarRec* bar = nullptr;
    if (!p->menu_bar || core::find_bar(p->menu_bar, bar) < 0) return UIE_INVALID_MENU;
    const MenuItem* item = core::find_item_by_name(*bar, constant_name);
    return item ? item->id : UIE_INVALID_MENU;
}

std::vector<int> panels() {
    return model::panel_handles();
}

std::vector<int> panels(int layout_panel_id) {
    std::vector<int> out;
    for (const auto& [handle, p] : core::rt().panels)
        if (p->from_layout && p->layout_id == layout_panel_id) out.push_back(handle);
    return out;
}

std::string constant_name(int panel) {
    PanelRec* p = nullptr;
    return core::find_panel(panel, p) == 0 ? p->constant_name : std::string();
}

void set_observer(std::function<void(const Action&)> fn) {
    observer() = std::move(fn);
}

}  // namespace uir::automation

namespace uir::core {

void notify_observer(const automation::Action& action) noexcept {
    auto& fn = automation::observer();
    if (!fn) return;
    // The observer may replace itself while it runs; the call keeps its own copy alive.
    const std::function<void(const automation::Action&)> call = fn;
    guarded([&] { call(action); });
}

}  // namespace uir::core
