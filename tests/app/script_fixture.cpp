#include "script_fixture.h"

#include "script_backend.h"
#include "script_runner.h"
#include "script_target.h"
#include "uir/backend.h"
#include "uir/callbacks.h"
#include "uir/headless.h"
#include "uir/layout.h"
#include "uir/model.h"

namespace script_test {
namespace {

using uir::CtrlSpec;

constexpr uir::ListItemSpec kRingItems[] = {{" -", 0}, {"Л1", 1}, {"Л2", 2}};
constexpr uir::ListItemSpec kListItems[] = {{"первая", 10}, {"вторая", 20}, {"третья", 30}};

constexpr CtrlSpec kTpCtrls[] = {
    {.id = TP_GO,
     .constant_name = "TP_GO",
     .kind = CTRL_COMMAND_BUTTON,
     .label = "__Пуск",
     .top = 40,
     .left = 12,
     .width = 90,
     .height = 25,
     .callback = "tp_go",
     .back_color = 0xC0C0C0},
    {.id = TP_DIM,
     .constant_name = "TP_DIM",
     .kind = CTRL_COMMAND_BUTTON,
     .callback = "tp_go",
     .dimmed = true},
    {.id = TP_HIDDEN,
     .constant_name = "TP_HIDDEN",
     .kind = CTRL_COMMAND_BUTTON,
     .callback = "tp_go",
     .visible = false},
    {.id = TP_LAMP, .constant_name = "TP_LAMP", .kind = CTRL_LED, .mode = VAL_INDICATOR},
    {.id = TP_SWITCH,
     .constant_name = "TP_SWITCH",
     .kind = CTRL_BINARY_SWITCH,
     .data_type = VAL_INTEGER,
     .callback = "tp_commit",
     .on_text = "Вкл",
     .off_text = "Выкл"},
    {.id = TP_TIME,
     .constant_name = "TP_TIME",
     .kind = CTRL_NUMERIC,
     .data_type = VAL_FLOAT,
     .callback = "tp_commit",
     .value = 0.05,
     .min = 0.025,
     .max = 6.375,
     .incr = 0.025,
     .precision = 3},
    {.id = TP_COUNT,
     .constant_name = "TP_COUNT",
     .kind = CTRL_NUMERIC,
     .data_type = VAL_SHORT_INTEGER,
     .callback = "tp_commit",
     .min = -100,
     .max = 100},
    {.id = TP_NAME,
     .constant_name = "TP_NAME",
     .kind = CTRL_STRING,
     .data_type = VAL_STRING,
     .callback = "tp_commit",
     .text = ""},
    {.id = TP_MSG,
     .constant_name = "TP_MSG",
     .kind = CTRL_STRING,
     .data_type = VAL_STRING,
     .mode = VAL_INDICATOR,
     .text = ""},
    {.id = TP_RING,
     .constant_name = "TP_RING",
     .kind = CTRL_RING,
     .data_type = VAL_SHORT_INTEGER,
     .callback = "tp_commit",
     .items = kRingItems},
    {.id = TP_LIST,
     .constant_name = "TP_LIST",
     .kind = CTRL_LIST_BOX,
     .data_type = VAL_INTEGER,
     .callback = "tp_commit",
     .items = kListItems},
    {.id = TP_BOX,
     .constant_name = "TP_BOX",
     .kind = CTRL_TEXT_BOX,
     .data_type = VAL_STRING,
     .mode = VAL_INDICATOR,
     .text = "строка 1\nстрока 2"},
    {.id = TP_TIMER,
     .constant_name = "TP_TIMER",
     .kind = CTRL_TIMER,
     .mode = VAL_INDICATOR,
     .callback = "tp_tick",
     .interval = 0.1},
    {.id = TP_TICKS,
     .constant_name = "TP_TICKS",
     .kind = CTRL_NUMERIC,
     .data_type = VAL_INTEGER,
     .mode = VAL_INDICATOR},
    {.id = TP_BUSY, .constant_name = "TP_BUSY", .kind = CTRL_COMMAND_BUTTON, .callback = "tp_busy"},
    {.id = TP_NOTE, .constant_name = "TP_NOTE", .kind = CTRL_COMMAND_BUTTON, .callback = "tp_note"},
    {.id = TP_QUIT, .constant_name = "TP_QUIT", .kind = CTRL_COMMAND_BUTTON, .callback = "tp_quit"},
};

constexpr uir::MenuItemSpec kFileItems[] = {
    {.id = TPMNU_FILE_ASK,
     .constant_name = "TPMNU_FILE_ASK",
     .text = "Спросить",
     .callback = "tp_menu"},
    {.id = TPMNU_FILE_OFF,
     .constant_name = "TPMNU_FILE_OFF",
     .text = "Недоступно",
     .callback = "tp_menu"},
};
constexpr uir::MenuSpec kMenus[] = {
    {.id = TPMNU_FILE, .constant_name = "TPMNU_FILE", .title = "Файл", .items = kFileItems},
};
constexpr uir::MenuBarSpec kMenuBar = {.id = 1, .constant_name = "TPMNU", .menus = kMenus};

constexpr CtrlSpec kTqCtrls[] = {
    {.id = TQ_OK, .constant_name = "TQ_OK", .kind = CTRL_COMMAND_BUTTON, .callback = "tq_ok"},
};

constexpr uir::PanelSpec kPanels[] = {
    {.id = TP,
     .constant_name = "TP",
     .title = "Проверочная панель",
     .top = 50,
     .left = 60,
     .height = 300,
     .width = 400,
     .callback = "tp_panel",
     .controls = kTpCtrls,
     .menu_bar = &kMenuBar},
    {.id = TQ,
     .constant_name = "TQ",
     .title = "Вторая",
     .height = 100,
     .width = 200,
     .controls = kTqCtrls,
     .close_ctrl = TQ_OK},
};

constexpr uir::LayoutSpec kLayout = {.file_name = "script_test.uir", .panels = kPanels};

int pressed = 0;
int ticks = 0;

std::string event_name(int event) {
    switch (event) {
        case EVENT_COMMIT:
            return "commit";
        case EVENT_LEFT_DOUBLE_CLICK:
            return "double-click";
        case EVENT_CLOSE:
            return "close";
        default:
            return std::to_string(event);
    }
}

int tp_go(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    program_log().push_back(uir::model::find_control(panel, control)->constant_name + " commit");
    SetCtrlVal(panel, TP_MSG, ("нажато " + std::to_string(++pressed)).c_str());
    return 0;
}

int tp_commit(int panel, int control, int event, void*, int data1, int) {
    program_log().push_back(uir::model::find_control(panel, control)->constant_name + " " +
                            event_name(event) + " " + std::to_string(data1));
    if (control == TP_SWITCH && event == EVENT_COMMIT) {
        int on = 0;
        GetCtrlVal(panel, TP_SWITCH, &on);
        SetCtrlAttribute(panel, TP_TIMER, ATTR_ENABLED, on);
    }
    return 0;
}

// Like a callback that draws its panel before a long blocking call: it processes events once
// in the middle of its work.
int tp_busy(int panel, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    SetCtrlVal(panel, TP_MSG, "занят");
    ProcessSystemEvents();
    SetCtrlVal(panel, TP_MSG, "готово");
    program_log().push_back("TP_BUSY done");
    return 0;
}

int tp_note(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) MessagePopup("Заметка", "первая\nвторая");
    return 0;
}

int tp_quit(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) program_quit() = true;
    return 0;
}

