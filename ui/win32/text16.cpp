#include "text16.h"

#include <windows.h>

#include <climits>

#include "runtime_access.h"

namespace uir::win32 {

std::wstring widen(std::string_view utf8) {
    if (utf8.empty() || utf8.size() > INT_MAX) return {};
    const int n = static_cast<int>(utf8.size());
    const int len = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, nullptr, 0);
    if (len <= 0) return {};
    std::wstring out(static_cast<std::size_t>(len), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, out.data(), len);
    return out;
}

std::string narrow(std::wstring_view utf16) {
    if (utf16.empty() || utf16.size() > INT_MAX) return {};
    const int n = static_cast<int>(utf16.size());
    const int len = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), n, nullptr, 0, nullptr, nullptr);
    if (len <= 0) return {};
    std::string out(static_cast<std::size_t>(len), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), n, out.data(), len, nullptr, nullptr);
    return out;
}

namespace {

std::wstring escaped(std::string_view utf8) {
    std::wstring out;
    for (wchar_t ch : widen(utf8)) {
        if (ch == L'&') out += L'&';
        out += ch;
    }
    return out;
}

}  // namespace

std::wstring mnemonic_text(std::string_view label) {
    const LabelParts parts = split_label(label);
    const std::string_view text = parts.text;
    if (parts.shortcut < 0 || parts.shortcut >= static_cast<int>(text.size())) return escaped(text);
    const auto at = static_cast<std::size_t>(parts.shortcut);
    return escaped(text.substr(0, at)) + L'&' + escaped(text.substr(at));
}

std::wstring plain_text(std::string_view label) {
    return widen(split_label(label).text);
}

wchar_t shortcut_letter(std::string_view label) {
    const LabelParts parts = split_label(label);
    if (parts.shortcut < 0 || parts.shortcut >= static_cast<int>(parts.text.size())) return 0;
    const std::wstring rest =
        widen(std::string_view(parts.text).substr(static_cast<std::size_t>(parts.shortcut)));
    if (rest.empty()) return 0;
    wchar_t letter[2] = {rest[0], 0};
    CharLowerW(letter);
    return letter[0];
}

std::wstring with_crlf(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) out += L'\r';
        out += text[i];
    }
    return out;
}

}  // namespace uir::win32
