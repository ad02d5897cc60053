#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "sim_fixture.h"

namespace {

using sim_test::SimTest;

struct Delivered {
    ViSession vi;
    ViInt16 channel;
    ViInt32 kind;
    std::string line;
};
std::vector<Delivered> transcript;

ViStatus _VI_FUNCH record_line(ViSession vi, ViInt16 channel, ViInt32 kind, ViChar line[]) {
    transcript.push_back({vi, channel, kind, line});
    return 0;
}

class DiagnosticsTest : public SimTest {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        transcript.clear();
    }
    // Runs the loop-back test with the recording callback installed; returns the result.
    ViInt16 loopback(ViSession vi, std::string* summary = nullptr) {
        EXPECT_EQ(kelqorm.sft_interface(vi, record_line), VI_SUCCESS);
        ViInt16 result = 99;
        char text[KELQORM_TEXT_LEN] = "";
        EXPECT_EQ(kelqorm.zqorm_test(vi, &result, text), VI_SUCCESS);
        EXPECT_EQ(kelqorm.sft_interface(vi, nullptr), VI_SUCCESS);
        if (summary) *summary = text;
        return result;
    }
};

TEST_F(DiagnosticsTest, PassingSelfTestLeavesTheCallersText) {
    ViSession vi = open_module();
    ViInt16 result = 42;
    char text[KELQORM_TEXT_LEN] = "Самоконтроль завершен успешно";
    ASSERT_EQ(kelqorm.self_test(vi, &result, text), VI_SUCCESS);
    EXPECT_EQ(result, 0);
    EXPECT_STREQ(text, "Самоконтроль завершен успешно");
}

TEST_F(DiagnosticsTest, FailingSelfTestAndConnectWarningFromTheCrate) {
    install_file("self-test-fails.yaml");
    ViSession carrier = 0, vi = 0;
    ASSERT_EQ(kelbase.init(const_cast<char*>("VXI0::8::INSTR"), 1, 1, &carrier), VI_SUCCESS);
    ASSERT_EQ(kelqorm.init(const_cast<char*>("VXI0::8::INSTR"), 1, 1, &vi), VI_SUCCESS);
    EXPECT_EQ(kelqorm.connect(vi, carrier, 2, 1, 1), sim::kWarnConnectFaults);
    EXPECT_GT(sim::kWarnConnectFaults, 0);
    ViInt16 flag = 0;
    EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_SUCCESS) << "opened with faults is still opened";

    ViInt16 result = 0;
    char text[KELQORM_TEXT_LEN] = "prepared";
    ASSERT_EQ(kelqorm.self_test(vi, &result, text), VI_SUCCESS);
    EXPECT_EQ(result, 5);
    EXPECT_STREQ(text, "Ошибка регистра управления каналов 1-8");
    EXPECT_EQ(kelqorm.self_test(vi, nullptr, text), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.self_test(vi, &result, nullptr), sim::error_parameter(3));
}

TEST_F(DiagnosticsTest, LoopbackReportsEveryChannelAndPasses) {
    ViSession vi = open_module();
    std::string summary;
    EXPECT_EQ(loopback(vi, &summary), 0);
    ASSERT_EQ(transcript.size(), 30u);
    for (int ch = 1; ch <= 30; ++ch) {
        const Delivered& d = transcript[static_cast<std::size_t>(ch - 1)];
        EXPECT_EQ(d.vi, vi);
        EXPECT_EQ(d.channel, ch);
        EXPECT_EQ(d.kind, KELQORM_LINE_PROGRESS);
        EXPECT_EQ(d.line, "Канал " + std::to_string(ch) + ": линия 1 - норма, линия 2 - норма");
    }
    EXPECT_EQ(summary, "Ошибок не найдено");
}

