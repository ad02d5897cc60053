#include <gtest/gtest.h>

#include "sim/module.h"
#include "sim_fixture.h"

namespace {

using sim_test::SimTest;

class FaultsTest : public SimTest {};

TEST_F(FaultsTest, NextCallOnlyAndBeforeArgumentChecks) {
    ViSession vi = open_module();
    ASSERT_TRUE(sim::fail_next("kelqorm_state", VI_ERROR_TMO));
    EXPECT_EQ(sim::pending_failures("kelqorm_state"), 1);
    std::array<ViInt16, 30> s;
    s.fill(9);
    EXPECT_EQ(kelqorm.state(vi, s.data()), VI_ERROR_TMO);
    EXPECT_EQ(s[0], 9) << "an injected failure writes nothing";
    EXPECT_EQ(kelqorm.state(vi, s.data()), VI_SUCCESS);
    EXPECT_EQ(sim::pending_failures("kelqorm_state"), 0);

    ASSERT_TRUE(sim::fail_next("kelqorm_manual_cmd", VI_ERROR_TMO));
    EXPECT_EQ(kelqorm.manual_cmd(vi, 99, 9, 9), VI_ERROR_TMO);
    ASSERT_TRUE(sim::fail_next("kelqorm_manual_cmd", VI_ERROR_TMO));
    EXPECT_EQ(kelqorm.manual_cmd(vi, 1, 1, 1), VI_ERROR_TMO);
    EXPECT_EQ(states(vi)[0], 0) << "the failed command did nothing";
}

TEST_F(FaultsTest, CountedAndUntilCleared) {
    ViSession vi = open_module();
    ViInt16 flag = 0;
    ASSERT_TRUE(sim::fail_next("KELQORM_GSTART_Q", VI_ERROR_SYSTEM_ERROR, 3)) << "any case";
    for (int i = 0; i < 3; ++i) EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_ERROR_SYSTEM_ERROR) << i;
    EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_SUCCESS);

    ASSERT_TRUE(sim::fail_always("kelqorm_gstart_q", 0x3FFC0999));
    EXPECT_EQ(sim::pending_failures("kelqorm_gstart_q"), sim::kUntilCleared);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(kelqorm.gstart_q(vi, &flag), 0x3FFC0999);
    ASSERT_TRUE(sim::clear_fault("kelqorm_gstart_q"));
    EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_SUCCESS);

    ASSERT_TRUE(sim::fail_always("viOpen", VI_ERROR_TMO));
    ASSERT_TRUE(sim::fail_always("kelbase_m_type_q", VI_ERROR_TMO));
    sim::clear_faults();
    EXPECT_EQ(sim::pending_failures("viOpen"), 0);
    EXPECT_EQ(sim::pending_failures("kelbase_m_type_q"), 0);
}

TEST_F(FaultsTest, RefusedRequests) {
    EXPECT_FALSE(sim::fail_next("kelqorm_nothing", VI_ERROR_TMO));
    EXPECT_FALSE(sim::fail_next("viOpen", VI_ERROR_TMO, 0));
    EXPECT_FALSE(sim::fail_next("viOpen", VI_ERROR_TMO, -5));
    EXPECT_FALSE(sim::clear_fault("nothing"));
    EXPECT_FALSE(sim::stick_channel("", 0, 1, 1)) << "no module session open";
    EXPECT_FALSE(sim::stick_channel("VXI0::8::INSTR", 1, 1, 1)) << "no QORM at position 1";
    EXPECT_FALSE(sim::stick_channel("VXI0::8::INSTR", 2, 31, 1));
    EXPECT_FALSE(sim::stick_channel("VXI0::8::INSTR", 2, 1, 4));
    EXPECT_FALSE(sim::break_channel("VXI0::99::INSTR", 2, 1));
    EXPECT_EQ(sim::operation_names().size(), 30u);
}

