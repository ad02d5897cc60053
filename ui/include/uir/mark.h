// The control a scripted operator is about to operate. A script played in the windows marks it a
// moment before acting, so that a person watching can follow; each view draws the mark in its own
// way (a frame around the control). Headless nothing draws it. The mark is the run-time's, not a
// view's, so every view shows the same one.
#pragma once

#include <functional>

namespace uir::mark {

struct Marked {
    int panel = 0;  // 0: nothing is marked
    int control = 0;
};

// Marks the control (control 0: the panel itself, for a close or a menu item); set(0, 0) clears.
void set(int panel, int control);
void clear();
Marked current();

// The view in use is told after each change; one listener at a time, an empty one removes it.
// It must not call the run-time back.
void on_change(std::function<void(const Marked&)> listener);

}  // namespace uir::mark
