// The channel operations and diagnostics end to end on the simulated crate: the module really
// switches, runs its sequences on the run-time's clock, keeps latches and runs the loop-back
// test, and the front panel shows what it reports.
#include <functional>
#include <string>

#include "channel_test.h"
#include "core/faults.h"
#include "uir/model.h"
#include "core/tab_chain.h"
#include "sim/faults.h"
#include "sim/sim.h"

namespace qorm_test {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

constexpr char kCarrier[] = "VXI0::8::INSTR";
constexpr ViUInt16 kPosition = 2;

class SimPanelTest : public FrontPanelTest {
  protected:
    void SetUp() override {
        FrontPanelTest::SetUp();
        sim::set_clock([] { return Timer(); });
        platform::bind_visa(sim::visa_api());
        platform::bind_kelqorm(sim::kelqorm_api());
        platform::bind_kelbase(sim::kelbase_api());
    }
    void TearDown() override {
        if (instance_ != nullptr) {
            instance_->display_active = 0;  // the panels go with the run-time
            qorm_close(&instance_);
        }
        sim::install(sim::Crate{});
        sim::set_clock(nullptr);
        FrontPanelTest::TearDown();
    }

    // Opens the QORM of the crate as a host does and sets up its front panel.
    void open(const sim::Crate& crate) {
        sim::install(crate);
        ViSession carrier = 0;
        ASSERT_EQ(kelbase_init(const_cast<char*>(kCarrier), 1, 1, &carrier), VI_SUCCESS);
        ASSERT_EQ(qorm_init(carrier, kPosition, 1, 1, &instance_), 0);
        ASSERT_NE(instance_, nullptr);
        load_panels(instance_);
        mp_ = instance_->mp_panel;
    }
    void open_file(const std::string& name) {
        std::string error;
        auto crate = sim::load_crate_file(std::string(QORM_SIM_CRATES_DIR) + "/" + name, &error);
        ASSERT_TRUE(crate) << error;
        open(*crate);
    }

    void select(int channel, int line) { ASSERT_EQ(set(mp_, mpLineCtrls[channel - 1], line), 0); }
    // Lets the front panel run (continuous polling ticking) until the clock reaches `until`.
    void run_until(double until) {
        while (uir::headless::now() < until) ASSERT_GE(ProcessSystemEventsWaiting(), 0);
    }
    // Runs turn by turn while "Старт" shows a running sequence; the time it showed it last.
    double watch_run(double limit, const std::function<void()>& each_turn = {}) {
        double last_running = uir::headless::now();
        while (int_value(mp_, MP_START) == 1 && uir::headless::now() < limit) {
            last_running = uir::headless::now();
            EXPECT_GE(ProcessSystemEventsWaiting(), 0);
            if (each_turn) each_turn();
        }
        return last_running;
    }
    std::string state(int channel) { return text(mp_, mpStateCtrls[channel - 1]); }
    int lamp1(int channel) { return int_value(mp_, mpFix1Ctrls[channel - 1]); }
    int lamp2(int channel) { return int_value(mp_, mpFix2Ctrls[channel - 1]); }

    ModuleInstance* instance_ = nullptr;
    int mp_ = 0;
};

TEST_F(SimPanelTest, TimedSequenceWithATimePerChannelRunsToItsEnd) {
    open(sim::default_crate());  // revision 4.2: times per channel, step 0.005
    ASSERT_EQ(set(mp_, MP_CTRL_MODE, 0), 0);
    select(1, 1);
    select(2, 2);
    select(3, 1);
    ASSERT_EQ(set(mp_, MP_T_1, 0.502), 0);
    ASSERT_EQ(set(mp_, MP_T_2, 1.0), 0);
    ASSERT_EQ(set(mp_, MP_T_3, 0.3), 0);
    ASSERT_EQ(set(mp_, MP_STATE_CONT, 1), 0);

    const double start = uir::headless::now();
    ASSERT_EQ(press(mp_, MP_START), 0);  // start mode "Программный": at once
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "");
    EXPECT_FLOAT_EQ(float_value(mp_, MP_T_1), 0.5f) << "the time the module uses";
    EXPECT_EQ(int_value(mp_, MP_START), 1);
    EXPECT_EQ(state(1), "1");
    EXPECT_EQ(state(2), "2");
    EXPECT_EQ(state(3), "1");

