// Where the system libraries are looked for, in the order they are tried: VISA, the module
// driver and the carrier driver, by this machine's names and in its usual places.
#pragma once

#include <string>
#include <vector>

namespace platform::places {

// The names the libraries are known by on this platform, for messages.
extern const char* const kKelqormLibrary;  // libkelqorm.so, kelqorm_32.dll
extern const char* const kKelbaseLibrary;  // libkelbase.so, KELBASE_32.dll

// The candidates on this machine, each a name searched the system's way or a path (UTF-8).
std::vector<std::string> visa();
std::vector<std::string> kelqorm();
std::vector<std::string> kelbase();

// Windows. VISA is the system's (visa32.dll in the system folder, else wherever the DLL search
// path finds it). A driver is looked for beside the program (and beside the DLL holding the front
// panel, when a host loaded it from elsewhere), then in the VXIplug&play WinNT framework of each
// root (WinNT\Bin, where drivers install their DLLs, then the driver's own WinNT\<prefix>
// folder), then along the DLL search path.
struct WindowsFolders {
    std::vector<std::string> beside;        // the program's folder, the front panel's folder
    std::vector<std::string> vxipnp_roots;  // VXIPNPPATH, the registry's, the usual defaults
    std::string system;                     // the system folder
};
std::vector<std::string> windows_visa(const WindowsFolders& folders);
// `dll` as installed ("kelqorm_32.dll"), `prefix` the driver's prefix ("kelqorm").
std::vector<std::string> windows_driver(const std::string& dll, const std::string& prefix,
                                        const WindowsFolders& folders);
#ifdef _WIN32
// What this machine says: the folders of the running program and of this code, the
// VXIplug&play roots from VXIPNPPATH, from the registry and the defaults under Program Files and
// C:\VXIPNP, and the system folder.
WindowsFolders windows_folders();
#endif

}  // namespace platform::places
