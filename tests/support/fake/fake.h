// The recording fake: VISA, the module driver and the carrier driver as three tables that log
// every call (its arguments, its status and the out-values it left) and pass it on to the
// simulated crate, which answers it. Behaviour, argument checks and faults are the simulator's
// (sim/sim.h, sim/faults.h); the fake adds the log, statuses scripted per operation and hooks
// that stand in for an operation. Front-panel tests bind it instead of the system libraries.
//
// A typical test:
//
//     class MainPanel : public ::testing::Test {
//         void SetUp() override {
//             fake::reset();
//             fake::bind_all();
//             session = fake::open_module(fake::open_session());  // module session 5
//         }
//     };
//
//     TEST_F(MainPanel, ...) {
//         sim::fitted("", 0)->readback.states[6] = 3;      // channel 7 reports state 3 ("X")
//         fake::fail("kelqorm_trig_state", VI_ERROR_TMO);  // the next latch read fails
//         ... operate the panel ...
//         EXPECT_EQ(fake::count("kelqorm_reset_trig"), 1);
//         EXPECT_EQ(fake::last("kelqorm_manual_cmd"), "kelqorm_manual_cmd(5, 7, 2, 1)");
//     }
//
// After fake::reset() the simulator holds fake::default_crate() and has no clock, so time stands
// still and nothing changes but what the calls change. The crate is changed through sim's own
// interface (sim::install, sim::fitted, sim::driver); the changes hold until the next reset().
//
// How each call is answered, in this order:
//   1. It is logged first, so calls made from inside it (from a hook, or by the text callback of
//      the loop-back test) appear after it in the log.
//   2. With a hook set for its operation, the hook answers it in the operation's place, taking
//      the operation's scripted status as the simulator would: a failure is returned without
//      calling the hook, a warning is returned in place of the hook's success.
//   3. Otherwise the simulated library answers it, scripted statuses included.
//   4. Its status and, unless the status is negative, its out-values go into its log record.
//
// Call texts: the operation and its in-arguments, as platform/call_text.h writes them; out-
// arguments are left out, except that a null pointer passed for one is written null. Examples:
//     kelqorm_init("VXI0::8::INSTR", 1, 1)       kelqorm_connect(5, 3, 2, 1, 1)
//     kelqorm_manual_cmd(5, 7, 2, 1)             kelqorm_reset_trig(5, 0)
//     kelqorm_start(5, [1 1 0*28])               kelqorm_manual_group_cmd(5, 1, [2*30])
//     kelqorm_error_message(0, 0xBFFF0011)       kelqorm_sft_interface(5, callback)
//     kelqorm_state(5)                           kelqorm_state(5, null)
//     viFindRsrc(1, "?*VXI[0-9]*::?*INSTR")      viGetAttribute(3, VI_ATTR_SLOT)
// In 30 codes, a run of three or more equal values is written value*count.
//
// Operation names, as fail(), count(), calls() and last() take them, are the system's
// (platform::kOperationNames). An unknown name throws std::invalid_argument, so a misspelt name
// fails the test instead of matching nothing.
//
// The fake is for one thread, the test's.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bindings.h"
#include "sim/sim.h"

namespace fake {

// ---- Set-up ----------------------------------------------------------------------------------

inline constexpr const char* default_carrier = "VXI0::8::INSTR";

// The crate of every test: one carrier, default_carrier, at slot 2 of mainframe 0 (logical
// address 8, model code 0x10D, interface "VXI0 (VXI bus)"), with a QORM of hardware revision
// "4.1" at each of its four positions; driver revision "1.0"; module sessions counted from 5.
sim::Crate default_crate();

// Clears the log and the hooks, and installs default_crate() without a clock: every session is
// closed, every scripted status dropped. Does not change what is bound.
void reset();

// Binds the three recording tables (origin "fake", not simulated).
void bind_all();

// The three tables, e.g. to wrap one in platform::traced().
const platform::VisaApi* visa_table();
const platform::KelqormApi* kelqorm_table();
const platform::KelbaseApi* kelbase_table();

// Opens a session on an instrument the way the carrier driver does, past the log: the carrier
// session a test hands to qorm_init. 0 when there is no such instrument.
ViSession open_session(std::string_view resource_name = default_carrier);
// Opens and connects a module session on the QORM at `mezzanine` of the carrier of `carrier`
// (a session from open_session), past the log, as qorm_init would. 0 when it cannot.
ViSession open_module(ViSession carrier, ViUInt16 mezzanine = 2);
// The VISA objects open now, in increasing order.
std::vector<ViSession> open_sessions();

// ---- The log -----------------------------------------------------------------------------------

struct Call {
    std::string op;                 // "kelqorm_manual_cmd"
    std::vector<std::string> args;  // {"5", "7", "2", "1"}, each as in the text
    ViStatus status = 0;            // what the call returned
    std::string text;               // "kelqorm_manual_cmd(5, 7, 2, 1)"
    std::vector<std::string> outs;  // the out-values it left, as a trace shows them
};

// Every call since the last reset() or clear_log(), in order.
const std::vector<Call>& log();
// The texts of every call, or of the calls of one operation.
std::vector<std::string> calls();
std::vector<std::string> calls(std::string_view op);
// The calls of one operation as records.
std::vector<Call> records(std::string_view op);
// How many times an operation was called.
int count(std::string_view op);
// The text of the last call of an operation (of any operation without an argument); empty when
// there was none.
std::string last(std::string_view op = {});
// Forgets the log; scripted statuses, hooks and the crate stay.
void clear_log();

// ---- Scripted statuses -------------------------------------------------------------------------

// The next `times` calls of `op` return `status` (times -1: every call until reset() or
// clear_failures()), as the simulator's injected faults: a negative status fails the call before
// its arguments are looked at, without effect; a zero or positive one lets the call take effect
// and is returned unless the call failed. Scripts of one operation queue up: fail(op, A) then
// fail(op, B, 2) answers A, then B twice. times 0 scripts nothing.
void fail(std::string_view op, ViStatus status, int times = 1);
// Drops the scripted statuses of one operation, or of all without an argument.
void clear_failures(std::string_view op = {});

// ---- Hooks -------------------------------------------------------------------------------------

// A hook answers its operation's calls in the simulator's place (step 2 above). Set one to empty
// to let the simulator answer again. A hook that throws makes its call return
// VI_ERROR_SYSTEM_ERROR.
#define QORM_FAKE_HOOK(ret, name, field, ...) std::function<ret(QORM_TYPES(__VA_ARGS__))> name;
struct Hooks {
    QORM_VISA_OPERATIONS(QORM_FAKE_HOOK)
    QORM_KELQORM_OPERATIONS(QORM_FAKE_HOOK)
    QORM_KELBASE_OPERATIONS(QORM_FAKE_HOOK)
};
#undef QORM_FAKE_HOOK

Hooks& hooks();

}  // namespace fake
