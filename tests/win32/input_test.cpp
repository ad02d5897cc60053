// The operator's gestures reach the callbacks through the run-time's automation, delivered as the
// system delivers them: mouse and key messages queued for the windows. A gesture changes the
// control as the model has it; dimmed and indicator controls refuse it.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "win32_view_test.h"

namespace win32_test {
namespace {

class InputTest : public Win32ViewTest {
  protected:
    // The centre of line `index` of a list box, in its client coordinates.
    static POINT line_centre(HWND list, int index) {
        RECT r{};
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r));
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void focus(int control) {
        SetFocus(body(control));
        settle();
    }
    // Replaces a field's text as the operator does: select all, type, then `finish` (Enter, or
    // Tab to leave the field).
    void type_into(int control, const std::wstring& text, UINT finish = VK_RETURN) {
        focus(control);
        SendMessageW(body(control), EM_SETSEL, 0, -1);
        type(body(control), text);
        key(body(control), finish);
        settle();
    }
    std::vector<int> events(int control) const { return recorder().events_of(panel_, control); }
};

TEST_F(InputTest, ClickedButtonsCommit) {
    click(body(V_BUTTON));
    EXPECT_TRUE(recorder().calls.empty()) << "nothing happens before the run-time's turn";
    settle();
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{panel_, V_BUTTON, EVENT_COMMIT, 0}}));

    click(body(V_TOGGLE));
    click(body(V_CHECK));
    click(body(V_SWITCH));
    settle();
    EXPECT_EQ(int_value(V_TOGGLE), 1);
    EXPECT_EQ(text_of(body(V_TOGGLE)), L"Стоп");
    EXPECT_EQ(int_value(V_CHECK), 1);
    EXPECT_EQ(SendMessageW(body(V_CHECK), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(int_value(V_SWITCH), 0);
    EXPECT_EQ(events(V_TOGGLE), (std::vector<int>{EVENT_COMMIT}));
    EXPECT_EQ(events(V_CHECK), (std::vector<int>{EVENT_COMMIT}));
    EXPECT_EQ(events(V_SWITCH), (std::vector<int>{EVENT_COMMIT}));
}

// A quick second click on an owner-drawn button comes as a double click: it is a second press.
TEST_F(InputTest, QuickSecondClickIsASecondPress) {
    RECT r{};
    GetClientRect(body(V_TOGGLE), &r);
    double_click_at(body(V_TOGGLE), {r.right / 2, r.bottom / 2});
    settle();
    EXPECT_EQ(events(V_TOGGLE), (std::vector<int>{EVENT_COMMIT, EVENT_COMMIT}));
    EXPECT_EQ(int_value(V_TOGGLE), 0);
}

TEST_F(InputTest, DimmedControlsRefuseClicks) {
    for (int control : {V_BUTTON, V_TOGGLE, V_CHECK, V_SWITCH, V_LED})
        ASSERT_EQ(SetCtrlAttribute(panel_, control, ATTR_DIMMED, 1), 0);
    for (int control : {V_BUTTON, V_TOGGLE, V_CHECK, V_SWITCH, V_LED}) click(body(control));
    settle();
    EXPECT_TRUE(recorder().calls.empty());
    EXPECT_EQ(int_value(V_TOGGLE), 0);
    EXPECT_EQ(text_of(body(V_TOGGLE)), L"Старт");
    EXPECT_EQ(int_value(V_SWITCH), 1);
    EXPECT_EQ(int_value(V_LED), 0);

    ASSERT_EQ(SetCtrlAttribute(panel_, V_TOGGLE, ATTR_DIMMED, 0), 0);
    click(body(V_TOGGLE));
    settle();
    EXPECT_EQ(events(V_TOGGLE), (std::vector<int>{EVENT_COMMIT}));
}

TEST_F(InputTest, IndicatorsIgnoreClicks) {
    click(body(V_LAMP));
    ASSERT_EQ(SetCtrlAttribute(panel_, V_CHECK, ATTR_CTRL_MODE, VAL_INDICATOR), 0);
    click(body(V_CHECK));
    settle();
    EXPECT_TRUE(recorder().calls.empty());
    EXPECT_EQ(int_value(V_LAMP), 0);
    EXPECT_EQ(int_value(V_CHECK), 0);
    EXPECT_EQ(SendMessageW(body(V_CHECK), BM_GETCHECK, 0, 0), BST_UNCHECKED)
        << "the box shows the model";
}

TEST_F(InputTest, OperableLampClickFlipsAndCommits) {
    click(body(V_LED));
    settle();
    EXPECT_EQ(int_value(V_LED), 1);
    EXPECT_EQ(events(V_LED), (std::vector<int>{EVENT_COMMIT}));
    EXPECT_NE(GetFocus(), body(V_LED)) << "a lamp takes no focus";
}

TEST_F(InputTest, TypedNumberIsBroughtIntoTheLimits) {
    type_into(V_TIME, L"99");
    EXPECT_FLOAT_EQ(float_value(V_TIME), 6.375f) << "the maximum, not the typed value";
    EXPECT_EQ(text_of(body(V_TIME)), L"6.375");
    EXPECT_EQ(events(V_TIME), (std::vector<int>{EVENT_COMMIT}));

    type_into(V_TIME, L"0");
    EXPECT_FLOAT_EQ(float_value(V_TIME), 0.025f);
    EXPECT_EQ(text_of(body(V_TIME)), L"0.025");
}

// Russian operators type a decimal comma: it is a decimal point, never a tenfold value.
TEST_F(InputTest, DecimalCommaIsTheDecimalPoint) {
    type_into(V_TIME, L"0,5");
    EXPECT_FLOAT_EQ(float_value(V_TIME), 0.5f);
    EXPECT_EQ(text_of(body(V_TIME)), L"0.500");
    type_into(V_TIME, L"1,5", VK_TAB);
    EXPECT_FLOAT_EQ(float_value(V_TIME), 1.5f);
    EXPECT_EQ(events(V_TIME), (std::vector<int>{EVENT_COMMIT, EVENT_COMMIT}));

    // What can never be a number is refused key by key: the second separator, letters.
    type_into(V_TIME, L"2,5,0");
    EXPECT_FLOAT_EQ(float_value(V_TIME), 2.5f) << "\"2,50\": the second comma never got in";
    type_into(V_TIME, L"абв");
    EXPECT_FLOAT_EQ(float_value(V_TIME), 2.5f);
    EXPECT_EQ(text_of(body(V_TIME)), L"2.500");
    EXPECT_EQ(events(V_TIME).size(), 3u) << "the letters changed nothing and sent nothing";

    // More decimals than the field shows can never be its value either.
    type_into(V_TIME, L"0,0125");
    EXPECT_FLOAT_EQ(float_value(V_TIME), 0.025f) << "\"0,012\" brought into the limits";
}

TEST_F(InputTest, ArrowKeysStepByTheIncrementWithinTheLimits) {
    focus(V_TIME);
    key(body(V_TIME), VK_UP);
    settle();
    EXPECT_FLOAT_EQ(float_value(V_TIME), 0.075f);
    EXPECT_EQ(text_of(body(V_TIME)), L"0.075");
    ASSERT_EQ(SetCtrlVal(panel_, V_TIME, 6.375f), 0);
    key(body(V_TIME), VK_UP);
    settle();
    EXPECT_FLOAT_EQ(float_value(V_TIME), 6.375f) << "no step beyond the maximum";
    key(body(V_TIME), VK_DOWN);
    settle();
    EXPECT_FLOAT_EQ(float_value(V_TIME), 6.35f);
    EXPECT_EQ(events(V_TIME), (std::vector<int>{EVENT_COMMIT, EVENT_COMMIT}));
}

// The up-down arrows beside the field: the upper one steps up, the lower one down.
TEST_F(InputTest, ArrowButtonsStepTheField) {
    HWND arrows = GetWindow(body(V_TIME), GW_HWNDNEXT);
    wchar_t cls[64] = L"";
    GetClassNameW(arrows, cls, 64);
    ASSERT_EQ(lstrcmpiW(cls, UPDOWN_CLASSW), 0) << "the field's arrows stand right under it";
    RECT r{};
    GetClientRect(arrows, &r);
    click_at(arrows, {r.right / 2, r.bottom / 4});
    settle();
    EXPECT_FLOAT_EQ(float_value(V_TIME), 0.075f);
    click_at(arrows, {r.right / 2, r.bottom * 3 / 4});
    click_at(arrows, {r.right / 2, r.bottom * 3 / 4});
    settle();
    EXPECT_FLOAT_EQ(float_value(V_TIME), 0.025f);
    EXPECT_EQ(events(V_TIME).size(), 3u);
}

// Scrolling past a field changes nothing; the focused field turns with the wheel.
TEST_F(InputTest, WheelTurnsOnlyTheFocusedField) {
    focus(V_STRING);
    wheel(body(V_TIME), 1);
    wheel(body(V_RING), -1);
    settle();
    EXPECT_FLOAT_EQ(float_value(V_TIME), 0.05f);
    short line = -1;
    ASSERT_EQ(GetCtrlVal(panel_, V_RING, &line), 0);
    EXPECT_EQ(line, 0);
    EXPECT_TRUE(recorder().calls.empty());

    focus(V_TIME);
    wheel(body(V_TIME), 1);
    settle();
    EXPECT_FLOAT_EQ(float_value(V_TIME), 0.075f);
    wheel(body(V_TIME), -2);
    settle();
    EXPECT_FLOAT_EQ(float_value(V_TIME), 0.05f) << "one step a turn of the wheel";
}

TEST_F(InputTest, TypedTextCommitsOnce) {
    type_into(V_STRING, L"канал");
    char text[32] = "";
    ASSERT_EQ(GetCtrlVal(panel_, V_STRING, text), 0);
    EXPECT_STREQ(text, "канал");
    focus(V_TIME);  // leaving the field without a change sends nothing more
    EXPECT_EQ(events(V_STRING), (std::vector<int>{EVENT_COMMIT}));

    focus(V_STRING);
    SendMessageW(body(V_STRING), EM_SETSEL, 5, 5);
    type(body(V_STRING), L"1");
    settle();
    focus(V_BUTTON);  // leaving it after a change takes the text
    ASSERT_EQ(GetCtrlVal(panel_, V_STRING, text), 0);
    EXPECT_STREQ(text, "канал1");
    EXPECT_EQ(events(V_STRING), (std::vector<int>{EVENT_COMMIT, EVENT_COMMIT}));
}

TEST_F(InputTest, RingChoiceCommitsTheItem) {
    focus(V_RING);
    key(body(V_RING), VK_DOWN);
    settle();
    short v = -1;
    ASSERT_EQ(GetCtrlVal(panel_, V_RING, &v), 0);
    EXPECT_EQ(v, 1);
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{panel_, V_RING, EVENT_COMMIT, 1}}));

    // Opened, moved and chosen from the list.
    recorder().calls.clear();
    SendMessageW(body(V_RING), CB_SHOWDROPDOWN, TRUE, 0);
    settle();
    key(body(V_RING), VK_DOWN);
    key(body(V_RING), VK_RETURN);
    settle();
    ASSERT_EQ(GetCtrlVal(panel_, V_RING, &v), 0);
    EXPECT_EQ(v, 2);
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{panel_, V_RING, EVENT_COMMIT, 2}}));
    EXPECT_FALSE(SendMessageW(body(V_RING), CB_GETDROPPEDSTATE, 0, 0));
}

