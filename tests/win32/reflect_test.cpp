// Each control kind shows what the model holds, at once: values, dimming, hiding, labels, and
// for the kinds the view draws itself, the colours on the screen.
#include <windows.h>

#include <commctrl.h>

#include "win32_view_test.h"

namespace win32_test {
namespace {

using uir::win32::Capture;

class ReflectTest : public Win32ViewTest {
  protected:
    // The colour in the middle of a control as drawn on the screen.
    COLORREF centre_colour(int control) {
        const Capture c = uir::win32::capture_child(window(), body(control));
        return c.at(c.width / 2, c.height / 2);
    }
    static bool greenish(COLORREF c) {
        return GetGValue(c) > 150 && GetGValue(c) > GetRValue(c) + 60 &&
               GetGValue(c) > GetBValue(c) + 60;
    }
    static bool visible(HWND w) { return (GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE) != 0; }
    RECT rect_in_panel(HWND w) const {
        RECT r{};
        GetWindowRect(w, &r);
        MapWindowPoints(HWND_DESKTOP, window(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

TEST_F(ReflectTest, ButtonsShowTheirStateAndTexts) {
    HWND toggle = body(V_TOGGLE);
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(text_of(toggle), L"Старт") << "out: the off text";
    ASSERT_EQ(SetCtrlVal(panel_, V_TOGGLE, 1), 0);
    EXPECT_EQ(text_of(toggle), L"Стоп");
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TOGGLE, ATTR_ON_TEXT, "Стоп!"), 0);
    EXPECT_EQ(text_of(toggle), L"Стоп!");

    HWND check = body(V_CHECK);
    EXPECT_EQ(text_of(check), L"Постоянно");
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ASSERT_EQ(SetCtrlVal(panel_, V_CHECK, 1), 0);
    EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);

    HWND button = body(V_BUTTON);
    EXPECT_EQ(text_of(button), L"&OK") << "the shortcut letter";
    ASSERT_EQ(SetCtrlAttribute(panel_, V_BUTTON, ATTR_LABEL_TEXT, "Да & нет"), 0);
    EXPECT_EQ(text_of(button), L"Да && нет") << "a real ampersand is no shortcut";
}

// The channel switches have no text: a lamp in the button's middle shows whether it is in.
TEST_F(ReflectTest, ToggleWithoutTextShowsItsStateByALamp) {
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TOGGLE, ATTR_ON_TEXT, ""), 0);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TOGGLE, ATTR_OFF_TEXT, ""), 0);
    EXPECT_FALSE(greenish(centre_colour(V_TOGGLE)));
    ASSERT_EQ(SetCtrlVal(panel_, V_TOGGLE, 1), 0);
    EXPECT_TRUE(greenish(centre_colour(V_TOGGLE)));
}

TEST_F(ReflectTest, LampsAreLitGreenForOne) {
    EXPECT_FALSE(greenish(centre_colour(V_LAMP)));
    ASSERT_EQ(SetCtrlVal(panel_, V_LAMP, 1), 0);
    EXPECT_TRUE(greenish(centre_colour(V_LAMP)));
    EXPECT_FALSE(greenish(centre_colour(V_LED))) << "only the lamp written";
    ASSERT_EQ(SetCtrlAttribute(panel_, V_LAMP, ATTR_DIMMED, 1), 0);
    EXPECT_TRUE(greenish(centre_colour(V_LAMP))) << "a dimmed lamp still shows it is lit";
}

// The lever stands at the upper end for 1 and at the lower end for 0.
TEST_F(ReflectTest, SwitchLeverFollowsTheValue) {
    const auto knob_at_top = [&] {
        const Capture c = uir::win32::capture_child(window(), body(V_SWITCH));
        const COLORREF top = c.at(7, 7), bottom = c.at(7, c.height - 8);
        return GetBValue(top) > 150 && GetRValue(top) < 100 && GetBValue(bottom) < 200;
    };
    EXPECT_TRUE(knob_at_top());
    ASSERT_EQ(SetCtrlVal(panel_, V_SWITCH, 0), 0);
    EXPECT_FALSE(knob_at_top());
}