TEST_F(FaultsTest, EveryOperationCanBeMadeToFail) {
    ViSession vi = open_module();
    for (const std::string& op : sim::operation_names()) {
        ASSERT_TRUE(sim::fail_next(op, static_cast<ViStatus>(0xBFFC0777u))) << op;
    }
    ViSession s = 0;
    ViUInt32 count = 0;
    ViInt16 i16 = 0;
    double t = 0;
    char text[256];
    std::array<ViInt16, 30> a{};
    const ViStatus f = static_cast<ViStatus>(0xBFFC0777u);
    EXPECT_EQ(visa.open_default_rm(&s), f);
    EXPECT_EQ(visa.find_rsrc(1, "?*", &s, &count, text), f);
    EXPECT_EQ(visa.find_next(1, text), f);
    EXPECT_EQ(visa.open(1, "VXI0::8::INSTR", 0, 0, &s), f);
    EXPECT_EQ(visa.close(1), f);
    EXPECT_EQ(visa.get_attribute(1, VI_ATTR_SLOT, &i16), f);
    EXPECT_EQ(kelqorm.init(const_cast<char*>("VXI0::8::INSTR"), 1, 1, &s), f);
    EXPECT_EQ(kelqorm.connect(vi, 1, 2, 1, 1), f);
    EXPECT_EQ(kelqorm.close(vi), f);
    EXPECT_EQ(kelqorm.reset(vi), f);
    EXPECT_EQ(kelqorm.self_test(vi, &i16, text), f);
    EXPECT_EQ(kelqorm.error_message(0, 0, text), f);
    EXPECT_EQ(kelqorm.revision_query(vi, text, text), f);
    EXPECT_EQ(kelqorm.manual_cmd(vi, 1, 1, 1), f);
    EXPECT_EQ(kelqorm.manual_group_cmd(vi, 1, a.data()), f);
    EXPECT_EQ(kelqorm.cmd_config(vi, 1, 1, 1.0), f);
    EXPECT_EQ(kelqorm.set_cmd_time(vi, 0, 1.0), f);
    EXPECT_EQ(kelqorm.cmd_time_q(vi, 1, &t), f);
    EXPECT_EQ(kelqorm.config_trigger(vi, 1), f);
    EXPECT_EQ(kelqorm.set_line(vi, 1, 1), f);
    EXPECT_EQ(kelqorm.start(vi, a.data()), f);
    EXPECT_EQ(kelqorm.stop(vi), f);
    EXPECT_EQ(kelqorm.gstart_q(vi, &i16), f);
    EXPECT_EQ(kelqorm.state(vi, a.data()), f);
    EXPECT_EQ(kelqorm.trig_state(vi, a.data()), f);
    EXPECT_EQ(kelqorm.reset_trig(vi, 0), f);
    EXPECT_EQ(kelqorm.sft_interface(vi, nullptr), f);
    EXPECT_EQ(kelqorm.zqorm_test(vi, &i16, text), f);
    EXPECT_EQ(kelbase.init(const_cast<char*>("VXI0::8::INSTR"), 1, 1, &s), f);
    EXPECT_EQ(kelbase.m_type_q(1, 1, &i16, &i16), f);
    for (const std::string& op : sim::operation_names()) {
        EXPECT_EQ(sim::pending_failures(op), 0) << op << " was not called";
    }
}

TEST_F(FaultsTest, StickAndBreakTheModuleOfTheOpenSession) {
    ViSession vi = open_module();
    ASSERT_TRUE(sim::stick_channel("", 0, 4, 2));
    ASSERT_TRUE(sim::break_channel("", 0, 5));
    ASSERT_EQ(kelqorm.manual_cmd(vi, 5, 1, 1), VI_SUCCESS);
    auto s = states(vi);
    EXPECT_EQ(s[3], 2);
    EXPECT_EQ(s[4], 3);
    ASSERT_TRUE(sim::stick_channel("vxi0::8::instr", 2, 4, -1)) << "by carrier, any case";
    ASSERT_TRUE(sim::break_channel("VXI0::8::INSTR", 2, 5, false));
    s = states(vi);
    EXPECT_EQ(s[3], 0);
    EXPECT_EQ(s[4], 1) << "mended, the channel shows the line it was told";
}

