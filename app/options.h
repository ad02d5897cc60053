// The qorm program's command line.
#pragma once

#include <optional>
#include <string>

namespace app {

struct Options {
    enum class Backend { qt, headless };
    Backend backend = Backend::qt;
    // --clock: automatic follows the bindings (virtual on the simulated crate, real seconds on
    // the system libraries, always real in the windows).
    enum class Clock { automatic, virtual_time, real };
    Clock clock = Clock::automatic;
    bool simulated = false;   // --sim
    std::string crate_file;   // --sim=FILE; empty: the built-in crate
    bool trace = false;       // --trace
    std::string trace_file;   // --trace=FILE; empty: standard error
    bool version = false;     // --version
    std::string script;       // --script=FILE: operator actions and checks
    double step_delay = 0.3;  // --step-delay: seconds a control stays marked before a scripted
                              // action in the windows
    std::string record;       // --record=FILE: the operator's actions written as a script
};

// Exit status for a command line, a crate file or a display the program cannot use.
inline constexpr int kUsageError = 2;
// Exit status of a run that went through but whose recording (--record) could not be written
// whole; a run that fails on its own keeps its own status.
inline constexpr int kRecordingLost = 3;

// Parses the command line. Returns the options, or nothing when the program must end at once
// (after --help, or after a bad option, with `exit_status` set and one line printed).
std::optional<Options> parse_options(int argc, char** argv, int* exit_status);

}  // namespace app
