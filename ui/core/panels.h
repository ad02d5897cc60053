// Creating, showing and destroying panels and controls; shared by the userint.h calls, layout
// loading and teardown.
#pragma once

#include <memory>

#include "state.h"

namespace uir::core {

// Positions that centre the panel on the backend's screen (never negative).
int centred_top(const PanelRec& p);
int centred_left(const PanelRec& p);

void set_panel_visible(PanelRec& p, bool visible, bool raise);

// A panel record with its handle assigned; not yet in the model.
std::unique_ptr<PanelRec> make_panel_rec();
// Puts a complete panel into the model and announces it.
PanelRec& adopt_panel(std::unique_ptr<PanelRec> p);

// A control of `kind` (a valid CTRL_...) with the kind's defaults, not yet on a panel.
std::unique_ptr<CtrlRec> make_ctrl_rec(int kind);
// Puts the control on the panel under its id (which must be free); no notification.
CtrlRec& attach_ctrl(PanelRec& p, std::unique_ptr<CtrlRec> c);

// Removes a panel and its menu bar from the model without calling any callback, and tells the
// backend.
void destroy_panel(int handle);
// Removes a menu bar from the model and its panel, and tells the backend.
void destroy_menu_bar(int handle);

}  // namespace uir::core
