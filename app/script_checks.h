// Evaluating a script's checks against the live panels and the popups shown so far.
#pragma once

#include <cstddef>
#include <string>

#include "script.h"

namespace app::script {

struct CheckOutcome {
    bool held = false;
    std::string expected;  // as the transcript shows it
    std::string actual;
    std::string problem;  // set when the check cannot be made at all (no such control, ...)
};

// `popups_checked` counts the popups already checked; `check popup` takes the next one.
CheckOutcome evaluate_check(const Step& step, std::size_t* popups_checked);

}  // namespace app::script
