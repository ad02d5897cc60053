// Module reset (the module and the whole front panel back to their initial state) and the
// module's self-test shown on its own panel.
#include <cstring>
#include <string>

#include "channel_test.h"

namespace qorm_test {
namespace {

using ::testing::ElementsAre;

constexpr char kPassed[] = "Самоконтроль завершен успешно";
constexpr char kWaiting[] = "Идёт самоконтроль. Ждите ...";

class ResetTest : public ChannelTest {
  protected:
    void SetUp() override {
        ChannelTest::SetUp();
        sim::driver().error_texts[VI_ERROR_TMO] = "Превышено время ожидания";
        // A sequence runs with continuous polling on; the operator has switched channels.
        choose_timed_switching();
        ASSERT_EQ(press(mp_, MP_COMMANDBUTTON_4), 0);
        for (int k = 0; k < QORM_CHANNELS; ++k) {
            ASSERT_EQ(set(mp_, mpTimeCtrls[k], 1.0 + 0.1 * k), 0);
            SetCtrlVal(mp_, mpSwitchCtrls[k], 1);
        }
        readback().run_flag = 1;
        readback().states.fill(2);
        readback().latches.fill(2);
        ASSERT_EQ(press(mp_, MP_CHECKSTATE), 0);
        set_continuous_polling(true);
        // What the module reports after its reset.
        fake::hooks().kelqorm_reset = [](ViSession) {
            readback().run_flag = 0;
            readback().states.fill(0);
            readback().states[8] = 3;  // a channel that reports a fault even after a reset
            readback().latches.fill(0);
            readback().latches[3] = 1;
            return VI_SUCCESS;
        };
        fake::clear_log();
    }
    void expect_panel_defaults() {
        EXPECT_FALSE(timer_enabled(mp_));
        EXPECT_EQ(int_value(mp_, MP_STATE_CONT), 0);
        EXPECT_EQ(int_value(mp_, MP_CTRL_MODE), 1);
        for (int k = 0; k < QORM_CHANNELS; ++k) {
            SCOPED_TRACE("channel " + std::to_string(k + 1));
            EXPECT_FLOAT_EQ(float_value(mp_, mpTimeCtrls[k]), 0.05f);
            EXPECT_EQ(short_value(mp_, mpLineCtrls[k]), 0);
            EXPECT_EQ(int_value(mp_, mpSwitchCtrls[k]), 0);
            EXPECT_TRUE(dimmed(mp_, mpTimeCtrls[k])) << "manual control dims the times";
        }
        EXPECT_TRUE(dimmed(mp_, MP_START));
        EXPECT_FALSE(dimmed(mp_, MP_GRP_ON));
    }
};

TEST_F(ResetTest, PutsTheModuleAndThePanelBackAndShowsTheStatePolledAfterIt) {
    bool polling_off_at_reset = false;
    auto module_reset = fake::hooks().kelqorm_reset;
    fake::hooks().kelqorm_reset = [&](ViSession vi) {
        polling_off_at_reset = !timer_enabled(mp_) && int_value(mp_, MP_STATE_CONT) == 0;
        return module_reset(vi);
    };
    ASSERT_EQ(press(mp_, MP_RESET), 0);
    EXPECT_TRUE(polling_off_at_reset) << "no poll runs during the reset";
    EXPECT_THAT(fake::calls(), ElementsAre("kelqorm_reset(5)", "kelqorm_gstart_q(5)",
                                           "kelqorm_state(5)", "kelqorm_trig_state(5)"));
    expect_panel_defaults();
    EXPECT_EQ(int_value(mp_, MP_START), 0);
    for (int k = 0; k < QORM_CHANNELS; ++k) {
        EXPECT_EQ(text(mp_, mpStateCtrls[k]), k == 8 ? "X" : "-");
        EXPECT_EQ(int_value(mp_, mpFix1Ctrls[k]), k == 3 ? 1 : 0);
        EXPECT_EQ(int_value(mp_, mpFix2Ctrls[k]), 0);
    }
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "");
    // The panel is read back after the poll: the record holds the line selections again.
    for (short code : record_.channel_codes) EXPECT_EQ(code, 0);
    for (float time : record_.channel_times) EXPECT_FLOAT_EQ(time, 0.05f);

