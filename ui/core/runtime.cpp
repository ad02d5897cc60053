// Start-up and teardown, the backend's services (popups, Delay, the clock).
#include <cmath>
#include <cstdio>

#include "observer.h"
#include "panels.h"
#include "text.h"
#include "uir/automation.h"
#include "uir/runtime.h"

namespace uir {

namespace {

void popup_answered(automation::Action::Kind kind, const char* title, const char* message,
                    int answer) {
    automation::Action a;
    a.kind = kind;
    a.title = title;
    a.text = message;
    a.number = answer;
    core::notify_observer(a);
}

// The build's default backend, registered by the object QORM_DEFAULT_BACKEND links into the
// product; constant-initialised, so a registration from any static initialiser finds it ready.
constinit BackendFactory g_default_backend = nullptr;

// A program that chose no backend in a build without a default one must not run unseen (on a
// virtual clock nobody advances, with popups nobody answers): InitUserInterface refuses, and so
// does every call after it, until a backend is chosen.
std::unique_ptr<Backend> backend_to_start() {
    core::Runtime& r = core::rt();
    if (r.chosen) return std::move(r.chosen);
    if (g_default_backend != nullptr) return g_default_backend();
    return nullptr;
}

}  // namespace

void use_backend(std::unique_ptr<Backend> backend) {
    core::rt().chosen = std::move(backend);
}

void set_default_backend(BackendFactory factory) {
    g_default_backend = factory;
}

// Teardown destroys the panels without their discard callbacks: the program's records those
// callbacks would look at may already be gone.
void shutdown() {
    core::Runtime& r = core::rt();
    if (r.busy > 0) {
        std::fputs("uir: shutdown from inside event processing or a callback is refused\n", stderr);
        return;
    }
    while (!r.panels.empty()) core::destroy_panel(r.panels.begin()->first);
    while (!r.bars.empty()) core::destroy_menu_bar(r.bars.begin()->first);
    r.queue.clear();
    if (r.backend) r.backend->stop();
    r.backend.reset();
    r.chosen.reset();
    r.started = false;
    r.quit_requested = false;
    r.start_failure = 0;
}

}  // namespace uir

using namespace uir::core;

int InitUserInterface(void) {
    Runtime& r = rt();
    if (r.started) return 0;
    std::unique_ptr<uir::Backend> b = uir::backend_to_start();
    if (!b) {
        r.start_failure = UIE_NO_BACKEND;
        return UIE_NO_BACKEND;
    }
    r.start_failure = 0;
    if (b->start() < 0) return UIE_BACKEND_FAILED;
    r.backend = std::move(b);
    r.started = true;
    r.quit_requested = false;
    return 0;
}

int QuitUserInterface(int returnCode) {
    Runtime& r = rt();
    if (!r.started) return not_started();
    r.quit_requested = true;
    r.backend->quit(returnCode);
    return 0;
}

int MessagePopup(const char* title, const char* message) {
    if (!rt().started) return not_started();
    if (int st = check_text(title); st < 0) return st;
    if (int st = check_text(message); st < 0) return st;
    BusyScope busy;
    const int st = backend()->message_popup(title, message);
    if (st >= 0)
        uir::popup_answered(uir::automation::Action::Kind::message_popup, title, message, st);
    return st;
}

int ConfirmPopup(const char* title, const char* message) {
    if (!rt().started) return not_started();
    if (int st = check_text(title); st < 0) return st;
    if (int st = check_text(message); st < 0) return st;
    BusyScope busy;
    const int answer = backend()->confirm_popup(title, message);
    if (answer >= 0)
        uir::popup_answered(uir::automation::Action::Kind::confirm_popup, title, message, answer);
    return answer;
}

int Delay(double seconds) {
    if (!rt().started) return not_started();
    if (!std::isfinite(seconds) || seconds < 0) return UIE_OUT_OF_RANGE;
    BusyScope busy;
    return backend()->delay(seconds);
}

double Timer(void) {
    uir::Backend* b = backend();
    return b ? b->now() : 0.0;
}