    double channel3_seen_on = start;
    const double last_running = watch_run(start + 5, [&] {
        if (state(3) == "1") channel3_seen_on = uir::headless::now();
    });
    EXPECT_NEAR(channel3_seen_on - start, 0.3, 0.11);
    EXPECT_NEAR(last_running - start, 1.0, 0.11) << "the longest channel ends the run";
    EXPECT_EQ(int_value(mp_, MP_START), 0);
    for (int channel = 1; channel <= QORM_CHANNELS; ++channel) {
        SCOPED_TRACE("channel " + std::to_string(channel));
        EXPECT_EQ(state(channel), "-");
        EXPECT_EQ(lamp1(channel), channel == 1 || channel == 3 ? 1 : 0);
        EXPECT_EQ(lamp2(channel), channel == 2 ? 1 : 0);
    }
    EXPECT_EQ(int_value(mp_, MP_STATE_CONT), 1) << "polling goes on after the run";
}

TEST_F(SimPanelTest, TimedSequenceWithACommonTimeWaitsForTheCarriersTrigger) {
    open_file("revision-2.yaml");  // one common time, step 0.025
    ASSERT_EQ(instance_->group_time_mode, 1);
    ASSERT_EQ(set(mp_, MP_CTRL_MODE, 0), 0);
    ASSERT_EQ(set(mp_, MP_START_MODE, 0), 0);  // "От носителя": the trigger comes after 0.5 s
    select(5, 1);
    select(6, 2);
    ASSERT_EQ(set(mp_, MP_GT, 0.51), 0);
    ASSERT_EQ(set(mp_, MP_STATE_CONT, 1), 0);

    const double start = uir::headless::now();
    ASSERT_EQ(press(mp_, MP_START), 0);
    EXPECT_FLOAT_EQ(float_value(mp_, MP_GT), 0.5f) << "the common time the module uses";
    EXPECT_EQ(int_value(mp_, MP_START), 1) << "armed counts as running";
    EXPECT_EQ(state(5), "-");

    run_until(start + 0.7);
    EXPECT_EQ(state(5), "1");
    EXPECT_EQ(state(6), "2");
    const double last_running = watch_run(start + 5);
    EXPECT_NEAR(last_running - start, 1.0, 0.11);
    EXPECT_EQ(state(5), "-");
    EXPECT_EQ(lamp1(5), 1);
    EXPECT_EQ(lamp2(6), 1);
    EXPECT_EQ(lamp1(7) + lamp2(7), 0);
}

TEST_F(SimPanelTest, ManualSwitchingLightsTheLatchesAndClearingPutsThemOut) {
    open(sim::default_crate());
    select(5, 2);
    ASSERT_EQ(press(mp_, MP_SWITCH_5), 0);
    EXPECT_EQ(state(5), "2");
    EXPECT_EQ(int_value(mp_, MP_SWITCH_5), 1);
    EXPECT_EQ(lamp2(5), 1);
    EXPECT_EQ(lamp1(5), 0);

    ASSERT_EQ(press(mp_, MP_SWITCH_5), 0);
    EXPECT_EQ(state(5), "-");
    EXPECT_EQ(int_value(mp_, MP_SWITCH_5), 0);
    EXPECT_EQ(lamp2(5), 1) << "the latch outlives the switching";
    ASSERT_EQ(press(mp_, MP_2FIX_5), 0);
    EXPECT_EQ(lamp2(5), 0);

    ASSERT_EQ(press(mp_, MP_COMMANDBUTTON_2), 0);  // every channel on line 1
    ASSERT_EQ(press(mp_, MP_GRP_ON), 0);
    for (int channel = 1; channel <= QORM_CHANNELS; ++channel) {
        ASSERT_EQ(state(channel), "1");
        ASSERT_EQ(lamp1(channel), 1);
    }
    ASSERT_EQ(press(mp_, MP_FIXRST), 0);
    for (int channel = 1; channel <= QORM_CHANNELS; ++channel) {
        ASSERT_EQ(lamp1(channel), 0);
        ASSERT_EQ(state(channel), "1") << "clearing latches switches nothing";
    }
    ASSERT_EQ(press(mp_, MP_GRP_OFF), 0);
    for (int channel = 1; channel <= QORM_CHANNELS; ++channel) ASSERT_EQ(state(channel), "-");
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "");
}

