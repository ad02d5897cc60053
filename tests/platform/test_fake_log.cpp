// The recording fake's log, scripted statuses, hooks and reset.
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "fake_fixture.h"
#include "sim/status.h"

namespace {

using Log = FakeTest;
using Scripts = FakeTest;
using Hooks = FakeTest;

TEST_F(Log, RecordsOperationArgumentsStatusAndText) {
    fake::fail("kelqorm_manual_cmd", VI_ERROR_TMO);
    kelqorm_manual_cmd(5, 7, 2, 1);
    kelqorm_reset_trig(5, 0);
    const auto& log = fake::log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].op, "kelqorm_manual_cmd");
    EXPECT_EQ(log[0].args, (std::vector<std::string>{"5", "7", "2", "1"}));
    EXPECT_EQ(log[0].status, VI_ERROR_TMO);
    EXPECT_EQ(log[0].text, "kelqorm_manual_cmd(5, 7, 2, 1)");
    EXPECT_EQ(log[1].text, "kelqorm_reset_trig(5, 0)");
    EXPECT_EQ(log[1].status, VI_SUCCESS);
}

TEST_F(Log, HelpersSelectByOperation) {
    kelqorm_stop(5);
    kelqorm_reset_trig(5, 3);
    kelqorm_stop(6);
    EXPECT_EQ(fake::count("kelqorm_stop"), 2);
    EXPECT_EQ(fake::count("kelqorm_start"), 0);
    EXPECT_EQ(fake::calls("kelqorm_stop"),
              (std::vector<std::string>{"kelqorm_stop(5)", "kelqorm_stop(6)"}));
    EXPECT_EQ(fake::records("kelqorm_reset_trig").at(0).args.at(1), "3");
    EXPECT_EQ(fake::last("kelqorm_stop"), "kelqorm_stop(6)");
    EXPECT_EQ(fake::last(), "kelqorm_stop(6)");
    EXPECT_EQ(fake::last("kelqorm_start"), "");
    fake::clear_log();
    EXPECT_TRUE(fake::calls().empty());
    EXPECT_EQ(fake::last(), "");
}

TEST_F(Log, MisspeltOperationNameThrows) {
    EXPECT_THROW(fake::count("kelqorm_stat"), std::invalid_argument);
    EXPECT_THROW(fake::fail("kelqorm_Stop", VI_ERROR_TMO), std::invalid_argument);
    EXPECT_THROW(fake::calls("viopen"), std::invalid_argument);
    EXPECT_THROW(fake::last("x"), std::invalid_argument);
    EXPECT_THROW(fake::clear_failures("x"), std::invalid_argument);
}

TEST_F(Scripts, FailNextTimesThenNormalAgain) {
    sim::fitted("", 0)->readback.run_flag = 1;
    fake::fail("kelqorm_gstart_q", VI_ERROR_TMO, 2);
    ViInt16 running = -5;
    EXPECT_EQ(kelqorm_gstart_q(5, &running), VI_ERROR_TMO);
    EXPECT_EQ(running, -5);  // a failed call has no effect
    EXPECT_EQ(kelqorm_gstart_q(5, &running), VI_ERROR_TMO);
    EXPECT_EQ(kelqorm_gstart_q(5, &running), VI_SUCCESS);
    EXPECT_EQ(running, 1);
}

TEST_F(Scripts, FailForeverUntilCleared) {
    fake::fail("kelqorm_stop", VI_ERROR_SYSTEM_ERROR, -1);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(kelqorm_stop(5), VI_ERROR_SYSTEM_ERROR);
    fake::clear_failures("kelqorm_stop");
    EXPECT_EQ(kelqorm_stop(5), VI_SUCCESS);

    fake::fail("kelqorm_stop", VI_ERROR_TMO, -1);
    fake::clear_log();  // the log goes, the script stays
    EXPECT_EQ(kelqorm_stop(5), VI_ERROR_TMO);
    fake::reset();
    fake::open_module(fake::open_session());
    EXPECT_EQ(kelqorm_stop(5), VI_SUCCESS);
}

TEST_F(Scripts, ScriptsOfOneOperationQueueUp) {
    fake::fail("kelqorm_reset", VI_ERROR_TMO);
    fake::fail("kelqorm_reset", VI_ERROR_RSRC_BUSY, 2);
    fake::fail("kelqorm_reset", VI_ERROR_SYSTEM_ERROR, 0);  // scripts nothing
    EXPECT_EQ(kelqorm_reset(5), VI_ERROR_TMO);
    EXPECT_EQ(kelqorm_reset(5), VI_ERROR_RSRC_BUSY);
    EXPECT_EQ(kelqorm_reset(5), VI_ERROR_RSRC_BUSY);
    EXPECT_EQ(kelqorm_reset(5), VI_SUCCESS);
}

