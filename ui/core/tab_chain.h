// The order in which Tab walks a panel's controls, read from the layout's geometry: the frames
// (decorations) group controls, and groups and controls are taken in reading order, row by row
// from the top, left to right within a row. On the main panel that gives channel 1's line
// selector first, then the channels one by one (each row's selector, switch and time), then the
// panel-wide groups.
//
// Lamps are out of the chain: there are sixty of them and a click operates them. Static texts,
// frames, pictures, timers, text boxes and indicators are not operated from the keyboard at all.
// A control in the chain that is dimmed or hidden is passed over by the view at the time, so the
// chain depends on geometry, kind and mode only.
#pragma once

#include <span>
#include <vector>

namespace uir {
struct Control;
}

namespace uir::rules {

struct Box {
    int id = 0;
    int kind = 0;          // CTRL_...
    bool operable = true;  // VAL_HOT; an indicator takes no tab stop
    int top = 0, left = 0, width = 0, height = 0;
};

// Whether the keyboard operates controls of `kind`.
bool takes_tab_stop(int kind);

// The ids of the operable `controls` of kinds that take a tab stop, in Tab order. Decorations among
// `controls` frame the controls whose centres they hold (the smallest such frame); the others are
// ignored.
std::vector<int> tab_chain(std::span<const Box> controls);

// The chain of a live panel as the model has it; empty for an unknown panel.
std::vector<int> panel_tab_chain(int panel);

// A control of the model as the rules read it.
Box box_of(const Control& c);

}  // namespace uir::rules
