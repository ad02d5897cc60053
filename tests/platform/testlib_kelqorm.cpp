// A stand-in module driver for the loader tests: each operation records its name and arguments,
// which the test reads back with testlib_last_call(). Built twice: complete, and without
// kelqorm_zqorm_test (TESTLIB_WITHOUT_ZQORM_TEST).
#include <cstdio>
#include <cstring>

#include "kelqorm.h"

namespace {
char g_last[256];
ViStatus record(const char* text) {
    std::snprintf(g_last, sizeof g_last, "%s", text);
    return 0;
}
char g_buf[256];
const char* fmt(const char* format, long a, long b = 0, long c = 0, long d = 0) {
    std::snprintf(g_buf, sizeof g_buf, format, a, b, c, d);
    return g_buf;
}
}  // namespace

extern "C" {

const char* testlib_last_call(void) {
    return g_last;
}

ViStatus _VI_FUNC kelqorm_init(ViRsrc name, ViBoolean, ViBoolean, ViSession* vi) {
    *vi = 77;
    return record(name);
}
ViStatus _VI_FUNC kelqorm_connect(ViSession vi, ViSession carrier, ViUInt16 mez, ViBoolean, ViBoolean) {
    return record(fmt("connect %ld %ld %ld", vi, carrier, mez));
}
ViStatus _VI_FUNC kelqorm_close(ViSession vi) {
    return record(fmt("close %ld", vi));
}
ViStatus _VI_FUNC kelqorm_reset(ViSession vi) {
    return record(fmt("reset %ld", vi));
}
ViStatus _VI_FUNC kelqorm_self_test(ViSession vi, ViInt16*, ViChar[]) {
    return record(fmt("self_test %ld", vi));
}
ViStatus _VI_FUNC kelqorm_error_message(ViSession, ViStatus status, ViChar message[]) {
    std::snprintf(message, 256, "testlib text %lX",
                  static_cast<unsigned long>(status) & 0xFFFFFFFFul);
    return record("error_message");
}
ViStatus _VI_FUNC kelqorm_revision_query(ViSession vi, ViChar[], ViChar[]) {
    return record(fmt("revision %ld", vi));
}
ViStatus _VI_FUNC kelqorm_manual_cmd(ViSession vi, ViInt16 ch, ViUInt16 line, ViInt16 on) {
    return record(fmt("manual_cmd %ld %ld %ld %ld", vi, ch, line, on));
}
ViStatus _VI_FUNC kelqorm_manual_group_cmd(ViSession vi, ViInt16 on, ViInt16 lines[]) {
    return record(fmt("manual_group_cmd %ld %ld %ld", vi, on, lines[29]));
}
ViStatus _VI_FUNC kelqorm_cmd_config(ViSession vi, ViInt16 ch, ViUInt16 line, ViReal64 time) {
    return record(fmt("cmd_config %ld %ld %ld %ld", vi, ch, line, static_cast<long>(time * 1000)));
}
ViStatus _VI_FUNC kelqorm_set_cmd_time(ViSession vi, ViInt16 ch, ViReal64) {
    return record(fmt("set_cmd_time %ld %ld", vi, ch));
}
ViStatus _VI_FUNC kelqorm_cmd_time_q(ViSession vi, ViInt16 ch, ViReal64* time) {
    *time = 0.125;
    return record(fmt("cmd_time_q %ld %ld", vi, ch));
}
ViStatus _VI_FUNC kelqorm_config_trigger(ViSession vi, ViInt16 mode) {
    return record(fmt("config_trigger %ld %ld", vi, mode));
}
ViStatus _VI_FUNC kelqorm_set_line(ViSession vi, ViInt16 ch, ViUInt16 line) {
    return record(fmt("set_line %ld %ld %ld", vi, ch, line));
}
ViStatus _VI_FUNC kelqorm_start(ViSession vi, ViInt16[]) {
    return record(fmt("start %ld", vi));
}
ViStatus _VI_FUNC kelqorm_stop(ViSession vi) {
    return record(fmt("stop %ld", vi));
}
ViStatus _VI_FUNC kelqorm_gstart_q(ViSession vi, ViInt16* running) {
    *running = 1;
    return record(fmt("gstart_q %ld", vi));
}
ViStatus _VI_FUNC kelqorm_state(ViSession vi, ViInt16[]) {
    return record(fmt("state %ld", vi));
}
ViStatus _VI_FUNC kelqorm_trig_state(ViSession vi, ViInt16[]) {
    return record(fmt("trig_state %ld", vi));
}
ViStatus _VI_FUNC kelqorm_reset_trig(ViSession vi, ViInt16 ch) {
    return record(fmt("reset_trig %ld %ld", vi, ch));
}
ViStatus _VI_FUNC kelqorm_sft_interface(ViSession vi, kelqorm_TextCallback) {
    return record(fmt("sft_interface %ld", vi));
}
#ifndef TESTLIB_WITHOUT_ZQORM_TEST
ViStatus _VI_FUNC kelqorm_zqorm_test(ViSession vi, ViInt16*, ViChar[]) {
    return record(fmt("zqorm_test %ld", vi));
}
#endif

}  // extern "C"
