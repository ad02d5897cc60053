#include "script_steps.h"

#include <cmath>

namespace tools {

ScriptSteps& ScriptSteps::then(double delay, std::function<void()> step) {
    steps_.push_back({delay, [step = std::move(step)] {
                          step();
                          return true;
                      }});
    return *this;
}

ScriptSteps& ScriptSteps::until(double delay, std::function<bool()> step) {
    steps_.push_back({delay, std::move(step)});
    return *this;
}

void ScriptSteps::start() {
    if (steps_.empty()) return;
    single_shot_(static_cast<int>(std::lround(steps_.front().delay * 1000)), [this] { next(); });
}

void ScriptSteps::next() {
    if (steps_.empty()) return;
    if (steps_.front().run()) steps_.pop_front();
    start();
}

}  // namespace tools
