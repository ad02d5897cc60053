// Runs a script against the live program. The steps are handed to the program's own event
// processing through the scripted operator's schedule (the headless backend's, or that of the Qt
// backend made for a script played in the windows), one step a turn, so the blocking loops (the
// front panel's run, the selection panel, a host's loop) see them as they would see a person.
// Each step prints one transcript line. The first check that does not hold, or the first action
// the program refuses, ends the script with exit status 1; the end of the script ends it with 0.
//
// Timing: an action's step is followed by the next step at the next turn that waits, when the
// action's callback has run. `wait S` lets the program run until S seconds after the last action
// (or the end of the last wait), so a recorded session replays with the gaps it had.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "script.h"
#include "script_operator.h"
#include "script_target.h"

namespace app::script {

class CallLog;

inline constexpr int kPassed = 0;
inline constexpr int kFailed = 1;

class Runner {
  public:
    using Print = std::function<void(const std::string& line)>;
    // Called once, when the script has ended while the program still runs: with kPassed after
    // the last step, kFailed at the first failure. The program should end then.
    using End = std::function<void(int exit_status)>;

    Runner(Script script, Print print, End end, Operator op = headless_operator());
    ~Runner();
    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

    // Runs the leading fault and answer lines now, before the program starts: faults that must
    // be in place for the start-up (discovery, opening the carrier).
    void run_prologue();
    // Hands the remaining steps to the program's event processing and watches the headless
    // backend's failures (a confirmation nobody answered). Call before the program's first turn.
    void start();
    // The program has ended by itself. The remaining lines run now: checks of what is left
    // (popups, the caller's panel shown again); an action fails, as the program is gone.
    // `program_exit` is the status the program's run gave, for `check exit`. Returns the exit
    // status.
    int program_ended(int program_exit = 0);
    // The driver calls `check calls` looks at; without a log such checks fail clearly.
    void set_call_log(CallLog* log) { call_log_ = log; }

    bool finished() const { return finished_; }
    int exit_status() const { return exit_status_; }

  private:
    void run_steps();
    // Each returns false when the script must stop.
    bool run_action(const Step& step);
    Target target_of(const Step& step);
    void mark_target(const Step& step);
    bool run_check(const Step& step);
    bool run_answer(const Step& step);
    bool run_fault(const Step& step);
    bool answers_used(bool at_end);
    std::size_t confirms_so_far();
    void note_baseline();
    void schedule(double delay);
    void print(const Step& step, const std::string& outcome);
    void fail(const Step& step, const std::string& reason);
    void finish(int exit_status);
    void headless_failure(const std::string& reason);

    Script script_;
    Print print_;
    End end_;
    std::size_t next_ = 0;           // index of the next step
    const Step* current_ = nullptr;  // the step running or last run
    bool finished_ = false;
    bool program_gone_ = false;
    int exit_status_ = kPassed;
    double mark_ = 0;  // when the last action was made or the last wait ended
    bool marked_ = false;
    const Step* waiting_ = nullptr;  // a wait whose time is running
    std::size_t popups_checked_ = 0;
    // The answer lines run so far; the confirmations since the script began take them in turn.
    std::vector<const Step*> answers_;
    std::size_t confirms_before_ = 0;
    bool counted_confirms_ = false;
    bool acted_since_answer_ = false;
    int checks_ = 0;
    int program_exit_ = 0;
    CallLog* call_log_ = nullptr;
    Operator operator_;
    const Step* marked_step_ = nullptr;  // the action step whose control is marked now
    int actions_ = 0;
    // Scheduled steps and the failure handler outlive nothing: they look at this first.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace app::script
