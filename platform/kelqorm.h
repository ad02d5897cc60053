/* The QORM module driver as the front panel calls it (library libkelqorm.so, kelqorm_32.dll on
 * Windows). Every operation returns a status: negative an error, 0 success, positive a warning.
 * Channels are 1 to 30; a line code is 0 (none), 1 or 2; times are in the units of the panel's
 * time controls. Text outputs go to caller buffers of fixed size. */
#ifndef QORM_PLATFORM_KELQORM_H
#define QORM_PLATFORM_KELQORM_H

#include "visa.h"

#ifdef __cplusplus
extern "C" {
#endif

#define KELQORM_CHANNELS 30
#define KELQORM_TEXT_LEN 256     /* self-test, loop-back test and error texts, with the NUL */
#define KELQORM_REVISION_LEN 72  /* driver and hardware revision texts, with the NUL */

/* Module type code that the carrier driver reports for a QORM mezzanine. */
#define KELQORM_TYPE_CODE 12

/* The driver's progress and fault lines during the loop-back test. The first three arguments
 * tell which session sent the line, the channel it concerns (0 for a line about the whole
 * module) and its kind (KELQORM_LINE_PROGRESS or KELQORM_LINE_FAULT); the fourth is the line,
 * NUL-terminated and valid only during the call. Returns 0. */
#define KELQORM_LINE_PROGRESS 0
#define KELQORM_LINE_FAULT 1
typedef ViStatus(_VI_FUNCH* kelqorm_TextCallback)(ViSession vi, ViInt16 channel, ViInt32 kind,
                                                   ViChar line[]);

ViStatus _VI_FUNC kelqorm_init(ViRsrc resourceName, ViBoolean idQuery, ViBoolean reset,
                               ViSession* vi);
ViStatus _VI_FUNC kelqorm_connect(ViSession vi, ViSession carrier, ViUInt16 mezzanine,
                                  ViBoolean idQuery, ViBoolean reset);
ViStatus _VI_FUNC kelqorm_close(ViSession vi);
ViStatus _VI_FUNC kelqorm_reset(ViSession vi);
ViStatus _VI_FUNC kelqorm_self_test(ViSession vi, ViInt16* result, ViChar message[]);
ViStatus _VI_FUNC kelqorm_error_message(ViSession vi, ViStatus status, ViChar message[]);
ViStatus _VI_FUNC kelqorm_revision_query(ViSession vi, ViChar driverRev[], ViChar hardwareRev[]);
ViStatus _VI_FUNC kelqorm_manual_cmd(ViSession vi, ViInt16 channel, ViUInt16 line, ViInt16 on);
ViStatus _VI_FUNC kelqorm_manual_group_cmd(ViSession vi, ViInt16 on, ViInt16 lines[]);
ViStatus _VI_FUNC kelqorm_cmd_config(ViSession vi, ViInt16 channel, ViUInt16 line, ViReal64 time);
ViStatus _VI_FUNC kelqorm_set_cmd_time(ViSession vi, ViInt16 channel, ViReal64 time);
ViStatus _VI_FUNC kelqorm_cmd_time_q(ViSession vi, ViInt16 channel, ViReal64* time);
ViStatus _VI_FUNC kelqorm_config_trigger(ViSession vi, ViInt16 mode);
ViStatus _VI_FUNC kelqorm_set_line(ViSession vi, ViInt16 channel, ViUInt16 line);
ViStatus _VI_FUNC kelqorm_start(ViSession vi, ViInt16 lines[]);
ViStatus _VI_FUNC kelqorm_stop(ViSession vi);
ViStatus _VI_FUNC kelqorm_gstart_q(ViSession vi, ViInt16* running);
ViStatus _VI_FUNC kelqorm_state(ViSession vi, ViInt16 states[]);
ViStatus _VI_FUNC kelqorm_trig_state(ViSession vi, ViInt16 latches[]);
ViStatus _VI_FUNC kelqorm_reset_trig(ViSession vi, ViInt16 channel);
ViStatus _VI_FUNC kelqorm_sft_interface(ViSession vi, kelqorm_TextCallback callback);
ViStatus _VI_FUNC kelqorm_zqorm_test(ViSession vi, ViInt16* result, ViChar message[]);

#ifdef __cplusplus
}
#endif

#endif
