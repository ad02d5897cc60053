// Control attributes: one table row per attribute with its C type, the kinds it applies to and
// how it is read and written.
#include <cmath>

#include "attributes.h"
#include "ctrl_ops.h"
#include "kinds.h"
#include "text.h"

namespace uir::core {
namespace {

using Getter = int (*)(const CtrlRec&, AttrOut&);
using Setter = int (*)(CtrlRec&, const AttrArg&);  // nullptr: read only

struct CtrlAttr {
    int attribute;
    AttrType type;
    unsigned kinds;
    Getter get;
    Setter set;
};

constexpr unsigned kNumeric = kind_bit(CTRL_NUMERIC);
constexpr unsigned kTimer = kind_bit(CTRL_TIMER);
constexpr unsigned kOnOffTexts = kind_bit(CTRL_TOGGLE_BUTTON) | kind_bit(CTRL_BINARY_SWITCH);
constexpr unsigned kButtonFaces = kind_bit(CTRL_COMMAND_BUTTON) | kind_bit(CTRL_TOGGLE_BUTTON);
// Kinds with no operator action at all cannot be switched between hot and indicator.
constexpr unsigned kModes = kAllKinds & ~kTimer;

template <bool Control::*F, int A>
int set_flag(CtrlRec& c, const AttrArg& a) {
    const bool v = a.i != 0;
    if (c.*F == v) return 0;
    c.*F = v;
    attribute_changed(c, A);
    return 0;
}

template <bool Control::*F>
int get_flag(const CtrlRec& c, AttrOut& o) {
    o.i = c.*F ? 1 : 0;
    return 0;
}

template <int Control::*F>
int get_int(const CtrlRec& c, AttrOut& o) {
    o.i = c.*F;
    return 0;
}

template <int Control::*F, int A>
int store_int(CtrlRec& c, int v) {
    if (c.*F == v) return 0;
    c.*F = v;
    attribute_changed(c, A);
    return 0;
}

template <int Control::*F, int A>
int set_position(CtrlRec& c, const AttrArg& a) {
    // Centring applies to panels on the screen, not to controls.
    if (a.i == VAL_AUTO_CENTER) return UIE_OUT_OF_RANGE;
    return store_int<F, A>(c, a.i);
}

template <int Control::*F, int A>
int set_size(CtrlRec& c, const AttrArg& a) {
    if (a.i < 0) return UIE_OUT_OF_RANGE;
    return store_int<F, A>(c, a.i);
}

template <int Control::*F, int A>
int set_colour(CtrlRec& c, const AttrArg& a) {
    if (!is_colour(a.i)) return UIE_OUT_OF_RANGE;
    return store_int<F, A>(c, a.i);
}

template <std::string Control::*F>
int get_text(const CtrlRec& c, AttrOut& o) {
    o.text = c.*F;
    return 0;
}

template <std::string Control::*F, int A>
int set_text_attr(CtrlRec& c, const AttrArg& a) {
    if (c.*F == a.s) return 0;
    c.*F = a.s;
    attribute_changed(c, A);
    return 0;
}

// Layout controls keep the constant names the code and the scripts address them by.
int set_constant_name(CtrlRec& c, const AttrArg& a) {
    if (c.from_layout) return UIE_INVALID_ATTRIBUTE;
    return set_text_attr<&Control::constant_name, ATTR_CONSTANT_NAME>(c, a);
}

// A new limit beyond the other one moves that one along, so that setting a range works in
// either order; the value is then brought into the new range.
template <bool IsMin>
int set_limit(CtrlRec& c, const AttrArg& a) {
    double v = a.d;
    if (!std::isfinite(v) || v < type_min(c.data_type) || v > type_max(c.data_type))
        return UIE_OUT_OF_RANGE;
    if (is_integer_type(c.data_type) && v != std::trunc(v)) return UIE_OUT_OF_RANGE;
    v = stored_as(c.data_type, v);
    const double old_min = c.min, old_max = c.max;
    if (IsMin) {
        c.min = v;
        if (c.max < v) c.max = v;
    } else {
        c.max = v;
        if (c.min > v) c.min = v;
    }
    if (c.min != old_min) attribute_changed(c, ATTR_MIN_VALUE);
    if (c.max != old_max) attribute_changed(c, ATTR_MAX_VALUE);
    set_number(c, clamp_to_limits(c, c.number));
    return 0;
}

template <double Control::*F>
int get_double(const CtrlRec& c, AttrOut& o) {
    o.d = c.*F;
    return 0;
}

int set_incr(CtrlRec& c, const AttrArg& a) {
    if (!std::isfinite(a.d) || a.d < 0) return UIE_OUT_OF_RANGE;
    if (c.incr == a.d) return 0;
    c.incr = a.d;
    attribute_changed(c, ATTR_INCR_VALUE);
    return 0;
}

int set_precision(CtrlRec& c, const AttrArg& a) {
    if (a.i < 0 || a.i > 15) return UIE_OUT_OF_RANGE;
    return store_int<&Control::precision, ATTR_PRECISION>(c, a.i);
}

int set_mode(CtrlRec& c, const AttrArg& a) {
    if (a.i != VAL_HOT && a.i != VAL_INDICATOR) return UIE_OUT_OF_RANGE;
    return store_int<&Control::mode, ATTR_CTRL_MODE>(c, a.i);
}

int set_enabled(CtrlRec& c, const AttrArg& a) {
    set_timer_enabled(c, a.i != 0);
    return 0;
}

int set_interval(CtrlRec& c, const AttrArg& a) {
    return set_timer_interval(c, a.d);
}

int get_callback(const CtrlRec& c, AttrOut& o) {
    o.cb = c.callback;
    return 0;
}
int set_callback(CtrlRec& c, const AttrArg& a) {
    if (c.callback == a.cb) return 0;
    c.callback = a.cb;
    attribute_changed(c, ATTR_CALLBACK_FUNCTION_POINTER);
    return 0;
}
int get_callback_name(const CtrlRec& c, AttrOut& o) {
    o.text = callback_name(c.callback);
    return 0;
}
int get_data(const CtrlRec& c, AttrOut& o) {
    o.p = c.callback_data;
    return 0;
}
int set_data(CtrlRec& c, const AttrArg& a) {
    c.callback_data = a.p;
    return 0;
}

constexpr CtrlAttr kCtrlAttrs[] = {
    {ATTR_DIMMED, AttrType::Int, kAllKinds, get_flag<&Control::dimmed>,
     set_flag<&Control::dimmed, ATTR_DIMMED>},
    {ATTR_VISIBLE, AttrType::Int, kAllKinds, get_flag<&Control::visible>,
     set_flag<&Control::visible, ATTR_VISIBLE>},
    {ATTR_MIN_VALUE, AttrType::Double, kNumeric, get_double<&Control::min>, set_limit<true>},
    {ATTR_MAX_VALUE, AttrType::Double, kNumeric, get_double<&Control::max>, set_limit<false>},
    {ATTR_INCR_VALUE, AttrType::Double, kNumeric, get_double<&Control::incr>, set_incr},
    {ATTR_PRECISION, AttrType::Int, kNumeric, get_int<&Control::precision>, set_precision},
    {ATTR_CALLBACK_FUNCTION_POINTER, AttrType::Callback, kAllKinds, get_callback, set_callback},
    {ATTR_CALLBACK_NAME, AttrType::Text, kAllKinds, get_callback_name, nullptr},
    {ATTR_CALLBACK_DATA, AttrType::Data, kAllKinds, get_data, set_data},
    {ATTR_ENABLED, AttrType::Int, kTimer, get_flag<&Control::enabled>, set_enabled},
    {ATTR_INTERVAL, AttrType::Double, kTimer, get_double<&Control::interval>, set_interval},
    {ATTR_CONSTANT_NAME, AttrType::Text, kAllKinds, get_text<&Control::constant_name>,
     set_constant_name},
    {ATTR_LABEL_TEXT, AttrType::Text, kAllKinds, get_text<&Control::label>,
     set_text_attr<&Control::label, ATTR_LABEL_TEXT>},
    {ATTR_ON_TEXT, AttrType::Text, kOnOffTexts, get_text<&Control::on_text>,
     set_text_attr<&Control::on_text, ATTR_ON_TEXT>},
    {ATTR_OFF_TEXT, AttrType::Text, kOnOffTexts, get_text<&Control::off_text>,
     set_text_attr<&Control::off_text, ATTR_OFF_TEXT>},
    {ATTR_CTRL_MODE, AttrType::Int, kModes, get_int<&Control::mode>, set_mode},
    {ATTR_CTRL_STYLE, AttrType::Int, kAllKinds, get_int<&Control::kind>, nullptr},
    {ATTR_DATA_TYPE, AttrType::Int, kAllKinds, get_int<&Control::data_type>, nullptr},
    {ATTR_TOP, AttrType::Int, kAllKinds, get_int<&Control::top>,
     set_position<&Control::top, ATTR_TOP>},
    {ATTR_LEFT, AttrType::Int, kAllKinds, get_int<&Control::left>,
     set_position<&Control::left, ATTR_LEFT>},
    {ATTR_WIDTH, AttrType::Int, kAllKinds, get_int<&Control::width>,
     set_size<&Control::width, ATTR_WIDTH>},
    {ATTR_HEIGHT, AttrType::Int, kAllKinds, get_int<&Control::height>,
     set_size<&Control::height, ATTR_HEIGHT>},
    {ATTR_BACKCOLOR, AttrType::Int, kAllKinds, get_int<&Control::back_color>,
     set_colour<&Control::back_color, ATTR_BACKCOLOR>},
    {ATTR_TEXT_COLOR, AttrType::Int, kAllKinds, get_int<&Control::text_color>,
     set_colour<&Control::text_color, ATTR_TEXT_COLOR>},
    {ATTR_TEXT_BGCOLOR, AttrType::Int, kAllKinds, get_int<&Control::text_bg_color>,
     set_colour<&Control::text_bg_color, ATTR_TEXT_BGCOLOR>},
    {ATTR_CMD_BUTTON_COLOR, AttrType::Int, kButtonFaces, get_int<&Control::cmd_button_color>,
     set_colour<&Control::cmd_button_color, ATTR_CMD_BUTTON_COLOR>},
};

// The row for `attribute` on control `c`, or the status: UIE_INVALID_ATTRIBUTE for an attribute
// that does not exist or does not apply to the control's kind.
int row_for(int panel, int control, int attribute, CtrlRec*& c, const CtrlAttr*& row) {
    PanelRec* p = nullptr;
    if (int st = find_ctrl(panel, control, p, c); st < 0) return st;
    for (const auto& r : kCtrlAttrs) {
        if (r.attribute != attribute) continue;
        if (!(r.kinds & kind_bit(c->kind))) return UIE_INVALID_ATTRIBUTE;
        row = &r;
        return 0;
    }
    return UIE_INVALID_ATTRIBUTE;
}

int set_attr(int panel, int control, int attribute, const AttrArg& in) {
    CtrlRec* c = nullptr;
    const CtrlAttr* row = nullptr;
    if (int st = row_for(panel, control, attribute, c, row); st < 0) return st;
    if (!row->set) return UIE_INVALID_ATTRIBUTE;
    AttrArg a;
    if (int st = convert_arg(in, row->type, a); st < 0) return st;
    return row->set(*c, a);
}

int get_attr(int panel, int control, int attribute, AttrType want, AttrOut& out) {
    CtrlRec* c = nullptr;
    const CtrlAttr* row = nullptr;
    if (int st = row_for(panel, control, attribute, c, row); st < 0) return st;
    if (row->type != want) return UIE_TYPE_MISMATCH;
    return row->get(*c, out);
}

}  // namespace
}  // namespace uir::core

