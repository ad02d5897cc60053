#include "panel_window.h"

#include "control_view.h"
#include "look.h"
#include "module.h"
#include "text16.h"

namespace uir::win32 {
namespace {

constexpr wchar_t kClass[] = L"QormPanel";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;

// The id of the simulated-crate mark in the menu bar: no item of a layout's bar uses it.
constexpr UINT kMarkId = 0xFFFE;
// Room the title bar's buttons and icon take from the title.
constexpr int kTitleReserve = 96;

rules::Rect work_area() {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) {
        r = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Widths in the font the system draws titles with.
class CaptionFont {
  public:
    CaptionFont() {
        NONCLIENTMETRICSW m{};
        m.cbSize = sizeof m;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0))
            font_ = CreateFontIndirectW(&m.lfCaptionFont);
    }
    ~CaptionFont() {
        if (font_) DeleteObject(font_);
    }
    CaptionFont(const CaptionFont&) = delete;
    CaptionFont& operator=(const CaptionFont&) = delete;
    int width(std::string_view text) const {
        return static_cast<int>(text_extent(font_ ? font_ : look().panel_font(), widen(text)).cx);
    }

  private:
    HFONT font_ = nullptr;
};

}  // namespace

void PanelWindow::register_class(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
}

void PanelWindow::unregister_class(HINSTANCE instance) {
    UnregisterClassW(kClass, instance);
}

PanelWindow::PanelWindow(int panel, WindowEvents& events, std::wstring mark)
    : panel_(panel), events_(events), mark_(std::move(mark)) {
    hwnd_ = CreateWindowExW(kExStyle, kClass, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100,
                            nullptr, nullptr, this_module(), this);
}

PanelWindow::~PanelWindow() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        SetMenu(hwnd_, nullptr);
        DestroyWindow(hwnd_);
    }
    if (menu_) DestroyMenu(menu_);
}