struct ListSearch {
    HWND owner, found;
};

BOOL CALLBACK find_open_list(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<ListSearch*>(lp);
    wchar_t cls[32] = L"";
    GetClassNameW(w, cls, 32);
    if (lstrcmpiW(cls, L"ListBox") == 0 && IsWindowVisible(w) &&
        GetWindow(w, GW_OWNER) == s->owner) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

// The open list of a drop-down list: the popup list box the field shows under itself.
HWND open_list_of(HWND field) {
    ListSearch search{GetAncestor(field, GA_ROOT), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), find_open_list, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

short ring_value(int panel) {
    short v = -1;
    EXPECT_EQ(GetCtrlVal(panel, V_RING, &v), 0);
    return v;
}

bool dropped(HWND field) {
    return SendMessageW(field, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

TEST_F(InputTest, RingOpensUnderTheFieldAndTheItemLetGoOnIsChosen) {
    HWND ring = body(V_RING);
    click(ring);
    settle();
    ASSERT_TRUE(dropped(ring));
    EXPECT_EQ(GetFocus(), ring) << "the field takes the focus; the list never does";
    HWND list = open_list_of(ring);
    ASSERT_NE(list, nullptr);
    RECT field{}, shown{};
    GetWindowRect(ring, &field);
    GetWindowRect(list, &shown);
    EXPECT_EQ(shown.top, field.bottom) << "right under the field";
    EXPECT_EQ(shown.left, field.left);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0) << "the chosen item is highlighted";
    EXPECT_TRUE(recorder().calls.empty()) << "opening chooses nothing";

    click_at(list, line_centre(list, 2));
    settle();
    EXPECT_FALSE(dropped(ring));
    EXPECT_EQ(open_list_of(ring), nullptr) << "the list is gone once closed";
    short v = -1;
    ASSERT_EQ(GetCtrlVal(panel_, V_RING, &v), 0);
    EXPECT_EQ(v, 2);
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{panel_, V_RING, EVENT_COMMIT, 2}}));
}

