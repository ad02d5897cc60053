#include "module.h"

namespace uir::win32 {

HINSTANCE this_module() {
    static const HINSTANCE module = [] {
        HMODULE m = nullptr;
        GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(&this_module), &m);
        return static_cast<HINSTANCE>(m);
    }();
    return module;
}

}  // namespace uir::win32
