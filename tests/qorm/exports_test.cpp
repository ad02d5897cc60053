// libqorm exports the host contract and nothing else.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace {

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
    const std::set<std::string> expected = {"qorm_init", "qorm_display", "qorm_hide", "qorm_close"};
    EXPECT_EQ(defined_dynamic_symbols(LIBQORM_PATH), expected);
}

TEST(Exports, OperationsResolveAndInternalsDoNot) {
    void* library = dlopen(LIBQORM_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    for (const char* name : {"qorm_init", "qorm_display", "qorm_hide", "qorm_close"}) {
        EXPECT_NE(dlsym(library, name), nullptr) << name;
    }
    for (const char* name : {"mpStart", "status", "release_instance", "mpInitPanels"}) {
        EXPECT_EQ(dlsym(library, name), nullptr) << name;
    }
    dlclose(library);
}

}  // namespace