TEST_F(FaultsTest, VisaMissingAtRunTime) {
    ViSession vi = open_module();
    sim::set_visa_missing(true);
    EXPECT_TRUE(sim::visa_missing());
    ViSession rm = 0, carrier = 0, m = 0;
    EXPECT_EQ(visa.open_default_rm(&rm), VI_ERROR_LIBRARY_NFOUND);
    EXPECT_EQ(kelbase.init(const_cast<char*>("VXI0::8::INSTR"), 1, 1, &carrier),
              VI_ERROR_LIBRARY_NFOUND);
    EXPECT_EQ(kelqorm.init(const_cast<char*>("VXI0::8::INSTR"), 1, 1, &m), VI_ERROR_LIBRARY_NFOUND);
    ViInt16 flag = 0;
    EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_SUCCESS) << "an open module session goes on";
    char text[KELQORM_TEXT_LEN];
    ASSERT_EQ(kelqorm.error_message(0, VI_ERROR_LIBRARY_NFOUND, text), VI_SUCCESS);
    EXPECT_NE(std::string(text).find("VISA"), std::string::npos);
    sim::set_visa_missing(false);
    EXPECT_EQ(visa.open_default_rm(&rm), VI_SUCCESS);
}

TEST_F(FaultsTest, TextCommands) {
    ViSession vi = open_module();
    ViInt16 flag = 0;
    EXPECT_EQ(sim::fault_command("fail kelqorm_gstart_q VI_ERROR_TMO 2"), "");
    EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_ERROR_TMO);
    EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_ERROR_TMO);
    EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_SUCCESS);

    EXPECT_EQ(sim::fault_command("fail viOpen 0xBFFF0015 always"), "");
    EXPECT_EQ(sim::pending_failures("viOpen"), sim::kUntilCleared);
    EXPECT_EQ(sim::fault_command("  clear   viopen "), "");
    EXPECT_EQ(sim::pending_failures("viOpen"), 0);
    EXPECT_EQ(sim::fault_command("fail kelqorm_state -1073807339"), "");
    std::array<ViInt16, 30> s{};
    EXPECT_EQ(kelqorm.state(vi, s.data()), VI_ERROR_TMO);
    EXPECT_EQ(sim::fault_command("fail kelqorm_reset KELQORM_ERROR_NO_MODULE"), "");
    EXPECT_EQ(kelqorm.reset(vi), sim::kErrorNoModule);

    EXPECT_EQ(sim::fault_command("stick 3 1"), "");
    EXPECT_EQ(states(vi)[2], 1);
    EXPECT_EQ(sim::fault_command("stick 3 -1 VXI0::8::INSTR 2"), "");
    EXPECT_EQ(sim::fault_command("break 6"), "");
    ASSERT_EQ(kelqorm.manual_cmd(vi, 6, 2, 1), VI_SUCCESS);
    EXPECT_EQ(states(vi)[5], 3);
    EXPECT_EQ(sim::fault_command("repair 6 VXI0::8::INSTR 2"), "");
    EXPECT_EQ(states(vi)[5], 2);
    EXPECT_EQ(sim::fault_command("visa missing"), "");
    EXPECT_TRUE(sim::visa_missing());
    EXPECT_EQ(sim::fault_command("VISA present"), "");
    EXPECT_FALSE(sim::visa_missing());

    EXPECT_EQ(sim::fault_command("fail kelqorm_state VI_ERROR_TMO"), "");
    EXPECT_EQ(sim::fault_command("clear"), "");
    EXPECT_EQ(sim::pending_failures("kelqorm_state"), 0);
}

TEST_F(FaultsTest, BadTextCommandsSayWhy) {
    open_module();
    for (const char* bad :
         {"", "explode", "fail", "fail viOpen", "fail nothing VI_ERROR_TMO",
          "fail viOpen VI_ERROR_NOPE", "fail viOpen VI_ERROR_TMO 0",
          "fail viOpen VI_ERROR_TMO sometimes", "clear nothing", "stick 3", "stick x 1",
          "stick 3 9", "stick 3 1 VXI0::8::INSTR", "stick 3 1 VXI0::8::INSTR x", "break 31",
          "repair", "visa", "visa gone"}) {
        EXPECT_NE(sim::fault_command(bad), "") << "'" << bad << "'";
    }
    EXPECT_EQ(sim::pending_failures("viOpen"), 0) << "nothing half done";
}

}  // namespace

