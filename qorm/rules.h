// The front panel's rules that are pure decisions, apart from the panels they act on: the panel
// variant a hardware revision selects, what a click on a channel's switch sends, which controls
// the control mode and a channel's line selection dim, and the text of a state code.
#pragma once

#include "visa.h"

// The two hardware flags a module's revision selects, from its first character compared as a
// signed 8-bit code (so codes 128 to 255 count as below '0'): '2' gives one common time for all
// channels on the coarse step, '3' the same on the fine step, anything above '3' a time per
// channel on the fine step, anything below '2' (an empty text too) a time per channel on the
// coarse step.
struct PanelVariant {
    bool group_time_mode;
    bool fine_time_step;
};
PanelVariant panel_variant(const char* hardware_revision);

// What a click on channel i's switch sends with kelqorm_manual_cmd, from the module's state of the
// channel before the click, the switch's new value and the channel's line selection (MP_L_i).
// A click on an active channel always switches it off, and its switch goes off at once; the
// module is never told to switch on with no line.
struct SwitchCommand {
    ViInt16 code;  // line code sent: 0, or the selection
    ViInt16 on;    // on flag sent: 1 only with a line
    bool switch_off_now;
};
SwitchCommand switch_command(ViInt16 module_state, int switch_value, ViInt16 line);

// Dimming by the control mode (MP_CTRL_MODE: 1 manual control, any other value timed switching):
// the run controls (MP_START_MODE, MP_GT, MP_SET_GT, MP_START) serve timed switching, the group
// buttons (MP_GRP_ON, MP_GRP_OFF) manual control, and a channel's time only timed switching with
// a line selected. The switches and line selectors are never dimmed.
struct ViewDimming {
    bool run_controls;
    bool group_buttons;
};
ViewDimming view_dimming(int control_mode);
bool channel_time_dimmed(int control_mode, ViInt16 line);

// The text of a channel's state code in its indicator MP_ST_i: "-" idle, "1" and "2" on a line,
// "X" fault; "?" for a code the module never reports.
const char* state_text(ViInt16 code);
