// The operations under the system's own names, each forwarding to the bound table.
#include "bindings.h"

namespace {

// A table may leave an operation empty (a partial simulation, a hand-made test table): that
// operation then reports itself unsupported instead of jumping to address 0.
template <class Api, class Fn, class... A>
ViStatus forward(const Api& api, Fn Api::*operation, A... args) {
    Fn fn = api.*operation;
    return fn ? fn(args...) : VI_ERROR_NSUP_OPER;
}

using platform::KelbaseApi;
using platform::KelqormApi;
using platform::VisaApi;

const VisaApi& visa() {
    return platform::visa_api();
}
const KelqormApi& kq() {
    return platform::kelqorm_api();
}
const KelbaseApi& kb() {
    return platform::kelbase_api();
}

}  // namespace

extern "C" {

ViStatus _VI_FUNC viOpenDefaultRM(ViSession* vi) {
    return forward(visa(), &VisaApi::open_default_rm, vi);
}
ViStatus _VI_FUNC viFindRsrc(ViSession sesn, ViConstString expr, ViFindList* vi, ViUInt32* retCnt,
                             ViChar desc[]) {
    return forward(visa(), &VisaApi::find_rsrc, sesn, expr, vi, retCnt, desc);
}
ViStatus _VI_FUNC viFindNext(ViFindList vi, ViChar desc[]) {
    return forward(visa(), &VisaApi::find_next, vi, desc);
}
ViStatus _VI_FUNC viOpen(ViSession sesn, ViConstRsrc name, ViAccessMode mode, ViUInt32 timeout,
                         ViSession* vi) {
    return forward(visa(), &VisaApi::open, sesn, name, mode, timeout, vi);
}
ViStatus _VI_FUNC viClose(ViObject vi) {
    return forward(visa(), &VisaApi::close, vi);
}
ViStatus _VI_FUNC viGetAttribute(ViObject vi, ViAttr attrName, void* attrValue) {
    return forward(visa(), &VisaApi::get_attribute, vi, attrName, attrValue);
}

ViStatus _VI_FUNC kelqorm_init(ViRsrc resourceName, ViBoolean idQuery, ViBoolean reset,
                               ViSession* vi) {
    return forward(kq(), &KelqormApi::init, resourceName, idQuery, reset, vi);
}
ViStatus _VI_FUNC kelqorm_connect(ViSession vi, ViSession carrier, ViUInt16 mezzanine,
                                  ViBoolean idQuery, ViBoolean reset) {
    return forward(kq(), &KelqormApi::connect, vi, carrier, mezzanine, idQuery, reset);
}
ViStatus _VI_FUNC kelqorm_close(ViSession vi) {
    return forward(kq(), &KelqormApi::close, vi);
}
ViStatus _VI_FUNC kelqorm_reset(ViSession vi) {
    return forward(kq(), &KelqormApi::reset, vi);
}
ViStatus _VI_FUNC kelqorm_self_test(ViSession vi, ViInt16* result, ViChar message[]) {
    return forward(kq(), &KelqormApi::self_test, vi, result, message);
}
ViStatus _VI_FUNC kelqorm_error_message(ViSession vi, ViStatus status, ViChar message[]) {
    return forward(kq(), &KelqormApi::error_message, vi, status, message);
}
ViStatus _VI_FUNC kelqorm_revision_query(ViSession vi, ViChar driverRev[], ViChar hardwareRev[]) {
    return forward(kq(), &KelqormApi::revision_query, vi, driverRev, hardwareRev);
}
ViStatus _VI_FUNC kelqorm_manual_cmd(ViSession vi, ViInt16 channel, ViUInt16 line, ViInt16 on) {
    return forward(kq(), &KelqormApi::manual_cmd, vi, channel, line, on);
}
ViStatus _VI_FUNC kelqorm_manual_group_cmd(ViSession vi, ViInt16 on, ViInt16 lines[]) {
    return forward(kq(), &KelqormApi::manual_group_cmd, vi, on, lines);
}
ViStatus _VI_FUNC kelqorm_cmd_config(ViSession vi, ViInt16 channel, ViUInt16 line, ViReal64 time) {
    return forward(kq(), &KelqormApi::cmd_config, vi, channel, line, time);
}
ViStatus _VI_FUNC kelqorm_set_cmd_time(ViSession vi, ViInt16 channel, ViReal64 time) {
    return forward(kq(), &KelqormApi::set_cmd_time, vi, channel, time);
}
ViStatus _VI_FUNC kelqorm_cmd_time_q(ViSession vi, ViInt16 channel, ViReal64* time) {
    return forward(kq(), &KelqormApi::cmd_time_q, vi, channel, time);
}
ViStatus _VI_FUNC kelqorm_config_trigger(ViSession vi, ViInt16 mode) {
    return forward(kq(), &KelqormApi::config_trigger, vi, mode);
}
ViStatus _VI_FUNC kelqorm_set_line(ViSession vi, ViInt16 channel, ViUInt16 line) {
    return forward(kq(), &KelqormApi::set_line, vi, channel, line);
}
ViStatus _VI_FUNC kelqorm_start(ViSession vi, ViInt16 lines[]) {
    return forward(kq(), &KelqormApi::start, vi, lines);
}
ViStatus _VI_FUNC kelqorm_stop(ViSession vi) {
    return forward(kq(), &KelqormApi::stop, vi);
}
ViStatus _VI_FUNC kelqorm_gstart_q(ViSession vi, ViInt16* running) {
    return forward(kq(), &KelqormApi::gstart_q, vi, running);
}
ViStatus _VI_FUNC kelqorm_state(ViSession vi, ViInt16 states[]) {
    return forward(kq(), &KelqormApi::state, vi, states);
}
ViStatus _VI_FUNC kelqorm_trig_state(ViSession vi, ViInt16 latches[]) {
    return forward(kq(), &KelqormApi::trig_state, vi, latches);
}
ViStatus _VI_FUNC kelqorm_reset_trig(ViSession vi, ViInt16 channel) {
    return forward(kq(), &KelqormApi::reset_trig, vi, channel);
}
ViStatus _VI_FUNC kelqorm_sft_interface(ViSession vi, kelqorm_TextCallback callback) {
    return forward(kq(), &KelqormApi::sft_interface, vi, callback);
}
ViStatus _VI_FUNC kelqorm_zqorm_test(ViSession vi, ViInt16* result, ViChar message[]) {
    return forward(kq(), &KelqormApi::zqorm_test, vi, result, message);
}

ViStatus _VI_FUNC kelbase_init(ViRsrc resourceName, ViBoolean idQuery, ViBoolean reset,
                               ViSession* vi) {
    return forward(kb(), &KelbaseApi::init, resourceName, idQuery, reset, vi);
}
ViStatus _VI_FUNC kelbase_m_type_q(ViSession vi, ViUInt16 position, ViInt16* present,
                                   ViInt16* type) {
    return forward(kb(), &KelbaseApi::m_type_q, vi, position, present, type);
}

}  // extern "C"
