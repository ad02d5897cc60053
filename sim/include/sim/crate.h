// What a simulated crate holds: its instruments as VISA resources, the carriers among them with
// what is fitted at their mezzanine positions, and how each QORM module behaves. A crate comes
// from a crate file (crate_file.cpp) or is built in code; sim::install makes it the world.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sim {

inline constexpr int kChannels = 30;
inline constexpr int kPositions = 4;
inline constexpr int kQormType = 12;
inline constexpr double kDefaultTriggerDelay = 0.5;  // seconds from an armed start to the trigger

// The simulator's own version text, reported as the driver revision unless the crate says
// otherwise.
inline constexpr const char* kVersion = "QORM-SIM 1.0";

struct SelfTestFailure {
    int16_t result = 1;  // never 0: 0 is a pass
    std::string text;    // at most 255 bytes
};

// What a module's read-back registers report in place of what the module does: words the
// model never gives (a state code past 3, stray latch bits, a run flag of 7) or the time of a
// module that rounds differently. What the front panel makes of any answer the hardware may
// give is tested so. An entry left empty follows the model; index 0 is channel 1. A latch word
// stands for latches the module holds: clearing the latches (kelqorm_reset_trig, a reset) clears
// it; the other words stay, like a hardware fault.
struct Readback {
    std::optional<int16_t> run_flag;                          // kelqorm_gstart_q
    std::array<std::optional<int16_t>, kChannels> states{};   // kelqorm_state
    std::array<std::optional<int16_t>, kChannels> latches{};  // kelqorm_trig_state
    std::array<std::optional<double>, kChannels> times{};     // kelqorm_cmd_time_q
};

struct Mezzanine {
    int position = 0;  // 1 to 4
    int type = kQormType;

    // The rest describes a QORM (type 12) and is ignored for other types.
    std::string hardware_revision = "4.2";  // the first character selects the time step
    bool test_connector = true;             // the loop-back connector is plugged in
    bool connect_warning = false;           // kelqorm_connect reports "opened with faults"
    std::optional<SelfTestFailure> self_test_failure;
    std::vector<int> broken_channels;   // channels 1-30 whose output stage is dead
    std::map<int, int> stuck_channels;  // channel 1-30 -> the state code (0-3) it always reports
    Readback readback;

    bool is_qorm() const { return type == kQormType; }
};

struct Carrier {
    bool busy = false;  // held by another program: the drivers cannot open it
    // Delay of the carrier's trigger after a start in start mode 0; empty: it never comes.
    std::optional<double> trigger_delay = kDefaultTriggerDelay;
    std::vector<Mezzanine> mezzanines;
};

// The module driver software of the crate.
struct Driver {
    std::string revision = kVersion;  // kelqorm_revision_query's driver revision, at most 71 bytes
    // Texts kelqorm_error_message gives in place of its own, per status: another driver version
    // words them differently.
    std::map<int32_t, std::string> error_texts;
};

// One VISA resource. An attribute left empty takes its default when the resource is on a VXI or
// GPIB-VXI interface (the logical address from the name, slot -1, the rest 0) and is not
// supported (VI_ERROR_NSUP_ATTR) on other interfaces.
struct Instrument {
    std::string resource;                              // VISA resource name, at most 255 characters
    std::optional<std::string> interface_description;  // VI_ATTR_INTF_INST_NAME, else derived
    std::optional<int16_t> slot;
    std::optional<int16_t> mainframe_la;
    std::optional<int16_t> logical_address;
    std::optional<uint16_t> model_code;
    std::optional<uint16_t> manufacturer_id;
    std::optional<Carrier> carrier;  // present: the carrier driver can open this resource
    // VI_ATTR_RSRC_NAME, when it is not `resource`: the unique name of an instrument that is
    // listed and opened under an alias. The drivers open it by either name.
    std::optional<std::string> rsrc_name;
    // Attributes whose read answers with a status instead (VISA attribute id -> status): a
    // negative one writes nothing, a warning writes the value and is returned.
    std::map<uint32_t, int32_t> attribute_status;
};

struct Crate {
    std::string name;
    bool visa_missing = false;  // every VISA call fails with VI_ERROR_LIBRARY_NFOUND
    std::vector<Instrument> instruments;
    Driver driver;
    // The number of the module driver's first session; the next ones count up from it. A front
    // panel must work whatever number it is given.
    uint32_t first_module_session = 1;
};

}  // namespace sim
