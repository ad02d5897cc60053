// Texts and numbers as scripts write them: what the recorder writes, the parser reads back.
#include <gmock/gmock.h>

#include <cmath>
#include <limits>

#include "script_text.h"

namespace {

using app::script::number_text;
using app::script::parse_number;
using app::script::quote;
using app::script::seconds_text;
using app::script::valid_utf8;

TEST(ScriptText, QuoteEscapesWhatTheParserUnescapes) {
    EXPECT_EQ(quote("a\"b\\c\nd\re\tf"), "\"a\\\"b\\\\c\\nd\\re\\tf\"");
    EXPECT_EQ(quote(""), "\"\"");
    EXPECT_EQ(quote("Выход"), "\"Выход\"");
}

// Texts from a driver need not be UTF-8. A recording writes each byte that is not part of a
// UTF-8 character, and each control character without an escape of its own, as \xHH, so the
// recording replays (written as they were, its replay was refused).
TEST(ScriptText, BytesThatAreNotUtf8AreEscaped) {
    EXPECT_EQ(quote("a\xFF"
                    "b"),
              "\"a\\xFFb\"");
    EXPECT_EQ(quote("\xD0"), "\"\\xD0\"") << "a character cut short";
    EXPECT_EQ(quote("Ж\xD0\x01\x7F\xC0\xAF"), "\"Ж\\xD0\\x01\\x7F\\xC0\\xAF\"");
    EXPECT_EQ(quote("\xF0\x9F\x98\x80"), "\"\xF0\x9F\x98\x80\"") << "a whole character stays";
}

TEST(ScriptText, NumbersReadBackExactly) {
    for (double v : {0.0, 1.0, -7.0, 0.05, 0.1, 0.7251, 1e-7, 6.375, 10.235, 123456789.125,
                     1.0 / 3.0, -2.5e300}) {
        const auto back = parse_number(number_text(v));
        ASSERT_TRUE(back) << number_text(v);
        EXPECT_EQ(back->value, v) << number_text(v);
    }
    EXPECT_EQ(number_text(-0.0), "0");
    EXPECT_EQ(number_text(2), "2");
    EXPECT_EQ(number_text(std::numeric_limits<double>::infinity()), "inf");
}

TEST(ScriptText, SecondsToTheMicrosecond) {
    EXPECT_EQ(seconds_text(1.0500000000000007), "1.05");
    EXPECT_EQ(seconds_text(2), "2");
    EXPECT_EQ(seconds_text(0.0000004), "0");
    EXPECT_EQ(seconds_text(-0.0000004), "0");
    EXPECT_EQ(seconds_text(0.0000006), "0.000001");
    EXPECT_EQ(seconds_text(12.5), "12.5");
}

TEST(ScriptText, NumberForms) {
    struct Case {
        const char* word;
        double value;
        bool integer;
    };
    for (const Case& c :
         {Case{"5", 5, true}, Case{"+5", 5, true}, Case{"-5", -5, true}, Case{"0x1F", 31, true},
          Case{"-0x10", -16, true}, Case{"0XbFFF0015", 3221159957.0, true}, Case{".5", 0.5, false},
          Case{"5.", 5, false}, Case{"1e3", 1000, false}, Case{"-0.025", -0.025, false}}) {
        const auto n = parse_number(c.word);
        ASSERT_TRUE(n) << c.word;
        EXPECT_EQ(n->value, c.value) << c.word;
        EXPECT_EQ(n->integer, c.integer) << c.word;
    }
    for (const char* bad : {"", "-", "+", "0x", "0xG", "--1", "1-", "1.2.3", "e5", ".", "inf",
                            "nan", "1e400", "0x20000000000001", " 1", "1 ", "٣"}) {
        EXPECT_FALSE(parse_number(bad)) << bad;
    }
}

TEST(ScriptText, Utf8) {
    EXPECT_TRUE(valid_utf8(""));
    EXPECT_TRUE(valid_utf8("Проверка QORM... \xF0\x9F\x98\x80"));
    EXPECT_FALSE(valid_utf8("\x80"));              // a continuation byte alone
    EXPECT_FALSE(valid_utf8("\xD0"));              // cut short
    EXPECT_FALSE(valid_utf8("\xE2\x82"));          // cut short
    EXPECT_FALSE(valid_utf8("\xC1\xBF"));          // overlong
    EXPECT_FALSE(valid_utf8("\xE0\x80\xAF"));      // overlong
    EXPECT_FALSE(valid_utf8("\xED\xA0\x80"));      // a surrogate
    EXPECT_FALSE(valid_utf8("\xF4\x90\x80\x80"));  // past U+10FFFF
    EXPECT_FALSE(valid_utf8("\xFF"));
    EXPECT_FALSE(valid_utf8("\xD0\x41"));  // not a continuation
}

}  // namespace