int tp_tick(int panel, int, int event, void*, int, int) {
    if (event == EVENT_TIMER_TICK) SetCtrlVal(panel, TP_TICKS, ++ticks);
    return 0;
}

int tp_panel(int panel, int, int event, void*, int, int) {
    if (event == EVENT_CLOSE) {
        program_log().push_back("TP close");
        HidePanel(panel);
    }
    return 0;
}

int tq_ok(int panel, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) HidePanel(panel);
    return 0;
}

void tp_menu(int, int item, void*, int panel) {
    if (item != TPMNU_FILE_ASK) return;
    const bool yes = ConfirmPopup("Вопрос", "Продолжить?") == 1;
    program_log().push_back(yes ? "ask yes" : "ask no");
    SetCtrlVal(panel, TP_MSG, yes ? "да" : "нет");
}

}  // namespace

std::vector<std::string>& program_log() {
    static std::vector<std::string> log;
    return log;
}

bool& program_quit() {
    static bool quit = false;
    return quit;
}

std::unique_ptr<uir::Backend> ScriptTest::make_backend() {
    return std::make_unique<app::script::ScriptBackend>();
}

void ScriptTest::SetUp() {
    HeadlessTest::SetUp();
    uir::register_callback("tp_go", tp_go);
    uir::register_callback("tp_commit", tp_commit);
    uir::register_callback("tp_busy", tp_busy);
    uir::register_callback("tp_note", tp_note);
    uir::register_callback("tp_quit", tp_quit);
    uir::register_callback("tp_tick", tp_tick);
    uir::register_callback("tp_panel", tp_panel);
    uir::register_callback("tq_ok", tq_ok);
    uir::register_menu_callback("tp_menu", tp_menu);
    uir::register_layout(kLayout);
    reload();
}

