#include "view_layout.h"

#include "uir/automation.h"
#include "uir/callbacks.h"
#include "uir/layout.h"
#include "uir/runtime.h"
#include "userint.h"

namespace view_layout {
namespace {

using uir::CtrlSpec;

constexpr uir::ListItemSpec kLineItems[] = {{" -", 0}, {"Л1", 1}, {"Л2", 2}};
constexpr uir::ListItemSpec kListItems[] = {{"первая", 10}, {"вторая", 20}, {"третья", 30}};

constexpr CtrlSpec kViewCtrls[] = {
    {.id = V_BUTTON,
     .constant_name = "V_BUTTON",
     .kind = CTRL_COMMAND_BUTTON,
     .label = "__OK",
     .top = 10,
     .left = 10,
     .width = 80,
     .height = 24,
     .callback = "viewCB"},
    {.id = V_TOGGLE,
     .constant_name = "V_TOGGLE",
     .kind = CTRL_TOGGLE_BUTTON,
     .data_type = VAL_INTEGER,
     .top = 10,
     .left = 100,
     .width = 80,
     .height = 24,
     .callback = "viewCB",
     .on_text = "Стоп",
     .off_text = "Старт"},
    {.id = V_CHECK,
     .constant_name = "V_CHECK",
     .kind = CTRL_CHECK_BOX,
     .data_type = VAL_INTEGER,
     .label = "Постоянно",
     .top = 10,
     .left = 190,
     .width = 100,
     .height = 18,
     .callback = "viewCB"},
    {.id = V_SWITCH,
     .constant_name = "V_SWITCH",
     .kind = CTRL_BINARY_SWITCH,
     .data_type = VAL_INTEGER,
     .label = "Режим",
     .top = 60,
     .left = 10,
     .width = 150,
     .height = 36,
     .callback = "viewCB",
     .value = 1,
     .on_text = "Ручное",
     .off_text = "Таймер"},
    {.id = V_LED,
     .constant_name = "V_LED",
     .kind = CTRL_LED,
     .data_type = VAL_INTEGER,
     .mode = VAL_HOT,
     .label = "Л1",
     .top = 60,
     .left = 200,
     .width = 16,
     .height = 16,
     .callback = "viewCB"},
    {.id = V_LAMP,
     .constant_name = "V_LAMP",
     .kind = CTRL_LED,
     .data_type = VAL_INTEGER,
     .mode = VAL_INDICATOR,
     .label = "Связь",
     .top = 60,
     .left = 250,
     .width = 16,
     .height = 16,
     .callback = "viewCB"},
    {.id = V_TIME,
     .constant_name = "V_TIME",
     .kind = CTRL_NUMERIC,
     .data_type = VAL_FLOAT,
     .label = "Время",
     .top = 110,
     .left = 60,
     .width = 80,
     .height = 20,
     .callback = "viewCB",
     .value = 0.05,
     .min = 0.025,
     .max = 6.375,
     .incr = 0.025,
     .precision = 3},
    {.id = V_COUNT,
     .constant_name = "V_COUNT",
     .kind = CTRL_NUMERIC,
     .data_type = VAL_UNSIGNED_SHORT_INTEGER,
     .mode = VAL_INDICATOR,
     .label = "Слот",
     .top = 110,
     .left = 220,
     .width = 50,
     .height = 20},
    {.id = V_STRING,
     .constant_name = "V_STRING",
     .kind = CTRL_STRING,
     .data_type = VAL_STRING,
     .label = "Имя",
     .top = 140,
     .left = 60,
     .width = 120,
     .height = 20,
     .callback = "viewCB",
     .text = ""},
    {.id = V_STATE,
     .constant_name = "V_STATE",
     .kind = CTRL_STRING,
     .data_type = VAL_STRING,
     .mode = VAL_INDICATOR,
     .top = 140,
     .left = 220,
     .width = 20,
     .height = 20,
     .text = "-",
     .fault_text = "X"},
    {.id = V_RING,
     .constant_name = "V_RING",
     .kind = CTRL_RING,
     .data_type = VAL_SHORT_INTEGER,
     .label = "1",
     .top = 170,
     .left = 30,
     .width = 46,
     .height = 20,
     .callback = "viewCB",
     .items = kLineItems},
    {.id = V_LIST,
     .constant_name = "V_LIST",
     .kind = CTRL_LIST_BOX,
     .data_type = VAL_INTEGER,
     .top = 200,
     .left = 10,
     .width = 150,
     .height = 80,
     .callback = "viewCB",
     .items = kListItems},
    {.id = V_TEXTBOX,
     .constant_name = "V_TEXTBOX",
     .kind = CTRL_TEXT_BOX,
     .data_type = VAL_STRING,
     .mode = VAL_INDICATOR,
     .top = 200,
     .left = 200,
     .width = 180,
     .height = 80,
     .text = "строка 1"},
    {.id = V_MSG,
     .constant_name = "V_MSG",
     .kind = CTRL_TEXT_MSG,
     .data_type = VAL_STRING,
     .mode = VAL_INDICATOR,
     .top = 170,
     .left = 100,
     .width = 150,
     .height = 30,
     .text = "Первая строка\nвторая"},
    // Listed after the controls it frames: the view keeps it behind them all the same.
    {.id = V_DECO,
     .constant_name = "V_DECO",
     .kind = CTRL_DECORATION,
     .mode = VAL_INDICATOR,
     .top = 100,
     .left = 4,
     .width = 390,
     .height = 64},
    {.id = V_PIC,
     .constant_name = "MP_VXI_LOGO",
     .kind = CTRL_PICTURE,
     .mode = VAL_INDICATOR,
     .top = 270,
     .left = 360,
     .width = 24,
     .height = 24},
    {.id = V_TIMER,
     .constant_name = "V_TIMER",
     .kind = CTRL_TIMER,
     .callback = "viewCB",
     .interval = 0.1,
     .enabled = false},
    {.id = V_RESULT,
     .constant_name = "V_RESULT",
     .kind = CTRL_NUMERIC,
     .data_type = VAL_SHORT_INTEGER,
     .mode = VAL_INDICATOR,
     .label = "Итог",
     .top = 140,
     .left = 300,
     .width = 60,
     .height = 20,
     .fault_if_nonzero = true},
};

constexpr uir::MenuItemSpec kFileItems[] = {
    {.id = M_OPEN, .constant_name = "M_OPEN", .text = "__Открыть", .callback = "viewMenuCB"},
    {.id = M_SEP, .constant_name = "M_SEP"},
    {.id = M_QUIT, .constant_name = "M_QUIT", .text = "Выход", .callback = "viewMenuCB"},
};
constexpr uir::MenuSpec kMenus[] = {
    {.id = M_FILE, .constant_name = "M_FILE", .title = "__Файл", .items = kFileItems}};
constexpr uir::MenuBarSpec kMenuBar = {.id = 1, .constant_name = "MENU", .menus = kMenus};

constexpr CtrlSpec kSecondCtrls[] = {
    {.id = S_CLOSE,
     .constant_name = "S_CLOSE",
     .kind = CTRL_COMMAND_BUTTON,
     .label = "Закрыть",
     .top = 60,
     .left = 60,
     .width = 80,
     .height = 24,
     .callback = "viewCB"},
};

// Larger than the offscreen platform's 800 x 600 screen, with a button at each end.
constexpr CtrlSpec kBigCtrls[] = {
    {.id = B_TOP,
     .constant_name = "B_TOP",
     .kind = CTRL_COMMAND_BUTTON,
     .label = "Верх",
     .top = 10,
     .left = 10,
     .width = 80,
     .height = 24,
     .callback = "viewCB"},
    {.id = B_BOTTOM,
     .constant_name = "B_BOTTOM",
     .kind = CTRL_COMMAND_BUTTON,
     .label = "Низ",
     .top = 860,
     .left = 1100,
     .width = 80,
     .height = 24,
     .callback = "viewCB"},
};

constexpr uir::PanelSpec kPanels[] = {
    {.id = VIEW,
     .constant_name = "VIEW",
     .title = "Вид",
     .top = 40,
     .left = 40,
     .height = 300,
     .width = 400,
     .callback = "viewCB",
     .controls = kViewCtrls,
     .menu_bar = &kMenuBar},
    {.id = SECOND,
     .constant_name = "SECOND",
     .title = "Второй",
     .top = 60,
     .left = 60,
     .height = 100,
     .width = 200,
     .controls = kSecondCtrls,
     .close_ctrl = S_CLOSE},
    {.id = BIG,
     .constant_name = "BIG",
     .title = "Большая",
     .top = 100,
     .left = 100,
     .height = 900,
     .width = 1200,
     .controls = kBigCtrls},
};

constexpr uir::LayoutSpec kLayout = {.file_name = kLayoutFile, .panels = kPanels};

int UIR_CALLBACK record(int panel, int control, int event, void*, int d1, int) {
    recorder().calls.push_back({panel, control, event, d1});
    return 0;
}

void UIR_CALLBACK record_menu(int, int item, void*, int panel) {
    recorder().menu_calls.push_back({item, panel});
}

}  // namespace

Recorder& recorder() {
    static Recorder r;
    return r;
}

std::vector<int> Recorder::events_of(int panel, int control) const {
    std::vector<int> out;
    for (const Call& c : calls)
        if (c.panel == panel && c.control == control) out.push_back(c.event);
    return out;
}

void register_view_layout() {
    recorder() = Recorder{};
    uir::register_callback("viewCB", record);
    uir::register_menu_callback("viewMenuCB", record_menu);
    uir::register_layout(kLayout);
}

}  // namespace view_layout
