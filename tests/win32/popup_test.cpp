// Message and confirmation popups: modal dialogs over the panel that raised them, titled and
// worded as asked, with Russian buttons, answered by the operator.
#include <windows.h>

#include <functional>
#include <memory>

#include "win32_script.h"
#include "win32_view_test.h"

namespace win32_test {
namespace {

struct Seen {
    std::wstring title, text;
    std::vector<std::wstring> buttons;
    HWND owner = nullptr;
    bool owner_enabled = true;
    RECT rect{};
    std::wstring focus_text;  // of the button with the focus
};

// Once the popup is up (it runs its own loop, which delivers the timer), notes what it shows and
// lets `answer` act on it. It waits for the popup to be the active window, as the window manager
// makes it; a manager that has not done so within three seconds does not hold the test up for
// ever: the popup is answered as it is, and what needs the activation fails plainly.
void when_popup_shows(Seen& seen, std::function<void(HWND)> answer) {
    tools::Win32Script* script = new tools::Win32Script;
    auto shown_at = std::make_shared<double>(-1);
    script->until(0.02, [&seen, answer, script, shown_at] {
        HWND popup = uir::win32::shown_popup();
        if (!popup || !IsWindowVisible(popup)) return false;
        if (*shown_at < 0) *shown_at = Timer();
        if (GetActiveWindow() != popup && Timer() - *shown_at < 3.0) return false;
        wchar_t buf[256] = L"";
        GetWindowTextW(popup, buf, 256);
        seen.title = buf;
        GetDlgItemTextW(popup, uir::win32::kPopupTextId, buf, 256);
        seen.text = buf;
        for (int id : {IDOK, IDYES, IDNO}) {
            if (HWND b = GetDlgItem(popup, id)) {
                GetWindowTextW(b, buf, 256);
                seen.buttons.push_back(buf);
            }
        }
        seen.owner = GetWindow(popup, GW_OWNER);
        seen.owner_enabled = seen.owner && IsWindowEnabled(seen.owner);
        GetWindowRect(popup, &seen.rect);
        GetWindowTextW(GetFocus(), buf, 256);
        seen.focus_text = buf;
        answer(popup);
        PostMessageW(nullptr, WM_NULL, 0, 0);
        return true;
    });
    script->then(0, [script] { delete script; });
    script->start();
}

void press(HWND popup, int id) {
    PostMessageW(popup, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(popup, id)));
}

void key_to(HWND w, UINT vk) {
    PostMessageW(w, WM_KEYDOWN, vk, 1);
    PostMessageW(w, WM_KEYUP, vk, static_cast<LPARAM>(1 | (3u << 30)));
}

bool centred_over(const RECT& inner, HWND outer) {
    RECT o{};
    GetWindowRect(outer, &o);
    const int dx = (inner.left + inner.right) / 2 - (o.left + o.right) / 2;
    const int dy = (inner.top + inner.bottom) / 2 - (o.top + o.bottom) / 2;
    return std::abs(dx) <= 2 && std::abs(dy) <= 2;
}

// The popups raised from a panel's callback, and what they returned.
std::function<int()> g_raise;
std::vector<int> g_answers;

int UIR_CALLBACK raise_popup(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT && g_raise) g_answers.push_back(g_raise());
    return 0;
}

class PopupTest : public Win32ViewTest {
  protected:
    void SetUp() override {
        Win32ViewTest::SetUp();
        g_answers.clear();
    }
    void TearDown() override {
        g_raise = nullptr;
        Win32ViewTest::TearDown();
    }
    // What the popup raised by `raise` from a callback of `control` on `panel` answered.
    int from_callback(int panel, int control, std::function<int()> raise) {
        g_raise = std::move(raise);
        g_answers.clear();
        EXPECT_EQ(SetCtrlAttribute(panel, control, ATTR_CALLBACK_FUNCTION_POINTER, raise_popup), 0);
        click(uir::win32::body_of(panel, control));
        settle();
        return g_answers.size() == 1 ? g_answers.front() : -100;
    }
};

