// The run-time's popups as modal dialogs over the panel that raised them: a message with "OK",
// and a confirmation with "Да" and "Нет". The dialog's controls carry the ids a message box's do
// (the text 0xFFFF, the buttons IDOK, IDYES, IDNO), so tools and tests find them.
#pragma once

#include <windows.h>

#include <string>

#include "uir/win32_windows.h"

namespace uir::win32 {

// 1 for "Да", 0 for "Нет" (also Escape and the frame's close button) and for a dismissed
// message; negative when the dialog cannot be shown.
int run_popup(HWND owner, const std::wstring& title, const std::wstring& text, bool confirm);

// The innermost popup on the screen; nullptr when none is.
HWND shown_popup();

}  // namespace uir::win32
