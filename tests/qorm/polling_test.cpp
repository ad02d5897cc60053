// State polling: the run flag, the channel states and the latch lamps read from the module once
// or continuously, and the clearing of latches per channel or all at once.
#include <string>

#include "channel_test.h"

namespace qorm_test {
namespace {

using ::testing::ElementsAre;

const std::vector<std::string> kPoll = {"kelqorm_gstart_q(5)", "kelqorm_state(5)",
                                        "kelqorm_trig_state(5)"};

class PollingTest : public ChannelTest {
  protected:
    void SetUp() override {
        ChannelTest::SetUp();
        sim::driver().error_texts[VI_ERROR_TMO] = "Превышено время ожидания";
    }
    void poll() { ASSERT_EQ(press(mp_, MP_CHECKSTATE), 0); }
    // Runs waiting turns of the event loop until the virtual clock reaches `until`.
    void run_until(double until) {
        while (uir::headless::now() < until) ASSERT_GE(ProcessSystemEventsWaiting(), 0);
    }
};

TEST_F(PollingTest, LatchWordsLightTheirLampsAndOtherBitsAreIgnored) {
    const struct {
        ViInt16 word;
        int lamp1, lamp2;
    } cases[] = {{3, 1, 1},
                 {2, 0, 1},
                 {1, 1, 0},
                 {0, 0, 0},
                 {4, 0, 0},
                 {0x7FFE, 0, 1},
                 {static_cast<ViInt16>(0x8001), 1, 0},
                 {-1, 1, 1}};
    for (size_t k = 0; k < std::size(cases); ++k) {
        readback().latches[k] = cases[k].word;
        SetCtrlVal(mp_, mpFix1Ctrls[k], 1 - cases[k].lamp1);
        SetCtrlVal(mp_, mpFix2Ctrls[k], 1 - cases[k].lamp2);
    }
    poll();
    for (size_t k = 0; k < std::size(cases); ++k) {
        SCOPED_TRACE("latch word " + std::to_string(cases[k].word));
        EXPECT_EQ(int_value(mp_, mpFix1Ctrls[k]), cases[k].lamp1);
        EXPECT_EQ(int_value(mp_, mpFix2Ctrls[k]), cases[k].lamp2);
    }
    EXPECT_THAT(fake::calls(), ::testing::ElementsAreArray(kPoll));
}

// The texts of further codes are the rule's own table (rules_test.cpp).
TEST_F(PollingTest, StatesAreShownAndIdleChannelsSwitchedOff) {
    const ViInt16 codes[] = {0, 1, 2, 3, 4};
    const char* shown[] = {"-", "1", "2", "X", "?"};
    for (size_t k = 0; k < std::size(codes); ++k) {
        readback().states[k] = codes[k];
        SetCtrlVal(mp_, mpSwitchCtrls[k], 1);  // the operator has just turned every one on
    }
    poll();
    for (size_t k = 0; k < std::size(codes); ++k) {
        SCOPED_TRACE("state code " + std::to_string(codes[k]));
        EXPECT_EQ(text(mp_, mpStateCtrls[k]), shown[k]);
        EXPECT_EQ(int_value(mp_, mpSwitchCtrls[k]), codes[k] == 0 ? 0 : 1);
    }
    for (size_t k = std::size(codes); k < QORM_CHANNELS; ++k) {
        EXPECT_EQ(text(mp_, mpStateCtrls[k]), "-");
    }
}

TEST_F(PollingTest, RunFlagIsShownAsZeroOrOne) {
    for (ViInt16 flag : {1, 0, 7, -2}) {
        readback().run_flag = flag;
        poll();
        EXPECT_EQ(int_value(mp_, MP_START), flag != 0 ? 1 : 0) << "run flag " << flag;
    }
}

TEST_F(PollingTest, FailedRunFlagQueryShowsNoRunAndThePollGoesOn) {
    readback().run_flag = 1;
    poll();
    ASSERT_EQ(int_value(mp_, MP_START), 1);
    set_continuous_polling(true);
    readback().states[4] = 2;
    readback().latches[4] = 2;
    fake::fail("kelqorm_gstart_q", VI_ERROR_TMO);
    fake::clear_log();
    poll();
    EXPECT_EQ(int_value(mp_, MP_START), 0);
    EXPECT_THAT(fake::calls(), ::testing::ElementsAreArray(kPoll));
    EXPECT_EQ(text(mp_, mpStateCtrls[4]), "2");
    EXPECT_EQ(int_value(mp_, mpFix2Ctrls[4]), 1);
    EXPECT_TRUE(timer_enabled(mp_)) << "a failed run-flag query keeps polling on";
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "");
}

TEST_F(PollingTest, FailedStateReadStopsPollingAndKeepsTheStates) {
    readback().states[2] = 1;
    poll();
    set_continuous_polling(true);
    ASSERT_TRUE(timer_enabled(mp_));
    SetCtrlVal(mp_, mpSwitchCtrls[5], 1);
    readback().states[2] = 0;
    readback().latches[9] = 1;
    fake::fail("kelqorm_state", VI_ERROR_TMO);
    fake::clear_log();
    poll();

    EXPECT_FALSE(timer_enabled(mp_));
    EXPECT_EQ(int_value(mp_, MP_STATE_CONT), 0);
    EXPECT_EQ(text(mp_, mpStateCtrls[2]), "1") << "the last states stay";
    EXPECT_EQ(int_value(mp_, mpSwitchCtrls[5]), 1) << "no switch is touched";
    EXPECT_THAT(fake::calls(), ::testing::ElementsAreArray(kPoll)) << "the latches are still read";
    EXPECT_EQ(int_value(mp_, mpFix1Ctrls[9]), 1);
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "") << "a failed poll writes no message";
    EXPECT_TRUE(uir::headless::popups().empty());
}

