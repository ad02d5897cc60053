// The carrier selection panel: a small modal panel, built in code once and then kept hidden,
// that lists the found carriers of the wanted models and returns the operator's choice.
#include <cstdio>

#include "si.h"
#include "userint.h"

int siPanel = 0;
InstrumentEntry* CurInstr = nullptr;
SiControls siControls = {};

namespace {

constexpr int kGrey = 0xC0C0C0;
constexpr int kWhite = 0xFFFFFF;

// The column header over the list lines: interface, mainframe address, slot, logical address,
// model code.
constexpr char kHeader[] = "Интф.  Кр.ЛА   Слот   ЛА   Тип";

struct ControlPlan {
    int* id;
    const char* constant_name;
    int kind;
    const char* label;
    int top, left, width, height;
    CtrlCallbackPtr callback;
};

void name_control(int panel, int control, const char* constant_name) {
    SetCtrlAttribute(panel, control, ATTR_CONSTANT_NAME, constant_name);
}

bool listed(ViUInt16 model, ViUInt16 code1, ViUInt16 code2, ViUInt16 code3) {
    return model == code1 || model == code2 || model == code3;
}

}  // namespace

int BuildSI(const char* title) {
    const int panel = NewPanel(0, title, 21, 44, 335, 317);
    if (panel < 0) return panel;
    SetPanelAttribute(panel, ATTR_CONSTANT_NAME, "SI");
    SetPanelAttribute(panel, ATTR_BACKCOLOR, kGrey);

    const ControlPlan plan[] = {
        {&siControls.ok, "SI_OK", CTRL_COMMAND_BUTTON, "Выбрать", 41, 208, 103, 25, siOkCB},
        {&siControls.cancel, "SI_CANCEL", CTRL_COMMAND_BUTTON, "Отмена", 84, 209, 103, 25,
         siCancelCB},
        {&siControls.list, "SI_LIST", CTRL_LIST_BOX, "", 23, 14, 185, 303, siListCB},
        {&siControls.textmsg, "SI_TEXTMSG", CTRL_TEXT_MSG, "", 5, 14, 155, 15, nullptr},
    };
    for (const ControlPlan& c : plan) {
        const int id = NewCtrl(panel, c.kind, c.label, c.top, c.left);
        *c.id = id;
        if (id < 0) continue;
        name_control(panel, id, c.constant_name);
        SetCtrlAttribute(panel, id, ATTR_WIDTH, c.width);
        SetCtrlAttribute(panel, id, ATTR_HEIGHT, c.height);
        if (c.callback != nullptr)
            SetCtrlAttribute(panel, id, ATTR_CALLBACK_FUNCTION_POINTER, c.callback);
    }
    SetCtrlAttribute(panel, siControls.ok, ATTR_CMD_BUTTON_COLOR, kGrey);
    SetCtrlAttribute(panel, siControls.cancel, ATTR_CMD_BUTTON_COLOR, kGrey);
    SetCtrlAttribute(panel, siControls.list, ATTR_BACKCOLOR, kGrey);
    SetCtrlAttribute(panel, siControls.list, ATTR_TEXT_BGCOLOR, kWhite);
    // A text message shows its value; a label would be drawn beside it as a second text.
    SetCtrlVal(panel, siControls.textmsg, kHeader);
    SetCtrlAttribute(panel, siControls.textmsg, ATTR_TEXT_BGCOLOR, kGrey);
    // Closing the panel from its frame is a press of "Отмена".
    SetPanelAttribute(panel, ATTR_CLOSE_CTRL, siControls.cancel);
    SetPanelAttribute(panel, ATTR_TOP, VAL_AUTO_CENTER);
    SetPanelAttribute(panel, ATTR_LEFT, VAL_AUTO_CENTER);
    return panel;
}

int SetListInstrs(ViUInt16 code1, ViUInt16 code2, ViUInt16 code3) {
    ClearListCtrl(siPanel, siControls.list);
    int lines = 0;
    for (int index = 0; index < kInstrumentsMax; ++index) {
        const InstrumentEntry& entry = Instruments[index];
        if (entry.logical_address == 0 || !listed(entry.model_code, code1, code2, code3)) continue;
        // Interface, mainframe address, slot, logical address, model code: each as unsigned
        // 16 bits, so an unknown mainframe address (-1) shows as 65535.
        char line[64];
        std::snprintf(
            line, sizeof line, "%4i%11i%10i%10i%8X", static_cast<ViUInt16>(entry.interface_number),
            static_cast<ViUInt16>(entry.mainframe_la), static_cast<ViUInt16>(entry.slot),
            static_cast<ViUInt16>(entry.logical_address), static_cast<unsigned>(entry.model_code));
        if (InsertListItem(siPanel, siControls.list, -1, line, index) >= 0) ++lines;
    }
    return lines;
}

int SetCurInstr() {
    int items = 0;
    if (GetNumListItems(siPanel, siControls.list, &items) < 0 || items == 0) return -1;
    int index = -1;
    if (GetCtrlVal(siPanel, siControls.list, &index) < 0) return -1;
    if (index < 0 || index >= kInstrumentsMax) return -1;
    CurInstr = &Instruments[index];
    return 0;
}

InstrumentEntry* SelectInstrument(const char* title, ViUInt16 code1, ViUInt16 code2,
                                  ViUInt16 code3) {
    if (title == nullptr) title = "";
    // The panel is built once and kept; it is built again only when the run-time has been
    // restarted since and the handle no longer names a panel.
    int shown = 0;
    if (siPanel == 0 || GetPanelAttribute(siPanel, ATTR_VISIBLE, &shown) < 0) {
        const int panel = BuildSI(title);
        if (panel < 0) return nullptr;
        siPanel = panel;
    }
    SetPanelAttribute(siPanel, ATTR_TITLE, title);
    if (SetListInstrs(code1, code2, code3) == 0) return nullptr;
    DisplayPanel(siPanel);
    // Modal wait: every way out is a callback that hides the panel. Each turn waits for the
    // operator instead of spinning.
    int visible = 1;
    while (visible != 0) {
        if (ProcessSystemEventsWaiting() < 0) {
            // The run-time can deliver no more input: nothing was chosen.
            HidePanel(siPanel);
            CurInstr = nullptr;
            break;
        }
        if (GetPanelAttribute(siPanel, ATTR_VISIBLE, &visible) < 0) {
            // The panel went away under the wait: no callback chose anything.
            CurInstr = nullptr;
            break;
        }
    }
    return CurInstr;
}

namespace {

int choose(int panel) {
    if (SetCurInstr() == 0) HidePanel(panel);
    return 0;
}

}  // namespace

int siOkCB(int panel, int, int event, void*, int, int) {
    return event == EVENT_COMMIT ? choose(panel) : 0;
}

int siListCB(int panel, int, int event, void*, int, int) {
    return event == EVENT_COMMIT || event == EVENT_LEFT_DOUBLE_CLICK ? choose(panel) : 0;
}

int siCancelCB(int panel, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT && event != EVENT_DISCARD) return 0;
    HidePanel(panel);
    CurInstr = nullptr;
    return 0;
}
