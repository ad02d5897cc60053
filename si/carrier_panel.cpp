#include "carrier_panel.h"

#include <cstdio>
#include <string>
#include <utility>

#include "kelqorm.h"
#include "userint.h"

namespace {

struct SummaryControls {
    int resource, model, mainframe, slot, address, positions, close;
};
SummaryControls controls = {};

int close_summary(int panel, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT || event == EVENT_CLOSE) HidePanel(panel);
    return 0;
}

int add_indicator(int panel, int kind, const char* constant_name, const char* label, int top,
                  int left, int width) {
    const int id = NewCtrl(panel, kind, label, top, left);
    if (id < 0) return id;
    SetCtrlAttribute(panel, id, ATTR_CONSTANT_NAME, constant_name);
    SetCtrlAttribute(panel, id, ATTR_CTRL_MODE, VAL_INDICATOR);
    SetCtrlAttribute(panel, id, ATTR_WIDTH, width);
    return id;
}

std::string position_text(int position, const PositionReport& report) {
    using State = PositionReport::State;
    char line[64];
    switch (report.state) {
        case State::not_queried:
            std::snprintf(line, sizeof line, "Позиция %d: не опрошена", position);
            break;
        case State::query_failed:
            std::snprintf(line, sizeof line, "Позиция %d: ошибка опроса", position);
            break;
        case State::empty:
            std::snprintf(line, sizeof line, "Позиция %d: пусто", position);
            break;
        case State::fitted:
            if (report.type == KELQORM_TYPE_CODE) {
                std::snprintf(line, sizeof line, "Позиция %d: QORM", position);
            } else {
                std::snprintf(line, sizeof line, "Позиция %d: мезонин типа %d", position,
                              static_cast<int>(report.type));
            }
            break;
    }
    return line;
}

}  // namespace

int build_carrier_panel() {
    const int panel = NewPanel(0, "Носитель", 90, 120, 232, 330);
    if (panel < 0) return 0;
    SetPanelAttribute(panel, ATTR_CONSTANT_NAME, "CARRIER");
    SetPanelAttribute(panel, ATTR_CALLBACK_FUNCTION_POINTER, &close_summary);
    controls.resource =
        add_indicator(panel, CTRL_STRING, "CARRIER_RESOURCE", "Ресурс", 22, 12, 306);
    controls.model = add_indicator(panel, CTRL_STRING, "CARRIER_MODEL", "Модель", 66, 12, 70);
    controls.mainframe =
        add_indicator(panel, CTRL_STRING, "CARRIER_MAINFRAME", "Кр.ЛА", 66, 96, 70);
    controls.slot = add_indicator(panel, CTRL_STRING, "CARRIER_SLOT", "Слот", 66, 180, 60);
    controls.address = add_indicator(panel, CTRL_STRING, "CARRIER_LA", "ЛА", 66, 254, 64);
    controls.positions =
        add_indicator(panel, CTRL_TEXT_BOX, "CARRIER_POSITIONS", "Мезонины", 110, 12, 306);
    SetCtrlAttribute(panel, controls.positions, ATTR_HEIGHT, 78);
    controls.close = NewCtrl(panel, CTRL_COMMAND_BUTTON, "__Закрыть", 198, 238);
    SetCtrlAttribute(panel, controls.close, ATTR_CONSTANT_NAME, "CARRIER_CLOSE");
    SetCtrlAttribute(panel, controls.close, ATTR_WIDTH, 80);
    SetCtrlAttribute(panel, controls.close, ATTR_CALLBACK_FUNCTION_POINTER, &close_summary);
    return panel;
}

void fill_carrier_panel(int panel, const CarrierSummary& summary) {
    if (panel <= 0) return;
    char text[32];
    if (summary.entry == nullptr) {
        SetCtrlVal(panel, controls.resource, "нет (демо режим)");
        for (int control : {controls.model, controls.mainframe, controls.slot, controls.address}) {
            SetCtrlVal(panel, control, "");
        }
    } else {
        const InstrumentEntry& entry = *summary.entry;
        SetCtrlVal(panel, controls.resource, entry.resource_name);
        std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(entry.model_code));
        SetCtrlVal(panel, controls.model, text);
        const std::pair<int, ViInt16> numbers[] = {{controls.mainframe, entry.mainframe_la},
                                                   {controls.slot, entry.slot},
                                                   {controls.address, entry.logical_address}};
        for (const auto& [control, value] : numbers) {
            std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
            SetCtrlVal(panel, control, text);
        }
    }
    ResetTextBox(panel, controls.positions, summary.opened ? "" : "Носитель не открыт");
    if (summary.opened) {
        ResetTextBox(panel, controls.positions, position_text(1, summary.positions[0]).c_str());
        for (int position = 2; position <= KELBASE_POSITIONS; ++position) {
            InsertTextBoxLine(panel, controls.positions, -1,
                              position_text(position, summary.positions[position - 1]).c_str());
        }
    }
}
