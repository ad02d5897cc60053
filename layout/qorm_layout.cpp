#include "qorm_layout.h"

#include <array>

#include "panels.h"

const uir::LayoutSpec& qorm_layout() {
    // In the order of the panel ids.
    static const std::array<uir::PanelSpec, 5> panels = {
        layout::about_panel(), layout::exit_popup_panel(), layout::mp_panel(), layout::st_panel(),
        layout::zqorm_panel()};
    static const uir::LayoutSpec layout = {.file_name = QORM_UIR_FILE, .panels = panels};
    return layout;
}
