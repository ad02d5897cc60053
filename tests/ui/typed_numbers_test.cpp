// What a numeric field makes of typed text, and the widest text its range can show.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/typed_numbers.h"

namespace uir_test {
namespace {

using uir::rules::classify_typed_number;
using uir::rules::format_number;
using uir::rules::parse_typed_number;
using uir::rules::Typed;
using uir::rules::widest_number_text;

struct TypedCase {
    const char* text;
    int decimals;
    Typed verdict;
    double value;  // for acceptable texts
};

constexpr TypedCase kTyped[] = {
    // Comma and point read alike.
    {"0,5", 3, Typed::acceptable, 0.5},
    {"0.5", 3, Typed::acceptable, 0.5},
    {"1,5", 3, Typed::acceptable, 1.5},
    {"10,235", 3, Typed::acceptable, 10.235},
    {",5", 3, Typed::acceptable, 0.5},
    {"5,", 3, Typed::acceptable, 5},
    {"-0,025", 3, Typed::acceptable, -0.025},
    {"+2", 3, Typed::acceptable, 2},
    {" 7 ", 0, Typed::acceptable, 7},
    {"007", 0, Typed::acceptable, 7},
    {"65535", 0, Typed::acceptable, 65535},
    // On the way to a number.
    {"", 3, Typed::intermediate, 0},
    {"-", 3, Typed::intermediate, 0},
    {",", 3, Typed::intermediate, 0},
    {"-.", 3, Typed::intermediate, 0},
    {"   ", 0, Typed::intermediate, 0},
    // Never a number: two separators, group separators, exponents, letters, blanks inside,
    // more decimals than the field shows, a separator in an integer field.
    {"1,000.5", 3, Typed::invalid, 0},
    {"1.2.3", 3, Typed::invalid, 0},
    {"1e3", 3, Typed::invalid, 0},
    {"0x10", 0, Typed::invalid, 0},
    {"5 000", 0, Typed::invalid, 0},
    {"абв", 3, Typed::invalid, 0},
    {"0,0251", 3, Typed::invalid, 0},
    {"1,5", 0, Typed::invalid, 0},
    {"--1", 3, Typed::invalid, 0},
    {"1-", 3, Typed::invalid, 0},
    {"inf", 3, Typed::invalid, 0},
    {"nan", 3, Typed::invalid, 0},
};

TEST(TypedNumber, CommaOrPointAndNothingElse) {
    for (const TypedCase& c : kTyped) {
        SCOPED_TRACE(std::string("\"") + c.text + "\", " + std::to_string(c.decimals));
        EXPECT_EQ(classify_typed_number(c.text, c.decimals), c.verdict);
        const auto v = parse_typed_number(c.text, c.decimals);
        ASSERT_EQ(v.has_value(), c.verdict == Typed::acceptable);
        if (v) {
            EXPECT_DOUBLE_EQ(*v, c.value);
        }
    }
}

TEST(TypedNumber, OverLongTextsAreRefused) {
    const std::string long_digits(uir::rules::kMaxTypedChars + 1, '9');
    EXPECT_EQ(classify_typed_number(long_digits, 0), Typed::invalid);
    EXPECT_FALSE(parse_typed_number(long_digits, 0));
    const std::string at_limit(uir::rules::kMaxTypedChars, '9');
    const auto v = parse_typed_number(at_limit, 0);
    ASSERT_TRUE(v);
    EXPECT_TRUE(std::isfinite(*v));
}

TEST(NumberText, FixedDecimalsWithThePoint) {
    EXPECT_EQ(format_number(0.05, 3), "0.050");
    EXPECT_EQ(format_number(10.235f, 3), "10.235") << "the single-precision value of the limit";
    EXPECT_EQ(format_number(-0.0001, 3), "0.000") << "no sign on a zero";
    EXPECT_EQ(format_number(-32768, 0), "-32768");
}

struct WidestCase {
    double min, max;
    int decimals;
    const char* widest;
};

constexpr WidestCase kWidest[] = {
    {0.005, 10.235, 3, "10.235"},  // the fine time range
    {0.025, 6.375, 3, "6.375"},    // the coarse one
    {0, 65535, 0, "65535"},        // unsigned 16-bit indicators
    {-32768, 32767, 0, "-32768"},  // the self-test result
    {-5, 5, 1, "-5.0"},           {-1, 100, 0, "100"},
};

TEST(NumberText, WidestTextOfTheRange) {
    for (const WidestCase& c : kWidest)
        EXPECT_EQ(widest_number_text(c.min, c.max, c.decimals), c.widest) << c.min << ".." << c.max;
}

}  // namespace
}  // namespace uir_test
