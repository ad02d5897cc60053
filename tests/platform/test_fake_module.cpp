// The fake module driver's answers and argument checks.
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "fake_fixture.h"

namespace {

using ModuleFake = FakeTest;

TEST_F(ModuleFake, OpeningGivesTheScriptedSessionAndConnectStatus) {
    fake::module().session = 12;
    fake::module().connect_status = 0x3FFC0101;
    ViSession vi = 0;
    char resource[] = "VXI0::8::INSTR";
    EXPECT_EQ(kelqorm_init(resource, 1, 1, &vi), VI_SUCCESS);
    EXPECT_EQ(vi, 12u);
    EXPECT_EQ(kelqorm_connect(vi, 3, 2, 1, 1), 0x3FFC0101);
}

TEST_F(ModuleFake, ErrorTextsAreDeterministicAndSettable) {
    std::array<char, KELQORM_TEXT_LEN> text{};
    EXPECT_EQ(kelqorm_error_message(0, VI_ERROR_RSRC_NFOUND, text.data()), VI_SUCCESS);
    EXPECT_STREQ(text.data(), "Ошибка BFFF0011");
    kelqorm_error_message(0, 0x3FFC0101, text.data());
    EXPECT_STREQ(text.data(), "Ошибка 3FFC0101");
    fake::module().error_texts[VI_ERROR_TMO] = "Нет ответа модуля";
    kelqorm_error_message(0, VI_ERROR_TMO, text.data());
    EXPECT_STREQ(text.data(), "Нет ответа модуля");
}

TEST_F(ModuleFake, LongTextsAreCutToTheCallersBuffer) {
    fake::module().error_texts[VI_ERROR_TMO] = std::string(400, 'e');
    fake::module().hardware_revision = std::string(100, 'h');
    std::array<char, KELQORM_TEXT_LEN + 8> text;
    text.fill('Z');
    kelqorm_error_message(0, VI_ERROR_TMO, text.data());
    EXPECT_EQ(std::strlen(text.data()), KELQORM_TEXT_LEN - 1u);
    EXPECT_EQ(text[KELQORM_TEXT_LEN], 'Z');

    std::array<char, KELQORM_REVISION_LEN> drv{};
    std::array<char, KELQORM_REVISION_LEN + 8> hw;
    hw.fill('Z');
    kelqorm_revision_query(0, drv.data(), hw.data());
    EXPECT_STREQ(drv.data(), "1.0");
    EXPECT_EQ(std::strlen(hw.data()), KELQORM_REVISION_LEN - 1u);
    EXPECT_EQ(hw[KELQORM_REVISION_LEN], 'Z');
}

TEST_F(ModuleFake, RevisionsCanBeEmptyOrLeftUntouched) {
    std::array<char, KELQORM_REVISION_LEN> drv{}, hw{};
    kelqorm_revision_query(0, drv.data(), hw.data());
    EXPECT_STREQ(drv.data(), "1.0");
    EXPECT_STREQ(hw.data(), "4.1");
    fake::module().driver_revision = "";
    fake::module().hardware_revision.reset();
    std::strcpy(hw.data(), "mine");
    kelqorm_revision_query(0, drv.data(), hw.data());
    EXPECT_STREQ(drv.data(), "");
    EXPECT_STREQ(hw.data(), "mine");
}

TEST_F(ModuleFake, SelfTestTextUntouchedUnlessScripted) {
    std::array<char, KELQORM_TEXT_LEN> text{};
    std::strcpy(text.data(), "Самоконтроль завершен успешно");
    ViInt16 result = -1;
    EXPECT_EQ(kelqorm_self_test(5, &result, text.data()), VI_SUCCESS);
    EXPECT_EQ(result, 0);
    EXPECT_STREQ(text.data(), "Самоконтроль завершен успешно");
    fake::module().self_test_result = 3;
    fake::module().self_test_text = "Неисправен канал 3";
    kelqorm_self_test(5, &result, text.data());
    EXPECT_EQ(result, 3);
    EXPECT_STREQ(text.data(), "Неисправен канал 3");
}

TEST_F(ModuleFake, StatesLatchesAndRunFlagComeFromTheScript) {
    fake::module().running = 1;
    fake::module().states[6] = 3;
    fake::module().latches[29] = 2;
    ViInt16 running = 0;
    std::array<ViInt16, 30> states, latches;
    states.fill(-1);
    latches.fill(-1);
    kelqorm_gstart_q(5, &running);
    kelqorm_state(5, states.data());
    kelqorm_trig_state(5, latches.data());
    EXPECT_EQ(running, 1);
    EXPECT_EQ(states[6], 3);
    EXPECT_EQ(states[0], 0);
    EXPECT_EQ(latches[29], 2);
    EXPECT_EQ(latches[0], 0);
}

TEST_F(ModuleFake, LatchResetClearsOneChannelOrAll) {
    fake::module().latches.fill(3);
    kelqorm_reset_trig(5, 7);
    EXPECT_EQ(fake::module().latches[6], 0);
    EXPECT_EQ(fake::module().latches[5], 3);
    EXPECT_EQ(fake::module().latches[7], 3);
    kelqorm_reset_trig(5, 0);
    for (ViInt16 w : fake::module().latches) EXPECT_EQ(w, 0);
}

TEST_F(ModuleFake, TimeQueryReportsTheLastConfiguredTime) {
    ViReal64 time = -1;
    kelqorm_cmd_config(5, 4, 1, 0.3);
    kelqorm_cmd_time_q(5, 4, &time);
    EXPECT_DOUBLE_EQ(time, 0.3);
    kelqorm_set_cmd_time(5, 0, 1.25);
    kelqorm_cmd_time_q(5, 30, &time);
    EXPECT_DOUBLE_EQ(time, 1.25);
    kelqorm_set_cmd_time(5, 2, 2.5);
    EXPECT_DOUBLE_EQ(fake::module().times[1], 2.5);
    EXPECT_DOUBLE_EQ(fake::module().times[2], 1.25);
    // A module that quantizes: the reported time differs from the one asked for.
    fake::module().reported_times[3] = 0.3;
    kelqorm_cmd_config(5, 4, 1, 0.31);
    kelqorm_cmd_time_q(5, 4, &time);
    EXPECT_DOUBLE_EQ(time, 0.3);
    EXPECT_DOUBLE_EQ(fake::module().times[3], 0.31);
}

TEST_F(ModuleFake, FailedTimeQueryLeavesTheOutValue) {
    fake::fail("kelqorm_cmd_time_q", VI_ERROR_TMO);
    ViReal64 time = 9.5;
    EXPECT_EQ(kelqorm_cmd_time_q(5, 1, &time), VI_ERROR_TMO);
    EXPECT_DOUBLE_EQ(time, 9.5);
}

// The transcript a text callback collects, as the connector test's text box would.
std::vector<std::string> g_lines;
std::vector<int> g_channels;

ViStatus _VI_FUNCH collect(ViSession, ViInt16 channel, ViInt32 kind, ViChar line[]) {
    g_lines.push_back(line);
    g_channels.push_back(channel * 10 + kind);
    return 0;
}

class LoopBack : public FakeTest {
  protected:
    void SetUp() override {
        FakeTest::SetUp();
        g_lines.clear();
        g_channels.clear();
    }
};

TEST_F(LoopBack, LinesGoThroughTheInstalledCallbackInOrder) {
    fake::module().loopback_lines = {{"Проверка канала 1"},
                                     {"Канал 2: обрыв", 2, KELQORM_LINE_FAULT}};
    fake::module().loopback_result = 1;
    ViInt16 result = 0;
    std::array<char, KELQORM_TEXT_LEN> text{};
    std::strcpy(text.data(), "untouched");
    kelqorm_sft_interface(5, collect);
    EXPECT_EQ(kelqorm_zqorm_test(5, &result, text.data()), VI_SUCCESS);
    EXPECT_EQ(g_lines, (std::vector<std::string>{"Проверка канала 1", "Канал 2: обрыв"}));
    EXPECT_EQ(g_channels, (std::vector<int>{0, 21}));
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(text.data(), "untouched");
}

TEST_F(LoopBack, NoCallbackNoLines) {
    fake::module().loopback_lines = {{"строка"}};
    ViInt16 result = 5;
    std::array<char, KELQORM_TEXT_LEN> text{};
    kelqorm_sft_interface(5, collect);
    kelqorm_sft_interface(5, nullptr);
    EXPECT_EQ(fake::last("kelqorm_sft_interface"), "kelqorm_sft_interface(5, null)");
    kelqorm_zqorm_test(5, &result, text.data());
    EXPECT_TRUE(g_lines.empty());
    EXPECT_EQ(result, 0);
}

ViStatus _VI_FUNCH collect_and_poll(ViSession vi, ViInt16, ViInt32, ViChar line[]) {
    g_lines.push_back(line);
    std::array<ViInt16, 30> states{};
    return kelqorm_state(vi, states.data());
}

TEST_F(LoopBack, CallsFromTheCallbackAreLoggedAfterTheTest) {
    fake::module().loopback_lines = {{"a"}, {"b"}};
    ViInt16 result = 0;
    std::array<char, KELQORM_TEXT_LEN> text{};
    kelqorm_sft_interface(5, collect_and_poll);
    fake::clear_log();
    kelqorm_zqorm_test(5, &result, text.data());
    EXPECT_EQ(fake::calls(), (std::vector<std::string>{"kelqorm_zqorm_test(5)", "kelqorm_state(5)",
                                                       "kelqorm_state(5)"}));
}

TEST_F(LoopBack, HookCanSendItsOwnLines) {
    fake::hooks().kelqorm_zqorm_test = [](ViSession vi, ViInt16* result, ViChar*) {
        fake::send_line(vi, {"из крючка", 30, KELQORM_LINE_PROGRESS});
        *result = 7;
        return VI_SUCCESS;
    };
    kelqorm_sft_interface(5, collect);
    ViInt16 result = 0;
    std::array<char, KELQORM_TEXT_LEN> text{};
    kelqorm_zqorm_test(5, &result, text.data());
    EXPECT_EQ(g_lines, std::vector<std::string>{"из крючка"});
    EXPECT_EQ(g_channels, std::vector<int>{300});
    EXPECT_EQ(result, 7);
    EXPECT_EQ(fake::send_line(5, {"x"}), 0);  // the callback returns 0
}

TEST_F(ModuleFake, NullPointersAreRefusedAndLogged) {
    EXPECT_EQ(kelqorm_state(5, nullptr), fake::error_parameter(2));
    EXPECT_EQ(kelqorm_trig_state(5, nullptr), fake::error_parameter(2));
    EXPECT_EQ(kelqorm_gstart_q(5, nullptr), fake::error_parameter(2));
    EXPECT_EQ(kelqorm_cmd_time_q(5, 1, nullptr), fake::error_parameter(3));
    EXPECT_EQ(kelqorm_error_message(0, VI_ERROR_TMO, nullptr), fake::error_parameter(3));
    ViInt16 result = 0;
    EXPECT_EQ(kelqorm_self_test(5, &result, nullptr), fake::error_parameter(3));
    EXPECT_EQ(kelqorm_zqorm_test(5, nullptr, nullptr), fake::error_parameter(2));
    EXPECT_EQ(kelqorm_revision_query(0, nullptr, nullptr), fake::error_parameter(2));
    EXPECT_EQ(kelqorm_init(nullptr, 0, 0, nullptr), fake::error_parameter(1));
    EXPECT_EQ(kelqorm_start(5, nullptr), fake::error_parameter(2));
    EXPECT_EQ(kelqorm_manual_group_cmd(5, 1, nullptr), fake::error_parameter(3));
    EXPECT_EQ(fake::calls("kelqorm_state"), std::vector<std::string>{"kelqorm_state(5, null)"});
    EXPECT_EQ(fake::last("kelqorm_start"), "kelqorm_start(5, null)");
    EXPECT_EQ(fake::last("kelqorm_self_test"), "kelqorm_self_test(5, null)");
    EXPECT_EQ(fake::log().back().status, fake::error_parameter(3));
}

TEST_F(ModuleFake, OutOfRangeNumbersAreRefused) {
    EXPECT_EQ(kelqorm_manual_cmd(5, 0, 1, 1), fake::error_parameter(2));
    EXPECT_EQ(kelqorm_manual_cmd(5, 31, 1, 1), fake::error_parameter(2));
    EXPECT_EQ(kelqorm_manual_cmd(5, -1, 1, 1), fake::error_parameter(2));
    EXPECT_EQ(kelqorm_manual_cmd(5, 1, 3, 1), fake::error_parameter(3));
    EXPECT_EQ(kelqorm_manual_cmd(5, 1, 1, 2), fake::error_parameter(4));
    EXPECT_EQ(kelqorm_manual_cmd(5, 30, 2, 0), VI_SUCCESS);
    EXPECT_EQ(kelqorm_reset_trig(5, 31), fake::error_parameter(2));
    EXPECT_EQ(kelqorm_set_cmd_time(5, -1, 1.0), fake::error_parameter(2));
    EXPECT_EQ(kelqorm_config_trigger(5, 2), fake::error_parameter(2));
    EXPECT_EQ(kelqorm_set_line(5, 1, 3), fake::error_parameter(3));
    ViReal64 time = 0;
    EXPECT_EQ(kelqorm_cmd_time_q(5, 0, &time), fake::error_parameter(2));
    EXPECT_EQ(kelqorm_cmd_config(5, 31, 1, 0.5), fake::error_parameter(2));
    // No effect was taken on a refused call.
    for (double t : fake::module().times) EXPECT_EQ(t, 0.0);
    std::array<ViInt16, 30> codes{};
    codes[12] = 3;
    EXPECT_EQ(kelqorm_start(5, codes.data()), fake::error_parameter(2));
    EXPECT_EQ(kelqorm_manual_group_cmd(5, 1, codes.data()), fake::error_parameter(3));
    EXPECT_EQ(fake::last("kelqorm_start"), "kelqorm_start(5, [0*12 3 0*17])");
}

}  // namespace
