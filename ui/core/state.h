// The run-time's own state: the model records behind the read-only view of model.h, the event
// queue and the backend. Internal to ui/core.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "uir/backend.h"
#include "uir/model.h"

namespace uir::core {

struct CtrlRec : Control {
    bool from_layout = false;
    bool discarding = false;  // inside DiscardCtrl, while its discard callback runs
    // What DefaultCtrl restores: the value the control had when it was created or loaded.
    double default_number = 0;
    std::string default_text;
    std::vector<std::string> default_lines;
    std::optional<int> default_item_value;
    // Timer: when the next tick is due, and whether one waits in the queue.
    double next_due = 0;
    bool tick_pending = false;
};

struct PanelRec : Panel {
    bool from_layout = false;
    bool discarding = false;  // inside DiscardPanel, while the discard callbacks run
    int next_ctrl_id = 2;     // ids of controls built in code count up from here
    std::map<int, std::unique_ptr<CtrlRec>> ctrls;
    std::vector<int> timers;  // ids of the panel's timer controls, in creation order
};

struct MenuBarRec : MenuBar {
    int next_id = 2;  // menus and items of one bar share this numbering
};

struct Event {
    enum class Target { Control, Panel, Menu };
    Target target = Target::Control;
    int panel = 0;
    int control = 0;  // control id, or menu item id for a menu event
    int event = EVENT_NONE;
    int data1 = 0, data2 = 0;
    int menu_bar = 0;
};

struct Runtime {
    bool started = false;
    bool quit_requested = false;
    // UIE_NO_BACKEND after an InitUserInterface that found no backend to start, so the
    // program's next calls (its first panel load) say why nothing runs; 0 otherwise.
    int start_failure = 0;
    std::unique_ptr<Backend> backend;                 // the running one
    std::unique_ptr<Backend> chosen;                  // what the next InitUserInterface starts
    std::map<int, std::unique_ptr<PanelRec>> panels;  // by handle, so in creation order
    std::map<int, std::unique_ptr<MenuBarRec>> bars;
    std::deque<Event> queue;
    int busy = 0;  // depth of event processing and synchronous callbacks
};

Runtime& rt();

// The status of a call that needs the run-time started, before it is.
inline int not_started() {
    return rt().start_failure != 0 ? rt().start_failure : UIE_NOT_STARTED;
}

// Panel and menu-bar handles: one counter for both, counting up from 1 for the whole process.
int next_handle();

// Look-ups. Each returns 0 and sets the out-pointers, or the status for the caller
// (not_started(), UIE_INVALID_PANEL, UIE_INVALID_CONTROL, UIE_INVALID_MENU).
int find_panel(int panel, PanelRec*& p);
int find_ctrl(int panel, int control, PanelRec*& p, CtrlRec*& c);
int find_bar(int menu_bar, MenuBarRec*& b);
CtrlRec* ctrl_of(PanelRec& p, int control);

// The running backend, nullptr before InitUserInterface.
inline Backend* backend() {
    return rt().backend.get();
}

template <class F>
void notify(F&& f) {
    if (Backend* b = backend()) f(*b);
}

// Counts the run-time's nesting of callbacks, so teardown is refused from inside one.
struct BusyScope {
    BusyScope() { ++rt().busy; }
    ~BusyScope() { --rt().busy; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};

void count_dispatched();

}  // namespace uir::core
