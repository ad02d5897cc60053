// A session recorded on the Qt view, made of real widget gestures on the front panel of the
// simulated crate, replays through the qorm program to the same main panel, headless and in the
// windows.
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "qorm_uir.h"
#include "qt_script.h"
#include "qt_view_test.h"
#include "recorder.h"
#include "script_text.h"
#include "uir/mark.h"
#include "uir/qt.h"
#include "uir/qt_widgets.h"
#include "userint.h"

namespace qt_test {
namespace {

using app::script::number_text;
using app::script::quote;

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
            kind == CTRL_TIMER || kind == CTRL_COMMAND_BUTTON) {
            continue;
        }
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

QWidget* body(int panel, int control) {
    return uir::qt::widget_of(panel, control);
}

void click(int panel, int control) {
    QWidget* w = body(panel, control);
    ASSERT_NE(w, nullptr) << "control " << control;
    QTest::mouseClick(w, Qt::LeftButton);
}

TEST(RecordReplay, SessionOnTheViewReplaysHeadlessToTheSameMainPanel) {
    uir::use_backend(uir::qt::make_backend());
    ASSERT_EQ(InitUserInterface(), 0);
    tools::bind_simulated_crate();
    std::string error;
    ModuleInstance* instance = tools::open_simulated_module(&error);
    ASSERT_NE(instance, nullptr) << error;

    std::vector<std::string> recorded;
    app::Recorder recorder([&](const std::string& line) { recorded.push_back(line); },
                           [] { return Timer(); });
    uir::automation::set_observer([&](const uir::automation::Action& a) { recorder.observe(a); });
    std::vector<std::string> checks;
    const auto mp = [&] { return instance->mp_panel; };

    tools::Script session;
    session
        .until(0,
               [&] {
                   QWidget* window = uir::qt::window_of(mp());
                   return window != nullptr && window->isVisible();
               })
        .then(0.05, [&] { QTest::keyClick(body(mp(), MP_L_1), Qt::Key_Down); })  // line 1
        .then(0.05, [&] { click(mp(), MP_SWITCH_1); })
        .then(0.05, [&] { click(mp(), MP_COMMANDBUTTON_4); })  // every channel to line 2
        .then(0.05, [&] { click(mp(), MP_GRP_ON); })
        .then(0.05, [&] { click(mp(), MP_GRP_OFF); })
        .then(0.05, [&] { click(mp(), MP_2FIX_1); })
        .then(0.05, [&] { QTest::keyClick(body(mp(), MP_L_5), Qt::Key_Up); })  // line 1
        .then(0.05, [&] { click(mp(), MP_CTRL_MODE); })                        // timed switching
        .then(0.05,
              [&] {
                  auto* time = qobject_cast<QDoubleSpinBox*>(body(mp(), MP_T_3));
                  ASSERT_NE(time, nullptr);
                  time->selectAll();
                  QTest::keyClicks(time, "0.4");
                  QTest::keyClick(time, Qt::Key_Return);
              })
        .then(0.05, [&] { click(mp(), MP_STATE_CONT); })
        .then(0.3, [&] { click(mp(), MP_STATE_CONT); })
        .then(0.05, [&] {
            checks = main_panel_checks(mp());
            uir::automation::set_observer(nullptr);
            recorder.flush();
            qorm_close(&instance);
        });
    session.start();
    ASSERT_EQ(qorm_display(instance), 0);
    uir::shutdown();

    ASSERT_GT(checks.size(), 180u) << "every channel's six controls and more";
    std::string recording;
    for (const std::string& line : recorded) recording += line + "\n";
    for (const char* expected : {"select MP_L_1 2\n", "press MP_SWITCH_1\n", "press MP_GRP_ON\n",
                                 "press MP_2FIX_1\n", "set MP_T_3 0.4\n"}) {
        EXPECT_NE(recording.find(expected), std::string::npos) << expected << "in\n" << recording;
    }

    // The standalone program reaches the same front panel once the carrier is chosen.
    const std::string path = testing::TempDir() + "qt_session.qs";
    {
        std::ofstream script(path);
        script << "press SI_OK\n" << recording << "wait 0.05\n";
        for (const std::string& check : checks) script << check << "\n";
    }
    // Replayed headless, and played again in the windows (offscreen, as this test runs).
    for (const char* backend : {"--backend=headless", "--backend=qt --step-delay=0"}) {
        SCOPED_TRACE(backend);
        // In the windows the program ends with its script without tearing the view down.
        const std::string command = std::string("LSAN_OPTIONS=suppressions=") +
                                    QT_LSAN_SUPPRESSIONS + " " + QORM_PROGRAM + " " + backend +
                                    " --sim --script=" + path + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string transcript;
        char chunk[4096];
        while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) transcript += chunk;
        EXPECT_EQ(pclose(pipe), 0) << transcript << "\nrecording:\n" << recording;
    }
}

}  // namespace
}  // namespace qt_test

namespace qt_test {
namespace {

// The run-time's mark, as the view draws it: a frame just around the marked control, following
// it, gone when the mark is cleared or moves on.
TEST(ScriptMark, FramesTheMarkedControlUntilCleared) {
    uir::use_backend(uir::qt::make_backend());
    ASSERT_EQ(InitUserInterface(), 0);
    const int panel = NewPanel(0, "Метка", 50, 50, 200, 300);
    const int first = NewCtrl(panel, CTRL_COMMAND_BUTTON, "Первая", 20, 20);
    const int second = NewCtrl(panel, CTRL_COMMAND_BUTTON, "Вторая", 100, 20);
    ASSERT_EQ(DisplayPanel(panel), 0);
    QApplication::processEvents();
    EXPECT_EQ(uir::qt::mark_of(), nullptr);

    uir::mark::set(panel, first);
    QWidget* frame = uir::qt::mark_of();
    ASSERT_NE(frame, nullptr);
    QWidget* button = uir::qt::widget_of(panel, first);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(frame->parentWidget(), button->parentWidget());
    EXPECT_TRUE(frame->geometry().contains(button->geometry()));
    EXPECT_FALSE(frame->geometry().contains(uir::qt::widget_of(panel, second)->geometry()));
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->testAttribute(Qt::WA_TransparentForMouseEvents))
        << "the operator's clicks go through to the control";

    SetCtrlAttribute(panel, first, ATTR_TOP, 60);
    QApplication::processEvents();
    EXPECT_TRUE(frame->geometry().contains(button->geometry())) << "it follows the control";

    uir::mark::set(panel, second);
    QWidget* moved = uir::qt::mark_of();
    ASSERT_NE(moved, nullptr);
    EXPECT_TRUE(moved->geometry().contains(uir::qt::widget_of(panel, second)->geometry()));
    uir::mark::clear();
    EXPECT_EQ(uir::qt::mark_of(), nullptr);

    uir::mark::set(panel, first);
    DiscardPanel(panel);
    EXPECT_EQ(uir::qt::mark_of(), nullptr) << "the frame goes with its window";
    uir::mark::clear();
    uir::shutdown();
}

}  // namespace
}  // namespace qt_test
