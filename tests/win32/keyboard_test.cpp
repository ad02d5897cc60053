// The keyboard as a desktop operator uses it: Tab and Shift+Tab walk the panel's controls with
// the lamps left out, Enter presses the focused button, Escape acts as the panel's close control,
// Alt and a label's underlined letter reach its control. Some cases go through SendInput, the
// system's own input path, with the panel in the foreground.
#include <windows.h>

#include "win32_view_test.h"

namespace win32_test {
namespace {

class KeyboardTest : public Win32ViewTest {
  protected:
    // The control that has the focus, 0 for none of the panel's.
    int focused() const {
        HWND f = GetFocus();
        for (int id = V_BUTTON; id <= V_TIMER; ++id)
            if (f && f == body(id)) return id;
        return 0;
    }
    void tab() {
        key(GetFocus(), VK_TAB);
        settle();
    }
    // Real keystrokes: the system queues them for the focused window of the foreground panel.
    void send_keys(std::initializer_list<std::pair<WORD, bool>> keys) {
        std::vector<INPUT> in;
        for (auto [vk, down] : keys) {
            INPUT i{};
            i.type = INPUT_KEYBOARD;
            i.ki.wVk = vk;
            i.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
            in.push_back(i);
        }
        ASSERT_EQ(SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT)), in.size());
        pump_until_idle();
    }
    void send_text(const std::wstring& text) {
        std::vector<INPUT> in;
        for (wchar_t ch : text) {
            for (bool down : {true, false}) {
                INPUT i{};
                i.type = INPUT_KEYBOARD;
                i.ki.wScan = ch;
                i.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
                in.push_back(i);
            }
        }
        ASSERT_EQ(SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT)), in.size());
        pump_until_idle();
    }
    // Input from SendInput travels through the X server before it is queued: turns until the
    // queue has been empty for a while.
    static void pump_until_idle() {
        for (int quiet = 0, turns = 0; quiet < 5 && turns < 200; ++turns) {
            const bool busy = GetQueueStatus(QS_ALLINPUT) != 0;
            settle();
            quiet = busy ? 0 : quiet + 1;
            Sleep(10);
        }
    }
    void bring_to_front() {
        SetForegroundWindow(window());
        pump_until_idle();
        ASSERT_EQ(GetForegroundWindow(), window());
    }
};

TEST_F(KeyboardTest, TabWalksTheOperableControlsAndLeavesLampsOut) {
    EXPECT_EQ(focused(), V_BUTTON) << "the panel opens with the chain's first control focused";
    std::vector<int> walked;
    for (int i = 0; i < 9; ++i) {
        tab();
        walked.push_back(focused());
    }
    // No lamp, no indicator, no text box: only what the operator can change.
    EXPECT_EQ(walked, (std::vector<int>{V_TOGGLE, V_CHECK, V_SWITCH, V_TIME, V_STRING, V_RING,
                                        V_LIST, V_BUTTON, V_TOGGLE}));
}

TEST_F(KeyboardTest, TabSkipsDimmedAndHiddenControls) {
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TOGGLE, ATTR_DIMMED, 1), 0);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_CHECK, ATTR_VISIBLE, 0), 0);
    SetFocus(body(V_BUTTON));
    tab();
    EXPECT_EQ(focused(), V_SWITCH);
}

TEST_F(KeyboardTest, ShiftTabWalksBack) {
    bring_to_front();
    SetFocus(body(V_BUTTON));
    settle();
    send_keys({{VK_SHIFT, true}, {VK_TAB, true}, {VK_TAB, false}, {VK_SHIFT, false}});
    EXPECT_EQ(focused(), V_LIST) << "back from the first control to the last";
    send_keys({{VK_SHIFT, true}, {VK_TAB, true}, {VK_TAB, false}, {VK_SHIFT, false}});
    EXPECT_EQ(focused(), V_RING);
}

