#include "library_places.h"

#include <cctype>

#ifdef _WIN32
#include <windows.h>

#include "native.h"
#endif

namespace platform::places {

namespace {

// Windows compares paths without regard to case and takes both separators.
std::string folded(const std::string& path) {
    std::string out = path;
    for (char& c : out) {
        if (c == '/') c = '\\';
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    while (out.size() > 3 && out.back() == '\\') out.pop_back();
    return out;
}

std::string joined(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    return last == '\\' || last == '/' ? folder + name : folder + "\\" + name;
}

void add_once(std::vector<std::string>& list, const std::string& candidate) {
    const std::string key = folded(candidate);
    for (const std::string& c : list)
        if (folded(c) == key) return;
    list.push_back(candidate);
}

}  // namespace

std::vector<std::string> windows_visa(const WindowsFolders& folders) {
#ifdef _WIN64
    const std::string dll = "visa64.dll";  // a 64-bit program needs the 64-bit VISA
#else
    const std::string dll = "visa32.dll";
#endif
    std::vector<std::string> out;
    if (!folders.system.empty()) add_once(out, joined(folders.system, dll));
    add_once(out, dll);
    return out;
}

std::vector<std::string> windows_driver(const std::string& dll, const std::string& prefix,
                                        const WindowsFolders& folders) {
    std::vector<std::string> out;
    for (const std::string& folder : folders.beside)
        if (!folder.empty()) add_once(out, joined(folder, dll));
    for (const std::string& root : folders.vxipnp_roots) {
        if (root.empty()) continue;
        const std::string framework = joined(root, "WinNT");
        add_once(out, joined(joined(framework, "Bin"), dll));
        add_once(out, joined(joined(framework, prefix), dll));
    }
    add_once(out, dll);
    return out;
}

#ifdef _WIN32

const char* const kKelqormLibrary = "kelqorm_32.dll";
const char* const kKelbaseLibrary = "KELBASE_32.dll";

namespace {

// The VXIplug&play root that VISA installers record in the registry (the 32-bit view, which is
// what a 32-bit program reads on 64-bit Windows too).
std::string registry_vxipnp_root() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\VXIPNP_Alliance\\VXIPNP\\CurrentVersion", 0,
                      KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return {};
    wchar_t value[MAX_PATH + 1] = {};
    DWORD type = 0;
    DWORD bytes = sizeof value - sizeof(wchar_t);
    const LONG st = RegQueryValueExW(key, L"VXIPNPPATH", nullptr, &type,
                                     reinterpret_cast<BYTE*>(value), &bytes);
    RegCloseKey(key);
    if (st != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
    value[bytes / sizeof(wchar_t)] = L'\0';
    if (type == REG_EXPAND_SZ) {
        wchar_t expanded[MAX_PATH + 1] = {};
        const DWORD n = ExpandEnvironmentStringsW(value, expanded, MAX_PATH);
        if (n == 0 || n > MAX_PATH) return {};
        return native::to_utf8(expanded);
    }
    return native::to_utf8(value);
}

std::string system_folder() {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    return n == 0 || n > MAX_PATH ? std::string() : native::to_utf8(std::wstring(folder, n));
}

}  // namespace

WindowsFolders windows_folders() {
    WindowsFolders f;
    f.beside = {native::program_folder(), native::module_folder()};
    f.vxipnp_roots.push_back(native::environment("VXIPNPPATH"));
    f.vxipnp_roots.push_back(registry_vxipnp_root());
    // %ProgramFiles% is "Program Files (x86)" for a 32-bit program on 64-bit Windows: the
    // 32-bit framework's home.
    const std::string program_files = native::environment("ProgramFiles");
    if (!program_files.empty())
        f.vxipnp_roots.push_back(joined(joined(program_files, "IVI Foundation"), "VISA"));
    f.vxipnp_roots.push_back("C:\\VXIPNP");
    f.system = system_folder();
    return f;
}

std::vector<std::string> visa() {
    return windows_visa(windows_folders());
}
std::vector<std::string> kelqorm() {
    return windows_driver(kKelqormLibrary, "kelqorm", windows_folders());
}
std::vector<std::string> kelbase() {
    return windows_driver(kKelbaseLibrary, "kelbase", windows_folders());
}

#else

const char* const kKelqormLibrary = "libkelqorm.so";
const char* const kKelbaseLibrary = "libkelbase.so";

std::vector<std::string> visa() {
    // The names and places the VISA vendors install to on Linux. The bare names go through the
    // loader's own search (LD_LIBRARY_PATH, the cache of ldconfig).
    return {
        "libvisa.so",
        "libvisa.so.0",
        "/usr/lib/x86_64-linux-gnu/libvisa.so",
        "/usr/local/vxipnp/linux/lib64/libvisa.so",
        "/usr/lib64/librsvisa.so",
        "/usr/lib/librsvisa.so",
        "/opt/keysight/iolibs/libktvisa32.so",
        "libivivisa.so.7",
    };
}
std::vector<std::string> kelqorm() {
    return {kKelqormLibrary};
}
std::vector<std::string> kelbase() {
    return {kKelbaseLibrary};
}

#endif

}  // namespace platform::places
