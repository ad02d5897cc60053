// Timed sequence run: programming the module per channel or with one common time, starting and
// stopping, and the times the module reports back.
#include <cmath>
#include <limits>
#include <string>

#include "channel_test.h"

namespace qorm_test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr ViStatus kWarning = static_cast<ViStatus>(0x3FFC0900);
const std::vector<std::string> kPoll = {"kelqorm_gstart_q(5)", "kelqorm_state(5)",
                                        "kelqorm_trig_state(5)"};

class SequenceTest : public ChannelTest {
  protected:
    void SetUp() override {
        ChannelTest::SetUp();
        sim::driver().error_texts[VI_ERROR_TMO] = "Превышено время ожидания";
        sim::driver().error_texts[kWarning] = "Время округлено";
        choose_timed_switching();
        fake::clear_log();
    }
    void select(int channel, int line, double time) {
        ASSERT_EQ(set(mp_, mpLineCtrls[channel - 1], line), 0);
        ASSERT_EQ(set(mp_, mpTimeCtrls[channel - 1], time), 0);
    }
    // The operator presses "Старт" (or "Стоп"); returns the virtual time it took.
    double press_start() {
        const double before = uir::headless::now();
        EXPECT_EQ(press(mp_, MP_START), 0);
        return uir::headless::now() - before;
    }
    static std::vector<std::string> with_poll(std::vector<std::string> calls) {
        calls.insert(calls.end(), kPoll.begin(), kPoll.end());
        return calls;
    }
};

TEST_F(SequenceTest, NoChannelSelectedSendsOnlyTheStartModeAndTheStart) {
    EXPECT_DOUBLE_EQ(press_start(), 0.05);
    EXPECT_THAT(
        fake::calls(),
        ElementsAreArray(with_poll({"kelqorm_config_trigger(5, 1)", "kelqorm_start(5, [0*30])"})));
}

TEST_F(SequenceTest, StartModeIsPassedAsItStands) {
    ASSERT_EQ(press(mp_, MP_START_MODE), 0);  // "От носителя"
    press_start();
    EXPECT_EQ(fake::calls().front(), "kelqorm_config_trigger(5, 0)");
}

TEST_F(SequenceTest, EachSelectedChannelIsConfiguredAndShowsTheTimeInUse) {
    select(3, 1, 0.5);
    select(4, 2, 1.2);
    select(30, 1, 10.2);
    readback().times[2] = 0.505;
    readback().times[29] = 10.235;
    fake::clear_log();
    press_start();
    EXPECT_THAT(fake::calls(),
                ElementsAreArray(with_poll(
                    {"kelqorm_config_trigger(5, 1)", "kelqorm_cmd_config(5, 3, 1, 0.5)",
                     "kelqorm_cmd_time_q(5, 3)", "kelqorm_cmd_config(5, 4, 2, 1.2)",
                     "kelqorm_cmd_time_q(5, 4)", "kelqorm_cmd_config(5, 30, 1, 10.2)",
                     "kelqorm_cmd_time_q(5, 30)", "kelqorm_start(5, [0 0 1 2 0*25 1])"})));
    EXPECT_FLOAT_EQ(float_value(mp_, MP_T_3), 0.505f);
    EXPECT_FLOAT_EQ(float_value(mp_, MP_T_4), 1.2f);
    EXPECT_FLOAT_EQ(float_value(mp_, MP_T_30), 10.235f);
    EXPECT_FLOAT_EQ(record_.channel_times[2], 0.505f);
    EXPECT_FLOAT_EQ(record_.channel_times[29], 10.235f);
    EXPECT_FLOAT_EQ(float_value(mp_, MP_T_5), 0.05f) << "unselected channels keep their time";
}

TEST_F(SequenceTest, FailedTimeQueryKeepsTheTimeAskedFor) {
    select(2, 1, 0.75);
    fake::fail("kelqorm_cmd_time_q", VI_ERROR_TMO);
    press_start();
    EXPECT_FLOAT_EQ(float_value(mp_, MP_T_2), 0.75f);
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "") << "the time query's status is not looked at";
    EXPECT_EQ(fake::count("kelqorm_start"), 1);
}

