// MP: the main panel, its menu bar, and its controls gathered into one list.
#include <vector>

#include "mp_grid.h"
#include "panels.h"
#include "qorm_uir.h"

namespace layout {
namespace {

constexpr uir::MenuItemSpec kInstrItems[] = {
    {.id = IMNU_INSTR_BASE_PANEL,
     .constant_name = "IMNU_INSTR_BASE_PANEL",
     .text = "Панель носителя",
     .callback = "mnuCB"},
    {.id = IMNU_INSTR_SEPARATOR, .constant_name = "IMNU_INSTR_SEPARATOR"},
    {.id = IMNU_INSTR_ZQORM,
     .constant_name = "IMNU_INSTR_ZQORM",
     .text = "Проверка с QORM-Z",
     .callback = "mnuCB"},
    {.id = IMNU_INSTR_SEPARATOR_2, .constant_name = "IMNU_INSTR_SEPARATOR_2"},
    {.id = IMNU_INSTR_ABOUT,
     .constant_name = "IMNU_INSTR_ABOUT",
     .text = "О программе",
     .callback = "mnuCB"},
    {.id = IMNU_INSTR_SEPARATOR_3, .constant_name = "IMNU_INSTR_SEPARATOR_3"},
    {.id = IMNU_INSTR_EXIT,
     .constant_name = "IMNU_INSTR_EXIT",
     .text = "Выход",
     .callback = "mnuCB"},
};

constexpr uir::MenuSpec kMenus[] = {
    {.id = IMNU_INSTR, .constant_name = "IMNU_INSTR", .title = "Инструмент", .items = kInstrItems},
};

constexpr uir::MenuBarSpec kMenuBar = {.id = IMNU, .constant_name = "IMNU", .menus = kMenus};

}  // namespace

const uir::PanelSpec& mp_panel() {
    // Frames first, so they stay behind the channel rows they frame.
    static const std::vector<uir::CtrlSpec> controls = [] {
        std::vector<uir::CtrlSpec> all(mp_other_controls().begin(), mp_other_controls().end());
        all.insert(all.end(), mp_channel_controls().begin(), mp_channel_controls().end());
        return all;
    }();
    // The title is completed and the place staggered by the mezzanine position at set-up.
    static const uir::PanelSpec panel = {.id = MP,
                                         .constant_name = "MP",
                                         .title = "QORM",
                                         .top = 50,
                                         .left = 51,
                                         .height = mp::kPanelHeight,
                                         .width = mp::kPanelWidth,
                                         .callback = "mpClose",
                                         .controls = controls,
                                         .menu_bar = &kMenuBar};
    return panel;
}

}  // namespace layout