using namespace uir::core;

int SetCtrlAttribute(int panel, int control, int attribute, int value) {
    return set_attr(panel, control, attribute, arg_int(value));
}
int SetCtrlAttribute(int panel, int control, int attribute, double value) {
    return set_attr(panel, control, attribute, arg_double(value));
}
int SetCtrlAttribute(int panel, int control, int attribute, const char* value) {
    return set_attr(panel, control, attribute, arg_text(value));
}
int SetCtrlAttribute(int panel, int control, int attribute, void* value) {
    return set_attr(panel, control, attribute, arg_data(value));
}
int SetCtrlAttribute(int panel, int control, int attribute, CtrlCallbackPtr value) {
    return set_attr(panel, control, attribute, arg_callback(value));
}
int SetCtrlAttribute(int panel, int control, int attribute, decltype(nullptr)) {
    return set_attr(panel, control, attribute, arg_null());
}

int GetCtrlAttribute(int panel, int control, int attribute, int* value) {
    if (!value) return UIE_NULL_POINTER;
    AttrOut out;
    int st = get_attr(panel, control, attribute, AttrType::Int, out);
    if (st == 0) *value = out.i;
    return st;
}
int GetCtrlAttribute(int panel, int control, int attribute, double* value) {
    if (!value) return UIE_NULL_POINTER;
    AttrOut out;
    int st = get_attr(panel, control, attribute, AttrType::Double, out);
    if (st == 0) *value = out.d;
    return st;
}
int GetCtrlAttribute(int panel, int control, int attribute, void** value) {
    if (!value) return UIE_NULL_POINTER;
    AttrOut out;
    int st = get_attr(panel, control, attribute, AttrType::Data, out);
    if (st == 0) *value = out.p;
    return st;
}
int GetCtrlAttribute(int panel, int control, int attribute, CtrlCallbackPtr* value) {
    if (!value) return UIE_NULL_POINTER;
    AttrOut out;
    int st = get_attr(panel, control, attribute, AttrType::Callback, out);
    if (st == 0) *value = out.cb;
    return st;
}
int GetCtrlAttributeString(int panel, int control, int attribute, char* buffer, size_t size) {
    if (!buffer) return UIE_NULL_POINTER;
    AttrOut out;
    int st = get_attr(panel, control, attribute, AttrType::Text, out);
    return st < 0 ? st : copy_out(out.text, buffer, size);
}
