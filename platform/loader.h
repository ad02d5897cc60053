// Loading VISA or a driver from an explicit list of places, for tools and for tests of the
// loader. The program itself uses the system tables of bindings.h, which search the usual places.
#pragma once

#include <string>
#include <vector>

#include "bindings.h"

namespace platform {

// Each call loads afresh: the candidates (names searched the system's way, or paths) are tried
// in order, and the first that opens and exports every operation of the table is used. The
// returned table is never null and lives until the process ends; its origin is the path used.
// When no candidate is complete, every operation returns VI_ERROR_LIBRARY_NFOUND, *problem (when
// given) says why, and for a module driver its error_message (called through platform::call, as
// the forwarding functions and the tracing wrapper do) writes a Russian text naming the missing
// library or function: each failed table its own.
const VisaApi* load_visa(const std::vector<std::string>& candidates,
                         std::string* problem = nullptr);
const KelqormApi* load_kelqorm(const std::vector<std::string>& candidates,
                               std::string* problem = nullptr);
const KelbaseApi* load_kelbase(const std::vector<std::string>& candidates,
                               std::string* problem = nullptr);

}  // namespace platform
