#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "sim/module.h"
#include "sim_fixture.h"

namespace {

using Lines = std::array<ViInt16, 30>;
using sim_test::SimTest;

Lines lines_with(std::initializer_list<std::pair<int, ViInt16>> set) {
    Lines l{};
    for (auto [channel, line] : set) l[static_cast<std::size_t>(channel - 1)] = line;
    return l;
}

class ModuleTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        vi = open_module();
    }
    double time_of(int channel) {
        double t = -1;
        EXPECT_EQ(kelqorm.cmd_time_q(vi, static_cast<ViInt16>(channel), &t), VI_SUCCESS);
        return t;
    }
    ViSession vi = 0;
};

TEST_F(ModuleTest, OpeningCountsSessionsFromOne) {
    EXPECT_EQ(vi, 1u);
    EXPECT_EQ(open_module(), 2u);
}

TEST_F(ModuleTest, ConnectFailures) {
    ViSession carrier = 0, m = 0;
    ASSERT_EQ(kelbase.init(const_cast<char*>("VXI0::8::INSTR"), 1, 1, &carrier), VI_SUCCESS);
    ASSERT_EQ(kelqorm.init(const_cast<char*>("VXI0::8::INSTR"), 1, 1, &m), VI_SUCCESS);
    EXPECT_EQ(kelqorm.connect(m, carrier, 1, 1, 1), sim::kErrorNoModule) << "position 1 is empty";
    EXPECT_EQ(kelqorm.connect(m, carrier, 0, 1, 1), sim::error_parameter(3));
    EXPECT_EQ(kelqorm.connect(m, carrier, 5, 1, 1), sim::error_parameter(3));
    EXPECT_EQ(kelqorm.connect(m, 0, 2, 1, 1), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.connect(m, 4711, 2, 1, 1), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.connect(999, carrier, 2, 1, 1), VI_ERROR_INV_OBJECT);
    ViInt16 flag = 0;
    EXPECT_EQ(kelqorm.gstart_q(m, &flag), sim::kErrorNotConnected);
    EXPECT_EQ(kelqorm.connect(m, carrier, 2, 1, 1), VI_SUCCESS);
    EXPECT_EQ(kelqorm.gstart_q(m, &flag), VI_SUCCESS);
}

TEST_F(ModuleTest, ConnectRefusesACarrierSessionOnAnotherCarrier) {
    install_file("several-carriers.yaml");
    ViSession other = 0, m = 0;
    ASSERT_EQ(kelbase.init(const_cast<char*>("VXI0::16::INSTR"), 1, 1, &other), VI_SUCCESS);
    ASSERT_EQ(kelqorm.init(const_cast<char*>("VXI0::8::INSTR"), 1, 1, &m), VI_SUCCESS);
    EXPECT_EQ(kelqorm.connect(m, other, 2, 1, 1), sim::kErrorCarrierMismatch);
}

