// Binds VISA and the two drivers for the program: the system libraries or the simulated crate,
// optionally traced.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "options.h"

namespace app {

// Where the trace lines go; without one, to standard error.
using TraceSink = std::function<void(const std::string& line)>;

// Binds the tables the options ask for. False, with `error` set to what to tell the user, when
// the crate file cannot be used or a table is refused. `log_calls`: the calls also go to the
// script's call log (script::call_log), traced even without --trace.
bool bind_libraries(const Options& options, std::string* error, TraceSink trace_sink = nullptr,
                    bool log_calls = false);

// The clock the run-time runs on, after the libraries are bound. A real module runs in real
// seconds, so on the system libraries the virtual clock is refused: it would hurry the hardware
// (a wait or the front panel's Delay would return at once while the module still switches).
// The windows always run on real time. Nothing, with `error` set, when the options ask for a
// clock the bindings cannot have.
enum class RunClock { virtual_time, steady };
std::optional<RunClock> choose_clock(const Options& options, std::string* error);

}  // namespace app
