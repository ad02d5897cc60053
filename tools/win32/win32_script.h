// Scripted runs of the front panel on the Win32 view, for the render tool, the CPU probe and the
// view's end-to-end tests: steps that run from Win32 timers (delivered by the view's own message
// loop, or by a popup's) while the front panel's loop waits, the way an operator's input arrives.
#pragma once

#include <windows.h>

#include "front_panel_sim.h"
#include "script_steps.h"

namespace tools {

class Win32Script : public ScriptSteps {
  public:
    Win32Script();
};

// Presses the button `id` (IDOK, IDYES, IDNO) of the popup on the screen; false when no popup
// is up yet.
bool answer_popup(int id);

}  // namespace tools
