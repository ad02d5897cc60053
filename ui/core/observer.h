// The automation observer (uir::automation::set_observer), told of every accepted operator
// action and every answered popup. Internal to ui/core.
#pragma once

#include "uir/automation.h"

namespace uir::core {

// Calls the observer, if there is one. An exception from it goes no further.
void notify_observer(const automation::Action& action) noexcept;

}  // namespace uir::core
