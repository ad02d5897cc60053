// The front panel itself on the Win32 view, on the simulated crate, operated with the system's
// input messages: the connector test with its confirmation and live transcript, the exit through
// the confirmation panel, and a session recorded at the panels that replays headless through the
// qorm program to the same main panel.
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "program_run.h"
#include "qorm_uir.h"
#include "recorder.h"
#include "script_text.h"
#include "win32_script.h"
#include "win32_view_test.h"

namespace win32_test {
namespace {

using app::script::number_text;
using app::script::quote;

HWND body_on(int panel, int control) {
    return uir::win32::body_of(panel, control);
}

void post_click(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(w, WM_LBUTTONUP, 0, at);
}

void post_key(HWND w, UINT vk) {
    PostMessageW(w, WM_KEYDOWN, vk, 1);
    PostMessageW(w, WM_KEYUP, vk, static_cast<LPARAM>(1 | (3u << 30)));
}

void click(int panel, int control) {
    HWND w = body_on(panel, control);
    ASSERT_NE(w, nullptr) << "control " << control;
    post_click(w);
}

void choose_menu(int panel, int item) {
    PostMessageW(uir::win32::window_of(panel), WM_COMMAND, MAKEWPARAM(item, 0), 0);
}

bool shown(int panel) {
    HWND w = uir::win32::window_of(panel);
    return w && IsWindowVisible(w);
}

// `check` lines for every control of the main panel that holds a value the operator sees.
std::vector<std::string> main_panel_checks(int mp) {
    std::vector<std::string> checks;
    for (int control = 2; control <= MP_HW_VER; ++control) {
        int kind = 0, type = 0;
        char name[64] = "";
        if (GetCtrlAttribute(mp, control, ATTR_CTRL_STYLE, &kind) < 0) continue;
        GetCtrlAttribute(mp, control, ATTR_DATA_TYPE, &type);
        GetCtrlAttribute(mp, control, ATTR_CONSTANT_NAME, name);
        if (kind == CTRL_TEXT_MSG || kind == CTRL_DECORATION || kind == CTRL_PICTURE ||
            kind == CTRL_TIMER || kind == CTRL_COMMAND_BUTTON)
            continue;
        std::string value;
        if (type == VAL_STRING) {
            char text[512] = "";
            GetCtrlVal(mp, control, text);
            value = quote(text);
        } else if (type == VAL_FLOAT) {
            float number = 0;
            GetCtrlVal(mp, control, &number);
            value = number_text(number);
        } else if (type == VAL_SHORT_INTEGER) {
            short number = 0;
            GetCtrlVal(mp, control, &number);
            value = number_text(number);
        } else if (type == VAL_UNSIGNED_SHORT_INTEGER) {
            unsigned short number = 0;
            GetCtrlVal(mp, control, &number);
            value = number_text(number);
        } else {
            int number = 0;
            GetCtrlVal(mp, control, &number);
            value = number_text(number);
        }
        checks.push_back(std::string("check ") + name + " = " + value);
    }
    return checks;
}

class FrontPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        uir::use_backend(uir::win32::make_backend({" [симуляция]"}));
        ASSERT_EQ(InitUserInterface(), 0);
        tools::bind_simulated_crate();
        std::string error;
        instance_ = tools::open_simulated_module(&error);
        ASSERT_NE(instance_, nullptr) << error;
    }
    void TearDown() override { uir::shutdown(); }
    int mp() const { return instance_->mp_panel; }

    ModuleInstance* instance_ = nullptr;
};