TEST_F(InputTest, RingClosedByAClickOutsideOrTheFocusLeavingChoosesNothing) {
    HWND ring = body(V_RING);
    click(ring);
    settle();
    HWND list = open_list_of(ring);
    ASSERT_NE(list, nullptr);
    // The list has the mouse while open: a press outside it arrives in its coordinates.
    PostMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-40, -40));
    PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(-40, -40));
    settle();
    EXPECT_FALSE(dropped(ring));

    click(ring);
    settle();
    ASSERT_TRUE(dropped(ring));
    focus(V_STRING);
    EXPECT_FALSE(dropped(ring));
    EXPECT_EQ(ring_value(panel_), 0);
    EXPECT_TRUE(recorder().calls.empty());
}

TEST_F(InputTest, RingKeyboardOpensMovesAndChoosesOrCancels) {
    HWND ring = body(V_RING);
    focus(V_RING);
    PostMessageW(ring, WM_SYSKEYDOWN, VK_DOWN, static_cast<LPARAM>(1 | (1u << 29)));
    settle();
    ASSERT_TRUE(dropped(ring)) << "Alt+Down opens";
    key(ring, VK_DOWN);
    key(ring, VK_DOWN);
    settle();
    EXPECT_EQ(SendMessageW(open_list_of(ring), LB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(recorder().calls.empty()) << "moving in the open list chooses nothing yet";
    key(ring, VK_ESCAPE);
    settle();
    EXPECT_FALSE(dropped(ring));
    EXPECT_TRUE(IsWindowVisible(window())) << "Escape closed the list, not the panel";
    EXPECT_EQ(ring_value(panel_), 0);
    EXPECT_TRUE(recorder().calls.empty());

    key(ring, VK_F4);
    settle();
    ASSERT_TRUE(dropped(ring)) << "F4 opens";
    key(ring, VK_END);
    key(ring, VK_RETURN);
    settle();
    EXPECT_FALSE(dropped(ring));
    EXPECT_EQ(ring_value(panel_), 2);
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{panel_, V_RING, EVENT_COMMIT, 2}}));

    // Closed, at the last item: a further step down is no change and no commit.
    recorder().calls.clear();
    key(ring, VK_DOWN);
    settle();
    EXPECT_EQ(ring_value(panel_), 2);
    EXPECT_TRUE(recorder().calls.empty());
}