namespace {

TEST_F(FaultsTest, RulesOfOneOperationQueueUp) {
    ViSession vi = open_module();
    ASSERT_TRUE(sim::fail_next("kelqorm_reset", VI_ERROR_TMO));
    ASSERT_TRUE(sim::queue_fault("kelqorm_reset", VI_ERROR_RSRC_BUSY, 2));
    EXPECT_FALSE(sim::queue_fault("kelqorm_reset", VI_ERROR_TMO, 0));
    EXPECT_EQ(sim::pending_failures("kelqorm_reset"), 3);
    EXPECT_EQ(kelqorm.reset(vi), VI_ERROR_TMO);
    EXPECT_EQ(kelqorm.reset(vi), VI_ERROR_RSRC_BUSY);
    EXPECT_EQ(kelqorm.reset(vi), VI_ERROR_RSRC_BUSY);
    EXPECT_EQ(kelqorm.reset(vi), VI_SUCCESS);

    // A rule for good ends the queue; fail_next starts it afresh.
    ASSERT_TRUE(sim::queue_fault("kelqorm_stop", VI_ERROR_TMO, sim::kUntilCleared));
    EXPECT_EQ(sim::pending_failures("kelqorm_stop"), sim::kUntilCleared);
    ASSERT_TRUE(sim::fail_next("kelqorm_stop", VI_ERROR_SYSTEM_ERROR));
    EXPECT_EQ(kelqorm.stop(vi), VI_ERROR_SYSTEM_ERROR);
    EXPECT_EQ(kelqorm.stop(vi), VI_SUCCESS);
}

TEST_F(FaultsTest, InjectedWarningLetsTheWorkBeDoneUnlessItFails) {
    ViSession vi = open_module();
    const ViStatus warning = 0x3FFC0101;
    ASSERT_TRUE(sim::fail_next("kelqorm_manual_cmd", warning, 2));
    EXPECT_EQ(kelqorm.manual_cmd(vi, 3, 2, 1), warning);
    EXPECT_EQ(states(vi)[2], 2) << "the channel was switched";
    EXPECT_EQ(kelqorm.manual_cmd(vi, 31, 2, 1), sim::error_parameter(2))
        << "a warning never hides a failure";
    ASSERT_TRUE(sim::fail_next("kelqorm_cmd_time_q", VI_SUCCESS));
    double time = -1;
    EXPECT_EQ(kelqorm.cmd_time_q(vi, 1, &time), VI_SUCCESS);
    EXPECT_DOUBLE_EQ(time, sim::kResetTime) << "a scripted success is an ordinary call";
}

TEST_F(FaultsTest, AStandInTakesTheFaultsAsTheOperationWould) {
    EXPECT_FALSE(sim::take_fault("kelqorm_stop"));
    ASSERT_TRUE(sim::fail_next("kelqorm_stop", VI_ERROR_TMO, 2));
    EXPECT_EQ(sim::take_fault("kelqorm_stop"), VI_ERROR_TMO);
    EXPECT_EQ(sim::pending_failures("kelqorm_stop"), 1);
    EXPECT_EQ(sim::take_fault("kelqorm_stop"), VI_ERROR_TMO);
    EXPECT_FALSE(sim::take_fault("kelqorm_stop"));
    EXPECT_FALSE(sim::take_fault("kelqorm_nothing"));
}

}  // namespace

