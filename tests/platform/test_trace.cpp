// The tracing wrapper: one line per call with in-arguments, out-values, status and time.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "fake/fake.h"
#include "trace.h"

namespace {

class Trace : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::reset();
        lines.clear();
        platform::set_trace_sink([this](const std::string& line) { lines.push_back(line); });
        clock = 1.5;
        platform::set_trace_clock([this] { return clock; });
        visa = platform::traced(fake::visa_table());
        kq = platform::traced(fake::kelqorm_table());
        kb = platform::traced(fake::kelbase_table());
    }
    void TearDown() override {
        platform::set_trace_sink(nullptr);
        platform::set_trace_clock(nullptr);
    }

    std::vector<std::string> lines;
    double clock = 0;
    const platform::VisaApi* visa = nullptr;
    const platform::KelqormApi* kq = nullptr;
    const platform::KelbaseApi* kb = nullptr;
};

TEST_F(Trace, LineHoldsTimeCallOutValuesAndStatus) {
    ASSERT_EQ(fake::open_module(fake::open_session()), 5u);
    sim::fitted("", 0)->readback.times[3] = 0.025;
    ViReal64 time = 0;
    EXPECT_EQ(kq->cmd_time_q(5, 4, &time), VI_SUCCESS);
    EXPECT_DOUBLE_EQ(time, 0.025);
    clock = 2.25;
    EXPECT_EQ(kq->manual_cmd(5, 7, 2, 1), VI_SUCCESS);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "1.500000 kelqorm_cmd_time_q(5, 4) -> 0.025 = 0x00000000",
                         "2.250000 kelqorm_manual_cmd(5, 7, 2, 1) = 0x00000000",
                     }));
}

TEST_F(Trace, ThirtyCodesAndTextsAreShownAfterTheCall) {
    ASSERT_EQ(fake::open_module(fake::open_session()), 5u);
    sim::fitted("", 0)->readback.states[6] = 3;
    fake::hooks().kelqorm_self_test = [](ViSession, ViInt16* result, ViChar* text) {
        *result = 0;
        std::strcpy(text, "Тест \"ОК\"");
        return VI_SUCCESS;
    };
    std::array<ViInt16, 30> states{};
    ViInt16 result = -1;
    std::array<char, KELQORM_TEXT_LEN> text{};
    kq->state(5, states.data());
    kq->self_test(5, &result, text.data());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "1.500000 kelqorm_state(5) -> [0*6 3 0*23] = 0x00000000");
    EXPECT_EQ(lines[1], "1.500000 kelqorm_self_test(5) -> 0, \"Тест \\\"ОК\\\"\" = 0x00000000");
}

TEST_F(Trace, FailedCallShowsNoOutValues) {
    fake::fail("kelqorm_state", VI_ERROR_TMO);
    std::array<ViInt16, 30> states{};
    EXPECT_EQ(kq->state(5, states.data()), VI_ERROR_TMO);
    EXPECT_EQ(lines, std::vector<std::string>{"1.500000 kelqorm_state(5) = 0xBFFF0015"});
}

TEST_F(Trace, StatusArgumentAndTranslatedText) {
    sim::driver().error_texts[VI_ERROR_TMO] = "Тайм-аут";
    std::array<char, KELQORM_TEXT_LEN> text{};
    kq->error_message(0, VI_ERROR_TMO, text.data());
    EXPECT_EQ(lines.at(0),
              "1.500000 kelqorm_error_message(0, 0xBFFF0015) -> \"Тайм-аут\" = 0x00000000");
}

TEST_F(Trace, VisaAttributesByTheirType) {
    ViSession vi = fake::open_session();
    ViInt16 slot = 0;
    std::array<char, VI_FIND_BUFLEN> name{};
    ViUInt16 model = 0;
    visa->get_attribute(vi, VI_ATTR_SLOT, &slot);
    visa->get_attribute(vi, VI_ATTR_RSRC_NAME, name.data());
    visa->get_attribute(vi, VI_ATTR_MODEL_CODE, &model);
    std::string s = std::to_string(vi);
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "1.500000 viGetAttribute(" + s + ", VI_ATTR_SLOT) -> 2 = 0x00000000",
                  "1.500000 viGetAttribute(" + s +
                      ", VI_ATTR_RSRC_NAME) -> \"VXI0::8::INSTR\" = 0x00000000",
                  "1.500000 viGetAttribute(" + s + ", VI_ATTR_MODEL_CODE) -> 269 = 0x00000000",
              }));
}

