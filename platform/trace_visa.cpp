#include "trace_detail.h"

namespace platform {

namespace {

using trace_detail::call_inner;
using trace_detail::now;
using trace_detail::report;

enum class AttrKind { text, int16, uint16 };

struct AttrType {
    ViAttr id;
    AttrKind kind;
};

constexpr AttrType kAttrTypes[] = {
    {VI_ATTR_RSRC_NAME, AttrKind::text},     {VI_ATTR_INTF_INST_NAME, AttrKind::text},
    {VI_ATTR_MAINFRAME_LA, AttrKind::int16}, {VI_ATTR_SLOT, AttrKind::int16},
    {VI_ATTR_VXI_LA, AttrKind::int16},       {VI_ATTR_MODEL_CODE, AttrKind::uint16},
    {VI_ATTR_MANF_ID, AttrKind::uint16},     {VI_ATTR_INTF_TYPE, AttrKind::uint16},
    {VI_ATTR_INTF_NUM, AttrKind::uint16},
};

// The attribute's value as the call left it; unknown attributes are not shown, their size is
// not known.
void write_attribute(CallText& outs, ViAttr attr, const void* value) {
    if (value == nullptr) return;
    for (const auto& a : kAttrTypes) {
        if (a.id != attr) continue;
        switch (a.kind) {
            case AttrKind::text:
                outs.text(static_cast<const char*>(value), VI_FIND_BUFLEN);
                break;
            case AttrKind::int16:
                outs.integer(*static_cast<const ViInt16*>(value));
                break;
            case AttrKind::uint16:
                outs.integer(*static_cast<const ViUInt16*>(value));
                break;
        }
    }
}

trace_detail::Slots<VisaApi>& slots();

template <std::size_t S>
const VisaApi* inner() {
    return slots().inner[S].load();
}

template <std::size_t S>
ViStatus open_default_rm(ViSession* vi) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &VisaApi::open_default_rm, vi);
    report(
        "viOpenDefaultRM", t, st, [&](CallText& c) { c.out(vi); },
        [&](CallText& o) {
            if (vi) o.integer(*vi);
        });
    return st;
}

template <std::size_t S>
ViStatus find_rsrc(ViSession rm, ViConstString expr, ViFindList* list, ViUInt32* count,
                   ViChar desc[]) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &VisaApi::find_rsrc, rm, expr, list, count, desc);
    report(
        "viFindRsrc", t, st,
        [&](CallText& c) {
            c.integer(rm).text(expr, VI_FIND_BUFLEN).out(list).out(count).out(desc);
        },
        [&](CallText& o) {
            if (list) o.integer(*list);
            if (count) o.integer(*count);
            if (desc) o.text(desc, VI_FIND_BUFLEN);
        });
    return st;
}

template <std::size_t S>
ViStatus find_next(ViFindList list, ViChar desc[]) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &VisaApi::find_next, list, desc);
    report(
        "viFindNext", t, st, [&](CallText& c) { c.integer(list).out(desc); },
        [&](CallText& o) {
            if (desc) o.text(desc, VI_FIND_BUFLEN);
        });
    return st;
}

template <std::size_t S>
ViStatus open(ViSession rm, ViConstRsrc name, ViAccessMode mode, ViUInt32 timeout, ViSession* vi) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &VisaApi::open, rm, name, mode, timeout, vi);
    report(
        "viOpen", t, st,
        [&](CallText& c) {
            c.integer(rm).text(name, VI_FIND_BUFLEN).integer(mode).integer(timeout).out(vi);
        },
        [&](CallText& o) {
            if (vi) o.integer(*vi);
        });
    return st;
}

template <std::size_t S>
ViStatus close(ViObject vi) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &VisaApi::close, vi);
    report(
        "viClose", t, st, [&](CallText& c) { c.integer(vi); }, [](CallText&) {});
    return st;
}

template <std::size_t S>
ViStatus get_attribute(ViObject vi, ViAttr attr, void* value) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &VisaApi::get_attribute, vi, attr, value);
    report(
        "viGetAttribute", t, st, [&](CallText& c) { c.integer(vi).attribute(attr).out(value); },
        [&](CallText& o) { write_attribute(o, attr, value); });
    return st;
}

struct Make {
    template <std::size_t S>
    VisaApi operator()(std::integral_constant<std::size_t, S>) const {
        return {.origin = nullptr,
                .simulated = false,
                .open_default_rm = &open_default_rm<S>,
                .find_rsrc = &find_rsrc<S>,
                .find_next = &find_next<S>,
                .open = &open<S>,
                .close = &close<S>,
                .get_attribute = &get_attribute<S>};
    }
};

trace_detail::Slots<VisaApi>& slots() {
    static trace_detail::Slots<VisaApi> s(trace_detail::make_tables<VisaApi>(
        Make(), std::make_index_sequence<trace_detail::kSlots>()));
    return s;
}

}  // namespace

const VisaApi* traced(const VisaApi* inner) {
    return slots().attach(inner, "VISA");
}

}  // namespace platform