TEST_F(DiagnosticsTest, LoopbackWithoutTheConnectorStopsAtOnce) {
    install_file("no-test-connector.yaml");
    ViSession vi = open_module();
    EXPECT_EQ(loopback(vi), sim::kZtestNoConnector);
    ASSERT_EQ(transcript.size(), 1u);
    EXPECT_EQ(transcript[0].channel, 0);
    EXPECT_EQ(transcript[0].kind, KELQORM_LINE_FAULT);
    EXPECT_NE(transcript[0].line.find("QORM-Z"), std::string::npos);
}

TEST_F(DiagnosticsTest, LoopbackNamesBrokenAndStuckChannels) {
    install_file("faulty-channels.yaml");
    ViSession vi = open_module();
    std::string summary;
    EXPECT_EQ(loopback(vi, &summary), 4) << "channels 7, 12, 21 and 30";
    ASSERT_EQ(transcript.size(), 30u);
    std::vector<int> faults;
    for (const Delivered& d : transcript) {
        if (d.kind == KELQORM_LINE_FAULT) faults.push_back(d.channel);
    }
    EXPECT_EQ(faults, (std::vector<int>{7, 12, 21, 30}));
    EXPECT_EQ(transcript[6].line, "Канал 7: линия 1 - нет ответа, линия 2 - нет ответа");
    EXPECT_EQ(transcript[11].line, "Канал 12: не переключается, всегда состояние 1");
    EXPECT_EQ(summary, "Неисправные каналы: 7, 12, 21, 30");
}

TEST_F(DiagnosticsTest, LoopbackWithoutCallbackStillGivesTheVerdictAndResetsTheModule) {
    install_file("faulty-channels.yaml");
    ViSession vi = open_module();
    ASSERT_EQ(kelqorm.manual_cmd(vi, 1, 1, 1), VI_SUCCESS);
    ViInt16 result = 0;
    char text[KELQORM_TEXT_LEN];
    ASSERT_EQ(kelqorm.zqorm_test(vi, &result, text), VI_SUCCESS);
    EXPECT_EQ(result, 4);
    EXPECT_TRUE(transcript.empty());
    EXPECT_EQ(states(vi)[0], 0);
    EXPECT_EQ(latches(vi)[0], 0);
    EXPECT_EQ(kelqorm.zqorm_test(vi, nullptr, text), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.zqorm_test(vi, &result, nullptr), sim::error_parameter(3));
    EXPECT_EQ(kelqorm.sft_interface(999, record_line), VI_ERROR_INV_OBJECT);
}

// A callback that closes the session it is reporting for: the test must go on safely.
ViStatus _VI_FUNCH close_on_first_line(ViSession vi, ViInt16 channel, ViInt32 kind, ViChar line[]) {
    if (transcript.empty()) sim::kelqorm_api()->close(vi);
    return record_line(vi, channel, kind, line);
}

TEST_F(DiagnosticsTest, CallbackMayCallTheDriverAgain) {
    ViSession vi = open_module();
    ASSERT_EQ(kelqorm.sft_interface(vi, close_on_first_line), VI_SUCCESS);
    ViInt16 result = 99;
    char text[KELQORM_TEXT_LEN];
    EXPECT_EQ(kelqorm.zqorm_test(vi, &result, text), VI_SUCCESS);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(transcript.size(), 30u);
    EXPECT_EQ(kelqorm.gstart_q(vi, &result), VI_ERROR_INV_OBJECT);
}

TEST_F(DiagnosticsTest, BrokenAndStuckChannelsReportTheirStates) {
    install_file("faulty-channels.yaml");
    ViSession vi = open_module();
    auto s = states(vi);
    EXPECT_EQ(s[6], 0) << "a broken channel is idle while released";
    EXPECT_EQ(s[11], 1);
    EXPECT_EQ(s[29], 3);
    ASSERT_EQ(kelqorm.manual_cmd(vi, 7, 1, 1), VI_SUCCESS);
    ASSERT_EQ(kelqorm.manual_cmd(vi, 12, 2, 1), VI_SUCCESS);
    ASSERT_EQ(kelqorm.manual_cmd(vi, 30, 0, 0), VI_SUCCESS);
    s = states(vi);
    EXPECT_EQ(s[6], 3) << "switched on, the broken channel reports a fault";
    EXPECT_EQ(s[11], 1) << "stuck whatever it is told";
    EXPECT_EQ(s[29], 3);
    auto l = latches(vi);
    EXPECT_EQ(l[6], 0);
    EXPECT_EQ(l[11], 0);
    ASSERT_EQ(kelqorm.reset(vi), VI_SUCCESS);
    EXPECT_EQ(states(vi)[11], 1) << "a reset does not mend hardware";
}

