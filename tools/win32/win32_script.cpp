#include "win32_script.h"

#include <functional>
#include <map>

#include "uir/win32_windows.h"

namespace tools {
namespace {

std::map<UINT_PTR, std::function<void()>>& pending() {
    static std::map<UINT_PTR, std::function<void()>> timers;
    return timers;
}

void CALLBACK fire(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto it = pending().find(id);
    if (it == pending().end()) return;
    std::function<void()> fn = std::move(it->second);
    pending().erase(it);
    fn();
}

}  // namespace

Win32Script::Win32Script()
    : ScriptSteps([](int ms, std::function<void()> fn) {
          const UINT_PTR id = SetTimer(nullptr, 0, static_cast<UINT>(ms > 0 ? ms : 1), fire);
          if (id != 0) pending()[id] = std::move(fn);
      }) {}

bool answer_popup(int id) {
    HWND popup = uir::win32::shown_popup();
    if (!popup) return false;
    HWND button = GetDlgItem(popup, id);
    if (!button) return false;
    PostMessageW(popup, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return true;
}

}  // namespace tools