TEST_F(Scripts, OtherOperationsAreNotAffected) {
    fake::fail("kelqorm_state", VI_ERROR_TMO);
    std::array<ViInt16, 30> latches{};
    EXPECT_EQ(kelqorm_trig_state(5, latches.data()), VI_SUCCESS);
    EXPECT_EQ(kelqorm_state(5, latches.data()), VI_ERROR_TMO);
}

TEST_F(Scripts, WarningLetsTheCallTakeEffect) {
    const ViStatus warning = 0x3FFC0101;
    fake::fail("kelqorm_cmd_config", warning);
    fake::fail("kelqorm_cmd_time_q", warning);
    ViReal64 time = 0;
    EXPECT_EQ(kelqorm_cmd_config(5, 3, 1, 0.5), warning);
    EXPECT_EQ(kelqorm_cmd_time_q(5, 3, &time), warning);
    EXPECT_DOUBLE_EQ(time, 0.5);
}

TEST_F(Scripts, WarningDoesNotHideAFailedEffect) {
    fake::fail("viOpen", 0x3FFF0077);
    ViSession rm = 0, vi = 0;
    viOpenDefaultRM(&rm);
    EXPECT_EQ(viOpen(rm, "VXI0::99::INSTR", 0, 0, &vi), VI_ERROR_RSRC_NFOUND);
}

TEST_F(Hooks, HookReplacesTheDefaultEffect) {
    sim::Crate crate = fake::default_crate();
    crate.first_module_session = 2;
    sim::install(crate);
    fake::open_module(fake::open_session());
    sim::fitted("", 0)->readback.states.fill(1);
    fake::hooks().kelqorm_state = [](ViSession vi, ViInt16* states) {
        states[0] = static_cast<ViInt16>(vi);
        return static_cast<ViStatus>(0x3FFC0200);
    };
    std::array<ViInt16, 30> states{};
    EXPECT_EQ(kelqorm_state(2, states.data()), 0x3FFC0200);
    EXPECT_EQ(states[0], 2);
    EXPECT_EQ(states[1], 0);
    EXPECT_EQ(fake::last(), "kelqorm_state(2)");
    EXPECT_EQ(fake::log().back().status, 0x3FFC0200);

    fake::hooks().kelqorm_state = nullptr;
    EXPECT_EQ(kelqorm_state(2, states.data()), VI_SUCCESS);
    EXPECT_EQ(states[1], 1);
}

TEST_F(Hooks, ScriptedFailureComesBeforeTheHook) {
    int hook_calls = 0;
    fake::hooks().kelqorm_stop = [&](ViSession) {
        ++hook_calls;
        return VI_SUCCESS;
    };
    fake::fail("kelqorm_stop", VI_ERROR_TMO);
    EXPECT_EQ(kelqorm_stop(5), VI_ERROR_TMO);
    EXPECT_EQ(hook_calls, 0);
    EXPECT_EQ(kelqorm_stop(5), VI_SUCCESS);
    EXPECT_EQ(hook_calls, 1);
}

TEST_F(Hooks, CallsMadeInsideAHookAreLoggedAfterIt) {
    fake::hooks().kelqorm_reset = [](ViSession vi) { return kelqorm_stop(vi); };
    fake::fail("kelqorm_stop", VI_ERROR_TMO);
    EXPECT_EQ(kelqorm_reset(5), VI_ERROR_TMO);
    EXPECT_EQ(fake::calls(), (std::vector<std::string>{"kelqorm_reset(5)", "kelqorm_stop(5)"}));
    EXPECT_EQ(fake::log()[0].status, VI_ERROR_TMO);
}

TEST_F(Hooks, HookMayResetTheFakeWhileItRuns) {
    fake::hooks().kelqorm_close = [](ViSession) {
        fake::reset();
        sim::Crate crate = fake::default_crate();
        crate.first_module_session = 1;
        sim::install(crate);
        fake::open_module(fake::open_session());
        kelqorm_stop(1);
        return VI_SUCCESS;
    };
    EXPECT_EQ(kelqorm_close(5), VI_SUCCESS);
    // The close was logged before the reset and is gone; the stop stays untouched.
    EXPECT_EQ(fake::calls(), std::vector<std::string>{"kelqorm_stop(1)"});
    EXPECT_EQ(fake::log()[0].status, VI_SUCCESS);
}