TEST_F(PopupTest, MessageShowsItsTextOverItsPanelAndCloses) {
    Seen seen;
    when_popup_shows(seen, [](HWND popup) { press(popup, IDOK); });
    EXPECT_EQ(from_callback(panel_, V_BUTTON,
                            [] { return MessagePopup("QORM", "Носитель не найден.\nДемо режим"); }),
              0);
    EXPECT_EQ(seen.title, L"QORM [тест]");
    EXPECT_EQ(seen.text, L"Носитель не найден.\r\nДемо режим");
    EXPECT_EQ(seen.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(seen.owner, window());
    EXPECT_FALSE(seen.owner_enabled) << "modal: the panel waits for the answer";
    EXPECT_TRUE(centred_over(seen.rect, window()));
    EXPECT_TRUE(IsWindowEnabled(window())) << "the panel is operable again";
    EXPECT_EQ(uir::win32::shown_popup(), nullptr);
}

TEST_F(PopupTest, ConfirmationAnswersYesAndNo) {
    Seen seen;
    when_popup_shows(seen, [](HWND popup) { press(popup, IDYES); });
    EXPECT_EQ(ConfirmPopup("QORM", "Подлючите соединитель контрольный QORM-Z"), 1);
    EXPECT_EQ(seen.text, L"Подлючите соединитель контрольный QORM-Z");
    EXPECT_EQ(seen.buttons, (std::vector<std::wstring>{L"Да", L"Нет"}));

    when_popup_shows(seen, [](HWND popup) { press(popup, IDNO); });
    EXPECT_EQ(ConfirmPopup("QORM", "?"), 0);
}

// "Да" has the focus: Enter answers yes, Escape and the frame's close button answer no.
TEST_F(PopupTest, ConfirmationFromTheKeyboardAndTheFrame) {
    Seen seen;
    when_popup_shows(seen, [](HWND popup) { key_to(GetDlgItem(popup, IDYES), VK_RETURN); });
    EXPECT_EQ(ConfirmPopup("QORM", "?"), 1);
    EXPECT_EQ(seen.focus_text, L"Да");

    when_popup_shows(seen, [](HWND popup) { key_to(GetDlgItem(popup, IDYES), VK_ESCAPE); });
    EXPECT_EQ(ConfirmPopup("QORM", "?"), 0);
    when_popup_shows(seen, [](HWND popup) { PostMessageW(popup, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(ConfirmPopup("QORM", "?"), 0);
}

// The popup belongs to the panel whose callback raised it, whichever panel is active.
TEST_F(PopupTest, PopupBelongsToThePanelThatRaisedIt) {
    const int second = load(SECOND);
    HWND second_window = uir::win32::window_of(second);
    SetActiveWindow(window());
    settle();
    Seen seen;
    when_popup_shows(seen, [](HWND popup) { press(popup, IDOK); });
    EXPECT_EQ(from_callback(second, S_CLOSE, [] { return MessagePopup("QORM", "текст"); }), 0);
    EXPECT_EQ(seen.owner, second_window);
    EXPECT_TRUE(centred_over(seen.rect, second_window));
}

// A popup raised outside every callback (the start-up's messages) has no panel: it comes up in
// the middle of the work area.
TEST_F(PopupTest, PopupOutsideTheCallbacksComesUpOnItsOwn) {
    Seen seen;
    when_popup_shows(seen, [](HWND popup) { press(popup, IDOK); });
    EXPECT_EQ(MessagePopup("QORM", "Демо режим"), 0);
    EXPECT_EQ(seen.owner, nullptr);
    EXPECT_EQ(seen.text, L"Демо режим");
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((seen.rect.left + seen.rect.right) - (work.left + work.right)), 4);
}

TEST_F(PopupTest, PopupsRefuseMissingTexts) {
    EXPECT_EQ(MessagePopup(nullptr, "текст"), UIE_NULL_POINTER);
    EXPECT_EQ(ConfirmPopup("QORM", nullptr), UIE_NULL_POINTER);
}

}  // namespace
}  // namespace win32_test
