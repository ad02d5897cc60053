// The recording fake: VISA, the module driver and the carrier driver as three tables that log
// every call with its arguments and answer from a script. Front-panel tests bind it instead of the
// system libraries.
//
// A typical test:
//
//     class MainPanel : public ::testing::Test {
//         void SetUp() override { fake::reset(); fake::bind_all(); }
//     };
//
//     TEST_F(MainPanel, ...) {
//         fake::module().states[6] = 3;                  // channel 7 reports state 3 ("X")
//         fake::fail("kelqorm_trig_state", VI_ERROR_TMO);  // the next latch read fails
//         ... operate the panel ...
//         EXPECT_EQ(fake::count("kelqorm_reset_trig"), 1);
//         EXPECT_EQ(fake::last("kelqorm_manual_cmd"), "kelqorm_manual_cmd(5, 7, 2, 1)");
//     }
//
// After fake::reset() the fake world is one working crate:
//   VISA     one resource, the carrier "VXI0::8::INSTR" (default_carrier): slot 2, logical
//            address 8, mainframe logical address 0, model code 0x10D, interface VXI 0 named
//            "VXI0 (VXI bus)". Sessions are numbered from 1 up, so a discovery opens the resource
//            manager as 1, its find list as 2 and the first instrument as 3.
//   carrier  kelbase_init opens a VISA session on the named resource and succeeds; a QORM
//            (type code 12) is fitted at position 1, positions 2-4 are empty.
//   module   kelqorm_init gives session 5; every operation succeeds; the module is idle (run flag
//            0, 30 states 0, 30 latch words 0); revisions "1.0" and "4.1"; self-test and
//            loop-back test pass and leave their texts untouched.
// Tests change what they need through fake::visa(), fake::carrier(), fake::module(), fake::fail()
// and fake::hooks(); the changes hold until the next reset().
//
// Arrays per channel hold channel 1 at index 0, like the front panel's own channel arrays:
// fake::module().states[6] is channel 7. Carrier positions likewise: positions[0] is position 1.
//
// How each call is answered, in this order:
//   1. It is logged first, so calls made from inside it (from a hook, or by the text callback of
//      the loop-back test) appear after it in the log.
//   2. Its arguments are checked: a null pointer, a channel outside 1-30 (0-30 where 0 means all
//      channels), a line code outside 0-2, an on flag or start mode outside 0-1, a position
//      outside 1-4, a code outside 0-2 in an array of 30 line codes. A bad argument is answered
//      with a negative status (driver: error_parameter(n); VISA: see the VISA section) and
//      nothing else happens: pointers are not touched and a scripted status is not used up.
//   3. A scripted status (fail()) is taken: a negative one is returned at once and the operation
//      has no effect (out-arguments untouched). A zero or positive one (a warning) lets the
//      operation take its effect, and is returned in place of the effect's own status unless
//      the effect failed (a warning never hides a failure).
//   4. The effect: the operation's hook when one is set, otherwise its default behaviour,
//      described beside each answer below.
//
// Call texts: the operation and its in-arguments, as platform/call_text.h writes them; out-
// arguments are left out, except that a null pointer passed for one is written null. Examples:
//     kelqorm_init("VXI0::8::INSTR", 1, 1)       kelqorm_connect(5, 3, 2, 1, 1)
//     kelqorm_manual_cmd(5, 7, 2, 1)             kelqorm_reset_trig(5, 0)
//     kelqorm_start(5, [1 1 0*28])               kelqorm_manual_group_cmd(5, 1, [2*30])
//     kelqorm_cmd_config(5, 3, 1, 0.5)           kelqorm_cmd_time_q(5, 4)
//     kelqorm_error_message(0, 0xBFFF0011)       kelqorm_sft_interface(5, callback)
//     kelqorm_state(5)                           kelqorm_state(5, null)
//     viFindRsrc(1, "?*VXI[0-9]*::?*INSTR")      viOpen(1, "VXI0::8::INSTR", 0, 0)
//     viGetAttribute(3, VI_ATTR_SLOT)            viClose(3)
//     kelbase_init("VXI0::8::INSTR", 1, 1)       kelbase_m_type_q(4, 2)
// In 30 codes, a run of three or more equal values is written value*count.
//
// Operation names, as fail(), count(), calls() and last() take them, are the system's:
// "viOpenDefaultRM", "viFindRsrc", "viFindNext", "viOpen", "viClose", "viGetAttribute",
// "kelqorm_init" ... "kelqorm_zqorm_test", "kelbase_init", "kelbase_m_type_q". An unknown name
// throws std::invalid_argument, so a misspelt name fails the test instead of matching nothing.
//
// The fake is for one thread, the test's.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bindings.h"
#include "kelbase.h"
#include "kelqorm.h"
#include "visa.h"

