// What each control kind is: its value, its defaults when built in code, and what a press does.
#pragma once

namespace uir::core {

enum class ValueKind {
    None,    // command button, decoration, picture, timer
    Number,  // numeric
    Switch,  // toggle button, check box, binary switch, LED: 0 or 1
    Text,    // string, text message
    Lines,   // text box
    Items,   // ring, list box: the value of the selected item
};

enum class PressAction {
    Refuse,         // the kind is operated otherwise (typed in, chosen) or not at all
    Commit,         // command button; a hot decoration, picture or text message
    FlipAndCommit,  // two-state controls
};

struct KindInfo {
    int kind;
    const char* name;  // for messages
    ValueKind value;
    int default_type;   // the data type NewCtrl gives it
    int default_mode;   // VAL_HOT or VAL_INDICATOR
    int width, height;  // size NewCtrl gives it
    PressAction press;
};

// nullptr for a value that is no CTRL_... kind.
const KindInfo* kind_info(int kind);

// Whether a control of `kind` may hold values of `data_type`.
bool type_fits_kind(int kind, int data_type);

bool is_integer_type(int data_type);
bool is_floating_type(int data_type);
// The range of a numeric data type (for VAL_DOUBLE the finite doubles).
double type_min(int data_type);
double type_max(int data_type);
// Whether `v` is a value of the numeric type: finite, inside its range, integral for integer
// types.
bool fits_type(int data_type, double v);
// `v` as the type stores it (single precision rounding for VAL_FLOAT).
double stored_as(int data_type, double v);

constexpr unsigned kind_bit(int kind) {
    return 1u << kind;
}
inline constexpr unsigned kAllKinds = ~0u;

}  // namespace uir::core