TEST_F(SequenceTest, ReportedTimeNoControlCanHoldKeepsTheTimeAskedFor) {
    select(1, 1, 0.5);
    select(2, 2, 0.25);
    select(3, 1, 1.5);
    readback().times[0] = std::numeric_limits<double>::quiet_NaN();
    readback().times[1] = 1e300;
    readback().times[2] = -std::numeric_limits<double>::infinity();
    press_start();
    EXPECT_FLOAT_EQ(float_value(mp_, MP_T_1), 0.5f);
    EXPECT_FLOAT_EQ(float_value(mp_, MP_T_2), 0.25f);
    EXPECT_FLOAT_EQ(float_value(mp_, MP_T_3), 1.5f);
    EXPECT_FALSE(std::isnan(record_.channel_times[0]));
}

TEST_F(SequenceTest, GroupTimeProgramsEveryChannelLine) {
    reload_with_revision("2.4");
    choose_timed_switching();
    ASSERT_EQ(set(mp_, MP_GT, 1.0), 0);
    ASSERT_EQ(set(mp_, MP_L_1, 1), 0);
    ASSERT_EQ(set(mp_, MP_L_2, 2), 0);
    readback().times[0] = 0.975;
    fake::clear_log();
    EXPECT_DOUBLE_EQ(press_start(), 0.05);

    std::vector<std::string> expected = {
        "kelqorm_config_trigger(5, 1)", "kelqorm_set_cmd_time(5, 0, 1)", "kelqorm_cmd_time_q(5, 1)",
        "kelqorm_set_line(5, 1, 1)", "kelqorm_set_line(5, 2, 2)"};
    for (int channel = 3; channel <= QORM_CHANNELS; ++channel)
        expected.push_back("kelqorm_set_line(5, " + std::to_string(channel) + ", 0)");
    expected.push_back("kelqorm_start(5, [1 2 0*28])");
    EXPECT_THAT(fake::calls(), ElementsAreArray(with_poll(expected)));
    EXPECT_FLOAT_EQ(float_value(mp_, MP_GT), 0.975f);
    for (float time : record_.channel_times) EXPECT_FLOAT_EQ(time, 0.975f);
    EXPECT_EQ(fake::count("kelqorm_cmd_config"), 0);
}

TEST_F(SequenceTest, StopSendsOnlyTheStopThenWaitsAndRefreshes) {
    SetCtrlVal(mp_, MP_START, 1);  // a sequence runs
    SetCtrlVal(mp_, MP_T_6, 2.5f);
    readback().run_flag = 0;
    fake::clear_log();
    EXPECT_DOUBLE_EQ(press_start(), 0.05);
    EXPECT_THAT(fake::calls(), ElementsAreArray(with_poll({"kelqorm_stop(5)"})));
    EXPECT_EQ(int_value(mp_, MP_START), 0);
    EXPECT_FLOAT_EQ(record_.channel_times[5], 2.5f) << "the panel was read first";
}

TEST_F(SequenceTest, FailedStopStillRefreshesTheRunFlag) {
    SetCtrlVal(mp_, MP_START, 1);
    readback().run_flag = 1;
    fake::fail("kelqorm_stop", VI_ERROR_TMO);
    press_start();
    EXPECT_EQ(int_value(mp_, MP_START), 1) << "the module still runs";
    EXPECT_EQ(fake::count("kelqorm_gstart_q"), 1);
}

struct FailingStep {
    const char* op;
    bool group_time;
    std::vector<std::string> calls;  // what is sent, the failing call last
};

TEST_F(SequenceTest, ErrorAtAnyStepEndsTheStartWithoutWaitOrRefresh) {
    const FailingStep steps[] = {
        {"kelqorm_config_trigger", false, {"kelqorm_config_trigger(5, 1)"}},
        {"kelqorm_cmd_config",
         false,
         {"kelqorm_config_trigger(5, 1)", "kelqorm_cmd_config(5, 2, 1, 0.5)"}},
        {"kelqorm_start",
         false,
         {"kelqorm_config_trigger(5, 1)", "kelqorm_cmd_config(5, 2, 1, 0.5)",
          "kelqorm_cmd_time_q(5, 2)", "kelqorm_start(5, [0 1 0*28])"}},
        {"kelqorm_set_cmd_time",
         true,
         {"kelqorm_config_trigger(5, 1)", "kelqorm_set_cmd_time(5, 0, 0.5)"}},
        {"kelqorm_set_line",
         true,
         {"kelqorm_config_trigger(5, 1)", "kelqorm_set_cmd_time(5, 0, 0.5)",
          "kelqorm_cmd_time_q(5, 1)", "kelqorm_set_line(5, 1, 0)"}},
    };
    for (const FailingStep& step : steps) {
        SCOPED_TRACE(step.op);
        reload_with_revision(step.group_time ? "2.4" : "4.1");
        choose_timed_switching();
        ASSERT_EQ(set(mp_, MP_L_2, 1), 0);
        ASSERT_EQ(set(mp_, step.group_time ? MP_GT : MP_T_2, 0.5), 0);
        fake::fail(step.op, VI_ERROR_TMO);
        fake::clear_log();
        EXPECT_DOUBLE_EQ(press_start(), 0) << "no Delay";

        std::vector<std::string> expected = step.calls;
        expected.push_back("kelqorm_error_message(0, 0xBFFF0015)");
        EXPECT_THAT(fake::calls(), ElementsAreArray(expected)) << "nothing after it, no refresh";
        EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "Превышено время ожидания");
        EXPECT_EQ(int_value(mp_, MP_START), 1) << "until the next refresh";
        EXPECT_EQ(status, VI_ERROR_TMO);
    }
}

