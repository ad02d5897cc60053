// libqorm exports the host contract and nothing else: on Linux libqorm.so's dynamic symbols, on
// Windows qorm.dll's export table, which must also need nothing but Windows' own DLLs.
#include <gtest/gtest.h>

#include <set>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include "native.h"
#include "pe_image.h"
#else
#include <dlfcn.h>

#include <cstdio>
#include <sstream>
#endif

namespace {

const std::set<std::string> kOperations = {"qorm_init", "qorm_display", "qorm_hide", "qorm_close"};

#ifdef _WIN32

TEST(Exports, ExactlyTheFourPlainNames) {
    const test_support::PeImage dll = test_support::read_pe_image(LIBQORM_PATH);
    ASSERT_EQ(dll.error, "");
    EXPECT_EQ(std::set<std::string>(dll.exports.begin(), dll.exports.end()), kOperations);
    EXPECT_EQ(dll.exports.size(), 4u);  // no name twice, decorated or not
}

TEST(Exports, OperationsResolveByPlainNameOnly) {
    HMODULE dll = LoadLibraryW(platform::native::to_utf16(LIBQORM_PATH).c_str());
    ASSERT_NE(dll, nullptr) << platform::native::error_text(GetLastError());
    for (const std::string& name : kOperations)
        EXPECT_NE(GetProcAddress(dll, name.c_str()), nullptr) << name;
    for (const char* name : {"qorm_init@20", "_qorm_init@20", "mpStart", "status",
                             "release_instance", "mpInitPanels", "InitUserInterface"})
        EXPECT_EQ(GetProcAddress(dll, name), nullptr) << name;
    FreeLibrary(dll);
}

// The run-time, the bindings and the C++ runtime are inside: a test station needs only the DLL.
TEST(Exports, TheDllAndTheProgramsNeedOnlyWindowsOwnDlls) {
    for (const char* file : {LIBQORM_PATH, QORM_PROGRAM, QORM_HOST_PROGRAM}) {
        const test_support::PeImage image = test_support::read_pe_image(file);
        ASSERT_EQ(image.error, "") << file;
        EXPECT_FALSE(image.imports.empty()) << file;
        for (const std::string& dll : image.imports)
            EXPECT_TRUE(test_support::is_windows_system_dll(dll)) << file << " imports " << dll;
    }
}

#else

// The defined dynamic symbols of a shared library, as nm lists them.
std::set<std::string> defined_dynamic_symbols(const char* path) {
    const std::string command = std::string("nm -D --defined-only ") + path + " 2>/dev/null";
    std::set<std::string> symbols;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return symbols;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name) symbols.insert(name);
    }
    pclose(pipe);
    return symbols;
}

TEST(Exports, ExactlyTheFourOperations) {
    EXPECT_EQ(defined_dynamic_symbols(LIBQORM_PATH), kOperations);
}

TEST(Exports, OperationsResolveAndInternalsDoNot) {
    void* library = dlopen(LIBQORM_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    for (const std::string& name : kOperations) {
        EXPECT_NE(dlsym(library, name.c_str()), nullptr) << name;
    }
    for (const char* name : {"mpStart", "status", "release_instance", "mpInitPanels"}) {
        EXPECT_EQ(dlsym(library, name), nullptr) << name;
    }
    dlclose(library);
}

#endif

}  // namespace
