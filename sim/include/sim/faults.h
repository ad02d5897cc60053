// Fault injection into the simulated crate, for tests and scripts. Operations are named by their
// system names ("viOpen", "kelqorm_state", "kelbase_init", ...). An injected failure (a negative
// status) is returned before the operation looks at its arguments, and the operation then does
// nothing else. An injected warning (0 or positive) lets the operation do its work and is
// returned in place of the operation's success; a failure of the work itself is returned as it is.
// Modules are addressed by the carrier's resource name (any case) and the mezzanine position; an
// empty carrier name means the module of the lowest-numbered open, connected module session.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "visa.h"

namespace sim {

inline constexpr int kUntilCleared = -1;

// `operation` returns `status` for its next `count` calls (kUntilCleared: until cleared). A new
// rule for the same operation replaces the old ones. False for an unknown operation or a count
// of 0 or below other than kUntilCleared.
bool fail_next(std::string_view operation, ViStatus status, int count = 1);
// The same, after the rules the operation already has: fail_next(op, A) then
// queue_fault(op, B, 2) gives A, then B twice.
bool queue_fault(std::string_view operation, ViStatus status, int count = 1);
bool fail_always(std::string_view operation, ViStatus status);
// Only the `nth` call of `operation` from now on (1: the next) returns `status`; the calls before
// it work as usual. Replaces the operation's rules, as fail_next does. False for an unknown
// operation or an `nth` below 1.
bool fail_nth(std::string_view operation, ViStatus status, int nth);
// `operation` returns `status` for its next `count` calls and does nothing else: no work, no
// out-value written, even when the status is 0 or a warning; what a silent driver gives. Replaces
// the operation's rules, as fail_next does.
bool fail_silently(std::string_view operation, ViStatus status, int count = 1);
// What the module reports as the latch word of `channel` (kelqorm_trig_state) in place of its own
// latches, bits above the two latches included, as a crate file's read-back word does: clearing
// the latches clears it. clear_latch_word gives the channel back to the model.
bool set_latch_word(std::string_view carrier, int position, int channel, int16_t word);
bool clear_latch_word(std::string_view carrier, int position, int channel);
bool clear_fault(std::string_view operation);  // false when the operation is unknown
void clear_faults();
// How many injected failures `operation` still has to give (kUntilCleared for good, 0 for none).
int pending_failures(std::string_view operation);

// Every operation that can be made to fail, in the order of the libraries' tables.
const std::vector<std::string>& operation_names();

// The status injected into the next call of `operation`, counted as given: for a stand-in that
// answers a call in the operation's place and must take its faults as the operation would.
// Nothing when none is injected.
std::optional<ViStatus> take_fault(std::string_view operation);

// A channel that always reports `state` (0-3) whatever it is told; state -1 frees it.
bool stick_channel(std::string_view carrier, int position, int channel, int state);
// A channel whose output stage is dead: switched on it reports 3 (fault), sets no latch and fails
// the loop-back test.
bool break_channel(std::string_view carrier, int position, int channel, bool broken = true);

// The front panel's next instance record cannot be allocated, as on a machine out of memory.
// The program that composes the simulator passes take_memory_fault to the platform's allocation
// check (platform/allocation.h); it gives false once for each failure set here.
void fail_memory();
bool take_memory_fault();  // true: this allocation must fail
int pending_memory_faults();

// VISA "missing" at run time: every VISA call, and every driver call that needs VISA to reach
// the crate (kelbase_init, kelbase_m_type_q, kelqorm_init, kelqorm_connect), fails with
// VI_ERROR_LIBRARY_NFOUND.
void set_visa_missing(bool missing);
bool visa_missing();

// The same through one line of text, for scripts. Returns an empty text when done, otherwise
// why not. Commands (operation, carrier and status names in any case; numbers decimal or 0x hex):
//   fail OPERATION STATUS [COUNT|always]   STATUS is a number or a name such as VI_ERROR_TMO
//   fail OPERATION STATUS after N          only the Nth call from now fails (N-1 pass first)
//   fail memory                            the next instance record cannot be allocated
//   silent OPERATION STATUS [COUNT|always] the call returns STATUS, does nothing, writes nothing
//   latch CHANNEL WORD [CARRIER POSITION]  the raw latch word the channel reports (16 bits)
//   latch CHANNEL model [CARRIER POSITION] the channel's own latches again
//   clear [OPERATION]
//   stick CHANNEL STATE [CARRIER POSITION]  STATE -1 frees the channel
//   break CHANNEL [CARRIER POSITION]
//   repair CHANNEL [CARRIER POSITION]
//   visa missing|present
std::string fault_command(std::string_view line);

}  // namespace sim
