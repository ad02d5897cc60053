// Filling a function table from a shared library (inside qorm_platform; the public entry points
// are in loader.h and bindings.h).
#pragma once

#include <cstddef>
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

// The module driver's error texts of a library that could not be loaded are kept in a few slots,
// because a table holds plain function pointers: slot 0 serves the system library, the others
// serve explicit loads in turn.
constexpr std::size_t kSystemSlot = 0;
constexpr std::size_t kTextSlots = 8;

// Tries the candidates in order; the first that opens and exports every operation fills the
// table. When none does, every operation of the table returns VI_ERROR_LIBRARY_NFOUND (the
// module driver's error_message also writes the missing text), and the outcome says why.
// `label` names the library in the texts ("VISA", "libkelqorm.so").
LoadOutcome load_into(VisaApi& table, const std::vector<std::string>& candidates,
                      const std::string& label);
LoadOutcome load_into(KelqormApi& table, const std::vector<std::string>& candidates,
                      const std::string& label, std::size_t text_slot);
LoadOutcome load_into(KelbaseApi& table, const std::vector<std::string>& candidates,
                      const std::string& label);

// Makes every operation of the table report its library missing, allocating nothing.
void disable(VisaApi& table) noexcept;
void disable(KelqormApi& table) noexcept;
void disable(KelbaseApi& table) noexcept;

}  // namespace platform::detail
