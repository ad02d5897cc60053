// The headless backend a script runs on. A script is a person at the panels: it acts when the
// program waits for the operator, never while a callback is still at work. So the scheduled
// steps run only in turns that wait (the front panel's loop, the selection panel, a modal wait,
// a host's loop), and not in a turn a callback takes to draw its panel before blocking (the
// connector test does): a step after an action sees the action's callback finished.
#pragma once

#include "uir/headless_backend.h"

namespace app::script {

class ScriptBackend : public uir::headless::HeadlessBackend {
  public:
    explicit ScriptBackend(uir::headless::Clock clock = uir::headless::Clock::virtual_time)
        : HeadlessBackend(clock) {}
    void collect_input() override;
    int wait(double deadline) override;

  private:
    bool waited_ = false;  // this turn has waited: the program is at rest
};

}  // namespace app::script
