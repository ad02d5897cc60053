#include "trace_detail.h"

namespace platform {

namespace {

using trace_detail::call_inner;
using trace_detail::now;
using trace_detail::report;

trace_detail::Slots<KelbaseApi>& slots();

template <std::size_t S>
const KelbaseApi* inner() {
    return slots().inner[S].load();
}

template <std::size_t S>
ViStatus init(ViRsrc resource, ViBoolean id_query, ViBoolean reset, ViSession* vi) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &KelbaseApi::init, resource, id_query, reset, vi);
    report(
        "kelbase_init", t, st,
        [&](CallText& c) {
            c.text(resource, VI_FIND_BUFLEN).integer(id_query).integer(reset).out(vi);
        },
        [&](CallText& o) {
            if (vi) o.integer(*vi);
        });
    return st;
}

template <std::size_t S>
ViStatus m_type_q(ViSession vi, ViUInt16 position, ViInt16* present, ViInt16* type) {
    double t = now();
    ViStatus st = call_inner(inner<S>(), &KelbaseApi::m_type_q, vi, position, present, type);
    report(
        "kelbase_m_type_q", t, st,
        [&](CallText& c) { c.integer(vi).integer(position).out(present).out(type); },
        [&](CallText& o) {
            if (present) o.integer(*present);
            if (type) o.integer(*type);
        });
    return st;
}

struct Make {
    template <std::size_t S>
    KelbaseApi operator()(std::integral_constant<std::size_t, S>) const {
        return {.origin = nullptr, .simulated = false, .init = &init<S>, .m_type_q = &m_type_q<S>};
    }
};

trace_detail::Slots<KelbaseApi>& slots() {
    static trace_detail::Slots<KelbaseApi> s(trace_detail::make_tables<KelbaseApi>(
        Make(), std::make_index_sequence<trace_detail::kSlots>()));
    return s;
}

}  // namespace

const KelbaseApi* traced(const KelbaseApi* inner) {
    return slots().attach(inner, "carrier driver");
}

}  // namespace platform
