// The headless backend: no windows, a virtual clock, scripted operator input and popups. Tests
// and scripts use it through the uir::headless functions (uir/headless.h); a test that needs to
// watch the run-time's notifications derives from HeadlessBackend and hands an instance to
// uir::use_backend.
//
// Time: the clock starts at 0. On the virtual clock it moves only when the program waits
// (ProcessSystemEventsWaiting, Delay) or a test advances it. A wait goes straight to the next due
// timer or scheduled action. A program that polls with ProcessSystemEvents in a loop is waiting
// too, in effect: after kIdleTurnsBeforeWait turns in a row with nothing to do, the clock moves on
// as for a wait. On the steady clock time runs by itself: a wait sleeps until the next due timer
// or scheduled action (no spinning: nothing else can arrive headless), Delay sleeps, and a polling
// loop's idle turns are just turns.
//
// Failures: a wait with nothing pending, no timer enabled and nothing scheduled; a confirmation
// with no answer queued; the time limit reached. Each is reported to the failure handler (by
// default: the reason on stderr, then abort). If the program keeps waiting for nothing after the
// handler has returned, kStuckFailuresBeforeAbort reports without progress end the run with
// abort() rather than let it spin for ever.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "uir/backend.h"
#include "uir/headless.h"

namespace uir::headless {

class HeadlessBackend : public Backend {
  public:
    static constexpr ScreenSize kScreen{1920, 1080};
    static constexpr int kIdleTurnsBeforeWait = 1000;
    static constexpr int kStuckFailuresBeforeAbort = 16;

    explicit HeadlessBackend(Clock clock = Clock::virtual_time);

    int start() override { return 0; }
    void quit(int return_code) override;
    double now() const override;
    void collect_input() override;
    int wait(double deadline) override;
    bool idle_turn(double next_due) override;
    int delay(double seconds) override;
    int message_popup(const std::string& title, const std::string& text) override;
    int confirm_popup(const std::string& title, const std::string& text) override;
    ScreenSize screen_size() const override { return kScreen; }

    // The controls behind the uir::headless functions.
    int advance(double seconds);
    void schedule(double delay, std::function<void()> action);
    const std::vector<Popup>& popups() const { return popups_; }
    void clear_popups() { popups_.clear(); }
    void answer_confirm(bool yes) { answers_.push_back(yes); }
    void on_failure(std::function<void(const std::string&)> handler);
    void set_time_limit(double virtual_seconds);
    bool quit_requested(int* return_code) const;
    Clock clock() const { return clock_; }

  protected:
    // `stuck`: the program has nothing left to wait for (as opposed to an unanswered popup).
    void fail(const std::string& reason, bool stuck);

  private:
    struct Scheduled {
        double due;
        std::uint64_t seq;
        std::function<void()> action;
    };
    // What counts as progress between two turns or two failures.
    struct Stamp {
        std::uint64_t dispatched = 0;
        std::uint64_t actions = 0;
        double now = -1;
        bool operator==(const Stamp&) const = default;
    };
    Stamp stamp() const;
    int move_clock_to(double t);
    double earliest_scheduled() const;

    Clock clock_;
    std::chrono::steady_clock::time_point origin_;  // the steady clock's 0
    double now_ = 0;                                // the virtual clock
    double limit_ = 0;
    std::vector<Scheduled> scheduled_;  // ordered by due time, then by order of scheduling
    std::uint64_t next_seq_ = 0;
    std::uint64_t actions_run_ = 0;
    std::vector<Popup> popups_;
    std::deque<bool> answers_;
    std::function<void(const std::string&)> failure_;
    int idle_turns_ = 0;
    Stamp idle_stamp_;
    int stuck_failures_ = 0;
    Stamp stuck_stamp_;
    bool quit_ = false;
    int quit_code_ = 0;
};

}  // namespace uir::headless
