// Steps that run one after the other from the view's own timers while the front panel's loop
// waits, the way an operator's input arrives. Each view supplies its single-shot timer.
#pragma once

#include <deque>
#include <functional>

namespace tools {

class ScriptSteps {
  public:
    // Runs `fn` once, `ms` milliseconds from now, from the view's event loop.
    using SingleShot = std::function<void(int ms, std::function<void()> fn)>;

    explicit ScriptSteps(SingleShot single_shot) : single_shot_(std::move(single_shot)) {}

    // Each step runs `delay` seconds after the previous one has returned. A step that returns
    // false is tried again after the same delay (waiting for a window to appear).
    ScriptSteps& then(double delay, std::function<void()> step);
    ScriptSteps& until(double delay, std::function<bool()> step);
    void start();

  private:
    struct Step {
        double delay;
        std::function<bool()> run;
    };
    void next();
    SingleShot single_shot_;
    std::deque<Step> steps_;
};

}  // namespace tools
