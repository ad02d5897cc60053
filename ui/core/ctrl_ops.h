// Changes of a control's state shared by the run-time calls and automation. Each tells the
// backend only when something really changed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "state.h"

namespace uir::core {

// `v` must already fit the control's type; two-state controls get 0 or 1.
void set_number(CtrlRec& c, double v);
void set_text(CtrlRec& c, std::string v);
void set_lines(CtrlRec& c, std::vector<std::string> lines);
// The whole content of a text box from one text; UIE_OUT_OF_RANGE when it has too many lines.
int set_text_box(CtrlRec& c, std::string_view text);
// Ring or list box: select item `index` (-1 only for an empty list).
void set_index(CtrlRec& c, int index);
// Selects the first item with `value`; UIE_NO_ITEM when none has it.
int select_item_by_value(CtrlRec& c, int value);
void attribute_changed(const CtrlRec& c, int attribute);

// Timer: enabling (or a new interval while enabled) starts the interval from now.
void set_timer_enabled(CtrlRec& c, bool on);
int set_timer_interval(CtrlRec& c, double seconds);
// A panel's timer that exists from the start: due one interval from now when enabled.
void arm_timer(CtrlRec& c);

// The numeric value brought into the control's limits.
double clamp_to_limits(const CtrlRec& c, double v);

// Remember the current value as the one DefaultCtrl restores / restore it.
void record_default(CtrlRec& c);
void restore_default(CtrlRec& c);

// The clock of the running backend (0 before InitUserInterface).
double clock_now();

}  // namespace uir::core
