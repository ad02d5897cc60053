// Look-ups in the registries of layouts and callbacks (the registration calls are in
// uir/layout.h and uir/callbacks.h).
#pragma once

#include <string_view>

#include "uir/callbacks.h"
#include "uir/layout.h"

namespace uir::core {

// The layout registered under `file_name`, or under its base name when it is a path.
const LayoutSpec* find_layout(std::string_view file_name);

}  // namespace uir::core
