// Typed control values: SetCtrlVal, GetCtrlVal, DefaultCtrl.
#include <cstdint>

#include "ctrl_ops.h"
#include "kinds.h"
#include "text.h"

namespace uir::core {
namespace {

enum class Category { Integer, Floating };

int write_number(int panel, int control, Category cat, double v) {
    PanelRec* p = nullptr;
    CtrlRec* c = nullptr;
    if (int st = find_ctrl(panel, control, p, c); st < 0) return st;
    switch (kind_info(c->kind)->value) {
        case ValueKind::None:
            return UIE_NO_VALUE;
        case ValueKind::Text:
        case ValueKind::Lines:
            return UIE_TYPE_MISMATCH;
        case ValueKind::Items:
            if (cat != Category::Integer) return UIE_TYPE_MISMATCH;
            if (!fits_type(c->data_type, v)) return UIE_OUT_OF_RANGE;
            return select_item_by_value(*c, static_cast<int>(v));
        case ValueKind::Number:
        case ValueKind::Switch: {
            const bool integer = is_integer_type(c->data_type);
            if (integer != (cat == Category::Integer)) return UIE_TYPE_MISMATCH;
            if (!fits_type(c->data_type, v)) return UIE_OUT_OF_RANGE;
            set_number(*c, v);
            return 0;
        }
    }
    return UIE_NO_VALUE;
}

// Reads must name the control's own type exactly.
template <class T>
int read_number(int panel, int control, int type, T* out) {
    if (!out) return UIE_NULL_POINTER;
    PanelRec* p = nullptr;
    CtrlRec* c = nullptr;
    if (int st = find_ctrl(panel, control, p, c); st < 0) return st;
    const ValueKind vk = kind_info(c->kind)->value;
    if (vk == ValueKind::None) return UIE_NO_VALUE;
    if (c->data_type != type) return UIE_TYPE_MISMATCH;
    if (vk == ValueKind::Items) {
        if (c->index < 0 || c->index >= static_cast<int>(c->items.size())) return UIE_NO_ITEM;
        *out = static_cast<T>(c->items[c->index].value);
        return 0;
    }
    *out = static_cast<T>(c->number);
    return 0;
}

}  // namespace
}  // namespace uir::core

using namespace uir::core;

int SetCtrlVal(int panel, int control, int value) {
    return write_number(panel, control, Category::Integer, value);
}
int SetCtrlVal(int panel, int control, short value) {
    return write_number(panel, control, Category::Integer, value);
}
int SetCtrlVal(int panel, int control, unsigned short value) {
    return write_number(panel, control, Category::Integer, value);
}
int SetCtrlVal(int panel, int control, unsigned int value) {
    return write_number(panel, control, Category::Integer, value);
}
int SetCtrlVal(int panel, int control, float value) {
    return write_number(panel, control, Category::Floating, value);
}
int SetCtrlVal(int panel, int control, double value) {
    return write_number(panel, control, Category::Floating, value);
}

int SetCtrlVal(int panel, int control, const char* value) {
    if (int st = check_text(value); st < 0) return st;
    PanelRec* p = nullptr;
    CtrlRec* c = nullptr;
    if (int st = find_ctrl(panel, control, p, c); st < 0) return st;
    switch (kind_info(c->kind)->value) {
        case ValueKind::Text:
            set_text(*c, value);
            return 0;
        case ValueKind::Lines:
            return set_text_box(*c, value);
        case ValueKind::None:
            return UIE_NO_VALUE;
        default:
            return UIE_TYPE_MISMATCH;
    }
}

int GetCtrlVal(int panel, int control, int* value) {
    return read_number(panel, control, VAL_INTEGER, value);
}
int GetCtrlVal(int panel, int control, short* value) {
    return read_number(panel, control, VAL_SHORT_INTEGER, value);
}
int GetCtrlVal(int panel, int control, unsigned short* value) {
    return read_number(panel, control, VAL_UNSIGNED_SHORT_INTEGER, value);
}
int GetCtrlVal(int panel, int control, float* value) {
    return read_number(panel, control, VAL_FLOAT, value);
}
int GetCtrlVal(int panel, int control, double* value) {
    return read_number(panel, control, VAL_DOUBLE, value);
}

int GetCtrlValString(int panel, int control, char* buffer, size_t size) {
    if (!buffer) return UIE_NULL_POINTER;
    PanelRec* p = nullptr;
    CtrlRec* c = nullptr;
    if (int st = find_ctrl(panel, control, p, c); st < 0) return st;
    switch (kind_info(c->kind)->value) {
        case ValueKind::Text:
            return copy_out(c->text, buffer, size);
        case ValueKind::Lines:
            return copy_out(join_lines(c->lines), buffer, size);
        case ValueKind::None:
            return UIE_NO_VALUE;
        default:
            return UIE_TYPE_MISMATCH;
    }
}

int DefaultCtrl(int panel, int control) {
    PanelRec* p = nullptr;
    CtrlRec* c = nullptr;
    if (int st = find_ctrl(panel, control, p, c); st < 0) return st;
    restore_default(*c);
    return 0;
}