TEST_F(KeyboardTest, EnterPressesTheFocusedButton) {
    SetFocus(body(V_TOGGLE));
    key(body(V_TOGGLE), VK_RETURN);
    settle();
    EXPECT_EQ(recorder().events_of(panel_, V_TOGGLE), (std::vector<int>{EVENT_COMMIT}));
    EXPECT_EQ(int_value(V_TOGGLE), 1);
    // Space too, as the system's buttons take it.
    key(body(V_TOGGLE), VK_SPACE);
    settle();
    EXPECT_EQ(int_value(V_TOGGLE), 0);
    EXPECT_EQ(recorder().events_of(panel_, V_TOGGLE).size(), 2u);
}

TEST_F(KeyboardTest, SpaceFlipsTheFocusedSwitch) {
    SetFocus(body(V_SWITCH));
    key(body(V_SWITCH), VK_SPACE);
    settle();
    EXPECT_EQ(int_value(V_SWITCH), 0);
    EXPECT_EQ(recorder().events_of(panel_, V_SWITCH), (std::vector<int>{EVENT_COMMIT}));
}

TEST_F(KeyboardTest, EscapeActsAsTheCloseControl) {
    key(body(V_BUTTON), VK_ESCAPE);
    settle();
    EXPECT_TRUE(recorder().calls.empty()) << "a panel without a close control ignores Escape";

    const int second = load(SECOND);
    HWND close = uir::win32::body_of(second, S_CLOSE);
    SetFocus(close);
    key(close, VK_ESCAPE);
    settle();
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{second, S_CLOSE, EVENT_COMMIT, 0}}));
}

TEST_F(KeyboardTest, EscapeFirstRevertsATypedNumber) {
    SetFocus(body(V_TIME));
    SendMessageW(body(V_TIME), EM_SETSEL, 0, -1);
    type(body(V_TIME), L"3");
    key(body(V_TIME), VK_ESCAPE);
    settle();
    EXPECT_EQ(text_of(body(V_TIME)), L"0.050");
    key(body(V_TIME), VK_RETURN);
    settle();
    EXPECT_TRUE(recorder().calls.empty());
}

TEST_F(KeyboardTest, AltAndTheShortcutLetterReachTheControl) {
    SetFocus(body(V_STRING));
    PostMessageW(body(V_STRING), WM_SYSCHAR, L'o', static_cast<LPARAM>(1 | (1u << 29)));
    settle();
    EXPECT_EQ(recorder().events_of(panel_, V_BUTTON), (std::vector<int>{EVENT_COMMIT}))
        << "\"__OK\": Alt+O presses it";

    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_LABEL_TEXT, "__Длительность"), 0);
    PostMessageW(body(V_BUTTON), WM_SYSCHAR, L'Д', static_cast<LPARAM>(1 | (1u << 29)));
    settle();
    EXPECT_EQ(focused(), V_TIME) << "a field's label letter moves the focus to the field";
}

TEST_F(KeyboardTest, TypedThroughTheSystemsInput) {
    bring_to_front();
    SetFocus(body(V_STRING));
    settle();
    send_text(L"канал");
    send_keys({{VK_RETURN, true}, {VK_RETURN, false}});
    char text[32] = "";
    ASSERT_EQ(GetCtrlVal(panel_, V_STRING, text), 0);
    EXPECT_STREQ(text, "канал");
    EXPECT_EQ(recorder().events_of(panel_, V_STRING), (std::vector<int>{EVENT_COMMIT}));
}

TEST_F(KeyboardTest, ClickedThroughTheSystemsInput) {
    bring_to_front();
    RECT r{};
    GetWindowRect(body(V_TOGGLE), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(2, in, sizeof(INPUT)), 2u);
    pump_until_idle();
    EXPECT_EQ(recorder().events_of(panel_, V_TOGGLE), (std::vector<int>{EVENT_COMMIT}));
    EXPECT_EQ(focused(), V_TOGGLE) << "a clicked button takes the focus";
}

}  // namespace
}  // namespace win32_test
