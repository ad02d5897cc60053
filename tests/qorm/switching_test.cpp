// Manual switching: one channel with its switch, all selected channels with the group buttons,
// and the buttons that select a line for every channel.
#include <string>

#include "channel_test.h"

namespace qorm_test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class SwitchingTest : public ChannelTest {
  protected:
    void SetUp() override {
        ChannelTest::SetUp();
        sim::driver().error_texts[VI_ERROR_TMO] = "Превышено время ожидания";
        sim::driver().error_texts[kWarning] = "Предупреждение модуля";
    }
    void select_line(int channel, int line) {
        ASSERT_EQ(set(mp_, mpLineCtrls[channel - 1], line), 0);
    }
    // The module switches a channel as it is told, so the refresh sees the command's effect.
    void module_follows_commands() {
        fake::hooks().kelqorm_manual_cmd = [](ViSession, ViInt16 channel, ViUInt16 line,
                                              ViInt16 on) {
            readback().states[channel - 1] = static_cast<ViInt16>(on != 0 ? line : 0);
            return VI_SUCCESS;
        };
    }
    static constexpr ViStatus kWarning = static_cast<ViStatus>(0x3FFC0900);
};

struct SwitchRow {
    ViInt16 state_before;
    int switch_before;  // the click flips it
    int line;
    int code, on;  // the command sent
};

// One click per kind of outcome on the panel; the whole decision table is the rule's own
// (rules_test.cpp).
TEST_F(SwitchingTest, CommandTable) {
    const SwitchRow rows[] = {
        // An active channel is switched off, whatever the switch and the line show.
        {1, 0, 1, 0, 0},
        // An idle channel switched on goes onto its line; with no line it gets the off command.
        {0, 0, 2, 2, 1},
        {0, 0, 0, 0, 0},
        // An idle channel switched off.
        {0, 1, 1, 0, 0},
    };
    for (const SwitchRow& row : rows) {
        const std::string trace = "state " + std::to_string(row.state_before) + ", switch " +
                                  std::to_string(row.switch_before) + ", line " +
                                  std::to_string(row.line);
        SCOPED_TRACE(trace);
        readback().states[6] = row.state_before;
        SetCtrlVal(mp_, MP_SWITCH_7, row.switch_before);
        select_line(7, row.line);
        int switch_at_command = -1;
        fake::hooks().kelqorm_manual_cmd = [&](ViSession, ViInt16, ViUInt16, ViInt16) {
            switch_at_command = int_value(mp_, MP_SWITCH_7);
            return VI_SUCCESS;
        };
        fake::clear_log();
        ASSERT_EQ(press(mp_, MP_SWITCH_7), 0);

        EXPECT_EQ(fake::last("kelqorm_manual_cmd"), "kelqorm_manual_cmd(5, 7, " +
                                                        std::to_string(row.code) + ", " +
                                                        std::to_string(row.on) + ")");
        if (row.state_before != 0) {
            EXPECT_EQ(switch_at_command, 0) << "an active channel's switch goes off at once";
        } else {
            EXPECT_EQ(switch_at_command, 1 - row.switch_before) << "the operator's switch";
        }
        // The module still reports the state it had: the refresh keeps an active channel's
        // switch as set and puts an idle channel's switch off.
        EXPECT_EQ(int_value(mp_, MP_SWITCH_7), 0);
    }
    fake::hooks().kelqorm_manual_cmd = nullptr;
}

TEST_F(SwitchingTest, SwitchStaysOnWhileTheModuleReportsTheChannelActive) {
    module_follows_commands();
    select_line(12, 2);
    ASSERT_EQ(press(mp_, MP_SWITCH_12), 0);
    EXPECT_EQ(fake::last("kelqorm_manual_cmd"), "kelqorm_manual_cmd(5, 12, 2, 1)");
    EXPECT_EQ(int_value(mp_, MP_SWITCH_12), 1);
    EXPECT_EQ(text(mp_, MP_ST_12), "2");

    ASSERT_EQ(press(mp_, MP_SWITCH_12), 0);
    EXPECT_EQ(fake::last("kelqorm_manual_cmd"), "kelqorm_manual_cmd(5, 12, 0, 0)");
    EXPECT_EQ(int_value(mp_, MP_SWITCH_12), 0);
    EXPECT_EQ(text(mp_, MP_ST_12), "-");
}

