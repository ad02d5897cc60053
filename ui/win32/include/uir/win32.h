// The native Win32 view of the user-interface run-time: every panel a window with the system's
// controls, operator input through uir::automation, the steady clock, modal dialogs for the
// popups. No Win32 types here, so a program can choose the backend without including windows.h.
#pragma once

#include <memory>
#include <string>

#include "uir/backend.h"

namespace uir::win32 {

struct Options {
    std::string title_suffix;  // UTF-8, appended to every window title, e.g. " [симуляция]"
};

// Whether the system can make windows here (a desktop to show them on), checked before the view
// starts, so a program can refuse a windowed run it could not show. `why`, when given, receives
// the reason, in Russian.
bool display_available(std::string* why);

std::unique_ptr<uir::Backend> make_backend(const Options& options = {});

}  // namespace uir::win32
