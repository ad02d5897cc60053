// The simulated crate: the program's and the tests' stand-in for the hardware and for the VISA,
// module-driver and carrier-driver libraries. Its three function tables are those of
// platform/bindings.h, so nothing above the bindings can tell it from the system libraries.
//
// The simulator is single-threaded like the front panel, reads no wall clock (time comes from the
// one clock function given to set_clock) and evaluates the modules lazily from that clock.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bindings.h"
#include "sim/crate.h"
#include "sim/faults.h"

namespace sim {

// What a crate file may hold, so that any file is read in bounded time and memory: its size in
// bytes, how deep lists and mappings nest (a crate needs 7 levels), and how many values (scalars,
// lists and mappings) it has in all.
inline constexpr std::size_t kMaxCrateBytes = std::size_t{1} << 20;
inline constexpr int kMaxCrateNesting = 32;
inline constexpr std::size_t kMaxCrateValues = 100000;

// Reads a crate file. On failure returns nothing and sets *error (when given) to
// "FILE:LINE: reason" ("FILE: reason" for a file too long to read); a file that is refused is
// not used in part. A file must be UTF-8 text within the limits above and one YAML document.
std::optional<Crate> load_crate_file(const std::string& path, std::string* error);
// The same for crate text held in memory; `source` names it in messages.
std::optional<Crate> load_crate_text(std::string_view text, const std::string& source,
                                     std::string* error);

// The built-in crate: a slot-0 controller and one carrier at VXI0::8::INSTR with a QORM at
// mezzanine position 2.
Crate default_crate();

// Resets the simulated world to `crate`: every session is forgotten and counting starts again at
// 1, every module is in its reset state, injected faults are cleared. The clock is kept.
void install(const Crate& crate);

// The one source of time, in seconds. Until a clock is set, time stands still at 0.
void set_clock(std::function<double()> clock);

// The installed crate's descriptions, live: a change takes effect at the next call that reads it.
// The module driver software.
Driver& driver();
// The QORM fitted at a position of a carrier (its resource name in any case), or with an empty
// carrier name the module of the lowest-numbered connected module session; null when there is
// none. A change of its hardware revision changes its time step too.
Mezzanine* fitted(std::string_view carrier, int position);

// What is open now: the VISA objects (resource managers, find lists, sessions, in increasing
// order) and the text callback a module session has installed (null: none, or no such session).
std::vector<ViSession> open_visa_objects();
// The module driver sessions open now, in increasing order.
std::vector<ViSession> open_module_sessions();
kelqorm_TextCallback text_callback(ViSession session);

const platform::VisaApi* visa_api();
const platform::KelqormApi* kelqorm_api();
const platform::KelbaseApi* kelbase_api();

}  // namespace sim
