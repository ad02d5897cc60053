// Runs scripts on the headless run-time against a small layout of its own ("script_test.uir"):
// panel TP with one operable control of each kind, a dimmed, a hidden and an indicator control,
// a timer, a menu bar, and a second panel TQ that starts hidden. The callbacks write what
// happened into TP_MSG and the log, so a test sees both the script's transcript and the
// program's side of each step.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "headless_test.h"
#include "script.h"
#include "script_operator.h"

namespace script_test {

// Control ids of the test layout.
enum : int {
    TP = 1,
    TQ = 2,
    TP_GO = 2,
    TP_DIM,
    TP_HIDDEN,
    TP_LAMP,
    TP_SWITCH,
    TP_TIME,
    TP_COUNT,
    TP_NAME,
    TP_MSG,
    TP_RING,
    TP_LIST,
    TP_BOX,
    TP_TIMER,
    TP_TICKS,
    TP_BUSY,
    TP_NOTE,
    TP_QUIT,
    TQ_OK = 2,
};
enum : int { TPMNU_FILE = 2, TPMNU_FILE_ASK = 3, TPMNU_FILE_OFF = 4 };

// What the test program's callbacks did, in order ("TP_GO commit", "tick", "ask yes").
std::vector<std::string>& program_log();
// Set by TP_QUIT: the test program's loop ends as a program that ends on its own.
bool& program_quit();

class ScriptTest : public test_support::HeadlessTest {
  protected:
    void SetUp() override;
    std::unique_ptr<uir::Backend> make_backend() override;

    // Parses `text` (failing the test when it cannot), runs it against the shown panel TP until
    // the script ends, and returns the exit status; the transcript is in `transcript`.
    int run(const std::string& text, bool simulated = false);
    // The same with a scripted operator of the test's own (a paced one, a recording one).
    int run_with(const std::string& text, app::script::Operator op);
    // The transcript line of a script line, or "" when there is none.
    std::string line_of(int number) const;
    std::string last_line() const { return transcript.empty() ? "" : transcript.back(); }
    // Starts the test program afresh: new panels TP (shown) and TQ, counters at 0.
    void reload();

  private:
    int run_script(const std::string& text, bool simulated, app::script::Operator op);

  protected:

    std::vector<std::string> transcript;
    int tp = 0;
    int tq = 0;
};

// Everything the operator can see on the live panels: each panel's title and visibility, each
// control's value, dimmed and visible state. Two runs that end alike give the same text.
std::string snapshot();

// A test name made of a script line: its ASCII letters and digits, each run of anything else as
// one '_', and the case's index so that names stay unique.
std::string case_name(std::string_view text, std::size_t index);

}  // namespace script_test
