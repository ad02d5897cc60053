// Binds VISA and the two drivers for the program: the system libraries or the simulated crate,
// optionally traced.
#pragma once

#include <functional>
#include <string>

#include "options.h"

namespace app {

// Where the trace lines go; without one, to standard error.
using TraceSink = std::function<void(const std::string& line)>;

// Binds the tables the options ask for. False, with `error` set to what to tell the user, when
// the crate file cannot be used or a table is refused.
bool bind_libraries(const Options& options, std::string* error, TraceSink trace_sink = nullptr);

}  // namespace app