// The list is no modal loop: the run-time's timers go on while it is open.
TEST_F(InputTest, TimersTickWhileARingIsOpen) {
    HWND ring = body(V_RING);
    click(ring);
    settle();
    ASSERT_TRUE(dropped(ring));
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIMER, ATTR_INTERVAL, 0.05), 0);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIMER, ATTR_ENABLED, 1), 0);
    const double start = Timer();
    while (recorder().events_of(panel_, V_TIMER).empty() && Timer() - start < 5.0)
        ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_FALSE(recorder().events_of(panel_, V_TIMER).empty());
    EXPECT_TRUE(dropped(ring)) << "and the list stays open";
}

TEST_F(InputTest, DimmedOrIndicatorRingNeverOpens) {
    HWND ring = body(V_RING);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_RING, ATTR_CTRL_MODE, VAL_INDICATOR), 0);
    settle();
    click(ring);
    settle();
    EXPECT_FALSE(dropped(ring));
    SendMessageW(ring, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_FALSE(dropped(ring)) << "not even when asked by message";
    ASSERT_EQ(SetCtrlAttribute(panel_, V_RING, ATTR_CTRL_MODE, VAL_HOT), 0);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_RING, ATTR_DIMMED, 1), 0);
    settle();
    SendMessageW(ring, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_FALSE(dropped(ring));
    EXPECT_TRUE(recorder().calls.empty());
}

