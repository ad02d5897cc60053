// Handles: counting up, never reused, and every call on a bad one refused with nothing changed.
#include "recorder.h"

namespace uir_test {
namespace {

using HandlesTest = UirTest;

TEST_F(HandlesTest, HandlesCountUpAndAreNeverReused) {
    const int a = NewPanel(0, "A", 0, 0, 10, 10);
    const int b = NewPanel(0, "B", 0, 0, 10, 10);
    ASSERT_GT(a, 0);
    EXPECT_EQ(b, a + 1);
    ASSERT_EQ(DiscardPanel(a), 0);
    const int bar = NewMenuBar(b);
    EXPECT_EQ(bar, b + 1) << "menu bars draw from the same count";
    const int c = NewPanel(0, "C", 0, 0, 10, 10);
    EXPECT_EQ(c, bar + 1);

    uir::shutdown();
    uir::use_backend(uir::headless::make_backend());
    ASSERT_EQ(InitUserInterface(), 0);
    const int d = NewPanel(0, "D", 0, 0, 10, 10);
    EXPECT_GT(d, c) << "handles keep counting across a restart";
    EXPECT_EQ(DisplayPanel(a), UIE_INVALID_PANEL);
    EXPECT_EQ(DisplayPanel(c), UIE_INVALID_PANEL) << "the restart discarded every panel";
}

TEST_F(HandlesTest, DiscardedAndUnknownPanelsAreRefused) {
    const int p = load(MAIN);
    ASSERT_EQ(DiscardPanel(p), 0);
    int v = 0;
    char text[8];
    for (int bad : {p, 0, -1, 999999}) {
        EXPECT_EQ(DisplayPanel(bad), UIE_INVALID_PANEL);
        EXPECT_EQ(HidePanel(bad), UIE_INVALID_PANEL);
        EXPECT_EQ(DiscardPanel(bad), UIE_INVALID_PANEL);
        EXPECT_EQ(SetCtrlVal(bad, MAIN_INT, 1), UIE_INVALID_PANEL);
        EXPECT_EQ(GetCtrlVal(bad, MAIN_INT, &v), UIE_INVALID_PANEL);
        EXPECT_EQ(GetCtrlVal(bad, MAIN_STRING, text), UIE_INVALID_PANEL);
        EXPECT_EQ(SetPanelAttribute(bad, ATTR_TITLE, "x"), UIE_INVALID_PANEL);
        EXPECT_EQ(GetPanelAttribute(bad, ATTR_TOP, &v), UIE_INVALID_PANEL);
        EXPECT_EQ(NewCtrl(bad, CTRL_NUMERIC, "", 0, 0), UIE_INVALID_PANEL);
        EXPECT_EQ(GetPanelMenuBar(bad), UIE_INVALID_PANEL);
        EXPECT_EQ(uir::automation::press(bad, MAIN_OK), UIE_INVALID_PANEL);
        EXPECT_EQ(uir::automation::close_panel(bad), UIE_INVALID_PANEL);
    }
    EXPECT_EQ(uir::model::find_panel(p), nullptr);
}

TEST_F(HandlesTest, UnknownAndDiscardedControlsAreRefused) {
    const int p = load(MAIN);
    int v = 0;
    EXPECT_EQ(SetCtrlVal(p, 19, 1), UIE_INVALID_CONTROL) << "a gap in the layout's ids";
    EXPECT_EQ(GetCtrlVal(p, 0, &v), UIE_INVALID_CONTROL);
    EXPECT_EQ(SetCtrlAttribute(p, 500, ATTR_DIMMED, 1), UIE_INVALID_CONTROL);
    EXPECT_EQ(ClearListCtrl(p, 500), UIE_INVALID_CONTROL);
    EXPECT_EQ(ResetTextBox(p, 500, ""), UIE_INVALID_CONTROL);
    ASSERT_EQ(DiscardCtrl(p, MAIN_INT), 0);
    EXPECT_EQ(GetCtrlVal(p, MAIN_INT, &v), UIE_INVALID_CONTROL);
    EXPECT_EQ(DiscardCtrl(p, MAIN_INT), UIE_INVALID_CONTROL);
    EXPECT_EQ(uir::automation::find_control(p, "MAIN_INT"), UIE_INVALID_CONTROL);
}

TEST_F(HandlesTest, EveryCallIsRefusedBeforeStartUp) {
    uir::shutdown();
    int v = 0;
    EXPECT_EQ(NewPanel(0, "x", 0, 0, 1, 1), UIE_NOT_STARTED);
    EXPECT_EQ(LoadPanelEx(0, kLayoutFile, MAIN, nullptr), UIE_NOT_STARTED);
    EXPECT_EQ(DisplayPanel(1), UIE_NOT_STARTED);
    EXPECT_EQ(GetCtrlVal(1, 2, &v), UIE_NOT_STARTED);
    EXPECT_EQ(ProcessSystemEvents(), UIE_NOT_STARTED);
    EXPECT_EQ(ProcessSystemEventsWaiting(), UIE_NOT_STARTED);
    EXPECT_EQ(MessagePopup("QORM", "x"), UIE_NOT_STARTED);
    EXPECT_EQ(Delay(1), UIE_NOT_STARTED);
    EXPECT_EQ(QuitUserInterface(0), UIE_NOT_STARTED);
    EXPECT_EQ(Timer(), 0.0);
}

TEST_F(HandlesTest, ABackendThatCannotStartIsReported) {
    struct NoDisplay : uir::headless::HeadlessBackend {
        int start() override { return -1; }
    };
    uir::shutdown();
    uir::use_backend(std::make_unique<NoDisplay>());
    EXPECT_EQ(InitUserInterface(), UIE_BACKEND_FAILED);
    EXPECT_EQ(NewPanel(0, "x", 0, 0, 1, 1), UIE_NOT_STARTED);
    EXPECT_EQ(InitUserInterface(), UIE_NO_BACKEND)
        << "without a choice nothing starts: the build has no default backend";
}

TEST_F(HandlesTest, NewPanelChecksItsArguments) {
    EXPECT_EQ(NewPanel(0, nullptr, 0, 0, 10, 10), UIE_NULL_POINTER);
    EXPECT_EQ(NewPanel(0, "x", 0, 0, -1, 10), UIE_INVALID_ARGUMENT);
    const int p = NewPanel(0, "x", 0, 0, 10, 10);
    ASSERT_GT(p, 0);
    EXPECT_EQ(NewPanel(p, "child", 0, 0, 10, 10), UIE_INVALID_ARGUMENT);
    EXPECT_EQ(NewCtrl(p, 0, "", 0, 0), UIE_INVALID_ARGUMENT);
    EXPECT_EQ(NewCtrl(p, CTRL_TIMER + 1, "", 0, 0), UIE_INVALID_ARGUMENT);
}

TEST_F(HandlesTest, StatusesHaveTexts) {
    const std::string unknown = GetUILErrorString(12345);
    for (int st = UIE_NO_ERROR; st >= UIE_TIME_LIMIT; --st) {
        const std::string text = GetUILErrorString(st);
        EXPECT_FALSE(text.empty()) << st;
        EXPECT_NE(text, unknown) << st;
    }
    EXPECT_STREQ(GetUILErrorString(UIE_INVALID_PANEL), "Неверный дескриптор панели");
}

}  // namespace
}  // namespace uir_test
