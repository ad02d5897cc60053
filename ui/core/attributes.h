// The argument of a Set/Get...Attribute call, whatever overload it came through, and the rules
// that match it to the attribute's own C type.
#pragma once

#include <string>

#include "userint.h"

namespace uir::core {

enum class AttrType { Int, Double, Text, Data, Callback };

struct AttrArg {
    AttrType type = AttrType::Int;
    int i = 0;
    double d = 0;
    const char* s = nullptr;
    void* p = nullptr;
    CtrlCallbackPtr cb = nullptr;
    bool null = false;  // came through the nullptr overload
};

inline AttrArg arg_int(int v) {
    return {.type = AttrType::Int, .i = v};
}
inline AttrArg arg_double(double v) {
    return {.type = AttrType::Double, .d = v};
}
inline AttrArg arg_text(const char* v) {
    return {.type = AttrType::Text, .s = v};
}
inline AttrArg arg_data(void* v) {
    return {.type = AttrType::Data, .p = v};
}
inline AttrArg arg_callback(CtrlCallbackPtr v) {
    return {.type = AttrType::Callback, .cb = v};
}
inline AttrArg arg_null() {
    return {.type = AttrType::Data, .null = true};
}

// Matches a written argument to the attribute's type. An int is accepted where a double is
// wanted (it converts exactly); nullptr clears callback data or a callback; a null text is
// UIE_NULL_POINTER; everything else of another type is UIE_TYPE_MISMATCH.
int convert_arg(const AttrArg& in, AttrType want, AttrArg& out);

// What a read gives back; `text` holds a text attribute.
struct AttrOut {
    int i = 0;
    double d = 0;
    std::string text;
    void* p = nullptr;
    CtrlCallbackPtr cb = nullptr;
};

// 0xRRGGBB, or -1 for the renderer's default.
bool is_colour(int v);

// The registered name of a callback function, empty when it is not registered.
std::string callback_name(CtrlCallbackPtr fn);

}  // namespace uir::core
