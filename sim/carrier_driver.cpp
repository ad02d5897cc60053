// The simulated carrier driver. Its session is a VISA instrument session of the simulated VISA
// (not owned by any resource manager), so VISA attributes can be read on it.
#include "behaviour.h"
#include "sim/status.h"
#include "world.h"

namespace sim::kb {

ViStatus init(ViRsrc resource, ViBoolean id_query, ViBoolean /*reset*/, ViSession* vi) {
    if (!vi) return error_parameter(4);
    *vi = VI_NULL;
    World& w = world();
    if (w.visa_missing) return VI_ERROR_LIBRARY_NFOUND;
    if (!resource || !parse_resource_name(resource)) return VI_ERROR_INV_RSRC_NAME;
    auto index = w.find_resource(resource);
    if (!index) return VI_ERROR_RSRC_NFOUND;
    const Resource& r = w.resources[*index];
    // Without the identity check any instrument opens; one that is no carrier then reports
    // nothing fitted.
    if (!r.carrier && id_query) return kErrorFailIdQuery;
    if (r.busy) return VI_ERROR_RSRC_BUSY;
    *vi = w.add_visa_object(VisaObject::make(VisaObject::Kind::instrument, VI_NULL, *index));
    return VI_SUCCESS;
}

ViStatus m_type_q(ViSession vi, ViUInt16 position, ViInt16* present, ViInt16* type) {
    World& w = world();
    if (w.visa_missing) return VI_ERROR_LIBRARY_NFOUND;
    const VisaObject* session = w.visa_object(vi, VisaObject::Kind::instrument);
    if (!session) return VI_ERROR_INV_OBJECT;
    if (position < 1 || position > KELBASE_POSITIONS) return error_parameter(2);
    if (!present) return error_parameter(3);
    if (!type) return error_parameter(4);
    const auto& fitted = w.resources[session->resource].fitted[position - 1u];
    *present = fitted ? 1 : 0;
    *type = static_cast<ViInt16>(fitted.value_or(0));
    return VI_SUCCESS;
}

}  // namespace sim::kb
