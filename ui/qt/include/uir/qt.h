// The Qt 6 view of the user-interface run-time: every panel a window, operator input through
// uir::automation, the steady clock, modal message boxes. No Qt types here, so the program can
// choose the backend without including Qt.
#pragma once

#include <memory>
#include <string>

#include "uir/backend.h"

namespace uir::qt {

struct Options {
    std::string title_suffix;  // appended to every window title, e.g. " [симуляция]"
};

// Whether a display can be opened, checked before Qt is started (Qt aborts the process when its
// platform cannot start). `why`, when given, receives what is missing, in Russian.
bool display_available(std::string* why);

std::unique_ptr<uir::Backend> make_backend(const Options& options = {});

}  // namespace uir::qt
