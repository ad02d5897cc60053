// Nested runs: a callback that itself processes events (the connector test drawing its first
// line, a host running a second front panel from its own callback) stays correct: the inner run
// delivers input and runs callbacks, the outer one goes on afterwards, and the windows follow.
#include <windows.h>

#include <string>

#include "win32_view_test.h"

namespace win32_test {
namespace {

std::vector<std::string> g_log;
HWND g_button = nullptr;
int g_second = 0;
bool g_second_closed = false;

int UIR_CALLBACK inner_cb(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) g_log.push_back("inner");
    return 0;
}

// Processes events itself, while a click on another button waits in the queue.
int UIR_CALLBACK outer_cb(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    g_log.push_back("outer begins");
    PostMessageW(g_button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(g_button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ProcessSystemEvents();
    g_log.push_back("outer ends");
    return 0;
}

int UIR_CALLBACK close_second_cb(int panel, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    g_second_closed = true;
    DiscardPanel(panel);  // the panel goes away from inside its own callback
    return 0;
}

// A modal run inside a callback, as a host's nested front panel: loads a panel, waits for it to
// be closed by the operator, and goes on.
int UIR_CALLBACK modal_cb(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    g_log.push_back("modal begins");
    g_second = LoadPanelEx(0, kLayoutFile, SECOND, nullptr);
    SetCtrlAttribute(g_second, S_CLOSE, ATTR_CALLBACK_FUNCTION_POINTER, close_second_cb);
    DisplayPanel(g_second);
    HWND close = uir::win32::body_of(g_second, S_CLOSE);
    PostMessageW(close, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(close, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    while (!g_second_closed)
        if (ProcessSystemEventsWaiting() < 0) break;
    g_log.push_back("modal ends");
    return 0;
}

class NestedTest : public Win32ViewTest {
  protected:
    void SetUp() override {
        Win32ViewTest::SetUp();
        g_log.clear();
        g_second = 0;
        g_second_closed = false;
        g_button = body(V_TOGGLE);
    }
};

TEST_F(NestedTest, CallbackThatProcessesEventsRunsTheQueuedInputInside) {
    ASSERT_EQ(SetCtrlAttribute(panel_, V_BUTTON, ATTR_CALLBACK_FUNCTION_POINTER, outer_cb), 0);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TOGGLE, ATTR_CALLBACK_FUNCTION_POINTER, inner_cb), 0);
    click(body(V_BUTTON));
    settle();
    EXPECT_EQ(g_log, (std::vector<std::string>{"outer begins", "inner", "outer ends"}));
    EXPECT_EQ(int_value(V_TOGGLE), 1);
    EXPECT_EQ(text_of(body(V_TOGGLE)), L"Стоп") << "the inner gesture was drawn";
}

TEST_F(NestedTest, ModalRunInsideACallbackEndsAndTheOuterPanelGoesOn) {
    ASSERT_EQ(SetCtrlAttribute(panel_, V_BUTTON, ATTR_CALLBACK_FUNCTION_POINTER, modal_cb), 0);
    click(body(V_BUTTON));
    settle();
    EXPECT_EQ(g_log, (std::vector<std::string>{"modal begins", "modal ends"}));
    EXPECT_TRUE(g_second_closed);
    EXPECT_EQ(uir::win32::window_of(g_second), nullptr) << "discarded from its own callback";
    int visible = 1;
    EXPECT_EQ(GetPanelAttribute(g_second, ATTR_VISIBLE, &visible), UIE_INVALID_PANEL);

    // The outer panel still takes the operator's input.
    recorder().calls.clear();
    click(body(V_CHECK));
    settle();
    EXPECT_EQ(recorder().events_of(panel_, V_CHECK), (std::vector<int>{EVENT_COMMIT}));
}

void CALLBACK answer_yes(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (HWND popup = uir::win32::shown_popup())
        PostMessageW(popup, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(popup, IDYES)));
}

// A popup from a callback inside a nested run: the nested run and the popup both end, in order.
int UIR_CALLBACK popup_cb(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    g_log.push_back("asks");
    SetTimer(nullptr, 0, 20, answer_yes);
    g_log.push_back(ConfirmPopup("QORM", "?") == 1 ? "yes" : "no");
    return 0;
}

int UIR_CALLBACK nesting_cb(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    PostMessageW(g_button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(g_button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ProcessSystemEvents();
    g_log.push_back("nesting ends");
    return 0;
}

TEST_F(NestedTest, PopupFromANestedCallback) {
    ASSERT_EQ(SetCtrlAttribute(panel_, V_BUTTON, ATTR_CALLBACK_FUNCTION_POINTER, nesting_cb), 0);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TOGGLE, ATTR_CALLBACK_FUNCTION_POINTER, popup_cb), 0);
    click(body(V_BUTTON));
    settle();
    EXPECT_EQ(g_log, (std::vector<std::string>{"asks", "yes", "nesting ends"}));
    EXPECT_EQ(uir::win32::shown_popup(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(window()));
}

}  // namespace
}  // namespace win32_test
