// The program's command line for scripts and recording.
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "bindings.h"
#include "bindings_setup.h"
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
    EXPECT_EQ(p.options->backend, app::Options::Backend::qt);
    EXPECT_EQ(p.options->record, "r.qs");
    EXPECT_TRUE(p.options->script.empty());
}

TEST(ProgramOptions, AScriptPlaysInTheWindowsWhenTheyAreAskedFor) {
    Parsed p = parse({"--backend=qt", "--sim", "--script=s.qs"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->backend, app::Options::Backend::qt);
    EXPECT_EQ(p.options->step_delay, 0.3);
    p = parse({"--backend=qt", "--sim", "--script=s.qs", "--step-delay=0"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->step_delay, 0);
}

TEST(ProgramOptions, AnEmptyFileNameOrAMisplacedStepDelayIsAUsageError) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--script="}, std::vector<std::string>{"--record="},
          std::vector<std::string>{"--script"},
          std::vector<std::string>{"--script=s.qs", "--step-delay=1"},
          std::vector<std::string>{"--backend=qt", "--step-delay=1"},
          std::vector<std::string>{"--backend=qt", "--script=s.qs", "--step-delay=-1"},
          std::vector<std::string>{"--backend=qt", "--script=s.qs", "--step-delay=soon"}}) {
        const Parsed p = parse(args);
        EXPECT_FALSE(p.options) << args[0];
        EXPECT_EQ(p.status, app::kUsageError) << args[0];
    }
}

}  // namespace

namespace {

// The clock follows the bindings: what --clock may ask for depends on what was bound.
class ClockChoice : public ::testing::Test {
  protected:
    void TearDown() override {
        platform::bind_visa(nullptr);
        platform::bind_kelqorm(nullptr);
        platform::bind_kelbase(nullptr);
    }
    std::optional<app::RunClock> choose(std::vector<std::string> args, std::string* why) {
        const Parsed p = parse(std::move(args));
        EXPECT_TRUE(p.options);
        if (!p.options) return std::nullopt;
        std::string bind_error;
        EXPECT_TRUE(app::bind_libraries(*p.options, &bind_error)) << bind_error;
        return app::choose_clock(*p.options, why);
    }
};

TEST_F(ClockChoice, TheSimulatedCrateRunsOnTheVirtualClockUnlessToldOtherwise) {
    std::string why;
    EXPECT_EQ(choose({"--sim", "--backend=headless"}, &why), app::RunClock::virtual_time);
    EXPECT_EQ(choose({"--sim", "--script=s.qs", "--clock=real"}, &why), app::RunClock::steady);
    EXPECT_EQ(choose({"--sim", "--script=s.qs", "--clock=virtual"}, &why),
              app::RunClock::virtual_time);
    EXPECT_EQ(choose({"--sim"}, &why), app::RunClock::steady) << "the windows run on real time";
}

TEST_F(ClockChoice, TheSystemLibrariesRunOnRealSecondsAndRefuseTheVirtualClock) {
    std::string why;
    EXPECT_EQ(choose({"--backend=headless"}, &why), app::RunClock::steady);
    EXPECT_EQ(choose({"--backend=headless", "--clock=virtual"}, &why), std::nullopt);
    EXPECT_THAT(why, ::testing::HasSubstr("--clock=virtual"));
    EXPECT_THAT(why, ::testing::HasSubstr("--sim"));
}

TEST_F(ClockChoice, TheWindowsRefuseTheVirtualClock) {
    std::string why;
    EXPECT_EQ(choose({"--sim", "--clock=virtual"}, &why), std::nullopt);
    EXPECT_THAT(why, ::testing::HasSubstr("--backend=headless"));
}

TEST(ProgramOptions, AnUnknownClockIsAUsageError) {
    const Parsed p = parse({"--sim", "--clock=wall"});
    EXPECT_FALSE(p.options);
    EXPECT_EQ(p.status, app::kUsageError);
}

}  // namespace