TEST_F(SimPanelTest, BrokenChannelShowsAFaultAndIsSwitchedOffByTheNextClick) {
    open_file("faulty-channels.yaml");  // channel 7 is broken
    select(7, 1);
    ASSERT_EQ(press(mp_, MP_SWITCH_7), 0);
    EXPECT_EQ(state(7), "X");
    EXPECT_EQ(lamp1(7), 0) << "a dead output stage sets no latch";
    ASSERT_EQ(press(mp_, MP_SWITCH_7), 0);
    EXPECT_EQ(state(7), "-");
    EXPECT_EQ(int_value(mp_, MP_SWITCH_7), 0);
}

// The rules both views follow, on the front panel as it is loaded and set up.
TEST_F(SimPanelTest, TabWalksTheChannelsFromChannelOneThenThePanelWideControls) {
    open(sim::default_crate());
    const std::vector<int> chain = uir::rules::panel_tab_chain(mp_);
    std::vector<int> channels;
    for (int i = 0; i < QORM_CHANNELS; ++i) {
        channels.push_back(mpLineCtrls[i]);
        channels.push_back(mpSwitchCtrls[i]);
        channels.push_back(mpTimeCtrls[i]);
    }
    ASSERT_GE(chain.size(), channels.size());
    EXPECT_EQ(std::vector<int>(chain.begin(), chain.begin() + 90), channels);
    EXPECT_EQ(std::vector<int>(chain.begin() + 90, chain.end()),
              (std::vector<int>{MP_COMMANDBUTTON_2, MP_COMMANDBUTTON_4, MP_COMMANDBUTTON_3,
                                MP_GRP_ON, MP_GRP_OFF, MP_CTRL_MODE, MP_START_MODE, MP_GT,
                                MP_SET_GT, MP_START, MP_CHECKSTATE, MP_STATE_CONT, MP_FIXRST,
                                MP_RESET, MP_SELFTEST, MP_BAZA, MP_CLOSE, MP_ERROR_MESSAGE_OK}))
        << "the lamps and indicators take no stop";
    EXPECT_EQ(uir::rules::panel_tab_chain(instance_->exit_panel),
              (std::vector<int>{EXIT_POPUP_EXIT_YES, EXIT_POPUP_EXIT_NO}));
    EXPECT_EQ(uir::rules::panel_tab_chain(instance_->st_panel), (std::vector<int>{ST_CLOSE}));
}

bool fault_shown(int panel, int control) {
    const uir::Control* c = uir::model::find_control(panel, control);
    EXPECT_NE(c, nullptr);
    return c && uir::rules::shows_fault(*c);
}

TEST_F(SimPanelTest, ChannelFaultIsShownAsOne) {
    open_file("faulty-channels.yaml");  // 30 always reports a fault, 12 is stuck on line 1
    ASSERT_EQ(press(mp_, MP_CHECKSTATE), 0);
    EXPECT_EQ(state(30), "X");
    EXPECT_TRUE(fault_shown(mp_, mpStateCtrls[29]));
    EXPECT_EQ(state(12), "1");
    EXPECT_FALSE(fault_shown(mp_, mpStateCtrls[11])) << "on a line is no fault";
    EXPECT_FALSE(fault_shown(mp_, mpStateCtrls[0]));
}

TEST_F(SimPanelTest, FailedSelfTestIsShownAsAFault) {
    open_file("self-test-fails.yaml");  // result 5
    ASSERT_EQ(press(mp_, MP_SELFTEST), 0);
    EXPECT_EQ(short_value(instance_->st_panel, ST_RESULT), 5);
    EXPECT_TRUE(fault_shown(instance_->st_panel, ST_RESULT));
}

