// Opening shared libraries at run time: dlopen on Linux, LoadLibrary on Windows.
#pragma once

#include <string>

namespace platform::dynlib {

// Opens the library by name (searched the system's usual way) or by path, both in UTF-8. Returns
// null and the system's reason in *error (UTF-8) when it cannot be opened.
void* open(const std::string& name, std::string* error);
// The address of an exported function, or null and the system's reason in *error (UTF-8).
void* symbol(void* handle, const char* name, std::string* error = nullptr);
void close(void* handle);

}  // namespace platform::dynlib
