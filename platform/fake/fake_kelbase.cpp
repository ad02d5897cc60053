// The fake carrier driver: answers from fake::carrier().
#include "fake_internal.h"

namespace fake {

namespace {

using detail::answer;
using detail::first_error;
using detail::need_pointer;
using detail::need_range;
using platform::CallText;

ViStatus init(ViRsrc resource, ViBoolean id_query, ViBoolean reset, ViSession* vi) {
    ViStatus invalid = first_error({need_pointer(resource, 1), need_pointer(vi, 4)});
    return answer(
        "kelbase_init",
        [&](CallText& c) {
            c.text(resource, VI_FIND_BUFLEN).integer(id_query).integer(reset).out(vi);
        },
        invalid, hooks().kelbase_init,
        [&]() -> ViStatus {
            ViStatus status = carrier().init_status;
            if (status < 0) return status;
            if (carrier().session) {
                *vi = *carrier().session;
                return status;
            }
            // The carrier's session is a VISA session on its resource.
            ViSession session = detail::open_instrument(resource);
            if (session == 0) return VI_ERROR_RSRC_NFOUND;
            *vi = session;
            return status;
        },
        resource, id_query, reset, vi);
}

ViStatus m_type_q(ViSession vi, ViUInt16 position, ViInt16* present, ViInt16* type) {
    ViStatus invalid = first_error({need_range(position, 1, KELBASE_POSITIONS, 2),
                                    need_pointer(present, 3), need_pointer(type, 4)});
    return answer(
        "kelbase_m_type_q",
        [&](CallText& c) { c.integer(vi).integer(position).out(present).out(type); }, invalid,
        hooks().kelbase_m_type_q,
        [&]() -> ViStatus {
            const Position& p = carrier().positions[position - 1];
            if (p.status < 0) return p.status;
            *present = p.present;
            *type = p.type;
            return p.status;
        },
        vi, position, present, type);
}

}  // namespace

namespace detail {

const platform::KelbaseApi kelbase_table = {
    .origin = "fake",
    .simulated = false,
    .init = &init,
    .m_type_q = &m_type_q,
};

}  // namespace detail
}  // namespace fake
