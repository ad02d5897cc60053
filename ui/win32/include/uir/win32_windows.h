// The windows that show the model, for the render tool and the view's tests: the window of a
// panel and the body and label of a control, or nullptr when the running backend is not the
// Win32 one or shows no such thing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace uir::win32 {

HWND window_of(int panel);
HWND body_of(int panel, int control);
HWND label_of(int panel, int control);

// The popup on the screen (nullptr when none is). Its text is the child with id kPopupTextId,
// its buttons IDOK, or IDYES ("Да") and IDNO ("Нет").
HWND shown_popup();
inline constexpr int kPopupTextId = 0xFFFF;

// A panel's window as the operator sees it, menu bar and client area (the frame and title bar
// belong to the window manager), for the render tool's pictures and for tests of what a control
// shows.
//
// The picture is what the system drew into the window, read from the window's device context
// after an immediate redraw of the window and all its controls. PrintWindow is not used: under
// wine it sends WM_PRINT, whose PRF_CHILDREN and PRF_NONCLIENT wine does not implement, so it
// draws the bare client background without a single control.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel

    // The pixel at (x, y) as a COLORREF; black outside the picture.
    COLORREF at(int x, int y) const;
};

// The menu bar (if any) and the client area of a shown top-level window; empty (width 0) when the
// window cannot be read.
Capture capture_window(HWND window);
// The client area of one control of a window, in the control's client coordinates.
Capture capture_child(HWND window, HWND child);

}  // namespace uir::win32