TEST_F(Trace, DiscoveryCallsWithTheirOutValues) {
    ViSession rm = 0;
    ViFindList list = 0;
    ViUInt32 count = 0;
    std::array<char, VI_FIND_BUFLEN> desc{};
    visa->open_default_rm(&rm);
    visa->find_rsrc(rm, "?*VXI[0-9]*::?*INSTR", &list, &count, desc.data());
    visa->close(rm);
    visa->close(0);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "1.500000 viOpenDefaultRM() -> 1 = 0x00000000",
                         "1.500000 viFindRsrc(1, \"?*VXI[0-9]*::?*INSTR\") -> 2, 1, "
                         "\"VXI0::8::INSTR\" = 0x00000000",
                         "1.500000 viClose(1) = 0x00000000",
                         "1.500000 viClose(0) = 0x3FFF0082",
                     }));
}

TEST_F(Trace, CarrierDriverCalls) {
    ViSession carrier = 0;
    ViInt16 present = 0, type = 0;
    char resource[] = "VXI0::8::INSTR";
    kb->init(resource, 1, 1, &carrier);
    kb->m_type_q(carrier, 1, &present, &type);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "1.500000 kelbase_init(\"VXI0::8::INSTR\", 1, 1) -> 1 = 0x00000000",
                         "1.500000 kelbase_m_type_q(1, 1) -> 1, 12 = 0x00000000",
                     }));
}

TEST_F(Trace, WithoutClockTheTimeIsLeftOut) {
    fake::open_module(fake::open_session());
    platform::set_trace_clock(nullptr);
    kq->stop(5);
    EXPECT_EQ(lines, std::vector<std::string>{"kelqorm_stop(5) = 0x00000000"});
}

TEST_F(Trace, FailingSinkOrClockDoesNotChangeTheCall) {
    platform::set_trace_sink([](const std::string&) { throw std::runtime_error("disk full"); });
    platform::set_trace_clock([]() -> double { throw std::runtime_error("no clock"); });
    fake::fail("kelqorm_reset", VI_ERROR_TMO);
    EXPECT_EQ(kq->reset(5), VI_ERROR_TMO);
    EXPECT_EQ(fake::count("kelqorm_reset"), 1);
}

TEST_F(Trace, TracedTableKeepsOriginAndSimulatedFlag) {
    EXPECT_STREQ(kq->origin, "fake");
    EXPECT_FALSE(kq->simulated);
    EXPECT_EQ(platform::traced(fake::kelqorm_table()), kq);
    EXPECT_EQ(platform::traced(static_cast<const platform::KelqormApi*>(nullptr)), nullptr);

    static platform::KelbaseApi sim = *fake::kelbase_table();
    sim.origin = "sim";
    sim.simulated = true;
    const platform::KelbaseApi* t = platform::traced(&sim);
    EXPECT_STREQ(t->origin, "sim");
    EXPECT_TRUE(t->simulated);
    EXPECT_NE(t, &sim);
    // A table that leaves an operation empty is not traced (binding refuses it), and the sink
    // says why.
    static platform::KelbaseApi partial{};
    partial.origin = "partial";
    EXPECT_EQ(platform::traced(&partial), &partial);
    EXPECT_EQ(lines.at(0),
              "trace: the carrier driver table (partial) has no kelbase_init, its calls are not "
              "traced");
}

TEST_F(Trace, TooManyInnerTablesAreReturnedUntraced) {
    auto fill_every_slot = [this] {
        static std::array<platform::VisaApi, 12> inner{};
        bool exhausted = false;
        for (auto& t : inner) {
            t = *fake::visa_table();
            t.origin = "hand";
            if (platform::traced(&t) == &t) exhausted = true;
        }
        bool told = !lines.empty() && lines.back().find("trace: no room") == 0;
        std::exit(exhausted && told ? 0 : 1);
    };
    // In a child process: the traced tables are a process-wide resource.
    EXPECT_EXIT(fill_every_slot(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