TEST_F(FrontPanelTest, ConnectorTestShowsItsTranscriptAndTheExitConfirms) {
    std::wstring confirmation;
    int transcript_lines = 0, transcript_model_lines = 0;
    std::wstring last_line;
    bool exit_shown = false;
    tools::Win32Script session;
    session.until(0.02, [&] { return shown(mp()); })
        .then(0.05, [&] { choose_menu(mp(), IMNU_INSTR_ZQORM); })
        .until(0.02,
               [&] {
                   HWND popup = uir::win32::shown_popup();
                   if (!popup) return false;
                   wchar_t text[256] = L"";
                   GetDlgItemTextW(popup, uir::win32::kPopupTextId, text, 256);
                   confirmation = text;
                   return tools::answer_popup(IDYES);
               })
        .until(0.05, [&] { return shown(instance_->zqorm_panel); })
        .then(0.05,
              [&] {
                  HWND box = body_on(instance_->zqorm_panel, ZQORM_TEXTBOX);
                  transcript_lines = static_cast<int>(SendMessageW(box, EM_GETLINECOUNT, 0, 0));
                  GetNumTextBoxLines(instance_->zqorm_panel, ZQORM_TEXTBOX,
                                     &transcript_model_lines);
                  wchar_t line[256] = L"";
                  *reinterpret_cast<WORD*>(line) = 255;
                  const auto n = SendMessageW(box, EM_GETLINE, transcript_lines - 1,
                                              reinterpret_cast<LPARAM>(line));
                  last_line.assign(line, static_cast<std::size_t>(n));
                  click(instance_->zqorm_panel, ZQORM_COMMANDBUTTON);
              })
        .then(0.05, [&] { click(mp(), MP_CLOSE); })
        .until(0.02, [&] { return exit_shown = shown(instance_->exit_panel); })
        .then(0.05, [&] { click(instance_->exit_panel, EXIT_POPUP_EXIT_YES); });
    session.start();
    ASSERT_EQ(qorm_display(instance_), 0);

    EXPECT_EQ(confirmation, L"Подлючите соединитель контрольный QORM-Z");
    EXPECT_GT(transcript_model_lines, 30) << "a line for each channel";
    EXPECT_EQ(transcript_lines, transcript_model_lines) << "the box shows every line";
    EXPECT_EQ(last_line, L"Проверка завершена. Ошибок не найдено.");
    EXPECT_TRUE(exit_shown);
}

TEST_F(FrontPanelTest, SessionOnTheViewReplaysHeadlessToTheSameMainPanel) {
    std::vector<std::string> recorded;
    app::Recorder recorder([&](const std::string& line) { recorded.push_back(line); },
                           [] { return Timer(); });
    uir::automation::set_observer([&](const uir::automation::Action& a) { recorder.observe(a); });
    std::vector<std::string> checks;
    const auto focus_and_key = [&](int control, UINT vk) {
        SetFocus(body_on(mp(), control));
        post_key(body_on(mp(), control), vk);
    };

    tools::Win32Script session;
    session.until(0.02, [&] { return shown(mp()); })
        .then(0.05, [&] { focus_and_key(MP_L_1, VK_DOWN); })  // line 1
        .then(0.05, [&] { click(mp(), MP_SWITCH_1); })
        .then(0.05, [&] { click(mp(), MP_COMMANDBUTTON_4); })  // every channel to line 2
        .then(0.05, [&] { click(mp(), MP_GRP_ON); })
        .then(0.05, [&] { click(mp(), MP_GRP_OFF); })
        .then(0.05, [&] { click(mp(), MP_2FIX_1); })
        .then(0.05, [&] { focus_and_key(MP_L_5, VK_UP); })  // line 1
        .then(0.05, [&] { click(mp(), MP_CTRL_MODE); })     // timed switching
        .then(0.05,
              [&] {
                  HWND time = body_on(mp(), MP_T_3);
                  SetFocus(time);
                  SendMessageW(time, EM_SETSEL, 0, -1);
                  for (wchar_t ch : std::wstring(L"0,4")) PostMessageW(time, WM_CHAR, ch, 1);
                  post_key(time, VK_RETURN);
              })
        .then(0.05, [&] { click(mp(), MP_STATE_CONT); })
        .then(0.3, [&] { click(mp(), MP_STATE_CONT); })
        .then(0.05, [&] {
            checks = main_panel_checks(mp());
            uir::automation::set_observer(nullptr);
            recorder.flush();
            qorm_close(&instance_);
        });
    session.start();
    ASSERT_EQ(qorm_display(instance_), 0);

    ASSERT_GT(checks.size(), 180u) << "every channel's six controls and more";
    std::string recording;
    for (const std::string& line : recorded) recording += line + "\n";
    for (const char* expected : {"select MP_L_1 2\n", "press MP_SWITCH_1\n", "press MP_GRP_ON\n",
                                 "press MP_2FIX_1\n", "set MP_T_3 0.4\n"}) {
        EXPECT_NE(recording.find(expected), std::string::npos) << expected << "in\n" << recording;
    }

    // The standalone program reaches the same front panel once the carrier is chosen.
    const std::string path = test_support::temp_path("win32_session.qs");
    {
        std::ofstream script(path);
        script << "press SI_OK\n" << recording << "wait 0.05\n";
        for (const std::string& check : checks) script << check << "\n";
    }
    const test_support::ProgramRun run = test_support::run_program(
        QORM_PROGRAM, {"--backend=headless", "--sim", "--script=" + path});
    EXPECT_EQ(run.status, 0) << run.failure << run.out << run.err << "\nrecording:\n" << recording;
}

}  // namespace
}  // namespace win32_test
