// Panel attributes: one table row per attribute, as for controls.
#include <algorithm>

#include "attributes.h"
#include "ctrl_ops.h"
#include "panels.h"
#include "text.h"

namespace uir::core {
namespace {

using Getter = int (*)(const PanelRec&, AttrOut&);
using Setter = int (*)(PanelRec&, const AttrArg&);  // nullptr: read only

struct PanelAttr {
    int attribute;
    AttrType type;
    Getter get;
    Setter set;
};

void panel_changed(const PanelRec& p, int attribute) {
    notify([&](Backend& b) { b.panel_attribute_changed(p.handle, attribute); });
}

template <int Panel::*F>
int get_int(const PanelRec& p, AttrOut& o) {
    o.i = p.*F;
    return 0;
}

template <int Panel::*F, int A>
int store_int(PanelRec& p, int v) {
    if (p.*F == v) return 0;
    p.*F = v;
    panel_changed(p, A);
    return 0;
}

// VAL_AUTO_CENTER centres the panel on the backend's screen.
template <int Panel::*F, int A>
int set_position(PanelRec& p, const AttrArg& a) {
    int v = a.i;
    if (v == VAL_AUTO_CENTER) v = A == ATTR_TOP ? centred_top(p) : centred_left(p);
    return store_int<F, A>(p, v);
}

template <int Panel::*F, int A>
int set_size(PanelRec& p, const AttrArg& a) {
    if (a.i < 0) return UIE_OUT_OF_RANGE;
    return store_int<F, A>(p, a.i);
}

int set_back_color(PanelRec& p, const AttrArg& a) {
    if (!is_colour(a.i)) return UIE_OUT_OF_RANGE;
    return store_int<&Panel::back_color, ATTR_BACKCOLOR>(p, a.i);
}

int set_close_ctrl(PanelRec& p, const AttrArg& a) {
    if (a.i != 0 && !ctrl_of(p, a.i)) return UIE_INVALID_CONTROL;
    return store_int<&Panel::close_ctrl, ATTR_CLOSE_CTRL>(p, a.i);
}

int get_visible(const PanelRec& p, AttrOut& o) {
    o.i = p.visible ? 1 : 0;
    return 0;
}
int set_visible(PanelRec& p, const AttrArg& a) {
    set_panel_visible(p, a.i != 0, false);
    return 0;
}

template <std::string Panel::*F>
int get_text(const PanelRec& p, AttrOut& o) {
    o.text = p.*F;
    return 0;
}

int set_title(PanelRec& p, const AttrArg& a) {
    if (p.title == a.s) return 0;
    p.title = a.s;
    panel_changed(p, ATTR_TITLE);
    return 0;
}

// A layout panel keeps the constant name it is known by; panels built in code may take one.
int set_constant_name(PanelRec& p, const AttrArg& a) {
    if (p.from_layout) return UIE_INVALID_ATTRIBUTE;
    if (p.constant_name == a.s) return 0;
    p.constant_name = a.s;
    panel_changed(p, ATTR_CONSTANT_NAME);
    return 0;
}

int get_callback(const PanelRec& p, AttrOut& o) {
    o.cb = p.callback;
    return 0;
}
int set_callback(PanelRec& p, const AttrArg& a) {
    p.callback = a.cb;
    return 0;
}
int get_callback_name(const PanelRec& p, AttrOut& o) {
    o.text = callback_name(p.callback);
    return 0;
}
int get_data(const PanelRec& p, AttrOut& o) {
    o.p = p.callback_data;
    return 0;
}
int set_data(PanelRec& p, const AttrArg& a) {
    p.callback_data = a.p;
    return 0;
}

constexpr PanelAttr kPanelAttrs[] = {
    {ATTR_VISIBLE, AttrType::Int, get_visible, set_visible},
    {ATTR_CALLBACK_FUNCTION_POINTER, AttrType::Callback, get_callback, set_callback},
    {ATTR_CALLBACK_NAME, AttrType::Text, get_callback_name, nullptr},
    {ATTR_CALLBACK_DATA, AttrType::Data, get_data, set_data},
    {ATTR_CONSTANT_NAME, AttrType::Text, get_text<&Panel::constant_name>, set_constant_name},
    {ATTR_TOP, AttrType::Int, get_int<&Panel::top>, set_position<&Panel::top, ATTR_TOP>},
    {ATTR_LEFT, AttrType::Int, get_int<&Panel::left>, set_position<&Panel::left, ATTR_LEFT>},
    {ATTR_WIDTH, AttrType::Int, get_int<&Panel::width>, set_size<&Panel::width, ATTR_WIDTH>},
    {ATTR_HEIGHT, AttrType::Int, get_int<&Panel::height>, set_size<&Panel::height, ATTR_HEIGHT>},
    {ATTR_TITLE, AttrType::Text, get_text<&Panel::title>, set_title},
    {ATTR_CLOSE_CTRL, AttrType::Int, get_int<&Panel::close_ctrl>, set_close_ctrl},
    {ATTR_BACKCOLOR, AttrType::Int, get_int<&Panel::back_color>, set_back_color},
    {ATTR_PANEL_MENU_BAR, AttrType::Int, get_int<&Panel::menu_bar>, nullptr},
};

const PanelAttr* row_for(int attribute) {
    auto it = std::find_if(std::begin(kPanelAttrs), std::end(kPanelAttrs),
                           [&](const PanelAttr& r) { return r.attribute == attribute; });
    return it == std::end(kPanelAttrs) ? nullptr : it;
}

int set_attr(int panel, int attribute, const AttrArg& in) {
    PanelRec* p = nullptr;
    if (int st = find_panel(panel, p); st < 0) return st;
    const PanelAttr* row = row_for(attribute);
    if (!row || !row->set) return UIE_INVALID_ATTRIBUTE;
    AttrArg a;
    if (int st = convert_arg(in, row->type, a); st < 0) return st;
    return row->set(*p, a);
}

int get_attr(int panel, int attribute, AttrType want, AttrOut& out) {
    PanelRec* p = nullptr;
    if (int st = find_panel(panel, p); st < 0) return st;
    const PanelAttr* row = row_for(attribute);
    if (!row) return UIE_INVALID_ATTRIBUTE;
    if (row->type != want) return UIE_TYPE_MISMATCH;
    return row->get(*p, out);
}

}  // namespace
}  // namespace uir::core

