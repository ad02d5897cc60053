// The windows that show the model, for the render tool and the view's tests: the window of a
// panel and the body and label of a control, or nullptr when the running backend is not the
// Win32 one or shows no such thing.
#pragma once

#include <windows.h>

namespace uir::win32 {

HWND window_of(int panel);
HWND body_of(int panel, int control);
HWND label_of(int panel, int control);

// The popup on the screen (nullptr when none is). Its text is the child with id kPopupTextId,
// its buttons IDOK, or IDYES ("Да") and IDNO ("Нет").
HWND shown_popup();
inline constexpr int kPopupTextId = 0xFFFF;

}  // namespace uir::win32
