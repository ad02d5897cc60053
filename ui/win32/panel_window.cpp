#include "panel_window.h"

#include "control_view.h"
#include "look.h"
#include "module.h"
#include "placement.h"
#include "text16.h"

namespace uir::win32 {
namespace {

constexpr wchar_t kClass[] = L"QormPanel";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;

Box work_area() {
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) {
        r = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return {r.left, r.top, r.right, r.bottom};
}

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

PanelWindow::PanelWindow(int panel, WindowEvents& events) : panel_(panel), events_(events) {
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

void PanelWindow::show_geometry(const Panel& p) {
    RECT frame{0, 0, p.width, p.height};
    AdjustWindowRectEx(&frame, kStyle, menu_ != nullptr, kExStyle);
    const Box wanted{p.left + frame.left, p.top + frame.top, p.left + frame.right,
                     p.top + frame.bottom};
    const Box placed = fit_into(wanted, work_area());
    RECT now{};
    GetWindowRect(hwnd_, &now);
    if (Box{now.left, now.top, now.right, now.bottom} != placed) {
        SetWindowPos(hwnd_, nullptr, placed.left, placed.top, placed.width(), placed.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The frame the system really draws may differ from the computed one by a pixel, and a menu
    // bar too narrow for its menus takes two lines: the window is corrected so the client area
    // has the panel's size and stands at the panel's place, where the work area allows.
    RECT client{};
    GetClientRect(hwnd_, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd_, &origin);
    const int dw = p.width - client.right, dh = p.height - client.bottom;
    const int dx = placed.left - wanted.left + p.left - origin.x;
    const int dy = placed.top - wanted.top + p.top - origin.y;
    if (dw != 0 || dh != 0 || dx != 0 || dy != 0) {
        GetWindowRect(hwnd_, &now);
        const Box corrected = fit_into(
            {now.left + dx, now.top + dy, now.right + dx + dw, now.bottom + dy + dh}, work_area());
        SetWindowPos(hwnd_, nullptr, corrected.left, corrected.top, corrected.width(),
                     corrected.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void PanelWindow::show_title(const Panel& p, const std::wstring& suffix) {
    set_text_if_changed(hwnd_, widen(p.title) + suffix);
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
    switch (msg) {
        case WM_CLOSE:
            events_.close_requested(panel_);
            return 0;
        case WM_COMMAND: {
            const auto from = reinterpret_cast<HWND>(lp);
            if (!from) {
                if (HIWORD(wp) == 0) events_.menu_chosen(panel_, LOWORD(wp));
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

HMENU build_menu(const MenuBar& bar) {
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
                    mnemonic_text(m.title).c_str());
    }
    return menu_bar;
}

}  // namespace uir::win32
