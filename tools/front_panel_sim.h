// The front panel on the simulated crate, for the tools that run it in a view (the render tools,
// the CPU probes, the views' end-to-end tests): the simulated crate bound in place of the system
// libraries and an instance opened on its QORM.
#pragma once

#include <string>

#include "qorm.h"

namespace tools {

// Binds the built-in simulated crate (VISA and both drivers) on the run-time's clock.
void bind_simulated_crate();

// Opens the carrier of the built-in crate and the QORM on it; null (with *error set) on failure.
// The run-time must be started.
ModuleInstance* open_simulated_module(std::string* error);

}  // namespace tools