TEST_F(PollingTest, FailedLatchReadStopsPollingAndKeepsTheLamps) {
    readback().latches[0] = 3;
    poll();
    set_continuous_polling(true);
    readback().latches[0] = 0;
    readback().states[0] = 3;
    fake::fail("kelqorm_trig_state", VI_ERROR_TMO);
    poll();

    EXPECT_FALSE(timer_enabled(mp_));
    EXPECT_EQ(int_value(mp_, MP_STATE_CONT), 0);
    EXPECT_EQ(int_value(mp_, mpFix1Ctrls[0]), 1);
    EXPECT_EQ(int_value(mp_, mpFix2Ctrls[0]), 1);
    EXPECT_EQ(text(mp_, mpStateCtrls[0]), "X") << "the states read before are shown";
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "");
    EXPECT_EQ(status, VI_ERROR_TMO);
}

TEST_F(PollingTest, EventsOtherThanCommitAndTickDoNothing) {
    readback().states[0] = 3;
    for (int event : {0, 2, 4, 11, 14, 16, 17}) {
        EXPECT_EQ(mpCheckState(mp_, MP_CHECKSTATE, event, nullptr, 0, 0), 0);
    }
    EXPECT_TRUE(fake::calls().empty());
    EXPECT_EQ(text(mp_, mpStateCtrls[0]), "");
    EXPECT_EQ(mpCheckState(mp_, MP_TIMER, EVENT_TIMER_TICK, nullptr, 0, 0), 0);
    EXPECT_EQ(text(mp_, mpStateCtrls[0]), "X");
}

TEST_F(PollingTest, PanelWithoutRecordIsLeftAlone) {
    const int bare = NewPanel(0, "bare", 0, 0, 100, 100);
    EXPECT_EQ(mpCheckState(bare, MP_CHECKSTATE, EVENT_COMMIT, nullptr, 0, 0), 0);
    EXPECT_EQ(mpClickFix(bare, MP_2FIX_7, EVENT_COMMIT, nullptr, 0, 0), 0);
    EXPECT_EQ(mpResetFix(bare, MP_FIXRST, EVENT_COMMIT, nullptr, 0, 0), 0);
    EXPECT_TRUE(fake::calls().empty());
}

TEST_F(PollingTest, TenSecondsOfContinuousPollingGiveAHundredPolls) {
    set_continuous_polling(true);
    EXPECT_TRUE(timer_enabled(mp_));
    const double start = uir::headless::now();
    run_until(start + 10);
    EXPECT_NEAR(fake::count("kelqorm_gstart_q"), 100, 1);
    EXPECT_EQ(fake::count("kelqorm_state"), fake::count("kelqorm_gstart_q"));
    EXPECT_EQ(fake::count("kelqorm_trig_state"), fake::count("kelqorm_gstart_q"));

    set_continuous_polling(false);
    EXPECT_FALSE(timer_enabled(mp_));
    fake::clear_log();
    uir::headless::advance(5);
    ProcessSystemEvents();
    EXPECT_TRUE(fake::calls().empty()) << "no poll once polling is off";
}