TEST_F(SwitchingTest, ExactCallSequence) {
    select_line(7, 2);
    readback().states[0] = 3;
    SetCtrlAttribute(mp_, MP_START, ATTR_DIMMED, 0);  // out of step with manual control
    fake::clear_log();
    ASSERT_EQ(press(mp_, MP_SWITCH_7), 0);
    EXPECT_THAT(fake::calls(),
                ElementsAre("kelqorm_state(5)", "kelqorm_manual_cmd(5, 7, 2, 1)",
                            "kelqorm_gstart_q(5)", "kelqorm_state(5)", "kelqorm_trig_state(5)"));
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(dimmed(mp_, MP_START)) << "the view is recomputed";
    EXPECT_EQ(record_.channel_codes[0], 3) << "the refresh comes after the view's read";
}

TEST_F(SwitchingTest, FailedStateReadSendsNothingStopsPollingAndShowsTheText) {
    set_continuous_polling(true);
    select_line(3, 1);
    fake::fail("kelqorm_state", VI_ERROR_TMO);
    fake::clear_log();
    ASSERT_EQ(press(mp_, MP_SWITCH_3), 0);
    EXPECT_THAT(fake::calls(),
                ElementsAre("kelqorm_state(5)", "kelqorm_error_message(0, 0xBFFF0015)"));
    EXPECT_FALSE(timer_enabled(mp_));
    EXPECT_EQ(int_value(mp_, MP_STATE_CONT), 0);
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "Превышено время ожидания");
    EXPECT_EQ(int_value(mp_, MP_SWITCH_3), 1) << "the switch keeps the operator's value";
    EXPECT_EQ(status, VI_ERROR_TMO);
}

TEST_F(SwitchingTest, FailedCommandShowsItsTextAndStillRefreshes) {
    select_line(30, 1);
    fake::fail("kelqorm_manual_cmd", VI_ERROR_TMO);
    readback().latches[29] = 1;
    fake::clear_log();
    ASSERT_EQ(press(mp_, MP_SWITCH_30), 0);
    EXPECT_THAT(fake::calls(),
                ElementsAre("kelqorm_state(5)", "kelqorm_manual_cmd(5, 30, 1, 1)",
                            "kelqorm_error_message(0, 0xBFFF0015)", "kelqorm_gstart_q(5)",
                            "kelqorm_state(5)", "kelqorm_trig_state(5)"));
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "Превышено время ожидания");
    EXPECT_EQ(int_value(mp_, MP_SWITCH_30), 0) << "the module reports the channel idle";
    EXPECT_EQ(int_value(mp_, MP_1FIX_30), 1);
}

TEST_F(SwitchingTest, WarningOfACommandIsNotShown) {
    select_line(1, 1);
    fake::fail("kelqorm_manual_cmd", kWarning);
    fake::fail("kelqorm_manual_group_cmd", kWarning);
    ASSERT_EQ(press(mp_, MP_SWITCH_1), 0);
    ASSERT_EQ(press(mp_, MP_GRP_ON), 0);
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "");
    EXPECT_EQ(fake::count("kelqorm_error_message"), 0);
}

TEST_F(SwitchingTest, GroupCommandsCarryTheLineSelections) {
    ASSERT_EQ(press(mp_, MP_COMMANDBUTTON_4), 0);  // "На линию 2"
    fake::clear_log();
    ASSERT_EQ(press(mp_, MP_GRP_ON), 0);
    EXPECT_THAT(fake::calls(),
                ElementsAre("kelqorm_manual_group_cmd(5, 1, [2*30])", "kelqorm_gstart_q(5)",
                            "kelqorm_state(5)", "kelqorm_trig_state(5)"));

    ASSERT_EQ(press(mp_, MP_COMMANDBUTTON_3), 0);  // "Отменить выбор"
    select_line(1, 1);
    select_line(2, 2);
    select_line(30, 1);
    fake::clear_log();
    ASSERT_EQ(press(mp_, MP_GRP_OFF), 0);
    EXPECT_EQ(fake::calls().front(), "kelqorm_manual_group_cmd(5, 0, [1 2 0*27 1])");
    EXPECT_EQ(fake::count("kelqorm_trig_state"), 1);
}