    fake::clear_log();
    uir::headless::advance(2);
    ProcessSystemEvents();
    EXPECT_TRUE(fake::calls().empty()) << "polling stays off after the reset";
}

TEST_F(ResetTest, FailedResetStillRestoresEveryDefaultAndShowsTheText) {
    fake::fail("kelqorm_reset", VI_ERROR_TMO);
    status = 0;
    ASSERT_EQ(press(mp_, MP_RESET), 0);
    expect_panel_defaults();
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "Превышено время ожидания");
    EXPECT_THAT(fake::calls(),
                ElementsAre("kelqorm_reset(5)", "kelqorm_error_message(0, 0xBFFF0015)",
                            "kelqorm_gstart_q(5)", "kelqorm_state(5)", "kelqorm_trig_state(5)"));
    // The module did not reset: the poll shows it still running.
    EXPECT_EQ(int_value(mp_, MP_START), 1);
    EXPECT_EQ(text(mp_, MP_ST_1), "2");
}

TEST_F(ResetTest, WarningOfTheResetIsShown) {
    sim::driver().error_texts[0x3FFC0900] = "Сброс с предупреждением";
    fake::fail("kelqorm_reset", 0x3FFC0900);
    ASSERT_EQ(press(mp_, MP_RESET), 0);
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "Сброс с предупреждением");
    expect_panel_defaults();
}

TEST_F(ResetTest, StatusKeepsTheLastPollNotTheReset) {
    fake::fail("kelqorm_reset", VI_ERROR_TMO);
    ASSERT_EQ(press(mp_, MP_RESET), 0);
    EXPECT_EQ(status, 0) << "the reset's own status is not kept";
}

class SelfTestTest : public ChannelTest {
  protected:
    int st() const { return record_.st_panel; }
};

TEST_F(SelfTestTest, FirstRunShowsThePanelWithTheCloseButtonDimmedUntilTheVerdict) {
    bool shown = false, close_dimmed = false;
    std::string message;
    fake::hooks().kelqorm_self_test = [&](ViSession, ViInt16* result, ViChar*) {
        shown = panel_visible(st());
        close_dimmed = dimmed(st(), ST_CLOSE);
        message = text(st(), ST_MSG);
        *result = 0;
        return VI_SUCCESS;
    };
    EXPECT_FALSE(panel_visible(st()));
    ASSERT_EQ(press(mp_, MP_SELFTEST), 0);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(close_dimmed);
    EXPECT_EQ(message, kWaiting);
    EXPECT_FALSE(dimmed(st(), ST_CLOSE));
    EXPECT_EQ(text(st(), ST_MSG), kPassed);
    EXPECT_EQ(short_value(st(), ST_RESULT), 0);
    EXPECT_THAT(fake::calls(), ElementsAre("kelqorm_self_test(5)"));

    // Later runs: the close button stays usable and the previous verdict shows meanwhile.
    fake::hooks().kelqorm_self_test = [&](ViSession, ViInt16* result, ViChar* text_out) {
        close_dimmed = dimmed(st(), ST_CLOSE);
        message = text(st(), ST_MSG);
        *result = 1;
        std::strcpy(text_out, "Канал 3: нет ответа");
        return VI_SUCCESS;
    };
    ASSERT_EQ(press(st(), ST_CLOSE), 0);
    EXPECT_FALSE(panel_visible(st()));
    ASSERT_EQ(press(mp_, MP_SELFTEST), 0);
    EXPECT_FALSE(close_dimmed);
    EXPECT_EQ(message, kPassed);
    EXPECT_EQ(text(st(), ST_MSG), "Канал 3: нет ответа");
    EXPECT_EQ(short_value(st(), ST_RESULT), 1);
}

TEST_F(SelfTestTest, DriverLeavingTheTextAloneShowsThePreparedVerdictWithItsResult) {
    // A driver that gives the result and leaves the text as it was.
    fake::hooks().kelqorm_self_test = [](ViSession, ViInt16* result, ViChar*) {
        *result = 5;
        return VI_SUCCESS;
    };
    ASSERT_EQ(press(mp_, MP_SELFTEST), 0);
    EXPECT_EQ(text(st(), ST_MSG), kPassed);
    EXPECT_EQ(short_value(st(), ST_RESULT), 5);
}

