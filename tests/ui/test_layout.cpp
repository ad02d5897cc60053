// The layout "test.uir" the run-time tests load: one control of every kind on MAIN, with a menu
// bar, and small panels for the refusal cases.
#include "recorder.h"

namespace uir_test {
namespace {

using uir::CtrlSpec;

constexpr uir::ListItemSpec kRingItems[] = {{" -", 0}, {"1", 1}, {"2", 2}};
constexpr uir::ListItemSpec kListItems[] = {{"первая", 10}, {"вторая", 20}, {"третья", 30}};

constexpr CtrlSpec kMainCtrls[] = {
    {.id = MAIN_OK,
     .constant_name = "MAIN_OK",
     .kind = CTRL_COMMAND_BUTTON,
     .label = "__OK",
     .callback = "ctrlCB"},
    {.id = MAIN_TOGGLE,
     .constant_name = "MAIN_TOGGLE",
     .kind = CTRL_TOGGLE_BUTTON,
     .callback = "ctrlCB",
     .on_text = "Стоп",
     .off_text = "Старт"},
    {.id = MAIN_CHECK,
     .constant_name = "MAIN_CHECK",
     .kind = CTRL_CHECK_BOX,
     .label = "Постоянно",
     .callback = "ctrlCB",
     .value = 1},
    {.id = MAIN_SWITCH,
     .constant_name = "MAIN_SWITCH",
     .kind = CTRL_BINARY_SWITCH,
     .data_type = VAL_SHORT_INTEGER,
     .callback = "ctrlCB"},
    {.id = MAIN_LED, .constant_name = "MAIN_LED", .kind = CTRL_LED, .mode = VAL_INDICATOR},
    {.id = MAIN_NUM,
     .constant_name = "MAIN_NUM",
     .kind = CTRL_NUMERIC,
     .data_type = VAL_DOUBLE,
     .callback = "ctrlCB",
     .value = 5,
     .min = 0,
     .max = 10,
     .incr = 0.5,
     .precision = 2},
    {.id = MAIN_SHORT,
     .constant_name = "MAIN_SHORT",
     .kind = CTRL_NUMERIC,
     .data_type = VAL_SHORT_INTEGER,
     .mode = VAL_INDICATOR,
     .value = -3},
    {.id = MAIN_USHORT,
     .constant_name = "MAIN_USHORT",
     .kind = CTRL_NUMERIC,
     .data_type = VAL_UNSIGNED_SHORT_INTEGER,
     .mode = VAL_INDICATOR},
    {.id = MAIN_FLOAT,
     .constant_name = "MAIN_FLOAT",
     .kind = CTRL_NUMERIC,
     .data_type = VAL_FLOAT,
     .label = "Общее время",
     .callback = "ctrlCB",
     .value = 0.05,
     .dimmed = true,
     .precision = 3},
    {.id = MAIN_STRING,
     .constant_name = "MAIN_STRING",
     .kind = CTRL_STRING,
     .data_type = VAL_STRING,
     .callback = "ctrlCB",
     .text = "начало"},
    {.id = MAIN_RING,
     .constant_name = "MAIN_RING",
     .kind = CTRL_RING,
     .data_type = VAL_SHORT_INTEGER,
     .callback = "ctrlCB",
     .value = 1,
     .items = kRingItems},
    {.id = MAIN_LIST,
     .constant_name = "MAIN_LIST",
     .kind = CTRL_LIST_BOX,
     .data_type = VAL_INTEGER,
     .callback = "ctrlCB",
     .items = kListItems},
    {.id = MAIN_TEXTBOX,
     .constant_name = "MAIN_TEXTBOX",
     .kind = CTRL_TEXT_BOX,
     .data_type = VAL_STRING,
     .text = "первая\nвторая"},
    {.id = MAIN_MSG,
     .constant_name = "MAIN_MSG",
     .kind = CTRL_TEXT_MSG,
     .data_type = VAL_STRING,
     .mode = VAL_INDICATOR,
     .text = "Сообщение"},
    {.id = MAIN_DECO, .constant_name = "MAIN_DECO", .kind = CTRL_DECORATION, .mode = VAL_INDICATOR},
    {.id = MAIN_TIMER,
     .constant_name = "MAIN_TIMER",
     .kind = CTRL_TIMER,
     .mode = VAL_INDICATOR,
     .callback = "tickCB",
     .interval = 0.1},
    {.id = MAIN_PIC, .constant_name = "MAIN_PIC", .kind = CTRL_PICTURE, .mode = VAL_INDICATOR},
    {.id = MAIN_INT,
     .constant_name = "MAIN_INT",
     .kind = CTRL_NUMERIC,
     .data_type = VAL_INTEGER,
     .callback = "ctrlCB",
     .value = 7},
    {.id = MAIN_HOT_LED, .constant_name = "MAIN_HOT_LED", .kind = CTRL_LED, .callback = "ctrlCB"},
};

constexpr uir::MenuItemSpec kFileItems[] = {
    {.id = ITEM_OPEN, .constant_name = "IMNU_FILE_OPEN", .text = "__Открыть", .callback = "menuCB"},
    {.id = ITEM_SEP, .constant_name = "IMNU_FILE_SEP"},
    {.id = ITEM_QUIT, .constant_name = "IMNU_FILE_QUIT", .text = "Выход", .callback = "menuCB"},
    {.id = ITEM_PLAIN, .constant_name = "IMNU_FILE_PLAIN", .text = "Без функции"},
};
constexpr uir::MenuSpec kMenus[] = {
    {.id = MENU_FILE, .constant_name = "IMNU_FILE", .title = "Файл", .items = kFileItems},
};
constexpr uir::MenuBarSpec kMenuBar = {.id = 1, .constant_name = "IMNU", .menus = kMenus};

constexpr CtrlSpec kBrokenCtrls[] = {
    {.id = 2, .constant_name = "BROKEN_OK", .kind = CTRL_COMMAND_BUTTON, .callback = "ctrlCB"},
    {.id = 3,
     .constant_name = "BROKEN_BAD",
     .kind = CTRL_COMMAND_BUTTON,
     .callback = "noSuchCallback"},
};

constexpr CtrlSpec kSecondCtrls[] = {
    {.id = SECOND_CLOSE,
     .constant_name = "SECOND_CLOSE",
     .kind = CTRL_COMMAND_BUTTON,
     .callback = "ctrlCB"},
    {.id = SECOND_TIMER,
     .constant_name = "SECOND_TIMER",
     .kind = CTRL_TIMER,
     .mode = VAL_INDICATOR,
     .callback = "tickCB",
     .interval = 0.5,
     .enabled = true},
};

constexpr uir::MenuItemSpec kBadItems[] = {
    {.id = 3, .constant_name = "BAD_ITEM", .text = "Пункт", .callback = "noSuchMenuCallback"},
};
constexpr uir::MenuSpec kBadMenus[] = {{.id = 2, .title = "Меню", .items = kBadItems}};
constexpr uir::MenuBarSpec kBadMenuBar = {.id = 1, .menus = kBadMenus};

constexpr CtrlSpec kBadKindCtrls[] = {
    {.id = 2, .constant_name = "BAD_KIND_X", .kind = 99},
};

constexpr uir::PanelSpec kPanels[] = {
    {.id = MAIN,
     .constant_name = "MAIN",
     .title = "Главная панель",
     .top = 10,
     .left = 20,
     .height = 300,
     .width = 400,
     .callback = "panelCB",
     .controls = kMainCtrls,
     .menu_bar = &kMenuBar},
    {.id = BROKEN, .constant_name = "BROKEN", .title = "Сломанная", .controls = kBrokenCtrls},
    {.id = SECOND,
     .constant_name = "SECOND",
     .title = "Вторая",
     .top = VAL_AUTO_CENTER,
     .left = 30,
     .height = 100,
     .width = 200,
     .callback = "panelCB",
     .controls = kSecondCtrls,
     .close_ctrl = SECOND_CLOSE},
    {.id = BAD_MENU, .constant_name = "BAD_MENU", .title = "Меню", .menu_bar = &kBadMenuBar},
    {.id = BAD_KIND, .constant_name = "BAD_KIND", .title = "Вид", .controls = kBadKindCtrls},
};

constexpr uir::LayoutSpec kLayout = {.file_name = kLayoutFile, .panels = kPanels};

}  // namespace

void register_test_layout() {
    uir::register_callback("ctrlCB", recordCB);
    uir::register_callback("panelCB", recordCB);
    uir::register_callback("tickCB", recordCB);
    uir::register_callback("otherCB", otherCB);
    uir::register_menu_callback("menuCB", recordMenuCB);
    uir::register_layout(kLayout);
}

}  // namespace uir_test
