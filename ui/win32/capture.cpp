#include "uir/win32_windows.h"

namespace uir::win32 {
namespace {

// `r` (in `window`'s window coordinates) read from the window's device context.
Capture read_window(HWND window, const RECT& r) {
    Capture out;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return out;
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC source = GetWindowDC(window);
    if (!source) return out;
    HDC mem = CreateCompatibleDC(source);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(source, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib) {
        HGDIOBJ old = SelectObject(mem, dib);
        if (BitBlt(mem, 0, 0, w, h, source, r.left, r.top, SRCCOPY)) {
            GdiFlush();
            out.width = w;
            out.height = h;
            const std::size_t n = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
            out.rgb.resize(n * 3);
            const auto* px = static_cast<const std::uint8_t*>(bits);
            for (std::size_t i = 0; i < n; ++i) {
                out.rgb[i * 3] = px[i * 4 + 2];
                out.rgb[i * 3 + 1] = px[i * 4 + 1];
                out.rgb[i * 3 + 2] = px[i * 4];
            }
        }
        SelectObject(mem, old);
        DeleteObject(dib);
    }
    DeleteDC(mem);
    ReleaseDC(window, source);
    return out;
}

// `child`'s client rectangle (or the client area with the menu bar of a top-level window) in
// `window`'s window coordinates.
RECT area_of(HWND window, HWND child) {
    RECT outer{};
    GetWindowRect(window, &outer);
    RECT client{};
    GetClientRect(child, &client);
    POINT origin{0, 0};
    ClientToScreen(child, &origin);
    RECT r{origin.x - outer.left, origin.y - outer.top, origin.x - outer.left + client.right,
           origin.y - outer.top + client.bottom};
    MENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    if (child == window && GetMenu(window) && GetMenuBarInfo(window, OBJID_MENU, 0, &bar))
        r.top = bar.rcBar.top - outer.top;
    return r;
}

}  // namespace

COLORREF Capture::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(x)) *
                          3;
    return RGB(rgb[i], rgb[i + 1], rgb[i + 2]);
}

Capture capture_window(HWND window) {
    if (!window || !IsWindowVisible(window)) return {};
    return read_window(window, area_of(window, window));
}

Capture capture_child(HWND window, HWND child) {
    if (!window || !child || !IsWindowVisible(window)) return {};
    return read_window(window, area_of(window, child));
}

}  // namespace uir::win32
