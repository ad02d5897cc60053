// The headless backend (target uir_headless): no windows, scripted operator input and recorded
// popups, for tests and scripts, on the clock the program chooses with its bindings: virtual on
// the simulated crate, the steady clock on real hardware. A program runs headless only when it
// chooses so: uir::use_backend(uir::headless::make_backend()) before InitUserInterface. The
// functions below act on the headless backend that runs or is chosen; with any other backend, or
// none, they do nothing (now() is then Timer(), popups() empty, quit_requested() false).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "uir/backend.h"

namespace uir {

// Virtual clock: waiting advances it to the next due timer or scheduled action, Delay advances
// it. Steady clock: waiting sleeps until the next due timer or scheduled action, Delay sleeps;
// seconds are real seconds, as a real module runs them. Popups are recorded; confirmations are
// answered from a queue.
namespace headless {

enum class Clock { virtual_time, steady };

std::unique_ptr<Backend> make_backend(Clock clock = Clock::virtual_time);

double now();
// Moves the clock on (on the steady clock: sleeps that long); due timers tick at the next turn.
void advance(double seconds);

// Runs `action` when the virtual clock reaches now() + delay (0: at the next turn). Actions run
// inside event processing, before the callbacks of the turn, so a blocking loop (the front
// panel's run, a modal selection) sees them.
void schedule(double delay, std::function<void()> action);

struct Popup {
    std::string kind;  // "message" or "confirm"
    std::string title;
    std::string text;
    int answer;  // what the popup returned
};
const std::vector<Popup>& popups();
void clear_popups();
void answer_confirm(bool yes);  // queue the answer of the next ConfirmPopup

// What happens when a headless run cannot go on: a wait with nothing pending or scheduled, a
// confirmation with no answer queued, the virtual time limit reached. The default prints the
// reason to stderr and aborts, so a test fails clearly instead of hanging.
void on_failure(std::function<void(const std::string& reason)> handler);
void set_time_limit(double virtual_seconds);  // 0: no limit
// Whether QuitUserInterface was called in this run, and with what return code.
bool quit_requested(int* return_code = nullptr);

}  // namespace headless

}  // namespace uir
