// The operations under the system's names reach the bound table with exactly their arguments;
// binding replaces the table; an unbound library is the system's.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "bindings.h"
#include "fake/fake.h"
#include "library_places.h"
#include "operations.h"

namespace {

class Forwarding : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::reset();
        fake::bind_all();
    }
    void TearDown() override {
        platform::bind_visa(nullptr);
        platform::bind_kelqorm(nullptr);
        platform::bind_kelbase(nullptr);
    }
};

ViStatus _VI_FUNCH text_callback(ViSession, ViInt16, ViInt32, ViChar[]) {
    return 0;
}

TEST_F(Forwarding, VisaOperationsPassEveryArgument) {
    ViSession rm = 0, vi = 0;
    ViFindList list = 0;
    ViUInt32 count = 0;
    char desc[VI_FIND_BUFLEN];
    ViInt16 slot = 0;
    EXPECT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);
    EXPECT_EQ(viFindRsrc(rm, "?*VXI[0-9]*::?*INSTR", &list, &count, desc), VI_SUCCESS);
    EXPECT_EQ(viFindNext(list, desc), VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(viOpen(rm, "vxi0::8::instr", 0, 2000, &vi), VI_SUCCESS);
    EXPECT_EQ(viGetAttribute(vi, VI_ATTR_SLOT, &slot), VI_SUCCESS);
    EXPECT_EQ(viClose(vi), VI_SUCCESS);
    EXPECT_EQ(fake::calls(), (std::vector<std::string>{
                                 "viOpenDefaultRM()",
                                 "viFindRsrc(1, \"?*VXI[0-9]*::?*INSTR\")",
                                 "viFindNext(2)",
                                 "viOpen(1, \"vxi0::8::instr\", 0, 2000)",
                                 "viGetAttribute(3, VI_ATTR_SLOT)",
                                 "viClose(3)",
                             }));
    EXPECT_EQ(slot, 2);
}

TEST_F(Forwarding, ModuleDriverOperationsPassEveryArgument) {
    ViSession vi = 0;
    ViInt16 result = 0, running = 0;
    ViReal64 time = 0;
    char text[KELQORM_TEXT_LEN], drv[KELQORM_REVISION_LEN], hw[KELQORM_REVISION_LEN];
    std::array<ViInt16, 30> codes{};
    codes[0] = 1;
    codes[1] = 2;
    char resource[] = "VXI0::8::INSTR";
    for (ViSession carrier = 1; carrier <= 3; ++carrier) ASSERT_EQ(fake::open_session(), carrier);
    kelqorm_init(resource, 1, 0, &vi);
    kelqorm_connect(vi, 3, 2, 0, 1);
    kelqorm_close(9);
    kelqorm_reset(8);
    kelqorm_self_test(7, &result, text);
    kelqorm_error_message(0, VI_ERROR_TMO, text);
    kelqorm_revision_query(6, drv, hw);
    kelqorm_manual_cmd(5, 7, 2, 1);
    kelqorm_manual_group_cmd(5, 0, codes.data());
    kelqorm_cmd_config(5, 30, 1, 0.75);
    kelqorm_set_cmd_time(5, 0, 6.375);
    kelqorm_cmd_time_q(5, 4, &time);
    kelqorm_config_trigger(5, 1);
    kelqorm_set_line(5, 12, 2);
    kelqorm_start(5, codes.data());
    kelqorm_stop(4);
    kelqorm_gstart_q(3, &running);
    kelqorm_state(2, codes.data());
    kelqorm_trig_state(1, codes.data());
    kelqorm_reset_trig(5, 0);
    kelqorm_sft_interface(5, text_callback);
    kelqorm_zqorm_test(5, &result, text);
    EXPECT_EQ(fake::calls(), (std::vector<std::string>{
                                 "kelqorm_init(\"VXI0::8::INSTR\", 1, 0)",
                                 "kelqorm_connect(5, 3, 2, 0, 1)",
                                 "kelqorm_close(9)",
                                 "kelqorm_reset(8)",
                                 "kelqorm_self_test(7)",
                                 "kelqorm_error_message(0, 0xBFFF0015)",
                                 "kelqorm_revision_query(6)",
                                 "kelqorm_manual_cmd(5, 7, 2, 1)",
                                 "kelqorm_manual_group_cmd(5, 0, [1 2 0*28])",
                                 "kelqorm_cmd_config(5, 30, 1, 0.75)",
                                 "kelqorm_set_cmd_time(5, 0, 6.375)",
                                 "kelqorm_cmd_time_q(5, 4)",
                                 "kelqorm_config_trigger(5, 1)",
                                 "kelqorm_set_line(5, 12, 2)",
                                 "kelqorm_start(5, [1 2 0*28])",
                                 "kelqorm_stop(4)",
                                 "kelqorm_gstart_q(3)",
                                 "kelqorm_state(2)",
                                 "kelqorm_trig_state(1)",
                                 "kelqorm_reset_trig(5, 0)",
                                 "kelqorm_sft_interface(5, callback)",
                                 "kelqorm_zqorm_test(5)",
                             }));
    EXPECT_EQ(vi, 5u);
    EXPECT_DOUBLE_EQ(time, 6.375);
}

