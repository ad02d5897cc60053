// The program's command line for scripts and recording.
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "options.h"

namespace {

struct Parsed {
    std::optional<app::Options> options;
    int status = -1;
};

Parsed parse(std::vector<std::string> args) {
    args.insert(args.begin(), "qorm");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    Parsed p;
    p.options = app::parse_options(static_cast<int>(argv.size()), argv.data(), &p.status);
    return p;
}

TEST(ProgramOptions, AScriptRunsHeadlessEvenWithoutBeingTold) {
    Parsed p = parse({"--sim", "--script=s.qs"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->script, "s.qs");
    EXPECT_EQ(p.options->backend, app::Options::Backend::headless);
    EXPECT_TRUE(p.options->simulated);

    p = parse({"--backend=headless", "--script", "s.qs", "--record", "r.qs"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->record, "r.qs");
}

TEST(ProgramOptions, RecordingKeepsTheBackendChosen) {
    const Parsed p = parse({"--record=r.qs"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->backend, app::Options::kWindowed);
    EXPECT_EQ(p.options->record, "r.qs");
    EXPECT_TRUE(p.options->script.empty());
}

TEST(ProgramOptions, AScriptWithWindowsOrAnEmptyFileNameIsAUsageError) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{std::string("--backend=") + app::Options::kWindowedName,
                                   "--script=s.qs"},
          std::vector<std::string>{"--script="}, std::vector<std::string>{"--record="},
          std::vector<std::string>{"--script"}}) {
        const Parsed p = parse(args);
        EXPECT_FALSE(p.options) << args[0];
        EXPECT_EQ(p.status, app::kUsageError) << args[0];
    }
}

}  // namespace
