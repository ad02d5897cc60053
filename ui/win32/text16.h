// Texts at the Win32 API: the model holds UTF-8, the wide API takes UTF-16. A label's "__"
// shortcut marker becomes the '&' the system draws as an underlined letter.
#pragma once

#include <string>
#include <string_view>

namespace uir::win32 {

// Malformed UTF-8 comes out as U+FFFD rather than being dropped or read past.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// A label for controls that draw prefixes (buttons, labels, menus): the shortcut letter gets '&',
// a real '&' is doubled so it is shown as itself.
std::wstring mnemonic_text(std::string_view label);
// The label as plain text: the marker removed, nothing escaped (for SS_NOPREFIX and measuring).
std::wstring plain_text(std::string_view label);
// The shortcut letter of a label, lower-cased; 0 when it has none.
wchar_t shortcut_letter(std::string_view label);

// Text for a multi-line edit control: "\n" becomes "\r\n".
std::wstring with_crlf(std::wstring_view text);

}  // namespace uir::win32
