// The qorm program's command line.
#pragma once

#include <optional>
#include <string>

namespace app {

struct Options {
    // qt: the Qt view (Linux); win32: the native view of Windows; headless: no windows.
    enum class Backend { qt, win32, headless };
    // The windowed view of this platform, the default.
#ifdef _WIN32
    static constexpr Backend kWindowed = Backend::win32;
    static constexpr const char* kWindowedName = "win32";
#else
    static constexpr Backend kWindowed = Backend::qt;
    static constexpr const char* kWindowedName = "qt";
#endif
    Backend backend = kWindowed;
    bool simulated = false;  // --sim
    std::string crate_file;  // --sim=FILE; empty: the built-in crate
    bool trace = false;      // --trace
    bool version = false;    // --version
    std::string script;      // --script=FILE: operator actions and checks, run headless
    std::string record;      // --record=FILE: the operator's actions written as a script
};

// Exit status for a command line, a crate file or a display the program cannot use.
inline constexpr int kUsageError = 2;

// Parses the command line. Returns the options, or nothing when the program must end at once
// (after --help, or after a bad option, with `exit_status` set and one line printed).
std::optional<Options> parse_options(int argc, char** argv, int* exit_status);

}  // namespace app
