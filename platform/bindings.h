// The three libraries the front panel calls (VISA, the module driver, the carrier driver) are
// each reached through a table of function pointers. The free functions with the system's names
// (viOpen, kelqorm_state, kelbase_init, ...) forward to the bound table.
//
// A table is bound once, before first use: the program binds the system libraries or the
// simulated crate, tests bind the recording fake. A library that was never bound is bound to its
// system library at its first call. Binding again (tests do, between cases) replaces the table.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "kelbase.h"
#include "kelqorm.h"
#include "visa.h"

namespace platform {

// The system's name of every operation the three tables carry: VISA, the module driver, the
// carrier driver, each in its table's order. Tests, traces and fault injection name operations so.
inline constexpr std::array<std::string_view, 30> kOperationNames = {
    "viOpenDefaultRM",
    "viFindRsrc",
    "viFindNext",
    "viOpen",
    "viClose",
    "viGetAttribute",
    "kelqorm_init",
    "kelqorm_connect",
    "kelqorm_close",
    "kelqorm_reset",
    "kelqorm_self_test",
    "kelqorm_error_message",
    "kelqorm_revision_query",
    "kelqorm_manual_cmd",
    "kelqorm_manual_group_cmd",
    "kelqorm_cmd_config",
    "kelqorm_set_cmd_time",
    "kelqorm_cmd_time_q",
    "kelqorm_config_trigger",
    "kelqorm_set_line",
    "kelqorm_start",
    "kelqorm_stop",
    "kelqorm_gstart_q",
    "kelqorm_state",
    "kelqorm_trig_state",
    "kelqorm_reset_trig",
    "kelqorm_sft_interface",
    "kelqorm_zqorm_test",
    "kelbase_init",
    "kelbase_m_type_q",
};

struct VisaApi {
    const char* origin;  // where the table comes from, for messages and --trace
    bool simulated;      // the table is the simulated crate's, not a system library
    ViStatus (*open_default_rm)(ViSession* vi);
    ViStatus (*find_rsrc)(ViSession rm, ViConstString expr, ViFindList* list, ViUInt32* count,
                          ViChar desc[]);
    ViStatus (*find_next)(ViFindList list, ViChar desc[]);
    ViStatus (*open)(ViSession rm, ViConstRsrc name, ViAccessMode mode, ViUInt32 timeout,
                     ViSession* vi);
    ViStatus (*close)(ViObject vi);
    ViStatus (*get_attribute)(ViObject vi, ViAttr attr, void* value);
};

struct KelqormApi {
    const char* origin;
    bool simulated;
    ViStatus (*init)(ViRsrc resource, ViBoolean id_query, ViBoolean reset, ViSession* vi);
    ViStatus (*connect)(ViSession vi, ViSession carrier, ViUInt16 mezzanine, ViBoolean id_query,
                        ViBoolean reset);
    ViStatus (*close)(ViSession vi);
    ViStatus (*reset)(ViSession vi);
    ViStatus (*self_test)(ViSession vi, ViInt16* result, ViChar message[]);
    ViStatus (*error_message)(ViSession vi, ViStatus status, ViChar message[]);
    ViStatus (*revision_query)(ViSession vi, ViChar driver_rev[], ViChar hardware_rev[]);
    ViStatus (*manual_cmd)(ViSession vi, ViInt16 channel, ViUInt16 line, ViInt16 on);
    ViStatus (*manual_group_cmd)(ViSession vi, ViInt16 on, ViInt16 lines[]);
    ViStatus (*cmd_config)(ViSession vi, ViInt16 channel, ViUInt16 line, ViReal64 time);
    ViStatus (*set_cmd_time)(ViSession vi, ViInt16 channel, ViReal64 time);
    ViStatus (*cmd_time_q)(ViSession vi, ViInt16 channel, ViReal64* time);
    ViStatus (*config_trigger)(ViSession vi, ViInt16 mode);
    ViStatus (*set_line)(ViSession vi, ViInt16 channel, ViUInt16 line);
    ViStatus (*start)(ViSession vi, ViInt16 lines[]);
    ViStatus (*stop)(ViSession vi);
    ViStatus (*gstart_q)(ViSession vi, ViInt16* running);
    ViStatus (*state)(ViSession vi, ViInt16 states[]);
    ViStatus (*trig_state)(ViSession vi, ViInt16 latches[]);
    ViStatus (*reset_trig)(ViSession vi, ViInt16 channel);
    ViStatus (*sft_interface)(ViSession vi, kelqorm_TextCallback callback);
    ViStatus (*zqorm_test)(ViSession vi, ViInt16* result, ViChar message[]);
};

struct KelbaseApi {
    const char* origin;
    bool simulated;
    ViStatus (*init)(ViRsrc resource, ViBoolean id_query, ViBoolean reset, ViSession* vi);
    ViStatus (*m_type_q)(ViSession vi, ViUInt16 position, ViInt16* present, ViInt16* type);
};

// Bind a table. The table must outlive every call made through it; nullptr unbinds, so the
// next call binds the system library again.
void bind_visa(const VisaApi* api);
void bind_kelqorm(const KelqormApi* api);
void bind_kelbase(const KelbaseApi* api);

// The bound tables (binding the system library first when none is bound).
const VisaApi& visa_api();
const KelqormApi& kelqorm_api();
const KelbaseApi& kelbase_api();

// The system libraries, loaded at run time on first use of the returned table. When a library or
// one of its symbols is missing, every operation of the table returns VI_ERROR_LIBRARY_NFOUND and
// the module driver's error text for that status names what is missing.
const VisaApi* system_visa();
const KelqormApi* system_kelqorm();
const KelbaseApi* system_kelbase();

// Why a system library could not be loaded (empty when it loaded or was not tried yet).
std::string system_load_problem(const char* library);  // "visa", "kelqorm" or "kelbase"

// True when any bound table is simulated: the program then says so in its title bar and --version.
bool simulated();

}  // namespace platform