TEST_F(SelfTestTest, FailingResultIsShownSignExtended) {
    module().self_test_failure = sim::SelfTestFailure{-3, "Ошибка ОЗУ модуля"};
    ASSERT_EQ(press(mp_, MP_SELFTEST), 0);
    EXPECT_EQ(short_value(st(), ST_RESULT), -3);
    EXPECT_EQ(text(st(), ST_MSG), "Ошибка ОЗУ модуля");
}

TEST_F(SelfTestTest, UnterminatedTextIsCutAtACharacter) {
    fake::hooks().kelqorm_self_test = [](ViSession, ViInt16* result, ViChar* text_out) {
        *result = 2;
        for (int i = 0; i < KELQORM_TEXT_LEN; i += 2) std::memcpy(text_out + i, "Ы", 2);
        return VI_SUCCESS;
    };
    ASSERT_EQ(press(mp_, MP_SELFTEST), 0);
    std::string expected;
    for (int i = 0; i < 127; ++i) expected += "Ы";
    EXPECT_EQ(text(st(), ST_MSG), expected);
    EXPECT_EQ(short_value(st(), ST_RESULT), 2);
}

TEST_F(SelfTestTest, FailedCallWithoutVerdictIsNeverShownAsAPass) {
    sim::driver().error_texts[VI_ERROR_LIBRARY_NFOUND] = "Не найдена библиотека libkelqorm.so";
    fake::fail("kelqorm_self_test", VI_ERROR_LIBRARY_NFOUND);
    ASSERT_EQ(press(mp_, MP_SELFTEST), 0);
    EXPECT_EQ(text(st(), ST_MSG), "Не найдена библиотека libkelqorm.so");
    EXPECT_FALSE(dimmed(st(), ST_CLOSE));
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "") << "the verdict stays on its own panel";
}

TEST_F(SelfTestTest, FailedCallWithoutAnyDriverTextNamesItsStatus) {
    fake::fail("kelqorm_self_test", VI_ERROR_LIBRARY_NFOUND);
    fake::fail("kelqorm_error_message", VI_ERROR_LIBRARY_NFOUND);
    ASSERT_EQ(press(mp_, MP_SELFTEST), 0);
    EXPECT_EQ(text(st(), ST_MSG), "Ошибка драйвера BFFF009E");
}

TEST_F(SelfTestTest, FailedCallWithItsOwnTextShowsTheDriversVerdict) {
    fake::hooks().kelqorm_self_test = [](ViSession, ViInt16* result, ViChar* text_out) {
        *result = 4;
        std::strcpy(text_out, "Нет питания линии 2");
        return VI_ERROR_TMO;
    };
    ASSERT_EQ(press(mp_, MP_SELFTEST), 0);
    EXPECT_EQ(text(st(), ST_MSG), "Нет питания линии 2");
    EXPECT_EQ(short_value(st(), ST_RESULT), 4);
}

TEST_F(SelfTestTest, MainPanelIsLeftAloneAndPollingGoesOn) {
    set_continuous_polling(true);
    SetCtrlVal(mp_, MP_ERROR_MESSAGE, "старая ошибка");
    const std::vector<std::string> before = snapshot(mp_);
    fake::clear_log();
    ASSERT_EQ(press(mp_, MP_SELFTEST), 0);
    EXPECT_EQ(snapshot(mp_), before);
    EXPECT_THAT(fake::calls(), ElementsAre("kelqorm_self_test(5)"));
}

TEST_F(SelfTestTest, CommitOnlyAndNoRecord) {
    EXPECT_EQ(mpSelftest(mp_, MP_SELFTEST, EVENT_LEFT_DOUBLE_CLICK, nullptr, 0, 0), 0);
    EXPECT_EQ(mpReset(mp_, MP_RESET, EVENT_CLOSE, nullptr, 0, 0), 0);
    const int bare = NewPanel(0, "bare", 0, 0, 100, 100);
    EXPECT_EQ(mpSelftest(bare, MP_SELFTEST, EVENT_COMMIT, nullptr, 0, 0), 0);
    EXPECT_EQ(mpReset(bare, MP_RESET, EVENT_COMMIT, nullptr, 0, 0), 0);
    EXPECT_TRUE(fake::calls().empty());
    EXPECT_FALSE(panel_visible(st()));
}

}  // namespace
}  // namespace qorm_test
