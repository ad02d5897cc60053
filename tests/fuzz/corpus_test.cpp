// Every input the fuzzers keep in the repository (each one that ever failed among them) and every
// seed they start from, replayed through its harness in the ordinary and the sanitizer builds. A
// finding stops the test program, so a regression fails here before anyone fuzzes again.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "harnesses.h"

namespace {

namespace fs = std::filesystem;
using Harness = int (*)(const uint8_t*, std::size_t);

// Runs every file of the folders through the harness; returns how many there were.
int replay(Harness harness, const std::vector<std::string>& folders) {
    int inputs = 0;
    for (const std::string& folder : folders) {
        const fs::path path = fs::path(QORM_SOURCE_DIR) / folder;
        EXPECT_TRUE(fs::is_directory(path)) << path;
        if (!fs::is_directory(path)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(path)) {
            if (!entry.is_regular_file()) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            const std::string input = bytes.str();
            SCOPED_TRACE(entry.path().string());
            EXPECT_EQ(harness(reinterpret_cast<const uint8_t*>(input.data()), input.size()), 0);
            ++inputs;
        }
    }
    return inputs;
}

TEST(FuzzCorpus, CrateFilesAndDiscovery) {
    EXPECT_GE(replay(fuzz::crate_file, {"tests/fuzz/corpus/crate_file", "sim/crates"}), 15);
}

TEST(FuzzCorpus, Scripts) {
    EXPECT_GE(replay(fuzz::script, {"tests/fuzz/corpus/script", "tests/scenarios", "tests/host"}),
              25);
}

TEST(FuzzCorpus, SearchExpressionsAndResourceNames) {
    EXPECT_GE(replay(fuzz::search_expression, {"tests/fuzz/corpus/search_expr"}), 5);
}

TEST(FuzzCorpus, FaultCommands) {
    EXPECT_GE(replay(fuzz::fault_commands, {"tests/fuzz/corpus/fault_command", "tests/scenarios"}),
              25);
}

}  // namespace
