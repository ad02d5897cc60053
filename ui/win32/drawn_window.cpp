#include "drawn_window.h"

#include <windowsx.h>

#include "control_views.h"

namespace uir::win32 {
namespace {

constexpr wchar_t kClass[] = L"QormDrawn";

Drawn* drawn_of(HWND w) {
    return reinterpret_cast<Drawn*>(GetWindowLongPtrW(w, GWLP_USERDATA));
}

void paint_buffered(HWND w, HDC target, Drawn& d) {
    RECT r{};
    GetClientRect(w, &r);
    if (r.right <= 0 || r.bottom <= 0) return;
    HDC mem = CreateCompatibleDC(target);
    HBITMAP bmp = CreateCompatibleBitmap(target, r.right, r.bottom);
    HGDIOBJ old = SelectObject(mem, bmp);
    d.paint(mem, r, IsWindowEnabled(w) != FALSE, GetFocus() == w);
    BitBlt(target, 0, 0, r.right, r.bottom, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
}

bool inside(HWND w, LPARAM lp) {
    RECT r{};
    GetClientRect(w, &r);
    const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    return PtInRect(&r, pt) != FALSE;
}

LRESULT CALLBACK drawn_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    Drawn* d = drawn_of(w);
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        return DefWindowProcW(w, msg, wp, lp);
    }
    if (msg == WM_NCDESTROY) SetWindowLongPtrW(w, GWLP_USERDATA, 0);
    if (!d) return DefWindowProcW(w, msg, wp, lp);
    if (LRESULT result = 0; d->message(w, msg, wp, lp, result)) return result;
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(w, &ps);
            paint_buffered(w, dc, *d);
            EndPaint(w, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            paint_buffered(w, reinterpret_cast<HDC>(wp), *d);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // paint covers it all
        case WM_NCHITTEST:
            if (d->transparent()) return HTTRANSPARENT;
            break;
        case WM_SETCURSOR:
            if (d->clickable() && IsWindowEnabled(w)) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!d->clickable()) break;
            if (d->focusable()) SetFocus(w);
            d->pressed = true;
            SetCapture(w);
            return 0;
        case WM_LBUTTONUP: {
            if (!d->pressed) break;
            d->pressed = false;
            ReleaseCapture();
            if (inside(w, lp) && d->clickable()) d->clicked();
            return 0;
        }
        case WM_CAPTURECHANGED:
            d->pressed = false;
            break;
        case WM_KEYDOWN:
            if (wp == VK_SPACE && d->clickable() && d->focusable()) {
                // Auto-repeat of a held key is one press, not many.
                if ((lp & (1 << 30)) == 0) d->clicked();
                return 0;
            }
            break;
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
            InvalidateRect(w, nullptr, FALSE);
            break;
        default:
            break;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace

void register_drawn_class(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = drawn_proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
}

void unregister_drawn_class(HINSTANCE instance) {
    UnregisterClassW(kClass, instance);
}

HWND make_drawn(HWND parent, const Control& c, Drawn* drawn) {
    return make_child_at(kClass, 0, parent, c,
                         RECT{c.left, c.top, c.left + c.width, c.top + c.height}, 0, nullptr, drawn);
}

}  // namespace uir::win32