namespace {

TEST_F(FaultsTest, OnlyTheNthCallFails) {
    ViSession vi = open_module();
    ViInt16 flag = 0;
    EXPECT_EQ(sim::fault_command("fail kelqorm_gstart_q VI_ERROR_TMO after 3"), "");
    EXPECT_EQ(sim::pending_failures("kelqorm_gstart_q"), 1);
    EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_SUCCESS);
    EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_SUCCESS);
    flag = 9;
    EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_ERROR_TMO);
    EXPECT_EQ(flag, 9) << "the failing call writes nothing";
    EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_SUCCESS) << "once only";

    ASSERT_TRUE(sim::fail_nth("kelqorm_state", VI_ERROR_TMO, 1));
    std::array<ViInt16, 30> s{};
    EXPECT_EQ(kelqorm.state(vi, s.data()), VI_ERROR_TMO) << "after 1 is the next call";
    EXPECT_FALSE(sim::fail_nth("kelqorm_state", VI_ERROR_TMO, 0));
    EXPECT_FALSE(sim::fail_nth("kelqorm_nothing", VI_ERROR_TMO, 2));
    for (const char* bad :
         {"fail kelqorm_state VI_ERROR_TMO after",
          "fail kelqorm_state "
          "VI_ERROR_TMO after 0",
          "fail kelqorm_state VI_ERROR_TMO after x", "fail kelqorm_state VI_ERROR_TMO before 2"})
        EXPECT_NE(sim::fault_command(bad), "") << bad;
}

TEST_F(FaultsTest, RawLatchWordsUntilTheLatchesAreCleared) {
    ViSession vi = open_module();
    EXPECT_EQ(sim::fault_command("latch 7 0x8002"), "");
    EXPECT_EQ(sim::fault_command("latch 8 0xFFFF VXI0::8::INSTR 2"), "");
    std::array<ViInt16, 30> l = latches(vi);
    EXPECT_EQ(static_cast<std::uint16_t>(l[6]), 0x8002u);
    EXPECT_EQ(l[7], -1);
    EXPECT_EQ(l[8], 0);
    EXPECT_EQ(sim::fault_command("latch 8 model"), "");
    EXPECT_EQ(latches(vi)[7], 0);
    ASSERT_EQ(kelqorm.reset_trig(vi, 7), VI_SUCCESS);
    EXPECT_EQ(latches(vi)[6], 0) << "clearing the latches clears the word";
    for (const char* bad : {"latch", "latch 7", "latch 31 1", "latch 7 0x10000", "latch 7 -32769",
                            "latch 7 1 VXI0::8::INSTR 3", "latch 7 model extra"})
        EXPECT_NE(sim::fault_command(bad), "") << bad;
}

TEST_F(FaultsTest, MemoryFaultsAreTakenOneAllocationEach) {
    EXPECT_FALSE(sim::take_memory_fault());
    EXPECT_EQ(sim::fault_command("fail memory"), "");
    EXPECT_EQ(sim::fault_command("FAIL MEMORY"), "");
    EXPECT_EQ(sim::pending_memory_faults(), 2);
    EXPECT_TRUE(sim::take_memory_fault());
    sim::clear_faults();
    EXPECT_FALSE(sim::take_memory_fault()) << "clear takes them back";
    EXPECT_NE(sim::fault_command("fail memory 2"), "");
}

}  // namespace

namespace {

TEST_F(FaultsTest, ASilentDriverAnswersWithoutWritingItsOutValues) {
    ViSession vi = open_module();
    ViInt16 flag = 9;
    EXPECT_EQ(sim::fault_command("silent kelqorm_gstart_q 0 2"), "");
    EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_SUCCESS);
    EXPECT_EQ(flag, 9) << "a success that writes nothing";
    EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_SUCCESS);
    EXPECT_EQ(flag, 9);
    EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_SUCCESS);
    EXPECT_EQ(flag, 0) << "then the module answers again";

    ASSERT_TRUE(sim::fail_silently("kelqorm_manual_cmd", 0x3FFC0999));
    EXPECT_EQ(kelqorm.manual_cmd(vi, 1, 1, 1), 0x3FFC0999);
    EXPECT_EQ(states(vi)[0], 0) << "a silent warning does not do the work either";
    for (const char* bad : {"silent", "silent kelqorm_state", "silent kelqorm_nothing 0",
                            "silent kelqorm_state VI_ERROR_NOPE", "silent kelqorm_state 0 0",
                            "silent kelqorm_state 0 1 2"})
        EXPECT_NE(sim::fault_command(bad), "") << bad;
}

}  // namespace