// The frame is moved so it lies inside the work area (the top-left corner wins when the panel is
// larger than the area; the panel keeps its size).
void PanelWindow::show_geometry(const Panel& p) {
    RECT frame{0, 0, p.width, p.height};
    AdjustWindowRectEx(&frame, kStyle, menu_ != nullptr, kExStyle);
    const rules::Margins margins{-frame.left, -frame.top, frame.right - p.width,
                                 frame.bottom - p.height};
    const int left = p.left + offset_.x, top = p.top + offset_.y;
    const rules::Placement fit =
        rules::fit_window({left, top, p.width, p.height}, margins, work_area());
    const int x = fit.client.left - margins.left, y = fit.client.top - margins.top;
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    RECT now{};
    GetWindowRect(hwnd_, &now);
    if (now.left != x || now.top != y || now.right - now.left != w || now.bottom - now.top != h)
        SetWindowPos(hwnd_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame the system really draws may differ from the computed one by a pixel, and a menu
    // bar too narrow for its menus takes two lines: the window is corrected so the client area
    // has the panel's size and stands at the panel's place, where the work area allows.
    RECT client{};
    GetClientRect(hwnd_, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd_, &origin);
    const int dw = p.width - client.right, dh = p.height - client.bottom;
    const int dx = fit.client.left - origin.x, dy = fit.client.top - origin.y;
    if (dw != 0 || dh != 0 || dx != 0 || dy != 0) {
        GetWindowRect(hwnd_, &now);
        const rules::Margins real{origin.x - now.left, origin.y - now.top,
                                  now.right - origin.x - client.right,
                                  now.bottom - origin.y - client.bottom};
        const rules::Placement again =
            rules::fit_window({left, top, p.width, p.height}, real, work_area());
        SetWindowPos(hwnd_, nullptr, again.client.left - real.left, again.client.top - real.top,
                     p.width + real.left + real.right, p.height + real.top + real.bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    show_title();
}

void PanelWindow::set_offset(POINT offset) {
    if (offset.x == offset_.x && offset.y == offset_.y) return;
    offset_ = offset;
    if (const Panel* p = model::find_panel(panel_)) show_geometry(*p);
}

void PanelWindow::show_title(const Panel& p) {
    title_ = p.title;
    show_title();
}

void PanelWindow::show_title() {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    const int room = r.right - r.left - kTitleReserve;
    const CaptionFont font;
    const auto width_of = [&font](std::string_view text) { return font.width(text); };
    const std::string full = title_ + narrow(mark_);
    std::string shown;
    if (!menu_ && !mark_.empty() && width_of(full) <= room)
        shown = full;
    else
        shown = rules::fit_title(title_, room, width_of);
    set_text_if_changed(hwnd_, widen(shown));
}

void PanelWindow::show_colour(const Panel& p) {
    const COLORREF c = panel_colour(p);
    if (c == colour_) return;
    colour_ = c;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void PanelWindow::set_menu(HMENU menu, const Panel& p) {
    HMENU old = menu_;
    menu_ = menu;
    SetMenu(hwnd_, menu_);
    if (old) DestroyMenu(old);
    show_geometry(p);
}

const std::wstring& PanelWindow::mark() const {
    return mark_;
}

void PanelWindow::fill_background(HDC dc) {
    RECT r{};
    GetClientRect(hwnd_, &r);
    FillRect(dc, &r, look().brush(colour_));
}

LRESULT CALLBACK PanelWindow::proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self =
            static_cast<PanelWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = w;
        self->colour_ = GetSysColor(COLOR_BTNFACE);
        SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<PanelWindow*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (!self) return DefWindowProcW(w, msg, wp, lp);
    return self->handle(msg, wp, lp);
}

LRESULT PanelWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
    if (detached_) return DefWindowProcW(hwnd_, msg, wp, lp);
    switch (msg) {
        case WM_CLOSE:
            events_.close_requested(panel_);
            return 0;
        case WM_COMMAND: {
            const auto from = reinterpret_cast<HWND>(lp);
            if (!from) {
                if (HIWORD(wp) == 0 && LOWORD(wp) != kMarkId)
                    events_.menu_chosen(panel_, LOWORD(wp));
                return 0;
            }
            if (ControlView* v = events_.view_of(panel_, from)) v->command(from, HIWORD(wp));
            return 0;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lp);
            if (ControlView* v = events_.view_of(panel_, header->hwndFrom))
                return v->notify(*header);
            return 0;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (ControlView* v = events_.view_of(panel_, item->hwndItem)) v->draw_item(*item);
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX: {
            const auto from = reinterpret_cast<HWND>(lp);
            if (ControlView* v = events_.view_of(panel_, from))
                return reinterpret_cast<LRESULT>(v->colours(reinterpret_cast<HDC>(wp), from, msg));
            break;
        }
        case WM_ERASEBKGND:
            fill_background(reinterpret_cast<HDC>(wp));
            return 1;
        case WM_PRINTCLIENT:
            fill_background(reinterpret_cast<HDC>(wp));
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(hwnd_, focus)) saved_focus_ = focus;
            } else if (HWND to = events_.focus_on_activation(panel_)) {
                SetFocus(to);
            }
            return 0;
        case WM_SETFOCUS:
            if (HWND to = events_.focus_on_activation(panel_)) SetFocus(to);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

namespace {

std::wstring menu_title_text(std::string_view title) {
    const LabelParts parts = split_label(title);
    if (parts.shortcut >= 0 || parts.text.empty()) return mnemonic_text(title);
    return L'&' + mnemonic_text(parts.text);
}

}  // namespace

HMENU build_menu(const MenuBar& bar, const std::wstring& mark) {
    HMENU menu_bar = CreateMenu();
    for (const Menu& m : bar.menus) {
        HMENU popup = CreatePopupMenu();
        for (const MenuItem& item : m.items) {
            if (item.separator) {
                AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            const UINT flags = MF_STRING | (item.dimmed ? MF_GRAYED : 0);
            AppendMenuW(popup, flags, static_cast<UINT_PTR>(item.id & 0xFFFF),
                        mnemonic_text(item.name).c_str());
        }
        const UINT flags = MF_POPUP | MF_STRING | (m.dimmed ? MF_GRAYED : 0);
        AppendMenuW(menu_bar, flags, reinterpret_cast<UINT_PTR>(popup),
                    menu_title_text(m.title).c_str());
    }
    if (!mark.empty()) {
        std::wstring text;
        for (wchar_t ch : mark) text += ch == L'&' ? L"&&" : std::wstring(1, ch);
        AppendMenuW(menu_bar, MF_STRING | MF_GRAYED | MF_RIGHTJUSTIFY, kMarkId, text.c_str());
    }
    return menu_bar;
}

}  // namespace uir::win32
