// Each stand-in exports exactly the operations of its library's declaration list, and the crate
// they share exports only what the stand-ins and the hosts that count sessions look up.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dynamic_symbols.h"
#include "kelbase.h"
#include "kelqorm.h"
#include "visa.h"

namespace {

using test_support::defined_dynamic_symbols;

std::string library(const char* name) {
    return std::string(STANDIN_DIR) + "/" + name;
}

#define QORM_LISTED_NAME(ret, name, field, ...) #name,

TEST(StandInExports, EachLibraryExportsExactlyItsDeclarationList) {
    const std::set<std::string> visa = {QORM_VISA_OPERATIONS(QORM_LISTED_NAME)};
    const std::set<std::string> kelqorm = {QORM_KELQORM_OPERATIONS(QORM_LISTED_NAME)};
    const std::set<std::string> kelbase = {QORM_KELBASE_OPERATIONS(QORM_LISTED_NAME)};
    EXPECT_EQ(defined_dynamic_symbols(library("libvisa.so")), visa);
    EXPECT_EQ(defined_dynamic_symbols(library("libkelqorm.so")), kelqorm);
    EXPECT_EQ(defined_dynamic_symbols(library("libkelbase.so")), kelbase);
}

TEST(StandInExports, TheCrateExportsItsTablesAndTheSessionCountOnly) {
    const std::set<std::string> crate = {"qorm_sim_crate_visa", "qorm_sim_crate_kelqorm",
                                         "qorm_sim_crate_kelbase", "qorm_sim_open_sessions"};
    EXPECT_EQ(defined_dynamic_symbols(library("libqorm_sim_crate.so")), crate);
}

}  // namespace
