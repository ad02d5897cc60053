#include "ctrl_ops.h"

#include <algorithm>
#include <cmath>

#include "kinds.h"
#include "text.h"

namespace uir::core {

namespace {
void value_changed(const CtrlRec& c) {
    notify([&](Backend& b) { b.control_value_changed(c.panel, c.id); });
}
}  // namespace

double clock_now() {
    Backend* b = backend();
    return b ? b->now() : 0.0;
}

void set_number(CtrlRec& c, double v) {
    const KindInfo* k = kind_info(c.kind);
    if (k && k->value == ValueKind::Switch) v = v != 0 ? 1 : 0;
    v = stored_as(c.data_type, v);
    if (c.number == v) return;
    c.number = v;
    value_changed(c);
}

void set_text(CtrlRec& c, std::string v) {
    if (c.text == v) return;
    c.text = std::move(v);
    value_changed(c);
}

void set_lines(CtrlRec& c, std::vector<std::string> lines) {
    if (c.lines == lines) return;
    c.lines = std::move(lines);
    notify([&](Backend& b) { b.text_box_changed(c.panel, c.id); });
}

int set_text_box(CtrlRec& c, std::string_view text) {
    std::vector<std::string> lines = split_lines(text);
    if (lines.size() > kMaxTextBoxLines) return UIE_OUT_OF_RANGE;
    set_lines(c, std::move(lines));
    return 0;
}

void set_index(CtrlRec& c, int index) {
    if (c.index == index) return;
    c.index = index;
    value_changed(c);
}

int select_item_by_value(CtrlRec& c, int value) {
    auto it = std::find_if(c.items.begin(), c.items.end(),
                           [&](const ListItem& item) { return item.value == value; });
    if (it == c.items.end()) return UIE_NO_ITEM;
    set_index(c, static_cast<int>(it - c.items.begin()));
    return 0;
}

void attribute_changed(const CtrlRec& c, int attribute) {
    notify([&](Backend& b) { b.control_attribute_changed(c.panel, c.id, attribute); });
}

void arm_timer(CtrlRec& c) {
    c.next_due = clock_now() + c.interval;
}

void set_timer_enabled(CtrlRec& c, bool on) {
    if (c.enabled == on) return;
    c.enabled = on;
    if (on) arm_timer(c);
    attribute_changed(c, ATTR_ENABLED);
}

int set_timer_interval(CtrlRec& c, double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0) return UIE_OUT_OF_RANGE;
    if (c.interval == seconds) return 0;
    c.interval = seconds;
    if (c.enabled) arm_timer(c);
    attribute_changed(c, ATTR_INTERVAL);
    return 0;
}

double clamp_to_limits(const CtrlRec& c, double v) {
    return std::clamp(v, c.min, c.max);
}

void record_default(CtrlRec& c) {
    c.default_number = c.number;
    c.default_text = c.text;
    c.default_lines = c.lines;
    c.default_item_value.reset();
    if (c.index >= 0 && c.index < static_cast<int>(c.items.size()))
        c.default_item_value = c.items[c.index].value;
}

void restore_default(CtrlRec& c) {
    const KindInfo* k = kind_info(c.kind);
    if (!k) return;
    switch (k->value) {
        case ValueKind::None:
            return;
        case ValueKind::Number:
        case ValueKind::Switch:
            set_number(c, c.default_number);
            return;
        case ValueKind::Text:
            set_text(c, c.default_text);
            return;
        case ValueKind::Lines:
            set_lines(c, c.default_lines);
            return;
        case ValueKind::Items:
            if (c.items.empty()) return;
            if (!c.default_item_value || select_item_by_value(c, *c.default_item_value) < 0)
                set_index(c, 0);
            return;
    }
}

}  // namespace uir::core