TEST_F(PollingTest, StateReadFailingDuringPollingStopsItAtTheNextTick) {
    set_continuous_polling(true);
    run_until(uir::headless::now() + 1);
    fake::fail("kelqorm_state", VI_ERROR_TMO, -1);
    fake::clear_log();
    ASSERT_GE(ProcessSystemEventsWaiting(), 0);
    EXPECT_EQ(fake::count("kelqorm_state"), 1);
    EXPECT_EQ(int_value(mp_, MP_STATE_CONT), 0);
    EXPECT_FALSE(timer_enabled(mp_));
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "");
    uir::headless::advance(1);
    ProcessSystemEvents();
    EXPECT_EQ(fake::count("kelqorm_state"), 1) << "no further tick";
}

TEST_F(PollingTest, ClickOnALampClearsItsChannelAndRefreshes) {
    readback().latches[6] = 3;
    readback().latches[7] = 1;
    poll();
    fake::clear_log();
    ASSERT_EQ(press(mp_, MP_2FIX_7), 0);
    std::vector<std::string> expected = {"kelqorm_reset_trig(5, 7)"};
    expected.insert(expected.end(), kPoll.begin(), kPoll.end());
    EXPECT_THAT(fake::calls(), ::testing::ElementsAreArray(expected));
    EXPECT_EQ(int_value(mp_, MP_1FIX_7), 0);
    EXPECT_EQ(int_value(mp_, MP_2FIX_7), 0);
    EXPECT_EQ(int_value(mp_, MP_1FIX_8), 1) << "other channels keep their latches";

    fake::clear_log();
    ASSERT_EQ(press(mp_, MP_1FIX_1), 0);
    EXPECT_EQ(fake::last("kelqorm_reset_trig"), "kelqorm_reset_trig(5, 1)");
    ASSERT_EQ(press(mp_, MP_1FIX_30), 0);
    EXPECT_EQ(fake::last("kelqorm_reset_trig"), "kelqorm_reset_trig(5, 30)");
}

TEST_F(PollingTest, ClickOnAControlThatIsNoLampClearsNothing) {
    for (int control : {MP_START, MP_SWITCH_7, MP_ST_7, 0, -1}) {
        EXPECT_EQ(mpClickFix(mp_, control, EVENT_COMMIT, nullptr, 0, 0), 0);
    }
    EXPECT_TRUE(fake::calls().empty());
}

TEST_F(PollingTest, FailedChannelClearShowsTheTextAndStillRefreshes) {
    readback().latches[6] = 2;
    poll();
    fake::fail("kelqorm_reset_trig", VI_ERROR_TMO);
    fake::clear_log();
    ASSERT_EQ(press(mp_, MP_2FIX_7), 0);  // the click puts the lamp out on the panel
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "Превышено время ожидания");
    std::vector<std::string> expected = {"kelqorm_reset_trig(5, 7)",
                                         "kelqorm_error_message(0, 0xBFFF0015)"};
    expected.insert(expected.end(), kPoll.begin(), kPoll.end());
    EXPECT_THAT(fake::calls(), ::testing::ElementsAreArray(expected));
    EXPECT_EQ(int_value(mp_, MP_2FIX_7), 1) << "the lamp shows the latch the module kept";
}

TEST_F(PollingTest, ClearAllLatches) {
    readback().latches.fill(3);
    poll();
    fake::clear_log();
    ASSERT_EQ(press(mp_, MP_FIXRST), 0);
    std::vector<std::string> expected = {"kelqorm_reset_trig(5, 0)"};
    expected.insert(expected.end(), kPoll.begin(), kPoll.end());
    EXPECT_THAT(fake::calls(), ::testing::ElementsAreArray(expected));
    for (int k = 0; k < QORM_CHANNELS; ++k) {
        EXPECT_EQ(int_value(mp_, mpFix1Ctrls[k]) + int_value(mp_, mpFix2Ctrls[k]), 0);
    }
}

TEST_F(PollingTest, FailedClearAllShowsTheTextWithoutRefresh) {
    readback().latches.fill(1);
    poll();
    fake::fail("kelqorm_reset_trig", VI_ERROR_TMO);
    fake::clear_log();
    ASSERT_EQ(press(mp_, MP_FIXRST), 0);
    EXPECT_THAT(fake::calls(),
                ElementsAre("kelqorm_reset_trig(5, 0)", "kelqorm_error_message(0, 0xBFFF0015)"));
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "Превышено время ожидания");
    EXPECT_EQ(status, VI_ERROR_TMO);
}

}  // namespace
}  // namespace qorm_test
