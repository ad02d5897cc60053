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
typedef ViStatus(QORM_VI_FUNC* kelqorm_TextCallback)(ViSession vi, ViInt16 channel, ViInt32 kind,
                                                   ViChar line[]);

/* Every operation of the module driver (the notation is declare.h's). */
#define QORM_KELQORM_OPERATIONS(X)                                                             \
    X(ViStatus, kelqorm_init, init, (text_in, ViRsrc, resourceName), (in, ViBoolean, idQuery), \
      (in, ViBoolean, reset), (out, ViSession*, vi))                                           \
    /* Positive: the module was opened with faults. */                                         \
    X(ViStatus, kelqorm_connect, connect, (in, ViSession, vi), (in, ViSession, carrier),       \
      (in, ViUInt16, mezzanine), (in, ViBoolean, idQuery), (in, ViBoolean, reset))             \
    X(ViStatus, kelqorm_close, close, (in, ViSession, vi))                                     \
    X(ViStatus, kelqorm_reset, reset, (in, ViSession, vi))                                     \
    /* result 0 is a pass; the text may stay as the caller set it. */                          \
    X(ViStatus, kelqorm_self_test, self_test, (in, ViSession, vi), (out, ViInt16*, result),    \
      (text_out, ViChar*, message))                                                            \
    /* Needs no session: called with session 0. */                                            \
    X(ViStatus, kelqorm_error_message, error_message, (in, ViSession, vi),                     \
      (status_in, ViStatus, status), (text_out, ViChar*, message))                             \
    X(ViStatus, kelqorm_revision_query, revision_query, (in, ViSession, vi),                   \
      (revision_out, ViChar*, driverRev), (revision_out, ViChar*, hardwareRev))                \
    X(ViStatus, kelqorm_manual_cmd, manual_cmd, (in, ViSession, vi), (in, ViInt16, channel),   \
      (in, ViUInt16, line), (in, ViInt16, on))                                                 \
    X(ViStatus, kelqorm_manual_group_cmd, manual_group_cmd, (in, ViSession, vi),               \
      (in, ViInt16, on), (codes_in, ViInt16*, lines))                                          \
    /* One channel of a sequence: its line and time. */                                        \
    X(ViStatus, kelqorm_cmd_config, cmd_config, (in, ViSession, vi), (in, ViInt16, channel),   \
      (in, ViUInt16, line), (in, ViReal64, time))                                              \
    /* Channel 0: one time for every channel. */                                               \
    X(ViStatus, kelqorm_set_cmd_time, set_cmd_time, (in, ViSession, vi),                       \
      (in, ViInt16, channel), (in, ViReal64, time))                                            \
    /* The time the module really uses. */                                                     \
    X(ViStatus, kelqorm_cmd_time_q, cmd_time_q, (in, ViSession, vi), (in, ViInt16, channel),   \
      (out, ViReal64*, time))                                                                  \
    X(ViStatus, kelqorm_config_trigger, config_trigger, (in, ViSession, vi),                   \
      (in, ViInt16, mode))                                                                     \
    X(ViStatus, kelqorm_set_line, set_line, (in, ViSession, vi), (in, ViInt16, channel),       \
      (in, ViUInt16, line))                                                                    \
    X(ViStatus, kelqorm_start, start, (in, ViSession, vi), (codes_in, ViInt16*, lines))        \
    X(ViStatus, kelqorm_stop, stop, (in, ViSession, vi))                                       \
    /* Non-zero while a sequence runs. */                                                      \
    X(ViStatus, kelqorm_gstart_q, gstart_q, (in, ViSession, vi), (out, ViInt16*, running))     \
    X(ViStatus, kelqorm_state, state, (in, ViSession, vi), (codes_out, ViInt16*, states))      \
    X(ViStatus, kelqorm_trig_state, trig_state, (in, ViSession, vi),                           \
      (codes_out, ViInt16*, latches))                                                          \
    /* Channel 0: every channel. */                                                            \
    X(ViStatus, kelqorm_reset_trig, reset_trig, (in, ViSession, vi), (in, ViInt16, channel))   \
    /* Null removes the callback. */                                                           \
    X(ViStatus, kelqorm_sft_interface, sft_interface, (in, ViSession, vi),                     \
      (callback_in, kelqorm_TextCallback, callback))                                           \
    X(ViStatus, kelqorm_zqorm_test, zqorm_test, (in, ViSession, vi), (out, ViInt16*, result),  \
      (text_out, ViChar*, message))

QORM_KELQORM_OPERATIONS(QORM_DECLARE_OPERATION)

#ifdef __cplusplus
}
#endif

#endif
