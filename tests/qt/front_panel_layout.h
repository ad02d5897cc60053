// The front panel's own layout on the Qt view, with every callback it names replaced by the
// recorder of qt_view_test.h: the panels' real geometry without the front panel's logic.
#pragma once

#include "qorm_uir.h"

namespace qt_test {

inline constexpr const char* kFrontPanelFile = "qorm-qt-test.uir";

// Registers the copy of the layout (once) and loads one of its panels (MP, ABOUT, ...), hidden.
int load_front_panel(int layout_panel_id);

}  // namespace qt_test
