// Writes what the operator does as a script, so that a session at the panels replays headless as
// a regression scenario. Every backend delivers operator input through the run-time's automation
// entry points, and the recorder observes them there (uir::automation::set_observer).
//
// What it writes: each accepted action as its script line, each action refused as a person would
// be as `expect refused` and its line, a `wait` for the time between two actions, a `check popup`
// line after each popup, and for each answered confirmation an `answer` line before the action that
// raised it. That action is therefore held back until the next one comes, or until flush().
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "uir/automation.h"

namespace app {

class Recorder {
  public:
    using Sink = std::function<void(const std::string& line)>;
    using Clock = std::function<double()>;  // seconds: the run-time's clock

    Recorder(Sink sink, Clock clock);
    void observe(const uir::automation::Action& action);
    // Writes the lines held back.
    void flush();

  private:
    void write_line(const std::string& line);

    Sink sink_;
    Clock clock_;
    // The last action's lines: the answers it needed, the action, the popups it raised.
    std::vector<std::string> held_;
    std::size_t action_at_ = 0;  // index of the action line in held_
    bool holding_ = false;
    bool any_action_ = false;
    double last_action_ = 0;
};

// The script line for an action; empty for popups, and for an action on a panel or control that
// has no constant name (nothing could replay it).
std::string action_line(const uir::automation::Action& action);

}  // namespace app
