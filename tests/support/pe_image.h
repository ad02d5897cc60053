// What a Windows program or DLL file says about its links: the names it exports and the DLLs it
// imports from, read from the file's PE headers (no loading, so it works for any file).
#pragma once

#include <string>
#include <vector>

namespace test_support {

struct PeImage {
    std::string error;                 // empty when the file was read
    std::vector<std::string> exports;  // exported names, in the table's (sorted) order
    std::vector<std::string> imports;  // DLLs of the import table, then of the delay-load table
};

PeImage read_pe_image(const std::string& utf8_path);

// Whether a DLL name is one of Windows' own (compared without regard to case), which every
// Windows machine has: the kernel, the user interface, the shell, the C runtime of the system.
bool is_windows_system_dll(const std::string& name);

}  // namespace test_support
