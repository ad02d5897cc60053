// Builders of the control kinds the layout uses, so each kind's value type, mode and load state
// are fixed in one place.
#pragma once

#include "uir/layout.h"

namespace layout {

struct Box {
    int top = 0, left = 0, width = 0, height = 0;
};

constexpr uir::CtrlSpec placed(uir::CtrlSpec c, Box b) {
    c.top = b.top;
    c.left = b.left;
    c.width = b.width;
    c.height = b.height;
    return c;
}

constexpr uir::CtrlSpec dimmed(uir::CtrlSpec c) {
    c.dimmed = true;
    return c;
}

// A control whose value can report a fault, drawn in a warning colour while it does.
constexpr uir::CtrlSpec fault_when_text(uir::CtrlSpec c, const char* text) {
    c.fault_text = text;
    return c;
}

constexpr uir::CtrlSpec fault_when_nonzero(uir::CtrlSpec c) {
    c.fault_if_nonzero = true;
    return c;
}

constexpr uir::CtrlSpec command_button(int id, const char* name, const char* label,
                                       const char* callback, Box b) {
    return placed({.id = id,
                   .constant_name = name,
                   .kind = CTRL_COMMAND_BUTTON,
                   .label = label,
                   .callback = callback},
                  b);
}

// Static text: the text is the control's value, changed only by the system.
constexpr uir::CtrlSpec text_message(int id, const char* name, const char* text, Box b) {
    return placed({.id = id,
                   .constant_name = name,
                   .kind = CTRL_TEXT_MSG,
                   .data_type = VAL_STRING,
                   .mode = VAL_INDICATOR,
                   .text = text},
                  b);
}

constexpr uir::CtrlSpec string_indicator(int id, const char* name, const char* label,
                                         const char* text, Box b) {
    return placed({.id = id,
                   .constant_name = name,
                   .kind = CTRL_STRING,
                   .data_type = VAL_STRING,
                   .mode = VAL_INDICATOR,
                   .label = label,
                   .text = text},
                  b);
}

// Integer indicators show whole numbers; their type bounds the values.
constexpr uir::CtrlSpec numeric_indicator(int id, const char* name, const char* label,
                                          int data_type, Box b) {
    return placed({.id = id,
                   .constant_name = name,
                   .kind = CTRL_NUMERIC,
                   .data_type = data_type,
                   .mode = VAL_INDICATOR,
                   .label = label},
                  b);
}

constexpr uir::CtrlSpec decoration(int id, const char* name, Box b) {
    return placed({.id = id, .constant_name = name, .kind = CTRL_DECORATION, .mode = VAL_INDICATOR},
                  b);
}

constexpr uir::CtrlSpec picture(int id, const char* name, Box b) {
    return placed({.id = id, .constant_name = name, .kind = CTRL_PICTURE, .mode = VAL_INDICATOR},
                  b);
}

}  // namespace layout