TEST_F(ReflectTest, NumericFieldsShowTypeDecimalsAndMode) {
    HWND time = body(V_TIME);
    HWND count = body(V_COUNT);
    EXPECT_EQ(text_of(time), L"0.050");
    ASSERT_EQ(SetCtrlVal(panel_, V_TIME, 1.26f), 0);
    EXPECT_EQ(text_of(time), L"1.260");
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_PRECISION, 1), 0);
    EXPECT_EQ(text_of(time), L"1.3");
    EXPECT_EQ(GetWindowLongPtrW(time, GWL_STYLE) & ES_READONLY, 0);

    EXPECT_NE(GetWindowLongPtrW(count, GWL_STYLE) & ES_READONLY, 0) << "an indicator";
    ASSERT_EQ(SetCtrlVal(panel_, V_COUNT, static_cast<unsigned short>(65535)), 0);
    EXPECT_EQ(text_of(count), L"65535") << "whole numbers, no group separator";
    ASSERT_EQ(SetCtrlAttribute(panel_, V_COUNT, ATTR_CTRL_MODE, VAL_HOT), 0);
    EXPECT_EQ(GetWindowLongPtrW(count, GWL_STYLE) & ES_READONLY, 0);
}

// Arrows beside a field the operator may change, none beside an indicator; the field and its
// arrows together fill the control's rectangle.
TEST_F(ReflectTest, NumericArrowsOnlyWhereTheValueMayChange) {
    const auto arrows_beside = [&](int control) {
        HWND field = body(control);
        RECT f = rect_in_panel(field);
        for (HWND w = GetWindow(window(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
            wchar_t cls[64] = L"";
            GetClassNameW(w, cls, 64);
            if (lstrcmpiW(cls, UPDOWN_CLASSW) != 0 || !visible(w)) continue;
            RECT a = rect_in_panel(w);
            if (a.left == f.right && a.top == f.top) return true;
        }
        return false;
    };
    EXPECT_TRUE(arrows_beside(V_TIME));
    EXPECT_FALSE(arrows_beside(V_COUNT));
    const RECT time = rect_in_panel(body(V_TIME));
    EXPECT_EQ(time.left, 60);
    EXPECT_EQ(time.top, 110);
    EXPECT_LT(time.right, 60 + 80);
    const RECT count = rect_in_panel(body(V_COUNT));
    EXPECT_EQ(count.right - count.left, 50) << "an indicator takes the whole width";
}

TEST_F(ReflectTest, StringsRingsAndListsShowTheirContent) {
    HWND state = body(V_STATE);
    EXPECT_EQ(text_of(state), L"-");
    EXPECT_NE(GetWindowLongPtrW(state, GWL_STYLE) & ES_READONLY, 0);
    ASSERT_EQ(SetCtrlVal(panel_, V_STATE, "X"), 0);
    EXPECT_EQ(text_of(state), L"X");

    HWND ring = body(V_RING);
    ASSERT_EQ(SendMessageW(ring, CB_GETCOUNT, 0, 0), 3);
    wchar_t item[16] = L"";
    SendMessageW(ring, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, L"Л1");
    ASSERT_EQ(SetCtrlVal(panel_, V_RING, static_cast<short>(2)), 0);
    EXPECT_EQ(SendMessageW(ring, CB_GETCURSEL, 0, 0), 2);
    ASSERT_EQ(InsertListItem(panel_, V_RING, 0, "новый", 7), 0);
    EXPECT_EQ(SendMessageW(ring, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageW(ring, CB_GETCURSEL, 0, 0), 3) << "the selection keeps to its item";

    HWND list = body(V_LIST);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
    ASSERT_EQ(SetCtrlIndex(panel_, V_LIST, 2), 0);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
    ASSERT_EQ(ClearListCtrl(panel_, V_LIST), 0);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
    ASSERT_EQ(InsertListItem(panel_, V_LIST, -1, "   0          0", 5), 0);
    wchar_t line[32] = L"";
    SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_STREQ(line, L"   0          0") << "spaces kept for the columns";
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
}

TEST_F(ReflectTest, TextBoxAppendsAndResets) {
    HWND box = body(V_TEXTBOX);
    EXPECT_NE(GetWindowLongPtrW(box, GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(text_of(box), L"строка 1");
    for (int i = 2; i <= 40; ++i) {
        const std::string line = "строка " + std::to_string(i);
        ASSERT_EQ(InsertTextBoxLine(panel_, V_TEXTBOX, -1, line.c_str()), 0);
    }
    EXPECT_EQ(SendMessageW(box, EM_GETLINECOUNT, 0, 0), 40);
    wchar_t last[32] = L"";
    *reinterpret_cast<WORD*>(last) = 31;
    const auto n = SendMessageW(box, EM_GETLINE, 39, reinterpret_cast<LPARAM>(last));
    EXPECT_EQ(std::wstring(last, static_cast<std::size_t>(n)), L"строка 40");
    settle();
    const auto first_shown = SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(first_shown, 30) << "the appended line is in view";

    ASSERT_EQ(InsertTextBoxLine(panel_, V_TEXTBOX, 0, "в начало"), 0);
    EXPECT_EQ(SendMessageW(box, EM_GETLINECOUNT, 0, 0), 41);
    EXPECT_EQ(text_of(box).substr(0, 8), L"в начало");
    EXPECT_EQ(SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "a new content from the top";
    ASSERT_EQ(ResetTextBox(panel_, V_TEXTBOX, "одна"), 0);
    EXPECT_EQ(text_of(box), L"одна");
}

TEST_F(ReflectTest, TextMessagesBreakAtNewLines) {
    HWND msg = body(V_MSG);
    EXPECT_EQ(text_of(msg), L"Первая строка\r\nвторая");
    ASSERT_EQ(SetCtrlVal(panel_, V_MSG, "Одна длинная строка, шире своего поля во много раз"), 0);
    EXPECT_EQ(rect_in_panel(msg).right - rect_in_panel(msg).left, 150)
        << "a two-line field keeps its width and breaks between words";

    // A one-line text message built in code shows its label, and grows to it.
    const int id = NewCtrl(panel_, CTRL_TEXT_MSG, "Интф.  Кр.ЛА   Слот   ЛА   Тип", 5, 14);
    ASSERT_GT(id, 0);
    ASSERT_EQ(SetCtrlAttribute(panel_, id, ATTR_WIDTH, 60), 0);
    ASSERT_EQ(SetCtrlAttribute(panel_, id, ATTR_HEIGHT, 15), 0);
    HWND header = uir::win32::body_of(panel_, id);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(text_of(header), L"Интф.  Кр.ЛА   Слот   ЛА   Тип");
    EXPECT_GT(rect_in_panel(header).right - rect_in_panel(header).left, 100);
}

TEST_F(ReflectTest, DimmedHiddenAndMovedTakeEffectAtOnce) {
    HWND time = body(V_TIME);
    HWND time_label = label(V_TIME);
    ASSERT_NE(time_label, nullptr);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_DIMMED, 1), 0);
    EXPECT_FALSE(IsWindowEnabled(time));
    EXPECT_FALSE(IsWindowEnabled(time_label)) << "the label greys with its control";
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_VISIBLE, 0), 0);
    EXPECT_FALSE(IsWindowVisible(time));
    EXPECT_FALSE(IsWindowVisible(time_label));
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_VISIBLE, 1), 0);
    EXPECT_TRUE(IsWindowVisible(time));
    EXPECT_TRUE(IsWindowVisible(time_label));

    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_LEFT, 100), 0);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_WIDTH, 70), 0);
    const RECT moved = rect_in_panel(time);
    EXPECT_EQ(moved.left, 100);
    EXPECT_EQ(moved.top, 110);
    EXPECT_EQ(rect_in_panel(time_label).right, 100 - 4) << "the label follows its field";

    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_LABEL_TEXT, "__Длительность"), 0);
    EXPECT_EQ(text_of(time_label), L"&Длительность");
}