TEST_F(Hooks, ThrowingHookGivesSystemError) {
    fake::hooks().viClose = [](ViObject) -> ViStatus { throw std::runtime_error("boom"); };
    EXPECT_EQ(viClose(3), VI_ERROR_SYSTEM_ERROR);
    EXPECT_EQ(fake::log().back().status, VI_ERROR_SYSTEM_ERROR);
}

TEST_F(Log, ResetRestoresTheCrateAndForgetsHooksAndScripts) {
    sim::fitted("", 0)->readback.states[3] = 2;
    sim::install(sim::Crate{});
    fake::hooks().kelqorm_stop = [](ViSession) { return VI_ERROR_TMO; };
    fake::fail("kelqorm_reset", VI_ERROR_TMO, -1);
    kelqorm_stop(5);
    fake::reset();
    EXPECT_TRUE(fake::log().empty());
    EXPECT_TRUE(fake::open_sessions().empty());
    EXPECT_EQ(sim::pending_failures("kelqorm_reset"), 0);
    ViSession vi = fake::open_module(fake::open_session(), 3);
    EXPECT_EQ(vi, 5u) << "sessions count from 5 again";
    EXPECT_EQ(kelqorm_stop(vi), VI_SUCCESS) << "the hook is gone";
    std::array<ViInt16, 30> states{};
    states.fill(-1);
    EXPECT_EQ(kelqorm_state(vi, states.data()), VI_SUCCESS);
    EXPECT_EQ(states[3], 0);
    EXPECT_EQ(fake::open_sessions(), std::vector<ViSession>{1});
}

TEST_F(Log, OutValuesOfACallThatDidNotFailAreKept) {
    char text[KELQORM_TEXT_LEN] = "";
    ViInt16 states[30] = {};
    sim::fitted("", 0)->readback.states[6] = 3;
    kelqorm_state(5, states);
    kelqorm_error_message(0, VI_ERROR_TMO, text);
    fake::fail("kelqorm_state", VI_ERROR_TMO);
    kelqorm_state(5, states);
    const auto& log = fake::log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].outs, std::vector<std::string>{"[0*6 3 0*23]"});
    EXPECT_EQ(log[1].outs, std::vector<std::string>{"\"" + sim::status_text(VI_ERROR_TMO) + "\""});
    EXPECT_TRUE(log[2].outs.empty()) << "a failed call's out-values mean nothing";
}

ViStatus _VI_FUNCH poll_from_the_callback(ViSession vi, ViInt16, ViInt32, ViChar[]) {
    std::array<ViInt16, 30> states{};
    return kelqorm_state(vi, states.data());
}

TEST_F(Log, CallsFromTheTextCallbackAreLoggedAfterTheTest) {
    kelqorm_sft_interface(5, poll_from_the_callback);
    fake::clear_log();
    ViInt16 result = -1;
    std::array<char, KELQORM_TEXT_LEN> text{};
    EXPECT_EQ(kelqorm_zqorm_test(5, &result, text.data()), VI_SUCCESS);
    const std::vector<std::string> calls = fake::calls();
    ASSERT_EQ(calls.size(), 31u) << "the test, then a poll for each of the 30 lines";
    EXPECT_EQ(calls.front(), "kelqorm_zqorm_test(5)");
    EXPECT_EQ(calls.back(), "kelqorm_state(5)");
    EXPECT_EQ(fake::log().front().status, VI_SUCCESS);
}

TEST_F(Hooks, HookTakesTheScriptedWarningOfItsOperation) {
    const ViStatus warning = 0x3FFC0101;
    fake::hooks().kelqorm_reset = [](ViSession) { return VI_SUCCESS; };
    fake::fail("kelqorm_reset", warning);
    EXPECT_EQ(kelqorm_reset(5), warning);
    fake::hooks().kelqorm_reset = [](ViSession) { return VI_ERROR_TMO; };
    fake::fail("kelqorm_reset", warning);
    EXPECT_EQ(kelqorm_reset(5), VI_ERROR_TMO) << "a warning never hides a failure";
}

TEST_F(Log, BindAllBindsTheFakeNotSimulated) {
    EXPECT_STREQ(platform::kelqorm_api().origin, "fake");
    EXPECT_STREQ(platform::visa_api().origin, "fake");
    EXPECT_STREQ(platform::kelbase_api().origin, "fake");
    EXPECT_EQ(&platform::kelqorm_api(), fake::kelqorm_table());
    EXPECT_FALSE(platform::simulated());
}

}  // namespace
