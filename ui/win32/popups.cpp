#include "popups.h"

#include <algorithm>
#include <vector>

#include "look.h"
#include "module.h"
#include "runtime_access.h"

namespace uir::win32 {
namespace {

constexpr int kMargin = 14;
constexpr int kIcon = 32;
constexpr int kGap = 12;
constexpr int kButtonWidth = 86;
constexpr int kButtonHeight = 25;
constexpr int kMaxTextWidth = 460;

struct Popup {
    std::wstring text;
    bool confirm = false;
    HWND owner = nullptr;
};

// The dialogs on the screen, innermost last: a callback of a timer may raise a popup while one
// is up.
std::vector<HWND>& open_dialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

HWND child(HWND dialog, const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y,
           int w, int h) {
    HWND c =
        CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), this_module(), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(look().panel_font()), FALSE);
    return c;
}

rules::Rect rect_of(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Centred over the owner (or the work area), inside the work area.
void place(HWND dialog, HWND owner, int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    RECT over{};
    if (owner && IsWindowVisible(owner)) GetWindowRect(owner, &over);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const rules::Rect placed = rules::popup_frame(rect_of(over), {0, 0, w, h}, rect_of(work));
    SetWindowPos(dialog, HWND_TOP, placed.left, placed.top, w, h, SWP_NOACTIVATE);
}

void lay_out(HWND dialog, const Popup& p) {
    RECT text{0, 0, kMaxTextWidth, 0};
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, look().panel_font());
    DrawTextW(dc, p.text.c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    const int text_w = std::max<int>(text.right, 60);
    const int text_h = std::max<int>(text.bottom, kIcon);
    const int buttons = p.confirm ? 2 : 1;
    const int buttons_w = buttons * kButtonWidth + (buttons - 1) * kGap;
    const int width = std::max(kMargin + kIcon + kGap + text_w + kMargin, buttons_w + 2 * kMargin);
    const int height = kMargin + text_h + kGap + kButtonHeight + kMargin;

    HWND icon = child(dialog, L"STATIC", nullptr, SS_ICON, -1, kMargin, kMargin, kIcon, kIcon);
    SendMessageW(
        icon, STM_SETICON,
        reinterpret_cast<WPARAM>(LoadIconW(nullptr, p.confirm ? IDI_QUESTION : IDI_INFORMATION)),
        0);
    const int text_top = kMargin + std::max(0, (kIcon - static_cast<int>(text.bottom)) / 2);
    child(dialog, L"STATIC", p.text.c_str(), SS_LEFT | SS_NOPREFIX, kPopupTextId,
          kMargin + kIcon + kGap, text_top, text_w, text.bottom);

    int x = (width - buttons_w) / 2;
    const int y = height - kMargin - kButtonHeight;
    HWND first = nullptr;
    if (p.confirm) {
        first = child(dialog, L"BUTTON", L"Да", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDYES, x,
                      y, kButtonWidth, kButtonHeight);
        x += kButtonWidth + kGap;
        child(dialog, L"BUTTON", L"Нет", BS_PUSHBUTTON | WS_TABSTOP, IDNO, x, y, kButtonWidth,
              kButtonHeight);
        SendMessageW(dialog, DM_SETDEFID, IDYES, 0);
    } else {
        first = child(dialog, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK, x,
                      y, kButtonWidth, kButtonHeight);
        SendMessageW(dialog, DM_SETDEFID, IDOK, 0);
    }
    place(dialog, p.owner, width, height);
    // The first button takes the focus once the dialog is up and active.
    PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}

INT_PTR CALLBACK popup_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG:
            open_dialogs().push_back(dialog);
            lay_out(dialog, *reinterpret_cast<const Popup*>(lp));
            return FALSE;  // the focus is set once the dialog is shown
        case WM_DESTROY:
            std::erase(open_dialogs(), dialog);
            return FALSE;
        case WM_COMMAND:
            switch (LOWORD(wp)) {
                case IDYES:
                case IDOK:
                    EndDialog(dialog, 1);
                    return TRUE;
                case IDNO:
                case IDCANCEL:
                    EndDialog(dialog, 0);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

// An empty dialog template: the dialog lays its controls out itself, in pixels.
std::vector<DWORD> empty_template(const std::wstring& title) {
    std::vector<WORD> words;
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    words.push_back(LOWORD(style));
    words.push_back(HIWORD(style));
    words.push_back(0);  // extended style
    words.push_back(0);
    words.push_back(0);                              // no items
    for (int i = 0; i < 4; ++i) words.push_back(0);  // x, y, cx, cy: set later
    words.push_back(0);                              // no menu
    words.push_back(0);                              // the standard dialog class
    for (wchar_t ch : title) words.push_back(static_cast<WORD>(ch));
    words.push_back(0);
    std::vector<DWORD> aligned((words.size() + 1) / 2, 0);
    std::copy(words.begin(), words.end(), reinterpret_cast<WORD*>(aligned.data()));
    return aligned;
}

}  // namespace

HWND shown_popup() {
    return open_dialogs().empty() ? nullptr : open_dialogs().back();
}

int run_popup(HWND owner, const std::wstring& title, const std::wstring& text, bool confirm) {
    const Popup p{text, confirm, owner};
    const std::vector<DWORD> tmpl = empty_template(title);
    const INT_PTR answer =
        DialogBoxIndirectParamW(this_module(), reinterpret_cast<const DLGTEMPLATE*>(tmpl.data()),
                                owner, popup_proc, reinterpret_cast<LPARAM>(&p));
    if (answer < 0) return -1;
    return answer == 1 ? 1 : 0;
}

}  // namespace uir::win32