using namespace uir::core;

int SetPanelAttribute(int panel, int attribute, int value) {
    return set_attr(panel, attribute, arg_int(value));
}
int SetPanelAttribute(int panel, int attribute, const char* value) {
    return set_attr(panel, attribute, arg_text(value));
}
int SetPanelAttribute(int panel, int attribute, void* value) {
    return set_attr(panel, attribute, arg_data(value));
}
int SetPanelAttribute(int panel, int attribute, CtrlCallbackPtr value) {
    return set_attr(panel, attribute, arg_callback(value));
}
int SetPanelAttribute(int panel, int attribute, decltype(nullptr)) {
    return set_attr(panel, attribute, arg_null());
}

int GetPanelAttribute(int panel, int attribute, int* value) {
    if (!value) return UIE_NULL_POINTER;
    AttrOut out;
    int st = get_attr(panel, attribute, AttrType::Int, out);
    if (st == 0) *value = out.i;
    return st;
}
int GetPanelAttribute(int panel, int attribute, void** value) {
    if (!value) return UIE_NULL_POINTER;
    AttrOut out;
    int st = get_attr(panel, attribute, AttrType::Data, out);
    if (st == 0) *value = out.p;
    return st;
}
int GetPanelAttribute(int panel, int attribute, CtrlCallbackPtr* value) {
    if (!value) return UIE_NULL_POINTER;
    AttrOut out;
    int st = get_attr(panel, attribute, AttrType::Callback, out);
    if (st == 0) *value = out.cb;
    return st;
}
int GetPanelAttributeString(int panel, int attribute, char* buffer, size_t size) {
    if (!buffer) return UIE_NULL_POINTER;
    AttrOut out;
    int st = get_attr(panel, attribute, AttrType::Text, out);
    return st < 0 ? st : copy_out(out.text, buffer, size);
}