TEST_F(Forwarding, CarrierDriverOperationsPassEveryArgument) {
    ViSession carrier = 0;
    ViInt16 present = 0, type = 0;
    char resource[] = "VXI0::8::INSTR";
    EXPECT_EQ(kelbase_init(resource, 1, 1, &carrier), VI_SUCCESS);
    EXPECT_EQ(kelbase_m_type_q(carrier, 3, &present, &type), VI_SUCCESS);
    EXPECT_EQ(fake::calls(), (std::vector<std::string>{"kelbase_init(\"VXI0::8::INSTR\", 1, 1)",
                                                       "kelbase_m_type_q(1, 3)"}));
}

TEST_F(Forwarding, StatusesAndOutValuesComeBackUnchanged) {
    ASSERT_EQ(fake::open_module(fake::open_session()), 5u);
    fake::fail("kelqorm_start", 0x3FFC0101);
    fake::fail("kelqorm_stop", VI_ERROR_TMO);
    sim::fitted("", 0)->readback.states[29] = 3;
    std::array<ViInt16, 30> codes{};
    EXPECT_EQ(kelqorm_start(5, codes.data()), 0x3FFC0101);
    EXPECT_EQ(kelqorm_stop(5), VI_ERROR_TMO);
    EXPECT_EQ(kelqorm_state(5, codes.data()), VI_SUCCESS);
    EXPECT_EQ(codes[29], 3);
}

// A hand-made table that answers every VISA call with a status of its own.
ViStatus QORM_VI_FUNC answer_open_rm(ViSession* vi) {
    *vi = 99;
    return 7;
}

TEST_F(Forwarding, BindingAgainReplacesTheTable) {
    platform::VisaApi other = *fake::visa_table();
    other.origin = "other";
    other.open_default_rm = answer_open_rm;
    EXPECT_EQ(platform::bind_visa(&other), VI_SUCCESS);
    ViSession rm = 0;
    EXPECT_EQ(viOpenDefaultRM(&rm), 7);
    EXPECT_EQ(rm, 99u);
    EXPECT_EQ(fake::count("viOpenDefaultRM"), 0);
    EXPECT_STREQ(platform::visa_api().origin, "other");
    // A table that leaves an operation empty is refused when it is bound, and the table bound
    // before stays.
    platform::VisaApi partial = other;
    partial.origin = "partial";
    partial.close = nullptr;
    std::string problem;
    EXPECT_EQ(platform::bind_visa(&partial, &problem), VI_ERROR_NSUP_OPER);
    EXPECT_EQ(problem, "VISA (partial): в таблице нет операции viClose, таблица не привязана");
    EXPECT_STREQ(platform::visa_api().origin, "other");

    fake::bind_all();
    EXPECT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);
    EXPECT_EQ(fake::count("viOpenDefaultRM"), 1);
}

TEST_F(Forwarding, EveryLibraryRefusesATableWithAnEmptyEntry) {
    platform::KelqormApi module = *fake::kelqorm_table();
    module.origin = "hand";
    module.zqorm_test = nullptr;
    module.state = nullptr;
    std::string problem;
    EXPECT_EQ(platform::missing_operation(module), "kelqorm_state");
    EXPECT_EQ(platform::bind_kelqorm(&module, &problem), VI_ERROR_NSUP_OPER);
    EXPECT_EQ(problem,
              "драйвер модуля (hand): в таблице нет операции kelqorm_state, таблица не привязана");
    platform::KelbaseApi carrier = *fake::kelbase_table();
    carrier.origin = "hand";
    carrier.m_type_q = nullptr;
    EXPECT_EQ(platform::bind_kelbase(&carrier, &problem), VI_ERROR_NSUP_OPER);
    EXPECT_EQ(problem,
              "драйвер носителя (hand): в таблице нет операции kelbase_m_type_q, таблица не "
              "привязана");
    // The fake stays bound.
    std::array<ViInt16, 30> states{};
    kelqorm_state(5, states.data());
    EXPECT_EQ(fake::count("kelqorm_state"), 1);
    EXPECT_EQ(&platform::kelbase_api(), fake::kelbase_table());
    EXPECT_TRUE(platform::missing_operation(*fake::kelqorm_table()).empty());
    EXPECT_EQ(platform::bind_kelqorm(nullptr, &problem), VI_SUCCESS) << "unbinding is no table";
    EXPECT_EQ(problem, "");
}