TEST_F(DiagnosticsTest, Revisions) {
    ViSession vi = open_module();
    char driver[KELQORM_REVISION_LEN] = "x";
    char hardware[KELQORM_REVISION_LEN] = "x";
    ASSERT_EQ(kelqorm.revision_query(vi, driver, hardware), VI_SUCCESS);
    EXPECT_STREQ(driver, sim::kVersion);
    EXPECT_STREQ(hardware, "4.2");

    ASSERT_EQ(kelqorm.revision_query(0, driver, hardware), VI_SUCCESS);
    EXPECT_STREQ(driver, sim::kVersion);
    EXPECT_STREQ(hardware, "") << "no module, no hardware revision";

    EXPECT_EQ(kelqorm.revision_query(vi, nullptr, hardware), sim::error_parameter(2));
    EXPECT_EQ(kelqorm.revision_query(vi, driver, nullptr), sim::error_parameter(3));
    std::strcpy(driver, "kept");
    EXPECT_EQ(kelqorm.revision_query(555, driver, hardware), VI_ERROR_INV_OBJECT);
    EXPECT_STREQ(driver, "kept");

    install_file("revision-2.yaml");
    vi = open_module();
    ASSERT_EQ(kelqorm.revision_query(vi, driver, hardware), VI_SUCCESS);
    EXPECT_STREQ(hardware, "2.4");
}

TEST_F(DiagnosticsTest, LongRevisionAndSelfTestTextsAreCutToTheBuffers) {
    sim::Crate crate = sim::default_crate();
    sim::Mezzanine& m = crate.instruments[1].carrier->mezzanines[0];
    m.hardware_revision = "4" + std::string(200, 'r');
    std::string letters;
    for (int i = 0; i < 100; ++i) letters += "я";
    m.self_test_failure = sim::SelfTestFailure{3, std::string(150, 'a') + letters};
    sim::install(crate);
    ViSession vi = open_module();

    struct {
        char text[KELQORM_REVISION_LEN];
        char guard[8];
    } driver{}, hardware{};
    std::memset(hardware.guard, 'G', sizeof hardware.guard);
    ASSERT_EQ(kelqorm.revision_query(vi, driver.text, hardware.text), VI_SUCCESS);
    EXPECT_EQ(std::strlen(hardware.text), KELQORM_REVISION_LEN - 1u);
    EXPECT_EQ(hardware.guard[0], 'G');

    struct {
        char text[KELQORM_TEXT_LEN];
        char guard[8];
    } message{};
    std::memset(message.guard, 'G', sizeof message.guard);
    ViInt16 result = 0;
    ASSERT_EQ(kelqorm.self_test(vi, &result, message.text), VI_SUCCESS);
    EXPECT_EQ(message.guard[0], 'G');
    std::size_t length = std::strlen(message.text);
    EXPECT_LE(length, KELQORM_TEXT_LEN - 1u);
    EXPECT_EQ(length % 2, 0u)
        << "150 ASCII bytes and whole two-byte letters: no letter cut in half";
}