TEST_F(SequenceTest, ErrorOnOneChannelLineStopsTheLaterChannels) {
    reload_with_revision("3.0");
    choose_timed_switching();
    fake::hooks().kelqorm_set_line = [](ViSession, ViInt16 channel, ViUInt16) {
        return channel == 3 ? VI_ERROR_TMO : VI_SUCCESS;
    };
    press_start();
    EXPECT_EQ(fake::count("kelqorm_set_line"), 3);
    EXPECT_EQ(fake::count("kelqorm_start"), 0);
    EXPECT_EQ(fake::count("kelqorm_gstart_q"), 0);
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "Превышено время ожидания");
}

TEST_F(SequenceTest, WarningIsShownAndTheStartGoesOn) {
    for (const char* op : {"kelqorm_config_trigger", "kelqorm_cmd_config", "kelqorm_start"}) {
        SCOPED_TRACE(op);
        SetCtrlVal(mp_, MP_ERROR_MESSAGE, "");
        SetCtrlVal(mp_, MP_START, 0);
        ASSERT_EQ(set(mp_, MP_L_9, 2), 0);
        fake::fail(op, kWarning);
        fake::clear_log();
        EXPECT_DOUBLE_EQ(press_start(), 0.05);
        EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "Время округлено");
        EXPECT_EQ(fake::count("kelqorm_start"), 1);
        EXPECT_EQ(fake::count("kelqorm_trig_state"), 1);
    }
}

TEST_F(SequenceTest, WarningOfTheGroupTimeStepsIsShownAndTheStartGoesOn) {
    reload_with_revision("2.0");
    choose_timed_switching();
    for (const char* op : {"kelqorm_set_cmd_time", "kelqorm_set_line"}) {
        SCOPED_TRACE(op);
        SetCtrlVal(mp_, MP_ERROR_MESSAGE, "");
        SetCtrlVal(mp_, MP_START, 0);
        fake::fail(op, kWarning);
        fake::clear_log();
        press_start();
        EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "Время округлено");
        EXPECT_EQ(fake::count("kelqorm_set_line"), QORM_CHANNELS);
        EXPECT_EQ(fake::count("kelqorm_start"), 1);
    }
}

TEST_F(SequenceTest, StartIsRefusedInManualControl) {
    ASSERT_EQ(set(mp_, MP_CTRL_MODE, 1), 0);
    EXPECT_TRUE(dimmed(mp_, MP_START));
    EXPECT_EQ(press(mp_, MP_START), UIE_NOT_OPERABLE);
    EXPECT_TRUE(fake::calls().empty());
}

TEST_F(SequenceTest, SetCommonTimeCopiesItIntoEveryChannel) {
    ASSERT_EQ(set(mp_, MP_L_5, 1), 0);
    ASSERT_EQ(set(mp_, MP_GT, 0.5), 0);
    ASSERT_EQ(press(mp_, MP_SET_GT), 0);
    for (int k = 0; k < QORM_CHANNELS; ++k) {
        EXPECT_FLOAT_EQ(float_value(mp_, mpTimeCtrls[k]), 0.5f);
        EXPECT_FLOAT_EQ(record_.channel_times[k], 0.5f);
        EXPECT_EQ(dimmed(mp_, mpTimeCtrls[k]), k != 4) << "channel " << k + 1;
    }
    EXPECT_TRUE(fake::calls().empty()) << "editing times sends nothing";
}

}  // namespace
}  // namespace qorm_test