TEST_F(ModuleTest, InitFailures) {
    ViSession m = 55;
    EXPECT_EQ(kelqorm.init(const_cast<char*>("VXI0::9::INSTR"), 1, 1, &m), VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(m, 0u);
    EXPECT_EQ(kelqorm.init(const_cast<char*>("::"), 1, 1, &m), VI_ERROR_INV_RSRC_NAME);
    EXPECT_EQ(kelqorm.init(nullptr, 1, 1, &m), VI_ERROR_INV_RSRC_NAME);
    EXPECT_EQ(kelqorm.init(const_cast<char*>("VXI0::8::INSTR"), 1, 1, nullptr),
              sim::error_parameter(4));
    EXPECT_EQ(kelqorm.init(const_cast<char*>("VXI0::0::INSTR"), 1, 1, &m), sim::kErrorFailIdQuery);
    install_file("busy-carrier.yaml");
    EXPECT_EQ(kelqorm.init(const_cast<char*>("VXI0::8::INSTR"), 1, 1, &m), VI_ERROR_RSRC_BUSY);
}

TEST_F(ModuleTest, TheSessionsOpenNowCanBeAskedFor) {
    const ViSession second = open_module();
    EXPECT_EQ(sim::open_module_sessions(), (std::vector<ViSession>{vi, second}));
    ASSERT_EQ(kelqorm.close(vi), VI_SUCCESS);
    EXPECT_EQ(sim::open_module_sessions(), std::vector<ViSession>{second});
    EXPECT_EQ(sim::open_visa_objects().size(), 2u)
        << "the carrier sessions stay open when their module sessions close";
}

TEST_F(ModuleTest, ClosedSessionIsUnknown) {
    EXPECT_EQ(kelqorm.close(vi), VI_SUCCESS);
    ViInt16 flag = 0;
    EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(kelqorm.close(vi), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(kelqorm.close(0), VI_ERROR_INV_OBJECT);
}

TEST_F(ModuleTest, ManualSwitchingSetsStateAndLatch) {
    ASSERT_EQ(kelqorm.manual_cmd(vi, 3, 2, 1), VI_SUCCESS);
    EXPECT_EQ(states(vi)[2], 2);
    EXPECT_EQ(latches(vi)[2], 2);
    ASSERT_EQ(kelqorm.manual_cmd(vi, 3, 1, 1), VI_SUCCESS) << "straight over to line 1";
    EXPECT_EQ(states(vi)[2], 1);
    EXPECT_EQ(latches(vi)[2], 3);
    ASSERT_EQ(kelqorm.manual_cmd(vi, 3, 0, 0), VI_SUCCESS);
    EXPECT_EQ(states(vi)[2], 0);
    EXPECT_EQ(latches(vi)[2], 3) << "latches stay until cleared";
    EXPECT_EQ(running(vi), 0) << "manual switching is no sequence";

    ASSERT_EQ(kelqorm.manual_cmd(vi, 4, 2, 1), VI_SUCCESS);
    ASSERT_EQ(kelqorm.manual_cmd(vi, 4, 1, 0), VI_SUCCESS) << "off releases whatever the line";
    EXPECT_EQ(states(vi)[3], 0);
    ASSERT_EQ(kelqorm.manual_cmd(vi, 5, 0, 1), VI_SUCCESS) << "on without a line releases";
    EXPECT_EQ(states(vi)[4], 0);
    EXPECT_EQ(latches(vi)[4], 0);
}

TEST_F(ModuleTest, LatchClearingPerChannelAndAll) {
    ASSERT_EQ(kelqorm.manual_cmd(vi, 1, 1, 1), VI_SUCCESS);
    ASSERT_EQ(kelqorm.manual_cmd(vi, 7, 2, 1), VI_SUCCESS);
    ASSERT_EQ(kelqorm.manual_cmd(vi, 30, 1, 1), VI_SUCCESS);
    ASSERT_EQ(kelqorm.reset_trig(vi, 7), VI_SUCCESS);
    auto l = latches(vi);
    EXPECT_EQ(l[0], 1);
    EXPECT_EQ(l[6], 0);
    EXPECT_EQ(l[29], 1);
    EXPECT_EQ(states(vi)[6], 2) << "clearing a latch does not switch the channel";
    ASSERT_EQ(kelqorm.reset_trig(vi, 0), VI_SUCCESS);
    EXPECT_EQ(latches(vi), Lines{});
    EXPECT_EQ(kelqorm.reset_trig(vi, 31), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.reset_trig(vi, -1), sim::error_parameter(2));
}

TEST_F(ModuleTest, GroupCommandsAffectOnlyChannelsWithALine) {
    ASSERT_EQ(kelqorm.manual_cmd(vi, 10, 1, 1), VI_SUCCESS);
    Lines group = lines_with({{1, 1}, {2, 2}, {3, 2}});
    ASSERT_EQ(kelqorm.manual_group_cmd(vi, 1, group.data()), VI_SUCCESS);
    auto s = states(vi);
    EXPECT_EQ(s[0], 1);
    EXPECT_EQ(s[1], 2);
    EXPECT_EQ(s[2], 2);
    EXPECT_EQ(s[9], 1) << "code 0 leaves a channel as it is";
    EXPECT_EQ(latches(vi)[1], 2);

    Lines off = lines_with({{1, 2}, {2, 1}});
    ASSERT_EQ(kelqorm.manual_group_cmd(vi, 0, off.data()), VI_SUCCESS);
    s = states(vi);
    EXPECT_EQ(s[0], 0) << "off releases the channel whatever its code";
    EXPECT_EQ(s[1], 0);
    EXPECT_EQ(s[2], 2) << "not in the off command";
    EXPECT_EQ(s[9], 1);
}

TEST_F(ModuleTest, GroupCommandWithABadCodeChangesNothing) {
    Lines group = lines_with({{1, 1}, {30, 3}});
    EXPECT_EQ(kelqorm.manual_group_cmd(vi, 1, group.data()), sim::error_parameter(3));
    EXPECT_EQ(states(vi), Lines{});
    EXPECT_EQ(kelqorm.manual_group_cmd(vi, 2, group.data()), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.manual_group_cmd(vi, 1, nullptr), sim::error_parameter(3));
}

TEST_F(ModuleTest, TimedSequenceRunsOnTheClock) {
    ASSERT_EQ(kelqorm.config_trigger(vi, 1), VI_SUCCESS);
    ASSERT_EQ(kelqorm.cmd_config(vi, 1, 1, 0.5), VI_SUCCESS);
    ASSERT_EQ(kelqorm.cmd_config(vi, 2, 2, 1.0), VI_SUCCESS);
    Lines run = lines_with({{1, 1}, {2, 2}});
    ASSERT_EQ(kelqorm.start(vi, run.data()), VI_SUCCESS);

    EXPECT_EQ(running(vi), 1);
    auto s = states(vi);
    EXPECT_EQ(s[0], 1);
    EXPECT_EQ(s[1], 2);
    EXPECT_EQ(s[2], 0);
    auto l = latches(vi);
    EXPECT_EQ(l[0], 1);
    EXPECT_EQ(l[1], 2);

    clock_ = 100.25;
    EXPECT_EQ(states(vi)[0], 1);
    clock_ = 100.5;
    s = states(vi);
    EXPECT_EQ(s[0], 0) << "channel 1's time is over";
    EXPECT_EQ(s[1], 2);
    EXPECT_EQ(running(vi), 1);

    clock_ = 101.0;
    EXPECT_EQ(states(vi)[1], 0);
    EXPECT_EQ(running(vi), 0);
    l = latches(vi);
    EXPECT_EQ(l[0], 1) << "the latches keep what happened";
    EXPECT_EQ(l[1], 2);
}

TEST_F(ModuleTest, RunFlagIsWorkedOutLazilyAfterALongWait) {
    ASSERT_EQ(kelqorm.cmd_config(vi, 5, 2, 0.1), VI_SUCCESS);
    Lines run = lines_with({{5, 2}});
    ASSERT_EQ(kelqorm.start(vi, run.data()), VI_SUCCESS);
    clock_ += 3600;
    EXPECT_EQ(running(vi), 0);
    EXPECT_EQ(states(vi)[4], 0);
    EXPECT_EQ(latches(vi)[4], 2);
}

TEST_F(ModuleTest, StopEndsTheSequenceButNotManualChannels) {
    ASSERT_EQ(kelqorm.manual_cmd(vi, 20, 1, 1), VI_SUCCESS);
    ASSERT_EQ(kelqorm.cmd_config(vi, 1, 1, 5.0), VI_SUCCESS);
    Lines run = lines_with({{1, 1}});
    ASSERT_EQ(kelqorm.start(vi, run.data()), VI_SUCCESS);
    clock_ += 1;
    ASSERT_EQ(kelqorm.stop(vi), VI_SUCCESS);
    EXPECT_EQ(running(vi), 0);
    auto s = states(vi);
    EXPECT_EQ(s[0], 0);
    EXPECT_EQ(s[19], 1);
    clock_ += 10;
    EXPECT_EQ(running(vi), 0) << "nothing comes back after a stop";
}

TEST_F(ModuleTest, ManualCommandTakesAChannelOutOfTheSequence) {
    ASSERT_EQ(kelqorm.set_cmd_time(vi, 0, 2.0), VI_SUCCESS);
    Lines run = lines_with({{1, 1}, {2, 1}});
    ASSERT_EQ(kelqorm.start(vi, run.data()), VI_SUCCESS);
    ASSERT_EQ(kelqorm.manual_cmd(vi, 1, 0, 0), VI_SUCCESS);
    EXPECT_EQ(states(vi)[0], 0);
    EXPECT_EQ(running(vi), 1);
    ASSERT_EQ(kelqorm.manual_cmd(vi, 2, 2, 1), VI_SUCCESS) << "channel 2 now held by hand";
    EXPECT_EQ(running(vi), 0) << "no channel of the sequence is left";
    clock_ += 5;
    EXPECT_EQ(states(vi)[1], 2) << "a channel held by hand is not released by the timer";
}

TEST_F(ModuleTest, StartWithNoChannelRunsNothing) {
    Lines none{};
    ASSERT_EQ(kelqorm.start(vi, none.data()), VI_SUCCESS);
    EXPECT_EQ(running(vi), 0);
    ASSERT_EQ(kelqorm.config_trigger(vi, 0), VI_SUCCESS);
    ASSERT_EQ(kelqorm.start(vi, none.data()), VI_SUCCESS);
    EXPECT_EQ(running(vi), 0) << "nothing to arm";
}

TEST_F(ModuleTest, StartModeZeroWaitsForTheCarriersTrigger) {
    ASSERT_EQ(kelqorm.config_trigger(vi, 0), VI_SUCCESS);
    ASSERT_EQ(kelqorm.cmd_config(vi, 3, 2, 0.25), VI_SUCCESS);
    Lines run = lines_with({{3, 2}});
    ASSERT_EQ(kelqorm.start(vi, run.data()), VI_SUCCESS);
    EXPECT_EQ(running(vi), 1) << "armed counts as running";
    EXPECT_EQ(states(vi)[2], 0);
    EXPECT_EQ(latches(vi)[2], 0);

    clock_ += sim::kDefaultTriggerDelay;
    EXPECT_EQ(states(vi)[2], 2) << "the trigger came";
    EXPECT_EQ(latches(vi)[2], 2);
    clock_ += 0.25;
    EXPECT_EQ(states(vi)[2], 0);
    EXPECT_EQ(running(vi), 0);
}

TEST_F(ModuleTest, TriggerThatCameDuringALongWaitStillRunsItsTimeFromTheTrigger) {
    ASSERT_EQ(kelqorm.config_trigger(vi, 0), VI_SUCCESS);
    ASSERT_EQ(kelqorm.cmd_config(vi, 1, 1, 1.0), VI_SUCCESS);
    Lines run = lines_with({{1, 1}});
    ASSERT_EQ(kelqorm.start(vi, run.data()), VI_SUCCESS);
    clock_ = 100 + sim::kDefaultTriggerDelay + 0.75;
    EXPECT_EQ(states(vi)[0], 1);
    clock_ = 100 + sim::kDefaultTriggerDelay + 1.0;
    EXPECT_EQ(states(vi)[0], 0);
}

TEST_F(ModuleTest, LatchesClearedAfterAnUnobservedTriggerStayCleared) {
    ASSERT_EQ(kelqorm.config_trigger(vi, 0), VI_SUCCESS);
    ASSERT_EQ(kelqorm.cmd_config(vi, 1, 1, 0.25), VI_SUCCESS);
    Lines run = lines_with({{1, 1}});
    ASSERT_EQ(kelqorm.start(vi, run.data()), VI_SUCCESS);
    clock_ = 102;  // the trigger came at 100.5 and the channel was released at 100.75
    ASSERT_EQ(kelqorm.reset_trig(vi, 0), VI_SUCCESS);
    EXPECT_EQ(latches(vi)[0], 0) << "the trigger happened before the clearing";
    EXPECT_EQ(running(vi), 0);
}

TEST_F(ModuleTest, ArmedSequenceCanBeStoppedAndNeverFires) {
    ASSERT_EQ(kelqorm.config_trigger(vi, 0), VI_SUCCESS);
    Lines run = lines_with({{1, 1}});
    ASSERT_EQ(kelqorm.start(vi, run.data()), VI_SUCCESS);
    ASSERT_EQ(kelqorm.stop(vi), VI_SUCCESS);
    clock_ += 10;
    EXPECT_EQ(states(vi)[0], 0);
    EXPECT_EQ(latches(vi)[0], 0);
}

TEST_F(ModuleTest, CarrierWithoutTriggerStaysArmed) {
    install_file("several-carriers.yaml");
    vi = open_module("VXI0::16::INSTR", 1);
    ASSERT_EQ(kelqorm.config_trigger(vi, 0), VI_SUCCESS);
    Lines run = lines_with({{1, 1}});
    ASSERT_EQ(kelqorm.start(vi, run.data()), VI_SUCCESS);
    clock_ += 1e6;
    EXPECT_EQ(running(vi), 1);
    EXPECT_EQ(states(vi)[0], 0);
}

TEST_F(ModuleTest, FineStepQuantizationAndRange) {
    ASSERT_EQ(kelqorm.cmd_config(vi, 1, 1, 0.012), VI_SUCCESS);
    EXPECT_NEAR(time_of(1), 0.010, 1e-12);
    ASSERT_EQ(kelqorm.cmd_config(vi, 1, 1, 0.013), VI_SUCCESS);
    EXPECT_NEAR(time_of(1), 0.015, 1e-12);
    ASSERT_EQ(kelqorm.cmd_config(vi, 2, 1, 0.005), VI_SUCCESS);
    EXPECT_NEAR(time_of(2), 0.005, 1e-12);
    ASSERT_EQ(kelqorm.cmd_config(vi, 3, 1, static_cast<double>(0.005f)), VI_SUCCESS)
        << "a single-precision panel value just below the minimum";
    ASSERT_EQ(kelqorm.cmd_config(vi, 4, 1, 10.235), VI_SUCCESS);
    EXPECT_NEAR(time_of(4), 10.235, 1e-9);
    ASSERT_EQ(kelqorm.cmd_config(vi, 5, 1, static_cast<double>(10.235f)), VI_SUCCESS);

    EXPECT_EQ(kelqorm.cmd_config(vi, 6, 1, 0.004), sim::kErrorTimeRange);
    EXPECT_EQ(kelqorm.cmd_config(vi, 6, 1, 10.24), sim::kErrorTimeRange);
    EXPECT_EQ(kelqorm.cmd_config(vi, 6, 1, 0.0), sim::kErrorTimeRange);
    EXPECT_EQ(kelqorm.cmd_config(vi, 6, 1, -1.0), sim::kErrorTimeRange);
    EXPECT_EQ(kelqorm.cmd_config(vi, 6, 1, std::nan("")), sim::kErrorTimeRange);
    EXPECT_EQ(kelqorm.cmd_config(vi, 6, 1, std::numeric_limits<double>::infinity()),
              sim::kErrorTimeRange);
    EXPECT_NEAR(time_of(6), sim::kResetTime, 1e-12) << "a refused time changes nothing";
}

TEST_F(ModuleTest, CoarseStepQuantizationAndRange) {
    install_file("revision-2.yaml");
    vi = open_module();
    ASSERT_EQ(kelqorm.set_cmd_time(vi, 0, 0.03), VI_SUCCESS);
    for (int ch : {1, 15, 30}) EXPECT_NEAR(time_of(ch), 0.025, 1e-12) << ch;
    ASSERT_EQ(kelqorm.set_cmd_time(vi, 0, 0.04), VI_SUCCESS);
    EXPECT_NEAR(time_of(1), 0.050, 1e-12);
    ASSERT_EQ(kelqorm.set_cmd_time(vi, 0, 6.375), VI_SUCCESS);
    EXPECT_NEAR(time_of(30), 6.375, 1e-12);
    EXPECT_EQ(kelqorm.set_cmd_time(vi, 0, 0.02), sim::kErrorTimeRange);
    EXPECT_EQ(kelqorm.set_cmd_time(vi, 0, 6.4), sim::kErrorTimeRange);
    EXPECT_EQ(kelqorm.set_cmd_time(vi, 0, 7.0), sim::kErrorTimeRange)
        << "fine-step times are out of range here";
    ASSERT_EQ(kelqorm.set_cmd_time(vi, 7, 1.0), VI_SUCCESS) << "one channel only";
    EXPECT_NEAR(time_of(7), 1.0, 1e-12);
    EXPECT_NEAR(time_of(8), 6.375, 1e-12);
}

TEST_F(ModuleTest, RevisionThreeHasTheFineStep) {
    install_file("revision-3.yaml");
    vi = open_module();
    ASSERT_EQ(kelqorm.set_cmd_time(vi, 0, 10.0), VI_SUCCESS);
    EXPECT_NEAR(time_of(1), 10.0, 1e-12);
    ASSERT_EQ(kelqorm.set_cmd_time(vi, 0, 0.007), VI_SUCCESS);
    EXPECT_NEAR(time_of(1), 0.005, 1e-12);
}

TEST_F(ModuleTest, GroupTimeModeSequence) {
    ASSERT_EQ(kelqorm.set_cmd_time(vi, 0, 0.2), VI_SUCCESS);
    for (ViInt16 ch = 1; ch <= 30; ++ch) {
        ASSERT_EQ(kelqorm.set_line(vi, ch, ch % 3), VI_SUCCESS);
    }
    Lines run{};
    for (int i = 0; i < 30; ++i)
        run[static_cast<std::size_t>(i)] = static_cast<ViInt16>((i + 1) % 3);
    ASSERT_EQ(kelqorm.start(vi, run.data()), VI_SUCCESS);
    EXPECT_EQ(states(vi), run);
    clock_ += 0.2;
    EXPECT_EQ(states(vi), Lines{});
    EXPECT_EQ(running(vi), 0);
}

TEST_F(ModuleTest, ResetClearsEverything) {
    ASSERT_EQ(kelqorm.manual_cmd(vi, 2, 1, 1), VI_SUCCESS);
    ASSERT_EQ(kelqorm.config_trigger(vi, 0), VI_SUCCESS);
    ASSERT_EQ(kelqorm.cmd_config(vi, 1, 2, 3.0), VI_SUCCESS);
    Lines run = lines_with({{1, 2}});
    ASSERT_EQ(kelqorm.start(vi, run.data()), VI_SUCCESS);
    ASSERT_EQ(kelqorm.reset(vi), VI_SUCCESS);
    EXPECT_EQ(running(vi), 0);
    EXPECT_EQ(states(vi), Lines{});
    EXPECT_EQ(latches(vi), Lines{});
    EXPECT_NEAR(time_of(1), sim::kResetTime, 1e-12);
    clock_ += 10;
    EXPECT_EQ(states(vi)[0], 0) << "the armed sequence is gone";
    ASSERT_EQ(kelqorm.start(vi, run.data()), VI_SUCCESS);
    EXPECT_EQ(states(vi)[0], 2) << "start mode is back to the software start";
}

TEST_F(ModuleTest, ModuleKeepsItsStateAcrossSessions) {
    ASSERT_EQ(kelqorm.manual_cmd(vi, 9, 2, 1), VI_SUCCESS);
    ASSERT_EQ(kelqorm.close(vi), VI_SUCCESS);
    ViSession carrier = 0, again = 0;
    ASSERT_EQ(kelbase.init(const_cast<char*>("VXI0::8::INSTR"), 1, 1, &carrier), VI_SUCCESS);
    ASSERT_EQ(kelqorm.init(const_cast<char*>("VXI0::8::INSTR"), 1, 0, &again), VI_SUCCESS);
    ASSERT_EQ(kelqorm.connect(again, carrier, 2, 1, 0), VI_SUCCESS);
    EXPECT_EQ(states(again)[8], 2) << "connected without reset";
    ASSERT_EQ(kelqorm.connect(again, carrier, 2, 1, 1), VI_SUCCESS);
    EXPECT_EQ(states(again)[8], 0) << "connected with reset";
}

TEST_F(ModuleTest, ClockRunningBackwardsIsTakenAsStandingStill) {
    ASSERT_EQ(kelqorm.cmd_config(vi, 1, 1, 1.0), VI_SUCCESS);
    Lines run = lines_with({{1, 1}});
    ASSERT_EQ(kelqorm.start(vi, run.data()), VI_SUCCESS);
    clock_ = 50;
    EXPECT_EQ(states(vi)[0], 1);
    clock_ = 101;
    EXPECT_EQ(states(vi)[0], 0);
}

TEST_F(ModuleTest, ArgumentChecks) {
    double t = 0;
    ViInt16 flag = 0;
    EXPECT_EQ(kelqorm.manual_cmd(vi, 0, 1, 1), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.manual_cmd(vi, 31, 1, 1), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.manual_cmd(vi, 1, 3, 1), sim::error_parameter(3));
    EXPECT_EQ(kelqorm.manual_cmd(vi, 1, 1, 2), sim::error_parameter(4));
    EXPECT_EQ(kelqorm.manual_cmd(vi, 1, 1, -1), sim::error_parameter(4));
    EXPECT_EQ(kelqorm.cmd_config(vi, 0, 1, 1.0), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.cmd_config(vi, 1, 7, 1.0), sim::error_parameter(3));
    EXPECT_EQ(kelqorm.set_cmd_time(vi, 31, 1.0), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.cmd_time_q(vi, 0, &t), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.cmd_time_q(vi, 1, nullptr), sim::error_parameter(3));
    EXPECT_EQ(kelqorm.config_trigger(vi, 2), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.set_line(vi, 31, 1), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.set_line(vi, 1, 3), sim::error_parameter(3));
    EXPECT_EQ(kelqorm.start(vi, nullptr), sim::error_parameter(2));
    Lines bad = lines_with({{30, -1}});
    EXPECT_EQ(kelqorm.start(vi, bad.data()), sim::error_parameter(2));
    EXPECT_EQ(running(vi), 0);
    EXPECT_EQ(kelqorm.gstart_q(vi, nullptr), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.state(vi, nullptr), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.trig_state(vi, nullptr), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.stop(77), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(kelqorm.gstart_q(0, &flag), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(states(vi), Lines{}) << "no refused command changed a channel";
}

TEST_F(ModuleTest, ReadBackWritesExactlyThirtyValues) {
    std::array<ViInt16, 32> buffer;
    buffer.fill(0x7777);
    ASSERT_EQ(kelqorm.state(vi, buffer.data()), VI_SUCCESS);
    EXPECT_EQ(buffer[29], 0);
    EXPECT_EQ(buffer[30], 0x7777);
    buffer.fill(0x7777);
    ASSERT_EQ(kelqorm.trig_state(vi, buffer.data()), VI_SUCCESS);
    EXPECT_EQ(buffer[30], 0x7777);
}

}  // namespace

namespace {

TEST_F(ModuleTest, ReadBackWordsReplaceTheModelsAnswers) {
    sim::Mezzanine* m = sim::fitted("", 0);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m, sim::fitted("vxi0::8::instr", 2)) << "the module of the open session";
    ASSERT_EQ(kelqorm.manual_cmd(vi, 1, 2, 1), VI_SUCCESS);
    m->readback.states[29] = 0x7FFF;
    m->readback.states[1] = -1;
    m->readback.latches[0] = static_cast<ViInt16>(0x8001);
    m->readback.run_flag = 7;
    m->readback.times[3] = 1e300;
    auto s = states(vi);
    EXPECT_EQ(s[0], 2) << "a channel without a word follows the model";
    EXPECT_EQ(s[1], -1);
    EXPECT_EQ(s[29], 0x7FFF);
    EXPECT_EQ(latches(vi)[0], static_cast<ViInt16>(0x8001));
    EXPECT_EQ(latches(vi)[1], 0);
    EXPECT_EQ(running(vi), 7);
    EXPECT_EQ(time_of(4), 1e300);
    EXPECT_DOUBLE_EQ(time_of(5), sim::kResetTime);
    // A reset clears the latches, the latch words with them; the other words are the hardware's.
    ASSERT_EQ(kelqorm.reset(vi), VI_SUCCESS);
    EXPECT_EQ(states(vi)[29], 0x7FFF);
    EXPECT_EQ(latches(vi)[0], 0);
    m->readback.latches[5] = 3;
    m->readback.latches[6] = 3;
    ASSERT_EQ(kelqorm.reset_trig(vi, 6), VI_SUCCESS);
    EXPECT_EQ(latches(vi)[5], 0);
    EXPECT_EQ(latches(vi)[6], 3) << "only the channel cleared";
    m->readback = {};
    EXPECT_EQ(states(vi)[29], 0);
    EXPECT_EQ(running(vi), 0);
}

TEST_F(ModuleTest, AnotherRevisionFittedChangesTheTimeStep) {
    sim::Mezzanine* m = sim::fitted("VXI0::8::INSTR", 2);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(kelqorm.cmd_config(vi, 1, 1, 10.0), VI_SUCCESS);
    m->hardware_revision = "2.4";
    EXPECT_EQ(kelqorm.cmd_config(vi, 1, 1, 10.0), sim::kErrorTimeRange) << "past 6.375";
    EXPECT_EQ(kelqorm.cmd_config(vi, 1, 1, 0.51), VI_SUCCESS);
    EXPECT_DOUBLE_EQ(time_of(1), 0.5) << "the coarse step";
    char driver[KELQORM_REVISION_LEN], hardware[KELQORM_REVISION_LEN];
    ASSERT_EQ(kelqorm.revision_query(vi, driver, hardware), VI_SUCCESS);
    EXPECT_STREQ(hardware, "2.4");
    EXPECT_EQ(sim::fitted("VXI0::8::INSTR", 1), nullptr) << "nothing fitted there";
    EXPECT_EQ(sim::fitted("VXI0::99::INSTR", 2), nullptr);
}

TEST_F(ModuleTest, SessionsCountFromTheCratesFirstNumber) {
    sim::Crate crate = sim::default_crate();
    crate.first_module_session = 5;
    sim::install(crate);
    EXPECT_EQ(open_module(), 5u);
    EXPECT_EQ(open_module(), 6u);
    sim::install(crate);
    EXPECT_EQ(open_module(), 5u) << "a fresh crate counts afresh";
}

}  // namespace
