// Each stand-in exports exactly the operations of its library's declaration list, and the crate
// they share exports only what the stand-ins and the hosts that count sessions look up. On Linux
// the exports are the libraries' defined dynamic symbols; on Windows the names of the DLLs'
// export tables, plain, with no stdcall decoration (viOpen, never viOpen@16).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "kelbase.h"
#include "kelqorm.h"
#include "visa.h"

#ifdef _WIN32
#include "pe_image.h"
#else
#include "dynamic_symbols.h"
#endif

namespace {

std::string library(const char* name) {
    return std::string(STANDIN_DIR) + "/" + name;
}

#ifdef _WIN32
const char* const kVisa = "visa32.dll";
const char* const kKelqorm = "kelqorm_32.dll";
const char* const kKelbase = "KELBASE_32.dll";
const char* const kCrate = "qorm_sim_crate.dll";

// Every name of the export table, each once: a name exported twice shows in the count.
std::multiset<std::string> exported_names(const std::string& path) {
    const test_support::PeImage image = test_support::read_pe_image(path);
    if (!image.error.empty()) return {"unreadable: " + image.error};
    return {image.exports.begin(), image.exports.end()};
}
using Names = std::multiset<std::string>;
#else
const char* const kVisa = "libvisa.so";
const char* const kKelqorm = "libkelqorm.so";
const char* const kKelbase = "libkelbase.so";
const char* const kCrate = "libqorm_sim_crate.so";

std::set<std::string> exported_names(const std::string& path) {
    return test_support::defined_dynamic_symbols(path);
}
using Names = std::set<std::string>;
#endif

#define QORM_LISTED_NAME(ret, name, field, ...) #name,

TEST(StandInExports, EachLibraryExportsExactlyItsDeclarationList) {
    const Names visa = {QORM_VISA_OPERATIONS(QORM_LISTED_NAME)};
    const Names kelqorm = {QORM_KELQORM_OPERATIONS(QORM_LISTED_NAME)};
    const Names kelbase = {QORM_KELBASE_OPERATIONS(QORM_LISTED_NAME)};
    EXPECT_EQ(exported_names(library(kVisa)), visa);
    EXPECT_EQ(exported_names(library(kKelqorm)), kelqorm);
    EXPECT_EQ(exported_names(library(kKelbase)), kelbase);
}

TEST(StandInExports, TheCrateExportsItsTablesAndTheSessionCountOnly) {
    const Names crate = {"qorm_sim_crate_visa", "qorm_sim_crate_kelqorm", "qorm_sim_crate_kelbase",
                         "qorm_sim_open_sessions"};
    EXPECT_EQ(exported_names(library(kCrate)), crate);
}

#ifdef _WIN32
// What a test station needs beside them: Windows' own DLLs, and the crate for the three.
TEST(StandInExports, TheDllsNeedOnlyWindowsOwnDllsAndTheCrate) {
    for (const char* dll : {kVisa, kKelqorm, kKelbase, kCrate}) {
        const test_support::PeImage image = test_support::read_pe_image(library(dll));
        ASSERT_EQ(image.error, "") << dll;
        bool crate = false;
        for (const std::string& imported : image.imports) {
            if (imported == kCrate) {
                crate = true;
                continue;
            }
            EXPECT_TRUE(test_support::is_windows_system_dll(imported))
                << dll << " imports " << imported;
        }
        EXPECT_EQ(crate, std::string(dll) != kCrate) << dll;
    }
}
#endif

}  // namespace
