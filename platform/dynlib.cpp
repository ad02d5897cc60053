#include "dynlib.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace platform::dynlib {

#ifdef _WIN32

void* open(const std::string& name, std::string* error) {
    HMODULE h = LoadLibraryA(name.c_str());
    if (!h && error) *error = name + ": LoadLibrary error " + std::to_string(GetLastError());
    return reinterpret_cast<void*>(h);
}

void* symbol(void* handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
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

void* symbol(void* handle, const char* name) {
    if (!handle || !name) return nullptr;
    return dlsym(handle, name);
}

void close(void* handle) {
    if (handle) dlclose(handle);
}

#endif

}  // namespace platform::dynlib
