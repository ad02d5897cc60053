// Evaluating a script's checks against the live panels and the popups shown so far.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "script.h"
#include "uir/headless.h"

namespace app::script {

struct CheckOutcome {
    bool held = false;
    std::string expected;  // as the transcript shows it
    std::string actual;
    std::string problem;  // set when the check cannot be made at all (no such control, ...)
};

// What a check may look at besides the panels: the popups so far (`popups_checked` counts those
// already checked; `check popup` takes the next one), the driver calls since the last action,
// and the program's exit status once it has ended.
struct CheckContext {
    const std::vector<uir::headless::Popup>* popups = nullptr;  // null: none so far
    std::size_t* popups_checked = nullptr;
    const std::vector<ExpectedCall>* calls = nullptr;  // null: calls are not logged
    bool program_ended = false;
    int program_exit = 0;
};

CheckOutcome evaluate_check(const Step& step, const CheckContext& context);

}  // namespace app::script
