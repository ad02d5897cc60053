// The simulated module driver's operations, gathered into the table by kelqorm.cpp.
#pragma once

#include "kelqorm.h"

namespace sim::kq {

// Opening, closing and the whole-module operations (kelqorm_session.cpp).
ViStatus init(ViRsrc resource, ViBoolean id_query, ViBoolean reset, ViSession* vi);
ViStatus connect(ViSession vi, ViSession carrier, ViUInt16 mezzanine, ViBoolean id_query,
                 ViBoolean reset);
ViStatus close(ViSession vi);
ViStatus reset(ViSession vi);
ViStatus self_test(ViSession vi, ViInt16* result, ViChar message[]);
ViStatus error_message(ViSession vi, ViStatus status, ViChar message[]);
ViStatus revision_query(ViSession vi, ViChar driver_rev[], ViChar hardware_rev[]);
ViStatus sft_interface(ViSession vi, kelqorm_TextCallback callback);
ViStatus zqorm_test(ViSession vi, ViInt16* result, ViChar message[]);

// Switching, sequences and read-back (kelqorm_channels.cpp).
ViStatus manual_cmd(ViSession vi, ViInt16 channel, ViUInt16 line, ViInt16 on);
ViStatus manual_group_cmd(ViSession vi, ViInt16 on, ViInt16 lines[]);
ViStatus cmd_config(ViSession vi, ViInt16 channel, ViUInt16 line, ViReal64 time);
ViStatus set_cmd_time(ViSession vi, ViInt16 channel, ViReal64 time);
ViStatus cmd_time_q(ViSession vi, ViInt16 channel, ViReal64* time);
ViStatus config_trigger(ViSession vi, ViInt16 mode);
ViStatus set_line(ViSession vi, ViInt16 channel, ViUInt16 line);
ViStatus start(ViSession vi, ViInt16 lines[]);
ViStatus stop(ViSession vi);
ViStatus gstart_q(ViSession vi, ViInt16* running);
ViStatus state(ViSession vi, ViInt16 states[]);
ViStatus trig_state(ViSession vi, ViInt16 latches[]);
ViStatus reset_trig(ViSession vi, ViInt16 channel);

}  // namespace sim::kq
