// The module (program or DLL) the view's code lives in: its window classes are registered with it
// and its windows made with it, so the view works the same inside qorm.dll as in a program.
#pragma once

#include <windows.h>

namespace uir::win32 {

HINSTANCE this_module();

}  // namespace uir::win32