// A control hidden while its panel is hidden stays hidden when the panel is shown.
TEST_F(ReflectTest, ControlsHiddenOnAHiddenPanelStayHidden) {
    const int second = load(SECOND, false);
    ASSERT_EQ(SetCtrlAttribute(second, S_CLOSE, ATTR_VISIBLE, 0), 0);
    ASSERT_EQ(DisplayPanel(second), 0);
    EXPECT_FALSE(IsWindowVisible(uir::win32::body_of(second, S_CLOSE)));
    ASSERT_EQ(SetCtrlAttribute(second, S_CLOSE, ATTR_VISIBLE, 1), 0);
    EXPECT_TRUE(IsWindowVisible(uir::win32::body_of(second, S_CLOSE)));
}

TEST_F(ReflectTest, LabelsStandWhereTheLayoutLeavesRoom) {
    // Fields: on the left, right-aligned, centred on the field.
    const RECT time = rect_in_panel(body(V_TIME));
    const RECT time_label = rect_in_panel(label(V_TIME));
    EXPECT_EQ(time_label.right, time.left - 4);
    EXPECT_EQ((time_label.top + time_label.bottom) / 2, (time.top + time.bottom) / 2);
    // Lamps: centred above.
    const RECT led = rect_in_panel(body(V_LED));
    const RECT led_label = rect_in_panel(label(V_LED));
    EXPECT_EQ(led_label.bottom, led.top - 2);
    EXPECT_LE(std::abs((led_label.left + led_label.right) - (led.left + led.right)), 2);
    // Binary switches: above, from the switch's left edge.
    const RECT sw = rect_in_panel(body(V_SWITCH));
    const RECT sw_label = rect_in_panel(label(V_SWITCH));
    EXPECT_EQ(sw_label.left, sw.left);
    EXPECT_EQ(sw_label.bottom, sw.top - 2);
    // Buttons and check boxes carry their own label; unlabelled fields have none.
    EXPECT_EQ(label(V_BUTTON), nullptr);
    EXPECT_EQ(label(V_CHECK), nullptr);
    EXPECT_EQ(label(V_STATE), nullptr);
}