TEST_F(SwitchingTest, FailedGroupCommandShowsItsTextAndStillRefreshes) {
    fake::fail("kelqorm_manual_group_cmd", VI_ERROR_TMO);
    readback().states[4] = 1;
    fake::clear_log();
    ASSERT_EQ(press(mp_, MP_GRP_ON), 0);
    EXPECT_THAT(fake::calls(),
                ElementsAre("kelqorm_manual_group_cmd(5, 1, [0*30])",
                            "kelqorm_error_message(0, 0xBFFF0015)", "kelqorm_gstart_q(5)",
                            "kelqorm_state(5)", "kelqorm_trig_state(5)"));
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "Превышено время ожидания");
    EXPECT_EQ(text(mp_, MP_ST_5), "1");
}

TEST_F(SwitchingTest, SelectButtonsSetEveryLineAndSendNothing) {
    const struct {
        int button;
        short line;
    } buttons[] = {{MP_COMMANDBUTTON_2, 1}, {MP_COMMANDBUTTON_4, 2}, {MP_COMMANDBUTTON_3, 0}};
    for (const auto& b : buttons) {
        ASSERT_EQ(press(mp_, b.button), 0);
        for (int control : mpLineCtrls) ASSERT_EQ(short_value(mp_, control), b.line);
        for (short code : record_.channel_codes) ASSERT_EQ(code, b.line) << "read by mpSetView";
    }
    EXPECT_TRUE(fake::calls().empty());
}

TEST_F(SwitchingTest, SelectButtonsRecomputeTheDimmedTimes) {
    choose_timed_switching();
    ASSERT_EQ(press(mp_, MP_COMMANDBUTTON_2), 0);
    for (int control : mpTimeCtrls) EXPECT_FALSE(dimmed(mp_, control));
    ASSERT_EQ(press(mp_, MP_COMMANDBUTTON_3), 0);
    for (int control : mpTimeCtrls) EXPECT_TRUE(dimmed(mp_, control));
}

TEST_F(SwitchingTest, GroupButtonsRefuseTheOperatorInTimedSwitching) {
    choose_timed_switching();
    EXPECT_TRUE(dimmed(mp_, MP_GRP_ON));
    EXPECT_TRUE(dimmed(mp_, MP_GRP_OFF));
    EXPECT_EQ(press(mp_, MP_GRP_ON), UIE_NOT_OPERABLE);
    EXPECT_EQ(press(mp_, MP_GRP_OFF), UIE_NOT_OPERABLE);
    EXPECT_EQ(fake::count("kelqorm_manual_group_cmd"), 0);
    // The single-channel switches are never dimmed.
    select_line(4, 1);
    EXPECT_EQ(press(mp_, MP_SWITCH_4), 0);
    EXPECT_EQ(fake::last("kelqorm_manual_cmd"), "kelqorm_manual_cmd(5, 4, 1, 1)");
}

TEST_F(SwitchingTest, CommitOnlyAndNoRecord) {
    for (auto callback :
         {mpSwitch, mpGrpON, mpGrpOFF, mpSelectAll_1, mpSelectAll_2, mpUnSelectAll}) {
        EXPECT_EQ(callback(mp_, MP_SWITCH_1, EVENT_LEFT_DOUBLE_CLICK, nullptr, 0, 0), 0);
    }
    const int bare = NewPanel(0, "bare", 0, 0, 100, 100);
    for (auto callback : {mpSwitch, mpGrpON, mpGrpOFF, mpSelectAll_1}) {
        EXPECT_EQ(callback(bare, MP_SWITCH_1, EVENT_COMMIT, nullptr, 0, 0), 0);
    }
    EXPECT_TRUE(fake::calls().empty());
    EXPECT_EQ(short_value(mp_, MP_L_1), 0);
}

}  // namespace
}  // namespace qorm_test
