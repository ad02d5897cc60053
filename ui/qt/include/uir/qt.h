// The Qt 6 view of the user-interface run-time: every panel a window, operator input through
// uir::automation, the steady clock, modal message boxes. No Qt types here, so the program can
// choose the backend without including Qt.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "uir/backend.h"

namespace uir::qt {

struct Options {
    std::string title_suffix;  // appended to every window title, e.g. " [симуляция]"
    // A scripted operator at the windows (qorm --backend=qt --script): popups are recorded and
    // answered from a queue (see below) after standing `step_delay` seconds for a watcher.
    bool scripted = false;
    double step_delay = 0.3;
};

// Whether a display can be opened, checked before Qt is started (Qt aborts the process when its
// platform cannot start). `why`, when given, receives what is missing, in Russian.
bool display_available(std::string* why);

std::unique_ptr<uir::Backend> make_backend(const Options& options = {});

// The scripted operator of a running Qt backend started with Options::scripted; with any other
// backend these do nothing (popups() is empty).
// Runs `action` at the first turn that waits for the operator once `delay` seconds have passed,
// never inside a turn a callback takes while it works: a person acts on a program at rest.
void schedule(double delay, std::function<void()> action);
struct Popup {
    std::string kind;  // "message" or "confirm"
    std::string title;
    std::string text;
    int answer = 0;
};
const std::vector<Popup>& popups();
void answer_confirm(bool yes);  // the answer of the next confirmation
// A confirmation with no answer queued: it is answered "no" and the handler is told why.
void on_failure(std::function<void(const std::string& reason)> handler);

}  // namespace uir::qt
