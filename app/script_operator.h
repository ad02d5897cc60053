// What the script runner needs of the backend it plays on: a scripted operator that acts when the
// program waits for the operator, the popups shown so far, answers for the confirmations to come,
// and word when the run cannot go on. The headless backend has one; so has the Qt backend made for
// a script played in the windows, which also paces the steps for a watcher.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "uir/headless.h"

namespace app::script {

using Popup = uir::headless::Popup;

struct Operator {
    std::function<void(double delay, std::function<void()> step)> schedule;
    std::function<std::vector<Popup>()> popups;
    std::function<void(bool yes)> answer_confirm;
    std::function<void(std::function<void(const std::string& reason)>)> on_failure;
    // Seconds the control about to be operated stays marked before the action (0: no mark, no
    // pause).
    double step_delay = 0;
};

// The headless backend's operator: no pause between steps.
Operator headless_operator();

}  // namespace app::script
