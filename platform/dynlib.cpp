#include "dynlib.h"

#ifdef _WIN32
#include <windows.h>

#include "native.h"
#else
#include <dlfcn.h>
#endif

namespace platform::dynlib {

#ifdef _WIN32

namespace {

// A full path (C:\..., \\server\...): the library's own folder is then searched first for the
// DLLs it imports, as drivers installed in a folder of their own expect.
bool is_full_path(const std::wstring& name) {
    if (name.size() >= 3 && name[1] == L':' && name[2] == L'\\') return true;
    return name.size() >= 2 && name[0] == L'\\' && name[1] == L'\\';
}

}  // namespace

void* open(const std::string& name, std::string* error) {
    std::wstring wide = native::to_utf16(name);
    // LoadLibrary takes only backslashes as separators.
    for (wchar_t& c : wide)
        if (c == L'/') c = L'\\';
    // No system dialog for a missing drive or a library that cannot be read: the caller reports.
    DWORD old_mode = 0;
    const bool quiet =
        SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_mode);
    HMODULE h = wide.empty()
                    ? nullptr
                    : LoadLibraryExW(wide.c_str(), nullptr,
                                     is_full_path(wide) ? LOAD_WITH_ALTERED_SEARCH_PATH : 0);
    const DWORD code = wide.empty() ? ERROR_INVALID_NAME : GetLastError();
    if (quiet) SetThreadErrorMode(old_mode, nullptr);
    if (!h && error) *error = name + ": " + native::error_text(code);
    return reinterpret_cast<void*>(h);
}

void* symbol(void* handle, const char* name, std::string* error) {
    if (!handle || !name) return nullptr;
    void* address = reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
    if (!address && error) *error = native::error_text(GetLastError());
    return address;
}

void close(void* handle) {
    if (handle) FreeLibrary(static_cast<HMODULE>(handle));
}

#else

void* open(const std::string& name, std::string* error) {
    // RTLD_NOW: a library whose own dependencies cannot be resolved fails here, with a reason,
    // instead of at some later call. RTLD_LOCAL keeps its symbols out of the global scope, where
    // they would compete with the forwarding functions of the same names.
    void* h = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h && error) {
        const char* why = dlerror();
        *error = why ? why : name + ": cannot be opened";
    }
    return h;
}

void* symbol(void* handle, const char* name, std::string* error) {
    if (!handle || !name) return nullptr;
    dlerror();
    void* address = dlsym(handle, name);
    if (!address && error) {
        const char* why = dlerror();
        *error = why ? why : std::string(name) + ": not exported";
    }
    return address;
}

void close(void* handle) {
    if (handle) dlclose(handle);
}

#endif

}  // namespace platform::dynlib
