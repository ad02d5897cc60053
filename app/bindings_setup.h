// Binds VISA and the two drivers for the program: the system libraries or the simulated crate,
// optionally traced.
#pragma once

#include <string>

#include "options.h"

namespace app {

// Binds the tables the options ask for. False, with `error` set to what to tell the user, when
// the crate file cannot be used or a table is refused.
bool bind_libraries(const Options& options, std::string* error);

}  // namespace app
