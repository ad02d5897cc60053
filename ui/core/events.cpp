// Event processing: a turn lets the backend deliver input, queues the ticks of due timers and
// runs the queue. Each event is taken off the queue before its callback runs, so a callback that
// processes events itself simply continues the same queue.
#include "events.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "menus.h"
#include "running_callbacks.h"

namespace uir::core {

void queue_event(const Event& e) {
    rt().queue.push_back(e);
}

void report_escaped_exception() noexcept {
    std::fputs("uir: a callback ended with an exception; it was stopped there\n", stderr);
}

namespace {

// A timer ticks while its panel exists and it is enabled. At most one tick per timer waits in
// the queue; after a jump of the clock over several intervals it ticks once and its next tick is
// due one interval from now, not in a burst.
void queue_due_ticks(double now) {
    for (auto& [handle, p] : rt().panels) {
        if (p->discarding) continue;
        for (int id : p->timers) {
            CtrlRec* c = ctrl_of(*p, id);
            if (!c || !c->enabled || c->interval <= 0 || now < c->next_due) continue;
            if (!c->tick_pending) {
                c->tick_pending = true;
                queue_event({.target = Event::Target::Control,
                             .panel = handle,
                             .control = id,
                             .event = EVENT_TIMER_TICK});
            }
            c->next_due += c->interval;
            if (c->next_due <= now) c->next_due = now + c->interval;
        }
    }
}

double next_timer_due() {
    double next = kNever;
    for (auto& [handle, p] : rt().panels) {
        if (p->discarding) continue;
        for (int id : p->timers) {
            const CtrlRec* c = ctrl_of(*p, id);
            if (c && c->enabled && c->interval > 0 && !c->tick_pending)
                next = std::min(next, c->next_due);
        }
    }
    return next;
}

void dispatch_control(PanelRec& p, const Event& e) {
    CtrlRec* c = ctrl_of(p, e.control);
    if (!c || c->discarding) return;
    if (e.event == EVENT_TIMER_TICK) {
        c->tick_pending = false;
        if (!c->enabled) return;  // switched off after the tick was queued
    }
    if (c->callback) c->callback(e.panel, e.control, e.event, data_for(p, *c), e.data1, e.data2);
}

void dispatch_menu(PanelRec& p, const Event& e) {
    MenuBarRec* bar = nullptr;
    if (find_bar(e.menu_bar, bar) < 0 || bar->panel != p.handle) return;
    MenuRef ref;
    if (find_in_bar(*bar, e.control, ref) < 0 || !ref.item || !ref.item->callback) return;
    void* data = ref.item->callback_data ? ref.item->callback_data : p.callback_data;
    ref.item->callback(e.menu_bar, e.control, data, e.panel);
}

std::vector<int>& running_panels() {
    static std::vector<int> panels;
    return panels;
}

// Notes the panel for the length of its callback, also when the callback ends by an exception.
class RunningCallback {
  public:
    explicit RunningCallback(int panel) { running_panels().push_back(panel); }
    ~RunningCallback() { running_panels().pop_back(); }
    RunningCallback(const RunningCallback&) = delete;
    RunningCallback& operator=(const RunningCallback&) = delete;
};

// Events of panels, controls, bars or items discarded since they were queued are dropped.
void dispatch(const Event& e) {
    PanelRec* p = nullptr;
    if (find_panel(e.panel, p) < 0 || p->discarding) return;
    const RunningCallback running(e.panel);
    switch (e.target) {
        case Event::Target::Control:
            dispatch_control(*p, e);
            return;
        case Event::Target::Panel:
            if (p->callback) p->callback(e.panel, 0, e.event, p->callback_data, e.data1, e.data2);
            return;
        case Event::Target::Menu:
            dispatch_menu(*p, e);
            return;
    }
}

void run_pending() {
    auto& q = rt().queue;
    while (!q.empty()) {
        const Event e = q.front();
        q.pop_front();
        count_dispatched();
        guarded([&] { dispatch(e); });
    }
}

int turn(bool waiting) {
    Runtime& r = rt();
    if (!r.started) return not_started();
    BusyScope busy;
    Backend& b = *r.backend;
    b.collect_input();
    queue_due_ticks(b.now());
    if (r.queue.empty()) {
        const double next = next_timer_due();
        bool look_again = false;
        if (waiting) {
            if (int st = b.wait(next); st < 0) return st;
            look_again = true;
        } else {
            look_again = b.idle_turn(next);
        }
        if (look_again) {
            b.collect_input();
            queue_due_ticks(b.now());
        }
    }
    run_pending();
    return 0;
}

}  // namespace
}  // namespace uir::core

std::span<const int> uir::running_callback_panels() {
    return uir::core::running_panels();
}

int ProcessSystemEvents(void) {
    return uir::core::turn(false);
}

int ProcessSystemEventsWaiting(void) {
    return uir::core::turn(true);
}