TEST(Operations, ThirtyTwoBitExportNamesCountTheArgumentBytes) {
    // Four bytes an argument, pointers included, eight for a time.
    EXPECT_EQ(platform::decorated_name<&platform::VisaApi::open_default_rm>(), "viOpenDefaultRM@4");
    EXPECT_EQ(platform::decorated_name<&platform::VisaApi::find_rsrc>(), "viFindRsrc@20");
    EXPECT_EQ(platform::decorated_name<&platform::VisaApi::get_attribute>(), "viGetAttribute@12");
    EXPECT_EQ(platform::decorated_name<&platform::KelqormApi::cmd_config>(),
              "kelqorm_cmd_config@20");
    EXPECT_EQ(platform::decorated_name<&platform::KelqormApi::set_cmd_time>(),
              "kelqorm_set_cmd_time@16");
    EXPECT_EQ(platform::decorated_name<&platform::KelqormApi::sft_interface>(),
              "kelqorm_sft_interface@8");
    EXPECT_EQ(platform::decorated_name<&platform::KelbaseApi::m_type_q>(), "kelbase_m_type_q@16");
}

TEST_F(Forwarding, SimulatedWhenAnyBoundTableIsSimulated) {
    EXPECT_FALSE(platform::simulated());
    platform::KelbaseApi sim = *fake::kelbase_table();
    sim.origin = "sim";
    sim.simulated = true;
    platform::bind_kelbase(&sim);
    EXPECT_TRUE(platform::simulated());
    platform::bind_kelbase(nullptr);
    EXPECT_FALSE(platform::simulated());
}

TEST(Unbound, AnUnboundLibraryIsTheSystemOne) {
    platform::bind_visa(nullptr);
    platform::bind_kelqorm(nullptr);
    platform::bind_kelbase(nullptr);
    EXPECT_EQ(&platform::visa_api(), platform::system_visa());
    EXPECT_EQ(&platform::kelqorm_api(), platform::system_kelqorm());
    EXPECT_EQ(&platform::kelbase_api(), platform::system_kelbase());
    EXPECT_STREQ(platform::system_kelqorm()->origin, "system");
    EXPECT_FALSE(platform::simulated());
}

// The module and carrier drivers are not installed on a build machine: their system tables
// report the library missing, and the module driver's error text says which.
TEST(Unbound, MissingSystemDriverFailsEveryCallWithItsName) {
    platform::bind_kelqorm(nullptr);
    platform::bind_kelbase(nullptr);
    std::array<ViInt16, 30> states{};
    EXPECT_EQ(kelqorm_state(5, states.data()), VI_ERROR_LIBRARY_NFOUND);
    EXPECT_EQ(kelqorm_stop(5), VI_ERROR_LIBRARY_NFOUND);
    char text[KELQORM_TEXT_LEN] = "";
    EXPECT_EQ(kelqorm_error_message(0, VI_ERROR_LIBRARY_NFOUND, text), VI_ERROR_LIBRARY_NFOUND);
    const std::string named = std::string("Не найдена библиотека ") + platform::places::kKelqormLibrary;
#ifdef _WIN32
    // Windows' reason for the last place searched follows the name.
    EXPECT_EQ(std::string(text).rfind(named + " (", 0), 0u) << text;
#else
    EXPECT_EQ(text, named);
#endif
    const std::string problem = platform::system_load_problem("kelqorm");
    // Every place searched is named in the problem, each with the system's reason.
    const std::vector<std::string> places = platform::places::kelqorm();
    for (const std::string& place : places)
        EXPECT_NE(problem.find(place), std::string::npos) << place << " in " << problem;

    ViSession carrier = 123;
    char resource[] = "VXI0::8::INSTR";
    EXPECT_EQ(kelbase_init(resource, 1, 1, &carrier), VI_ERROR_LIBRARY_NFOUND);
    EXPECT_EQ(carrier, 123u);
    EXPECT_NE(platform::system_load_problem("kelbase").find(platform::places::kKelbaseLibrary),
              std::string::npos);
}

TEST(Unbound, LoadProblemOfAnUnknownLibraryNamesIt) {
    EXPECT_NE(platform::system_load_problem("gpib").find("gpib"), std::string::npos);
    EXPECT_FALSE(platform::system_load_problem(nullptr).empty());
}

}  // namespace
