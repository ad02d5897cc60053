// The front panel's layout "qorm.uir" as data: five panels, MP's menu bar and every control with
// its id, constant name, kind, value type, mode, label, callback name and state at load.
//
// Geometry, in pixels from the panel's top-left corner:
// - A control's rectangle (top, left, width, height) is its body: the field, button, lamp or
//   frame. A command or toggle button draws its label (or its on/off text) on its face; a check
//   box draws its box and its label beside it inside the rectangle; a binary switch draws its
//   lever at the left of the rectangle, the on text (value 1) beside the upper half and the off
//   text (value 0) beside the lower half.
// - Other labels are drawn outside the body, one 14-pixel line per '\n'-separated line: left of
//   numerics, strings, rings and text boxes (right-aligned 4 px before the body, centred
//   vertically); above LEDs (centred) and binary switches (left-aligned), 2 px above the body.
//   The layout keeps that room free.
// - A text message shows its text inside its rectangle, top-left aligned, breaking lines at '\n'
//   and between words that would not fit.
// - Decorations frame groups of controls and are listed before the controls of their panel, so a
//   renderer that stacks controls in list order keeps every frame behind what it frames.
// - Timers have no rectangle.
#pragma once

#include "qorm_uir.h"
#include "uir/layout.h"

// The layout registered under QORM_UIR_FILE; valid for the life of the process.
const uir::LayoutSpec& qorm_layout();
