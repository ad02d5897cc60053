#include "uir/headless_backend.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "userint.h"

namespace uir::headless {

namespace {

[[noreturn]] void print_and_abort(const std::string& reason) {
    std::fprintf(stderr, "uir headless: %s\n", reason.c_str());
    std::fflush(stderr);
    std::abort();
}

std::string seconds_text(double s) {
    std::ostringstream out;
    out << s << " s";
    return out.str();
}

}  // namespace

HeadlessBackend::HeadlessBackend(Clock clock)
    : clock_(clock), origin_(std::chrono::steady_clock::now()) {}

double HeadlessBackend::now() const {
    if (clock_ == Clock::virtual_time) return now_;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - origin_).count();
}

void HeadlessBackend::quit(int return_code) {
    quit_ = true;
    quit_code_ = return_code;
}

bool HeadlessBackend::quit_requested(int* return_code) const {
    if (quit_ && return_code) *return_code = quit_code_;
    return quit_;
}

// On the steady clock time passing is no progress: only events and actions are.
HeadlessBackend::Stamp HeadlessBackend::stamp() const {
    return {events_dispatched(), actions_run_, clock_ == Clock::virtual_time ? now_ : -1};
}

// Actions scheduled while these run, even for now, wait for the next turn: a script that keeps
// rescheduling itself cannot hold a turn for ever.
void HeadlessBackend::collect_input() {
    const std::uint64_t before = next_seq_;
    const double t = now();
    while (!scheduled_.empty() && scheduled_.front().due <= t && scheduled_.front().seq < before) {
        std::function<void()> action = std::move(scheduled_.front().action);
        scheduled_.erase(scheduled_.begin());
        ++actions_run_;
        try {
            action();
        } catch (...) {
            fail("a scheduled action ended with an exception", false);
        }
    }
}

double HeadlessBackend::earliest_scheduled() const {
    return scheduled_.empty() ? kNever : scheduled_.front().due;
}

int HeadlessBackend::move_clock_to(double t) {
    if (limit_ > 0 && t > limit_) {
        fail("the virtual time limit of " + seconds_text(limit_) + " is reached (the program " +
                 "wanted to go on to " + seconds_text(t) + ")",
             true);
        return UIE_TIME_LIMIT;
    }
    if (clock_ == Clock::steady) {
        const double left = t - now();
        // Rounded up, so the sleep never ends before the time it was for.
        if (left > 0)
            std::this_thread::sleep_for(
                std::chrono::ceil<std::chrono::microseconds>(std::chrono::duration<double>(left)));
    } else if (t > now_) {
        now_ = t;
    }
    return 0;
}

int HeadlessBackend::wait(double deadline) {
    const double next = std::min(deadline, earliest_scheduled());
    if (next == kNever) {
        fail("the program waits for events at " + seconds_text(now()) +
                 ", but nothing is pending, no timer is enabled and nothing is scheduled",
             true);
        return UIE_WAIT_NEVER_ENDS;
    }
    return move_clock_to(next);
}

bool HeadlessBackend::idle_turn(double next_due) {
    if (clock_ == Clock::steady) return false;
    const Stamp s = stamp();
    if (!(s == idle_stamp_)) {
        idle_stamp_ = s;
        idle_turns_ = 0;
    }
    if (++idle_turns_ < kIdleTurnsBeforeWait) return false;
    idle_turns_ = 0;
    return wait(next_due) == 0;
}

int HeadlessBackend::delay(double seconds) {
    return move_clock_to(now() + seconds);
}

int HeadlessBackend::advance(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0) return UIE_OUT_OF_RANGE;
    return move_clock_to(now() + seconds);
}

void HeadlessBackend::schedule(double delay, std::function<void()> action) {
    if (!action) return;
    if (!std::isfinite(delay) || delay < 0) delay = 0;
    Scheduled s{now() + delay, next_seq_++, std::move(action)};
    auto pos = std::upper_bound(scheduled_.begin(), scheduled_.end(), s,
                                [](const Scheduled& a, const Scheduled& b) {
                                    return a.due < b.due || (a.due == b.due && a.seq < b.seq);
                                });
    scheduled_.insert(pos, std::move(s));
}

int HeadlessBackend::message_popup(const std::string& title, const std::string& text) {
    popups_.push_back({"message", title, text, 0});
    return 0;
}

// Without a queued answer the confirmation fails the run and is answered "no", the answer that
// leaves things as they are.
int HeadlessBackend::confirm_popup(const std::string& title, const std::string& text) {
    int answer = 0;
    if (answers_.empty()) {
        fail("ConfirmPopup \"" + title + "\" (\"" + text + "\") has no answer queued", false);
    } else {
        answer = answers_.front() ? 1 : 0;
        answers_.pop_front();
    }
    popups_.push_back({"confirm", title, text, answer});
    return answer;
}

void HeadlessBackend::on_failure(std::function<void(const std::string&)> handler) {
    failure_ = std::move(handler);
}

void HeadlessBackend::set_time_limit(double virtual_seconds) {
    limit_ = std::isfinite(virtual_seconds) && virtual_seconds > 0 ? virtual_seconds : 0;
}

void HeadlessBackend::fail(const std::string& reason, bool stuck) {
    if (stuck) {
        const Stamp s = stamp();
        if (!(s == stuck_stamp_)) {
            stuck_stamp_ = s;
            stuck_failures_ = 0;
        }
        if (++stuck_failures_ > kStuckFailuresBeforeAbort)
            print_and_abort("the program keeps waiting after the failure: " + reason);
    }
    if (failure_)
        failure_(reason);
    else
        print_and_abort(reason);
}

// ---- The uir::headless functions --------------------------------------------------------------

namespace {

// The headless backend in use or chosen; null with any other backend, or none. Nothing here
// chooses the headless backend on a program's behalf: only use_backend does.
HeadlessBackend* current() {
    return dynamic_cast<HeadlessBackend*>(active_backend());
}

}  // namespace

std::unique_ptr<Backend> make_backend(Clock clock) {
    return std::make_unique<HeadlessBackend>(clock);
}

double now() {
    HeadlessBackend* b = current();
    return b ? b->now() : Timer();
}

void advance(double seconds) {
    if (HeadlessBackend* b = current()) b->advance(seconds);
}

void schedule(double delay, std::function<void()> action) {
    if (HeadlessBackend* b = current()) b->schedule(delay, std::move(action));
}

const std::vector<Popup>& popups() {
    static const std::vector<Popup> none;
    HeadlessBackend* b = current();
    return b ? b->popups() : none;
}

void clear_popups() {
    if (HeadlessBackend* b = current()) b->clear_popups();
}

void answer_confirm(bool yes) {
    if (HeadlessBackend* b = current()) b->answer_confirm(yes);
}

void on_failure(std::function<void(const std::string& reason)> handler) {
    if (HeadlessBackend* b = current()) b->on_failure(std::move(handler));
}

void set_time_limit(double virtual_seconds) {
    if (HeadlessBackend* b = current()) b->set_time_limit(virtual_seconds);
}

bool quit_requested(int* return_code) {
    HeadlessBackend* b = current();
    return b && b->quit_requested(return_code);
}

}  // namespace uir::headless