// Twelve items show at a time, the rest scroll; a ring emptied by the program neither opens nor
// shows an item.
TEST_F(InputTest, LongRingScrollsAndEmptyRingStaysShut) {
    HWND ring = body(V_RING);
    for (int i = 0; i < 13; ++i)
        ASSERT_EQ(InsertListItem(panel_, V_RING, -1, ("пункт " + std::to_string(i)).c_str(), i), 0);
    settle();
    EXPECT_EQ(SendMessageW(ring, CB_GETCOUNT, 0, 0), 16);
    wchar_t text[32] = L"";
    EXPECT_EQ(SendMessageW(ring, CB_GETLBTEXTLEN, 15, 0), 8);
    SendMessageW(ring, CB_GETLBTEXT, 15, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"пункт 12");
    EXPECT_EQ(SendMessageW(ring, CB_GETLBTEXT, 16, reinterpret_cast<LPARAM>(text)), CB_ERR);

    focus(V_RING);
    key(ring, VK_F4);
    settle();
    HWND list = open_list_of(ring);
    ASSERT_NE(list, nullptr);
    EXPECT_NE(GetWindowLongPtrW(list, GWL_STYLE) & WS_VSCROLL, 0);
    RECT client{}, line{};
    GetClientRect(list, &client);
    SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&line));
    EXPECT_EQ(client.bottom / (line.bottom - line.top), 12) << "twelve lines shown";
    wheel(ring, -3);  // three notches down
    settle();
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 3);
    key(ring, VK_NEXT);
    settle();
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 15) << "a page down, held at the last";
    key(ring, VK_RETURN);
    settle();
    EXPECT_EQ(ring_value(panel_), 12) << "the value of the last item";

    ASSERT_EQ(ClearListCtrl(panel_, V_RING), 0);
    settle();
    EXPECT_EQ(SendMessageW(ring, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageW(ring, CB_GETCURSEL, 0, 0), CB_ERR);
    key(ring, VK_F4);
    key(ring, VK_DOWN);
    settle();
    EXPECT_FALSE(dropped(ring));
    RedrawWindow(ring, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);  // drawn with no item
    EXPECT_EQ(recorder().calls.size(), 1u) << "only the choice above";
}

TEST_F(InputTest, ListClickHighlightsDoubleClickAndEnterChoose) {
    HWND list = body(V_LIST);
    click_at(list, line_centre(list, 1));
    settle();
    EXPECT_EQ(int_value(V_LIST), 20) << "highlighted";
    EXPECT_TRUE(recorder().calls.empty()) << "a single click is no choice";

    double_click_at(list, line_centre(list, 2));
    settle();
    EXPECT_EQ(int_value(V_LIST), 30);
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{panel_, V_LIST, EVENT_LEFT_DOUBLE_CLICK, 2}}));

    recorder().calls.clear();
    focus(V_LIST);
    key(list, VK_UP);
    settle();
    EXPECT_EQ(int_value(V_LIST), 20) << "the arrow keys highlight too";
    key(list, VK_RETURN);
    settle();
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{panel_, V_LIST, EVENT_COMMIT, 1}}));
}

TEST_F(InputTest, MenuItemsReachTheMenuCallback) {
    PostMessageW(window(), WM_COMMAND, MAKEWPARAM(M_QUIT, 0), 0);
    settle();
    EXPECT_EQ(recorder().menu_calls, (std::vector<MenuCall>{{M_QUIT, panel_}}));
}

// F10 opens the menu bar; the arrows and Enter choose, as everywhere on the desktop.
TEST_F(InputTest, F10OpensTheMenuFromTheKeyboard) {
    focus(V_BUTTON);
    PostMessageW(body(V_BUTTON), WM_SYSKEYDOWN, VK_F10, 1);
    PostMessageW(body(V_BUTTON), WM_SYSKEYUP, VK_F10, static_cast<LPARAM>(1 | (3u << 30)));
    key(body(V_BUTTON), VK_DOWN);    // opens "Файл"
    key(body(V_BUTTON), VK_RETURN);  // its first item
    settle();
    EXPECT_EQ(recorder().menu_calls, (std::vector<MenuCall>{{M_OPEN, panel_}}));
}

TEST_F(InputTest, CloseButtonRaisesTheCloseEventAndKeepsTheWindow) {
    PostMessageW(window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    settle();
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{panel_, 0, EVENT_CLOSE, 0}}));
    EXPECT_TRUE(IsWindowVisible(window())) << "the program decides";

    // A panel with a close control: the frame's button is that control's commit.
    recorder().calls.clear();
    const int second = load(SECOND);
    PostMessageW(uir::win32::window_of(second), WM_SYSCOMMAND, SC_CLOSE, 0);
    settle();
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{second, S_CLOSE, EVENT_COMMIT, 0}}));
}

}  // namespace
}  // namespace win32_test
