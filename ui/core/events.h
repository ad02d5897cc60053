// The event queue: operator actions and timer ticks wait here until a turn of event processing
// runs their callbacks, in the order they came.
#pragma once

#include "state.h"

namespace uir::core {

void queue_event(const Event& e);

// Runs one of the program's callbacks. An exception must not travel on through the run-time's
// C-style calls: it is reported on stderr and the run goes on.
void report_escaped_exception() noexcept;

template <class F>
void guarded(F&& call) noexcept {
    try {
        call();
    } catch (...) {
        report_escaped_exception();
    }
}

// The callback data a control's callback receives: its own, else its panel's.
inline void* data_for(const PanelRec& p, const CtrlRec& c) {
    return c.callback_data ? c.callback_data : p.callback_data;
}

}  // namespace uir::core