void ScriptTest::reload() {
    for (int panel : {tp, tq})
        if (panel > 0) DiscardPanel(panel);
    program_log().clear();
    program_quit() = false;
    pressed = 0;
    ticks = 0;
    tp = LoadPanelEx(0, "script_test.uir", TP, nullptr);
    tq = LoadPanelEx(0, "script_test.uir", TQ, nullptr);
    ASSERT_GT(tp, 0);
    ASSERT_GT(tq, 0);
    ASSERT_EQ(SetMenuBarAttribute(GetPanelMenuBar(tp), TPMNU_FILE_OFF, ATTR_DIMMED, 1), 0);
    ASSERT_EQ(DisplayPanel(tp), 0);
}

int ScriptTest::run(const std::string& text, bool simulated) {
    return run_script(text, simulated, app::script::headless_operator());
}

int ScriptTest::run_with(const std::string& text, app::script::Operator op) {
    return run_script(text, false, std::move(op));
}

int ScriptTest::run_script(const std::string& text, bool simulated, app::script::Operator op) {
    transcript.clear();
    program_quit() = false;
    app::script::ParseError error;
    auto script = app::script::parse(text, {.simulated = simulated}, &error);
    if (!script) {
        ADD_FAILURE() << "the script is refused at line " << error.line << ": " << error.reason;
        return -1;
    }
    int status = -1;
    {
        app::script::Runner runner(
            std::move(*script), [this](const std::string& line) { transcript.push_back(line); },
            nullptr, std::move(op));
        runner.run_prologue();
        runner.start();
        // The test program: a loop that waits for the operator, until it ends on its own.
        while (!runner.finished() && !program_quit()) {
            if (ProcessSystemEventsWaiting() < 0) break;
        }
        status = runner.finished() ? runner.exit_status() : runner.program_ended();
    }
    uir::headless::on_failure([](const std::string& reason) {
        ADD_FAILURE() << "headless run-time after the script: " << reason;
    });
    return status;
}

std::string snapshot() {
    std::string out;
    for (int handle : uir::model::panel_handles()) {
        const uir::Panel* p = uir::model::find_panel(handle);
        out +=
            p->constant_name + " \"" + p->title + "\"" + (p->visible ? " shown" : " hidden") + "\n";
        for (int id : p->controls) {
            const uir::Control* c = uir::model::find_control(handle, id);
            out += "  " + c->constant_name + " = " + app::script::shown_value(*c) +
                   (c->dimmed ? " dimmed" : "") + (c->visible ? "" : " hidden") +
                   (c->kind == CTRL_TIMER && c->enabled ? " enabled" : "") + "\n";
        }
    }
    return out;
}

std::string case_name(std::string_view text, std::size_t index) {
    std::string name;
    for (char c : text) {
        const bool keep =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (keep)
            name += c;
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    if (!name.empty() && name.back() != '_') name += '_';
    return name + std::to_string(index);
}

std::string ScriptTest::line_of(int number) const {
    const std::string prefix = "строка " + std::to_string(number) + ",";
    for (auto it = transcript.rbegin(); it != transcript.rend(); ++it)
        if (it->rfind(prefix, 0) == 0) return *it;
    return "";
}

}  // namespace script_test