namespace fake {

// ---- Set-up ----------------------------------------------------------------------------------

// Clears the log, the scripted statuses and the hooks, closes every fake VISA session and puts
// every answer back to the defaults above. Does not change what is bound.
void reset();

// Binds the three fake tables (origin "fake", not simulated).
void bind_all();

// The three tables, e.g. to wrap one in platform::traced().
const platform::VisaApi* visa_table();
const platform::KelqormApi* kelqorm_table();
const platform::KelbaseApi* kelbase_table();

// ---- The log -----------------------------------------------------------------------------------

struct Call {
    std::string op;                 // "kelqorm_manual_cmd"
    std::vector<std::string> args;  // {"5", "7", "2", "1"}, each as in the text
    ViStatus status = 0;            // what the call returned
    std::string text;               // "kelqorm_manual_cmd(5, 7, 2, 1)"
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
// Forgets the log; scripted statuses and answers stay.
void clear_log();

// ---- Scripted statuses -------------------------------------------------------------------------

// The next `times` calls of `op` return `status` (times -1: every call until reset() or
// clear_failures()). A negative status means the call fails without effect; a positive one is a
// warning: the call takes effect and returns it. Scripts of one operation queue up: fail(op, A)
// then fail(op, B, 2) answers A, then B twice. times 0 scripts nothing.
void fail(std::string_view op, ViStatus status, int times = 1);
// Drops the scripted statuses of one operation, or of all without an argument.
void clear_failures(std::string_view op = {});

// The status a driver fake gives for a bad argument in parameter n (the session, or the first
// argument of kelqorm_init and kelbase_init, is parameter 1): VI_ERROR_PARAMETERn of the
// instrument-driver conventions, hex BFFC0000 + n.
constexpr ViStatus error_parameter(int n) {
    return static_cast<ViStatus>(0xBFFC0000u + static_cast<unsigned>(n));
}

// VISA's status for a buffer or out-pointer it cannot use (VI_ERROR_USER_BUF).
constexpr ViStatus error_user_buffer = static_cast<ViStatus>(0xBFFF0071u);

// ---- VISA
// ----------------------------------------------------------------------------------------

inline constexpr const char* default_carrier = "VXI0::8::INSTR";

struct Resource {
    std::string name;                               // as viFindRsrc lists it and viOpen takes it
    ViInt16 slot = 0;                               // VI_ATTR_SLOT
    ViInt16 logical_address = 0;                    // VI_ATTR_VXI_LA
    ViInt16 mainframe_la = 0;                       // VI_ATTR_MAINFRAME_LA
    ViUInt16 model_code = 0;                        // VI_ATTR_MODEL_CODE (all 16 bits)
    ViUInt16 manufacturer = 0;                      // VI_ATTR_MANF_ID
    ViUInt16 interface_type = VI_INTF_VXI;          // VI_ATTR_INTF_TYPE
    ViUInt16 interface_number = 0;                  // VI_ATTR_INTF_NUM
    std::string interface_name = "VXI0 (VXI bus)";  // VI_ATTR_INTF_INST_NAME, e.g. "TCPIP0 ..."
    std::optional<std::string> rsrc_name;           // VI_ATTR_RSRC_NAME; when unset, `name`
    // Attributes whose read answers with a status instead: negative, the value is not written;
    // positive, it is written and the warning returned.
    std::map<ViAttr, ViStatus> attribute_status;
};

struct Visa {
    // viFindRsrc lists all of them, in this order, whatever the expression (matching
    // expressions is the simulator's business); none gives VI_ERROR_RSRC_NFOUND.
    std::vector<Resource> resources;
    // The number the next session (resource manager, find list, instrument) gets.
    ViSession next_session = 1;
};

// What VISA answers (defaults above):
//   viOpenDefaultRM  a new resource-manager session.
//   viFindRsrc       on a resource-manager session: a new find list over a copy of the names,
//                    their count and the first name; no resources: VI_ERROR_RSRC_NFOUND with
//                    count 0. viFindNext gives the next name, then VI_ERROR_RSRC_NFOUND.
//   viOpen           on a resource-manager session, by name (compared case-insensitively): a
//                    new instrument session; an unknown name gives VI_ERROR_RSRC_NFOUND.
//   viGetAttribute   on an instrument session, the attributes of Resource, read from the
//                    resource list at the time of the call: the 16-bit ones write 2 bytes, the
//                    texts at most 256 bytes with the NUL. Another attribute, or a resource-
//                    manager or find-list session: VI_ERROR_NSUP_ATTR.
//   viClose          closes the object, and everything opened through a resource manager when
//                    it is one; 0 gives VI_WARN_NULL_OBJECT.
//   An unknown or closed session gives VI_ERROR_INV_OBJECT; a null out-pointer or buffer
//   error_user_buffer; a null expression VI_ERROR_INV_EXPR; a null name VI_ERROR_INV_RSRC_NAME.
Visa& visa();

// Opens a session on a resource the way the carrier driver would, without logging it: the
// carrier session a test hands to qorm_init. 0 when no resource has that name.
ViSession open_session(std::string_view resource_name = default_carrier);
// The sessions open now, in increasing order.
std::vector<ViSession> open_sessions();

// ---- Carrier driver --------------------------------------------------------------------------

struct Position {
    ViInt16 present = 0;  // what kelbase_m_type_q writes as the presence flag
    ViInt16 type = 0;     // ... and as the type code (KELQORM_TYPE_CODE for a QORM)
    ViStatus status = 0;  // negative: the query fails, nothing written; positive: a warning
};

struct Carrier {
    // When set, kelbase_init gives this session; otherwise it opens a VISA session on the named
    // resource (an unknown name gives VI_ERROR_RSRC_NFOUND).
    std::optional<ViSession> session;
    // kelbase_init's status: negative fails without a session, positive is a warning.
    ViStatus init_status = 0;
    // positions[0] is position 1.
    std::array<Position, KELBASE_POSITIONS> positions{};
};

Carrier& carrier();

// ---- Module driver
// -------------------------------------------------------------------------------

// One line the loop-back test sends through the installed text callback.
struct TextLine {
    std::string text;
    ViInt16 channel = 0;                   // 0: a line about the whole module
    ViInt32 kind = KELQORM_LINE_PROGRESS;  // or KELQORM_LINE_FAULT
};

struct Module {
    ViSession session = 5;        // what kelqorm_init gives
    ViStatus connect_status = 0;  // kelqorm_connect's status (positive: opened with faults)

