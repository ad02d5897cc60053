// libqorm exports the host contract and nothing else.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dynamic_symbols.h"

namespace {

using test_support::defined_dynamic_symbols;

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
