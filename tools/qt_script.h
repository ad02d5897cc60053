// Scripted runs of the front panel on the Qt view, for the render tool and the CPU probe: the
// simulated crate bound in place of the system libraries, an instance opened on its QORM, and a
// script of steps that run from Qt timers while the front panel's own loop waits, the way an
// operator's input arrives.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "qorm.h"

namespace tools {

// Binds the built-in simulated crate (VISA and both drivers) on the run-time's clock.
void bind_simulated_crate();

// Opens the carrier of the built-in crate and the QORM on it; null (with *error set) on failure.
// The run-time must be started.
ModuleInstance* open_simulated_module(std::string* error);

// Steps run one after the other, each `delay` seconds after the previous one has returned. A step
// that returns false is tried again after the same delay (waiting for a window to appear).
class Script {
  public:
    Script& then(double delay, std::function<void()> step);
    Script& until(double delay, std::function<bool()> step);
    void start();

  private:
    struct Step {
        double delay;
        std::function<bool()> run;
    };
    void next();
    std::deque<Step> steps_;
};

}  // namespace tools