    ViInt16 self_test_result = 0;
    std::optional<std::string> self_test_text;  // unset: the caller's text is left untouched

    // kelqorm_error_message's text per status; a status not listed gets "Ошибка XXXXXXXX" with
    // its eight hex digits, e.g. "Ошибка BFFF0011".
    std::map<ViStatus, std::string> error_texts;

    // kelqorm_revision_query's texts (cut to 71 bytes); unset: left untouched.
    std::optional<std::string> driver_revision = "1.0";
    std::optional<std::string> hardware_revision = "4.1";

    ViInt16 running = 0;                              // kelqorm_gstart_q's run flag
    std::array<ViInt16, KELQORM_CHANNELS> states{};   // kelqorm_state
    std::array<ViInt16, KELQORM_CHANNELS> latches{};  // kelqorm_trig_state; reset_trig clears

    // The time last configured per channel: kelqorm_cmd_config sets the channel's,
    // kelqorm_set_cmd_time sets the channel's or, for channel 0, all 30.
    std::array<double, KELQORM_CHANNELS> times{};
    // What kelqorm_cmd_time_q reports instead of `times`, for a channel whose entry is set
    // (a module that quantizes the time, say).
    std::array<std::optional<double>, KELQORM_CHANNELS> reported_times{};

    // The text callback installed by kelqorm_sft_interface (null: none).
    kelqorm_TextCallback text_callback = nullptr;