TEST_F(SimPanelTest, PassedSelfTestIsNoFault) {
    open(sim::default_crate());
    ASSERT_EQ(press(mp_, MP_SELFTEST), 0);
    EXPECT_EQ(short_value(instance_->st_panel, ST_RESULT), 0);
    EXPECT_FALSE(fault_shown(instance_->st_panel, ST_RESULT));
}

TEST_F(SimPanelTest, ResetDuringARunStopsItAndPolling) {
    open(sim::default_crate());
    ASSERT_EQ(set(mp_, MP_CTRL_MODE, 0), 0);
    select(1, 2);
    ASSERT_EQ(set(mp_, MP_T_1, 5.0), 0);
    ASSERT_EQ(set(mp_, MP_STATE_CONT, 1), 0);
    const double start = uir::headless::now();
    ASSERT_EQ(press(mp_, MP_START), 0);
    run_until(start + 1);
    ASSERT_EQ(state(1), "2");
    ASSERT_EQ(lamp2(1), 1);

    ASSERT_EQ(press(mp_, MP_RESET), 0);
    EXPECT_EQ(int_value(mp_, MP_START), 0);
    EXPECT_EQ(state(1), "-");
    EXPECT_EQ(lamp2(1), 0) << "the module's reset clears its latches";
    EXPECT_EQ(int_value(mp_, MP_STATE_CONT), 0);
    EXPECT_FALSE(timer_enabled(mp_));
    EXPECT_EQ(int_value(mp_, MP_CTRL_MODE), 1);
    EXPECT_EQ(short_value(mp_, MP_L_1), 0);
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "");

    uir::headless::advance(6);
    ASSERT_EQ(press(mp_, MP_CHECKSTATE), 0);
    EXPECT_EQ(int_value(mp_, MP_START), 0) << "the sequence does not come back";
}

class SimConnectorTest : public SimPanelTest {
  protected:
    std::vector<std::string> run_connector_test() {
        uir::headless::answer_confirm(true);
        EXPECT_EQ(uir::automation::choose_menu_item(mp_, IMNU_INSTR_ZQORM), 0);
        ProcessSystemEvents();
        return textbox_lines(instance_->zqorm_panel, ZQORM_TEXTBOX);
    }
};

TEST_F(SimConnectorTest, PassingTestReportsEveryChannelAndNoFaults) {
    open(sim::default_crate());
    const std::vector<std::string> lines = run_connector_test();
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines.front(), "Проверка QORM...");
    for (int channel = 1; channel <= QORM_CHANNELS; ++channel) {
        EXPECT_THAT(lines[channel], StartsWith("Канал " + std::to_string(channel) + ": "));
    }
    EXPECT_EQ(lines.back(), "Проверка завершена. Ошибок не найдено.");
}

TEST_F(SimConnectorTest, MissingConnectorFailsWithoutAClosingLine) {
    open_file("no-test-connector.yaml");
    const std::vector<std::string> lines = run_connector_test();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines.front(), "Проверка QORM...");
    EXPECT_NE(lines.back(), "Проверка завершена. Ошибок не найдено.");
}

TEST_F(SimConnectorTest, BrokenChannelIsReportedAndTheTestFails) {
    open(sim::default_crate());
    ASSERT_TRUE(sim::break_channel(kCarrier, kPosition, 17));
    std::vector<std::string> lines = run_connector_test();
    ASSERT_EQ(lines.size(), 31u) << "no closing line";
    EXPECT_THAT(lines[17], StartsWith("Канал 17: "));
    EXPECT_EQ(lines[17].find(": линия 1 - норма, линия 2 - норма"), std::string::npos);

    ASSERT_TRUE(sim::break_channel(kCarrier, kPosition, 17, false));
    lines = run_connector_test();
    EXPECT_EQ(lines.size(), 32u) << "a second test replaces the first transcript";
    EXPECT_EQ(lines.back(), "Проверка завершена. Ошибок не найдено.");
}

}  // namespace
}  // namespace qorm_test