TEST_F(ReflectTest, PanelsBuiltInCodePutFieldLabelsAbove) {
    const int panel = NewPanel(0, "Носитель", 10, 10, 120, 200);
    ASSERT_GT(panel, 0);
    const int id = NewCtrl(panel, CTRL_STRING, "Ресурс", 30, 12);
    ASSERT_GT(id, 0);
    HWND field = uir::win32::body_of(panel, id);
    HWND field_label = uir::win32::label_of(panel, id);
    RECT f{}, l{};
    GetWindowRect(field, &f);
    GetWindowRect(field_label, &l);
    EXPECT_EQ(l.left, f.left);
    EXPECT_EQ(l.bottom, f.top - 2);
}

// Frames stand behind what they frame, also a frame listed after the controls in it, and each
// label stands under its control.
TEST_F(ReflectTest, DecorationsStayBehindWhatTheyFrame) {
    const auto stack_index = [&](HWND target) {  // 0 is the topmost
        int i = 0;
        for (HWND w = GetWindow(window(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT), ++i)
            if (w == target) return i;
        return -1;
    };
    HWND deco = body(V_DECO);
    EXPECT_GT(stack_index(deco), stack_index(body(V_TIME)));
    EXPECT_GT(stack_index(deco), stack_index(label(V_TIME)));
    EXPECT_GT(stack_index(deco), stack_index(body(V_BUTTON)));
    EXPECT_GT(stack_index(label(V_TIME)), stack_index(body(V_TIME)));
    // What the operator sees inside the frame is the field, not the frame.
    const Capture c = uir::win32::capture_child(window(), body(V_TIME));
    EXPECT_EQ(c.at(2, c.height / 2), GetSysColor(COLOR_WINDOW));
}

TEST_F(ReflectTest, ControlsComeAndGoWithTheModel) {
    const int id = NewCtrl(panel_, CTRL_LED, "Новая", 270, 300);
    ASSERT_GT(id, 0);
    HWND led = body(id);
    ASSERT_NE(led, nullptr);
    EXPECT_TRUE(IsWindowVisible(led));
    EXPECT_EQ(body(V_TIMER), nullptr) << "timers have no window";
    ASSERT_EQ(DiscardCtrl(panel_, id), 0);
    EXPECT_EQ(body(id), nullptr);
    EXPECT_FALSE(IsWindow(led));
}

TEST_F(ReflectTest, WindowsFollowTheirPanels) {
    HWND w = window();
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(text_of(w), L"Вид") << "the mark stands in the menu bar's corner";
    ASSERT_EQ(SetPanelAttribute(panel_, ATTR_TITLE, "Новый"), 0);
    EXPECT_EQ(text_of(w), L"Новый");

    // The client area keeps the panel's size, the menu bar above it.
    RECT client{};
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);
    EXPECT_NE(GetMenu(w), nullptr);
    ASSERT_EQ(SetPanelAttribute(panel_, ATTR_HEIGHT, 320), 0);
    GetClientRect(w, &client);
    EXPECT_EQ(client.bottom, 320);

    const int second = load(SECOND, false);
    HWND second_window = uir::win32::window_of(second);
    ASSERT_NE(second_window, nullptr);
    EXPECT_FALSE(IsWindowVisible(second_window)) << "loaded panels wait to be shown";
    EXPECT_EQ(GetMenu(second_window), nullptr);
    EXPECT_EQ(text_of(second_window), L"Второй [тест]") << "without a menu bar, after the title";
    GetClientRect(second_window, &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
    ASSERT_EQ(DisplayPanel(second), 0);
    EXPECT_TRUE(IsWindowVisible(second_window));
    // The client area stands at the panel's place.
    POINT origin{0, 0};
    ClientToScreen(second_window, &origin);
    EXPECT_EQ(origin.x, 60);
    EXPECT_EQ(origin.y, 60);
    ASSERT_EQ(HidePanel(panel_), 0);
    EXPECT_FALSE(IsWindowVisible(w));
    ASSERT_EQ(DiscardPanel(second), 0);
    EXPECT_EQ(uir::win32::window_of(second), nullptr);
    EXPECT_FALSE(IsWindow(second_window));
}

// A panel placed so its frame would leave the screen comes up inside the work area.
TEST_F(ReflectTest, WindowsStayInsideTheWorkArea) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame{};
    GetWindowRect(window(), &frame);
    EXPECT_EQ(frame.top, work.top) << "at 40, the client area leaves no room for title and menu";
    ASSERT_EQ(SetPanelAttribute(panel_, ATTR_TOP, 0), 0);
    ASSERT_EQ(SetPanelAttribute(panel_, ATTR_LEFT, work.right - 100), 0);
    GetWindowRect(window(), &frame);
    EXPECT_GE(frame.top, work.top) << "the title bar stays reachable";
    EXPECT_LE(frame.right, work.right);
    EXPECT_GE(frame.left, work.left);
}

