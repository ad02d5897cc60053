// Tracing: a table that forwards every call to an inner table and reports it as one line, for
// the program's --trace option. Lines look like
//     12.345000 kelqorm_cmd_time_q(5, 4) -> 0.025 = 0x00000000
//     12.346000 viGetAttribute(3, VI_ATTR_SLOT) -> 2 = 0x00000000
//     12.400000 kelqorm_state(5) = 0xBFFF0015
// that is: the clock's time in seconds (left out while no clock is set), the call with its
// in-arguments as call_text.h writes them, after "->" the out-values as the call left them
// (only when the status is not negative: after an error they mean nothing), and the status.
#pragma once

#include <functional>
#include <string>

#include "bindings.h"

namespace platform {

// Where the lines go, and the clock that stamps them; both are set once by the program before it
// binds traced tables. Without a sink the lines are dropped. A sink or clock that throws loses
// its line; the call itself is not affected.
void set_trace_sink(std::function<void(const std::string&)> sink);
void set_trace_clock(std::function<double()> clock);

// A table that forwards to `inner` and reports each call; it keeps the inner table's origin and
// simulated flag. Tracing the same inner table again gives the same traced table. Up to eight
// different inner tables of each kind can be traced in one process; past that, and for a table
// with an empty entry (which binding refuses), the inner table is returned as it is and the sink
// is told so. Null gives null.
const VisaApi* traced(const VisaApi* inner);
const KelqormApi* traced(const KelqormApi* inner);
const KelbaseApi* traced(const KelbaseApi* inner);

}  // namespace platform
