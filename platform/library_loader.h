// Filling a function table from a shared library (inside qorm_platform; the public entry points
// are in loader.h and bindings.h).
#pragma once

#include <string>
#include <vector>

#include "bindings.h"

namespace platform::detail {

struct LoadOutcome {
    bool complete = false;
    std::string loaded_from;  // the candidate that was opened and used
    std::string text;         // what is missing, in Russian, fit for a 256-byte error text
    std::string problem;      // the same with the system's reasons for each candidate
};

// Tries the candidates in order; the first that opens and exports every operation fills the
// table. When none does, every operation of the table returns VI_ERROR_LIBRARY_NFOUND and the
// outcome says why. `label` names the library in the texts ("VISA", "libkelqorm.so").
//
// A module driver that could not be loaded still answers kelqorm_error_message, with the text
// of what is missing: it is put into `missing_text`, which the table carries as its context and
// which must live as long as the table. Each table so has its own text, however many there are.
LoadOutcome load_into(VisaApi& table, const std::vector<std::string>& candidates,
                      const std::string& label);
LoadOutcome load_into(KelqormApi& table, const std::vector<std::string>& candidates,
                      const std::string& label, std::string& missing_text);
LoadOutcome load_into(KelbaseApi& table, const std::vector<std::string>& candidates,
                      const std::string& label);

// Makes every operation of the table report its library missing, allocating nothing; the
// module driver's error text then names no library.
void disable(VisaApi& table) noexcept;
void disable(KelqormApi& table) noexcept;
void disable(KelbaseApi& table) noexcept;

}  // namespace platform::detail
