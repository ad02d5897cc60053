// The simulated module driver: opening a session on a carrier, binding it to the QORM at a
// mezzanine position, and the operations on the whole module. A module session is counted up
// from 1; the module itself belongs to the crate and keeps its state when sessions close.
#include <array>
#include <string>

#include "behaviour.h"
#include "loopback.h"
#include "sim/sim.h"
#include "sim/status.h"
#include "text.h"
#include "world.h"

namespace sim::kq {

ViStatus init(ViRsrc resource, ViBoolean id_query, ViBoolean reset, ViSession* vi) {
    (void)reset;  // the module is reset when it is connected, not when the carrier is named
    if (!vi) return error_parameter(4);
    *vi = VI_NULL;
    World& w = world();
    if (w.visa_missing) return VI_ERROR_LIBRARY_NFOUND;
    if (!resource || !parse_resource_name(resource)) return VI_ERROR_INV_RSRC_NAME;
    auto carrier = w.find_resource(resource);
    if (!carrier) return VI_ERROR_RSRC_NFOUND;
    const Resource& r = w.resources[*carrier];
    if (!r.carrier && id_query) return kErrorFailIdQuery;
    if (r.busy) return VI_ERROR_RSRC_BUSY;
    *vi = w.next_module_session++;
    w.module_sessions.emplace(*vi, ModuleSession{*carrier});
    return VI_SUCCESS;
}

ViStatus connect(ViSession vi, ViSession carrier, ViUInt16 mezzanine, ViBoolean /*id_query*/,
                 ViBoolean reset) {
    World& w = world();
    auto session = w.module_sessions.find(vi);
    if (session == w.module_sessions.end()) return VI_ERROR_INV_OBJECT;
    if (w.visa_missing) return VI_ERROR_LIBRARY_NFOUND;
    const VisaObject* carrier_session = w.visa_object(carrier, VisaObject::Kind::instrument);
    if (!carrier_session) return error_parameter(2);
    if (mezzanine < 1 || mezzanine > kPositions) return error_parameter(3);
    if (carrier_session->resource != session->second.carrier) return kErrorCarrierMismatch;
    const Resource& r = w.resources[carrier_session->resource];
    int module = r.module[mezzanine - 1u];
    if (module < 0) return kErrorNoModule;
    session->second.module = module;
    Module& m = w.modules[static_cast<std::size_t>(module)];
    if (reset) m.reset(now());
    return m.description().connect_warning ? kWarnConnectFaults : VI_SUCCESS;
}

ViStatus close(ViSession vi) {
    return world().module_sessions.erase(vi) ? VI_SUCCESS : VI_ERROR_INV_OBJECT;
}

ViStatus reset(ViSession vi) {
    ViStatus status;
    Module* m = world().connected_module(vi, &status);
    if (m) m->reset(now());
    return status;
}

ViStatus self_test(ViSession vi, ViInt16* result, ViChar message[]) {
    ViStatus status;
    Module* m = world().connected_module(vi, &status);
    if (!m) return status;
    if (!result) return error_parameter(2);
    if (!message) return error_parameter(3);
    const auto& failure = m->description().self_test_failure;
    *result = failure ? failure->result : 0;
    // A pass leaves the caller's text as it was.
    if (failure) copy_text(message, KELQORM_TEXT_LEN, failure->text);
    return VI_SUCCESS;
}

// The translation of a status needs no session: any session number, 0 included, is accepted.
ViStatus error_message(ViSession /*vi*/, ViStatus status, ViChar message[]) {
    if (!message) return error_parameter(3);
    const auto& texts = world().driver.error_texts;
    auto own = texts.find(status);
    copy_text(message, KELQORM_TEXT_LEN, own != texts.end() ? own->second : status_text(status));
    return VI_SUCCESS;
}

// Session 0, or a session not yet connected, gives the driver revision and an empty hardware
// revision.
ViStatus revision_query(ViSession vi, ViChar driver_rev[], ViChar hardware_rev[]) {
    World& w = world();
    const Module* m = nullptr;
    if (vi != VI_NULL) {
        ViStatus status;
        m = w.connected_module(vi, &status);
        if (status == VI_ERROR_INV_OBJECT) return status;
    }
    if (!driver_rev) return error_parameter(2);
    if (!hardware_rev) return error_parameter(3);
    copy_text(driver_rev, KELQORM_REVISION_LEN, w.driver.revision);
    copy_text(hardware_rev, KELQORM_REVISION_LEN, m ? m->description().hardware_revision : "");
    return VI_SUCCESS;
}

ViStatus sft_interface(ViSession vi, kelqorm_TextCallback callback) {
    auto& sessions = world().module_sessions;
    auto session = sessions.find(vi);
    if (session == sessions.end()) return VI_ERROR_INV_OBJECT;
    session->second.text_callback = callback;
    return VI_SUCCESS;
}

// The test leaves the module reset. The report is made before the first line is handed out, and
// nothing of the world is held while the caller's callback runs: the callback may call the
// driver again, even close the session.
ViStatus zqorm_test(ViSession vi, ViInt16* result, ViChar message[]) {
    World& w = world();
    ViStatus status;
    Module* m = w.connected_module(vi, &status);
    if (!m) return status;
    if (!result) return error_parameter(2);
    if (!message) return error_parameter(3);
    LoopbackReport report = loopback_report(*m);
    m->reset(now());
    kelqorm_TextCallback callback = w.module_sessions.find(vi)->second.text_callback;
    if (callback) {
        std::array<ViChar, KELQORM_TEXT_LEN> line{};
        for (const LoopbackLine& l : report.lines) {
            copy_text(line.data(), line.size(), l.text);
            callback(vi, l.channel, l.kind, line.data());
        }
    }
    *result = report.result;
    copy_text(message, KELQORM_TEXT_LEN, report.summary);
    return VI_SUCCESS;
}

}  // namespace sim::kq
