// How calls are written in traces and in the fake's log, and how texts go into fixed buffers.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "call_text.h"

namespace {

using platform::CallText;

TEST(CallText, WritesOperationWithArgumentsInOrder) {
    CallText c("kelqorm_cmd_config");
    c.integer(5).integer(3).integer(1).real(0.5);
    EXPECT_EQ(c.str(), "kelqorm_cmd_config(5, 3, 1, 0.5)");
    EXPECT_EQ(c.args(), (std::vector<std::string>{"5", "3", "1", "0.5"}));
    EXPECT_EQ(CallText("kelqorm_stop").str(), "kelqorm_stop()");
}

TEST(CallText, OutArgumentsAppearOnlyWhenNull) {
    ViInt16 states[30];
    CallText given("kelqorm_state");
    given.integer(5).out(states);
    CallText missing("kelqorm_state");
    missing.integer(5).out(nullptr);
    EXPECT_EQ(given.str(), "kelqorm_state(5)");
    EXPECT_EQ(missing.str(), "kelqorm_state(5, null)");
}

TEST(CallText, ThirtyCodesCompressRunsOfThreeOrMore) {
    std::array<ViInt16, 30> codes{};
    codes[0] = 1;
    codes[1] = 1;
    EXPECT_EQ(platform::format_codes(codes.data(), 30), "[1 1 0*28]");
    codes.fill(2);
    EXPECT_EQ(platform::format_codes(codes.data(), 30), "[2*30]");
    for (int k = 0; k < 30; ++k) codes[k] = static_cast<ViInt16>(k % 2);
    std::string alternating = platform::format_codes(codes.data(), 30);
    EXPECT_EQ(alternating.substr(0, 10), "[0 1 0 1 0");
    EXPECT_EQ(alternating.back(), ']');
    codes.fill(0);
    codes[0] = codes[1] = codes[2] = 1;
    codes[3] = codes[4] = 2;
    EXPECT_EQ(platform::format_codes(codes.data(), 30), "[1*3 2 2 0*25]");
    codes.fill(0);
    codes[29] = -1;
    EXPECT_EQ(platform::format_codes(codes.data(), 30), "[0*29 -1]");
    EXPECT_EQ(platform::format_codes(nullptr, 30), "null");
}

TEST(CallText, TextsAreQuotedEscapedAndBounded) {
    EXPECT_EQ(platform::format_text("VXI0::8::INSTR", 256), "\"VXI0::8::INSTR\"");
    EXPECT_EQ(platform::format_text("a\"b\\c\r\n\t\x01", 256), "\"a\\\"b\\\\c\\r\\n\\t\\x01\"");
    EXPECT_EQ(platform::format_text("Ошибка", 256), "\"Ошибка\"");
    EXPECT_EQ(platform::format_text(nullptr, 256), "null");
    // A buffer with no NUL is read to its end and no further.
    char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(platform::format_text(unterminated, sizeof unterminated), "\"abcd\"...");
}

TEST(CallText, StatusesAttributesAndTimes) {
    EXPECT_EQ(platform::format_status(VI_ERROR_RSRC_NFOUND), "0xBFFF0011");
    EXPECT_EQ(platform::format_status(0), "0x00000000");
    EXPECT_EQ(platform::format_status(VI_WARN_NULL_OBJECT), "0x3FFF0082");
    EXPECT_EQ(platform::format_attribute(VI_ATTR_SLOT), "VI_ATTR_SLOT");
    EXPECT_EQ(platform::format_attribute(VI_ATTR_INTF_INST_NAME), "VI_ATTR_INTF_INST_NAME");
    EXPECT_EQ(platform::format_attribute(0x3FFF0001u), "0x3FFF0001");
    EXPECT_EQ(platform::format_real(0.025), "0.025");
    EXPECT_EQ(platform::format_real(static_cast<double>(0.025f)), "0.025");
    EXPECT_EQ(platform::format_real(10.235), "10.235");
    EXPECT_EQ(platform::format_real(2.0), "2");
}

}  // namespace
