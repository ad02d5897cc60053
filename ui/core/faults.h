// Which controls show a fault, so both views draw them in a warning colour: a channel whose
// state is "X", a self-test whose result is not 0. The layout marks the controls
// (CtrlSpec::fault_text, CtrlSpec::fault_if_nonzero); the rule reads the value the control
// shows, so a view asks it only when that value changes, never on an unchanged poll.
#pragma once

#include "uir/model.h"

namespace uir::rules {

bool shows_fault(const Control& c);

}  // namespace uir::rules
