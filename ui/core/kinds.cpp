#include "kinds.h"

#include <cfloat>
#include <cmath>
#include <cstdint>

#include "userint.h"

namespace uir::core {

namespace {

// Sizes are the ones a control built in code starts with; the program usually sets its own.
constexpr KindInfo kKinds[] = {
    {CTRL_COMMAND_BUTTON, "command button", ValueKind::None, VAL_NO_TYPE, VAL_HOT, 100, 25,
     PressAction::Commit},
    {CTRL_TOGGLE_BUTTON, "toggle button", ValueKind::Switch, VAL_INTEGER, VAL_HOT, 100, 25,
     PressAction::FlipAndCommit},
    {CTRL_CHECK_BOX, "check box", ValueKind::Switch, VAL_INTEGER, VAL_HOT, 100, 16,
     PressAction::FlipAndCommit},
    {CTRL_BINARY_SWITCH, "binary switch", ValueKind::Switch, VAL_INTEGER, VAL_HOT, 60, 32,
     PressAction::FlipAndCommit},
    {CTRL_LED, "LED", ValueKind::Switch, VAL_INTEGER, VAL_INDICATOR, 16, 16,
     PressAction::FlipAndCommit},
    {CTRL_NUMERIC, "numeric", ValueKind::Number, VAL_DOUBLE, VAL_HOT, 80, 20, PressAction::Refuse},
    {CTRL_STRING, "string", ValueKind::Text, VAL_STRING, VAL_HOT, 120, 20, PressAction::Refuse},
    {CTRL_RING, "ring", ValueKind::Items, VAL_INTEGER, VAL_HOT, 100, 20, PressAction::Refuse},
    {CTRL_LIST_BOX, "list box", ValueKind::Items, VAL_INTEGER, VAL_HOT, 150, 120,
     PressAction::Refuse},
    {CTRL_TEXT_BOX, "text box", ValueKind::Lines, VAL_STRING, VAL_HOT, 200, 100,
     PressAction::Refuse},
    {CTRL_TEXT_MSG, "text message", ValueKind::Text, VAL_STRING, VAL_INDICATOR, 100, 16,
     PressAction::Commit},
    {CTRL_DECORATION, "decoration", ValueKind::None, VAL_NO_TYPE, VAL_INDICATOR, 100, 50,
     PressAction::Commit},
    {CTRL_PICTURE, "picture", ValueKind::None, VAL_NO_TYPE, VAL_INDICATOR, 100, 100,
     PressAction::Commit},
    {CTRL_TIMER, "timer", ValueKind::None, VAL_NO_TYPE, VAL_INDICATOR, 0, 0, PressAction::Refuse},
};

struct TypeRange {
    int type;
    double min, max;
};

constexpr TypeRange kRanges[] = {
    {VAL_INTEGER, INT32_MIN, INT32_MAX},
    {VAL_SHORT_INTEGER, INT16_MIN, INT16_MAX},
    {VAL_UNSIGNED_SHORT_INTEGER, 0, UINT16_MAX},
    {VAL_FLOAT, -FLT_MAX, FLT_MAX},
    {VAL_DOUBLE, -DBL_MAX, DBL_MAX},
};

const TypeRange* range_of(int data_type) {
    for (const auto& r : kRanges)
        if (r.type == data_type) return &r;
    return nullptr;
}

}  // namespace

const KindInfo* kind_info(int kind) {
    for (const auto& k : kKinds)
        if (k.kind == kind) return &k;
    return nullptr;
}

bool is_integer_type(int t) {
    return t == VAL_INTEGER || t == VAL_SHORT_INTEGER || t == VAL_UNSIGNED_SHORT_INTEGER;
}

bool is_floating_type(int t) {
    return t == VAL_FLOAT || t == VAL_DOUBLE;
}

bool type_fits_kind(int kind, int data_type) {
    const KindInfo* k = kind_info(kind);
    if (!k) return false;
    switch (k->value) {
        case ValueKind::None:
            return data_type == VAL_NO_TYPE;
        case ValueKind::Number:
        case ValueKind::Switch:
            return is_integer_type(data_type) || is_floating_type(data_type);
        case ValueKind::Items:
            return is_integer_type(data_type);
        case ValueKind::Text:
        case ValueKind::Lines:
            return data_type == VAL_STRING;
    }
    return false;
}

double type_min(int data_type) {
    const TypeRange* r = range_of(data_type);
    return r ? r->min : 0;
}

double type_max(int data_type) {
    const TypeRange* r = range_of(data_type);
    return r ? r->max : 0;
}

bool fits_type(int data_type, double v) {
    const TypeRange* r = range_of(data_type);
    if (!r || !std::isfinite(v) || v < r->min || v > r->max) return false;
    return !is_integer_type(data_type) || v == std::trunc(v);
}

double stored_as(int data_type, double v) {
    return data_type == VAL_FLOAT ? static_cast<double>(static_cast<float>(v)) : v;
}

}  // namespace uir::core