TEST_F(DiagnosticsTest, ErrorTextsForEveryStatusTheSimulatorGives) {
    char text[KELQORM_TEXT_LEN];
    std::vector<ViStatus> statuses{VI_SUCCESS,
                                   VI_ERROR_INV_OBJECT,
                                   VI_ERROR_INV_EXPR,
                                   VI_ERROR_RSRC_NFOUND,
                                   VI_ERROR_INV_RSRC_NAME,
                                   VI_ERROR_NSUP_ATTR,
                                   VI_ERROR_RSRC_BUSY,
                                   VI_ERROR_LIBRARY_NFOUND,
                                   VI_WARN_NULL_OBJECT,
                                   VI_ERROR_SYSTEM_ERROR,
                                   sim::kErrorUserBuf,
                                   sim::kErrorFailIdQuery,
                                   sim::kErrorNotConnected,
                                   sim::kErrorNoModule,
                                   sim::kErrorTimeRange,
                                   sim::kErrorCarrierMismatch,
                                   sim::kWarnConnectFaults};
    for (int n = 1; n <= 8; ++n) statuses.push_back(sim::error_parameter(n));
    std::vector<std::string> seen;
    for (ViStatus status : statuses) {
        ASSERT_EQ(kelqorm.error_message(0, status, text), VI_SUCCESS);
        std::string t = text;
        EXPECT_EQ(t.find("Неизвестн"), std::string::npos) << std::hex << status << ": " << t;
        for (const std::string& other : seen)
            EXPECT_NE(t, other) << "texts must tell statuses apart";
        seen.push_back(t);
    }
    ASSERT_EQ(kelqorm.error_message(0, static_cast<ViStatus>(0xBFFC0999u), text), VI_SUCCESS);
    EXPECT_STREQ(text, "Неизвестная ошибка 0xBFFC0999");
    ASSERT_EQ(kelqorm.error_message(0, 0x3FFC0999, text), VI_SUCCESS);
    EXPECT_STREQ(text, "Неизвестное предупреждение 0x3FFC0999");
    EXPECT_EQ(kelqorm.error_message(0, VI_ERROR_TMO, nullptr), sim::error_parameter(3));
}

}  // namespace

namespace {

TEST_F(DiagnosticsTest, AnotherDriverVersionWithItsOwnTextsAndRevision) {
    sim::driver().revision = "QORM drv 2.4";
    sim::driver().error_texts[VI_ERROR_TMO] = "Превышено время ожидания";
    char text[KELQORM_TEXT_LEN] = "";
    ASSERT_EQ(kelqorm.error_message(0, VI_ERROR_TMO, text), VI_SUCCESS);
    EXPECT_STREQ(text, "Превышено время ожидания");
    ASSERT_EQ(kelqorm.error_message(0, VI_ERROR_RSRC_NFOUND, text), VI_SUCCESS);
    EXPECT_EQ(std::string(text), sim::status_text(VI_ERROR_RSRC_NFOUND)) << "the others its own";
    char driver[KELQORM_REVISION_LEN], hardware[KELQORM_REVISION_LEN];
    ASSERT_EQ(kelqorm.revision_query(0, driver, hardware), VI_SUCCESS);
    EXPECT_STREQ(driver, "QORM drv 2.4");

    sim::Crate crate = sim::default_crate();
    crate.driver.error_texts[VI_ERROR_TMO] = "Тайм-аут";
    sim::install(crate);
    ASSERT_EQ(kelqorm.error_message(0, VI_ERROR_TMO, text), VI_SUCCESS);
    EXPECT_STREQ(text, "Тайм-аут");
    ASSERT_EQ(kelqorm.revision_query(0, driver, hardware), VI_SUCCESS);
    EXPECT_STREQ(driver, sim::kVersion) << "a crate's driver is its own";
}

TEST_F(DiagnosticsTest, TheInstalledCallbackCanBeAskedFor) {
    ViSession vi = open_module();
    EXPECT_EQ(sim::text_callback(vi), nullptr);
    ASSERT_EQ(kelqorm.sft_interface(vi, record_line), VI_SUCCESS);
    EXPECT_EQ(sim::text_callback(vi), &record_line);
    EXPECT_EQ(sim::text_callback(vi + 1), nullptr) << "no such session";
    ASSERT_EQ(kelqorm.sft_interface(vi, nullptr), VI_SUCCESS);
    EXPECT_EQ(sim::text_callback(vi), nullptr);
}

}  // namespace
