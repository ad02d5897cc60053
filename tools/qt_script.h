// Scripted runs of the front panel on the Qt view, for the render tool and the CPU probe: the
// simulated crate bound in place of the system libraries, an instance opened on its QORM, and a
// script of steps that run from Qt timers while the front panel's own loop waits, the way an
// operator's input arrives.
#pragma once

#include "front_panel_sim.h"
#include "script_steps.h"

namespace tools {

class Script : public ScriptSteps {
  public:
    Script();
};

}  // namespace tools
