#include "native.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

namespace platform::native {

#ifdef _WIN32

std::wstring to_utf16(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), n);
    return out;
}

std::string to_utf8(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int size = static_cast<int>(utf16.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::string error_text(unsigned long code) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n > 0 && buffer != nullptr ? std::wstring(buffer, n) : std::wstring();
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (text.empty()) return "ошибка Windows " + std::to_string(code);
    return to_utf8(text);
}

std::filesystem::path path_from_utf8(std::string_view utf8) {
    return std::filesystem::path(to_utf16(utf8));
}

std::FILE* open_file(const std::string& utf8_path, const char* mode) {
    const std::wstring wide_mode = to_utf16(mode ? mode : "");
    return _wfopen(to_utf16(utf8_path).c_str(), wide_mode.c_str());
}

std::string environment(const char* name) {
    if (name == nullptr) return {};
    const std::wstring wide_name = to_utf16(name);
    const DWORD n = GetEnvironmentVariableW(wide_name.c_str(), nullptr, 0);
    if (n == 0) return {};
    std::wstring value(n, L'\0');
    const DWORD got = GetEnvironmentVariableW(wide_name.c_str(), value.data(), n);
    if (got == 0 || got >= n) return {};
    value.resize(got);
    return to_utf8(value);
}

namespace {
std::string folder_of_module(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        if (path.size() >= 32768) return {};  // longer than any Windows path
        path.resize(path.size() * 2);
    }
    const std::size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? std::string() : to_utf8(path.substr(0, cut));
}
}  // namespace

std::string program_folder() {
    return folder_of_module(nullptr);
}

std::string module_folder() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(&module_folder), &self))
        return {};
    return folder_of_module(self);
}

#else

std::filesystem::path path_from_utf8(std::string_view utf8) {
    return std::filesystem::path(std::string(utf8));
}

std::FILE* open_file(const std::string& utf8_path, const char* mode) {
    return std::fopen(utf8_path.c_str(), mode);
}

std::string environment(const char* name) {
    const char* value = name ? std::getenv(name) : nullptr;
    return value ? value : "";
}

#endif

}  // namespace platform::native