TEST_F(ReflectTest, MenusShowTheirItems) {
    HMENU bar = GetMenu(window());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2) << "the menu and the simulated-crate mark";
    wchar_t text[64] = L"";
    GetMenuStringW(bar, 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Файл");
    GetMenuStringW(bar, 1, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L" [тест]");
    MENUITEMINFOW mark{};
    mark.cbSize = sizeof mark;
    mark.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(GetMenuItemInfoW(bar, 1, TRUE, &mark));
    EXPECT_NE(mark.fType & MFT_RIGHTJUSTIFY, 0u) << "in the bar's right corner";
    EXPECT_NE(mark.fState & MFS_GRAYED, 0u) << "a mark, not a menu";
    HMENU menu = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&Открыть");
    EXPECT_NE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    GetMenuStringW(menu, M_QUIT, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"Выход");

    const int bar_handle = GetPanelMenuBar(panel_);
    ASSERT_EQ(SetMenuBarAttribute(bar_handle, M_QUIT, ATTR_DIMMED, 1), 0);
    menu = GetSubMenu(GetMenu(window()), 0);
    EXPECT_NE(GetMenuState(menu, M_QUIT, MF_BYCOMMAND) & MF_GRAYED, 0u);
    ASSERT_EQ(DiscardMenuBar(bar_handle), 0);
    EXPECT_EQ(GetMenu(window()), nullptr);
    RECT client{};
    GetClientRect(window(), &client);
    EXPECT_EQ(client.bottom, 300) << "no room kept for a bar";
    RECT frame{};
    GetWindowRect(window(), &frame);
    EXPECT_EQ(frame.bottom - frame.top - client.bottom,
              GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME));
}

}  // namespace
}  // namespace win32_test
