// The panels whose callbacks are running at this moment, outermost first. A callback that
// processes events runs further callbacks inside its own, so there can be several; a menu
// callback counts for the panel that carries the menu bar. The views place a popup over the
// panel whose callback raised it (ui/core/placement.h).
#pragma once

#include <span>

namespace uir {

std::span<const int> running_callback_panels();

}  // namespace uir