    // kelqorm_zqorm_test sends these lines through the installed text callback, in order (none
    // is sent when no callback is installed), then writes the result and the text.
    std::vector<TextLine> loopback_lines;
    ViInt16 loopback_result = 0;
    std::optional<std::string> loopback_text;  // unset: left untouched
};

// What the module driver answers (defaults above; on top of the argument checks):
//   kelqorm_init            writes `session`.      kelqorm_connect      returns connect_status.
//   kelqorm_self_test       result, text.          kelqorm_error_message  error text.
//   kelqorm_revision_query  the two revisions.     kelqorm_gstart_q     `running`.
//   kelqorm_state           `states`.              kelqorm_trig_state   `latches`.
//   kelqorm_cmd_config, kelqorm_set_cmd_time       store into `times`.
//   kelqorm_cmd_time_q      reported_times, else `times`, of the channel.
//   kelqorm_reset_trig      clears the channel's latch word, or all 30 for channel 0.
//   kelqorm_sft_interface   stores the callback.   kelqorm_zqorm_test   see loopback_lines.
//   The others (close, reset, manual_cmd, manual_group_cmd, config_trigger, set_line, start,
//   stop) only log and return 0: the fake does not model the module; tests script what it
//   reports. Sessions are not checked: the front panel may call with session 0.
Module& module();

// Sends one line through the installed text callback, as the driver does during the loop-back
// test (for hooks). Returns the callback's status, or 0 when none is installed.
ViStatus send_line(ViSession vi, const TextLine& line);

// ---- Hooks -------------------------------------------------------------------------------------

// A hook replaces one operation's default effect (step 4 above) and gives its status. Arguments
// have been checked already. Set one to empty to go back to the default.
struct Hooks {
    std::function<ViStatus(ViSession*)> viOpenDefaultRM;
    std::function<ViStatus(ViSession, ViConstString, ViFindList*, ViUInt32*, ViChar*)> viFindRsrc;
    std::function<ViStatus(ViFindList, ViChar*)> viFindNext;
    std::function<ViStatus(ViSession, ViConstRsrc, ViAccessMode, ViUInt32, ViSession*)> viOpen;
    std::function<ViStatus(ViObject)> viClose;
    std::function<ViStatus(ViObject, ViAttr, void*)> viGetAttribute;

    std::function<ViStatus(ViRsrc, ViBoolean, ViBoolean, ViSession*)> kelqorm_init;
    std::function<ViStatus(ViSession, ViSession, ViUInt16, ViBoolean, ViBoolean)> kelqorm_connect;
    std::function<ViStatus(ViSession)> kelqorm_close;
    std::function<ViStatus(ViSession)> kelqorm_reset;
    std::function<ViStatus(ViSession, ViInt16*, ViChar*)> kelqorm_self_test;
    std::function<ViStatus(ViSession, ViStatus, ViChar*)> kelqorm_error_message;
    std::function<ViStatus(ViSession, ViChar*, ViChar*)> kelqorm_revision_query;
    std::function<ViStatus(ViSession, ViInt16, ViUInt16, ViInt16)> kelqorm_manual_cmd;
    std::function<ViStatus(ViSession, ViInt16, ViInt16*)> kelqorm_manual_group_cmd;
    std::function<ViStatus(ViSession, ViInt16, ViUInt16, ViReal64)> kelqorm_cmd_config;
    std::function<ViStatus(ViSession, ViInt16, ViReal64)> kelqorm_set_cmd_time;
    std::function<ViStatus(ViSession, ViInt16, ViReal64*)> kelqorm_cmd_time_q;
    std::function<ViStatus(ViSession, ViInt16)> kelqorm_config_trigger;
    std::function<ViStatus(ViSession, ViInt16, ViUInt16)> kelqorm_set_line;
    std::function<ViStatus(ViSession, ViInt16*)> kelqorm_start;
    std::function<ViStatus(ViSession)> kelqorm_stop;
    std::function<ViStatus(ViSession, ViInt16*)> kelqorm_gstart_q;
    std::function<ViStatus(ViSession, ViInt16*)> kelqorm_state;
    std::function<ViStatus(ViSession, ViInt16*)> kelqorm_trig_state;
    std::function<ViStatus(ViSession, ViInt16)> kelqorm_reset_trig;
    std::function<ViStatus(ViSession, kelqorm_TextCallback)> kelqorm_sft_interface;
    std::function<ViStatus(ViSession, ViInt16*, ViChar*)> kelqorm_zqorm_test;

    std::function<ViStatus(ViRsrc, ViBoolean, ViBoolean, ViSession*)> kelbase_init;
    std::function<ViStatus(ViSession, ViUInt16, ViInt16*, ViInt16*)> kelbase_m_type_q;
};

// A hook that throws makes its call return VI_ERROR_SYSTEM_ERROR.
Hooks& hooks();

}  // namespace fake
