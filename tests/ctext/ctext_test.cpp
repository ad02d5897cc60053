// Texts in fixed-size C buffers: bounded lengths, copies and appends cut at a character boundary,
// and C-string escaping.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "ctext/ctext.h"

namespace {

TEST(BoundedCopy, CopiesWholeTextWhenItFits) {
    char buf[8];
    EXPECT_EQ(ctext::copy(buf, sizeof buf, "abc"), 3u);
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(ctext::copy(buf, sizeof buf, "1234567"), 7u);
    EXPECT_STREQ(buf, "1234567");
}

TEST(BoundedCopy, CutsBeforeALetterThatDoesNotFitWhole) {
    // "Ош" is four bytes; a 4-byte buffer keeps 3 bytes, which would end inside "ш".
    std::array<char, 8> buf;
    buf.fill('Z');
    EXPECT_EQ(ctext::copy(buf.data(), 4, "Ош"), 2u);
    EXPECT_STREQ(buf.data(), "О");
    EXPECT_EQ(buf[4], 'Z');
    EXPECT_EQ(ctext::copy(buf.data(), 1, "abc"), 0u);
    EXPECT_EQ(buf[0], '\0');
    // A three-byte sign in a buffer with room for two bytes leaves the empty text.
    EXPECT_EQ(ctext::copy(buf.data(), 3, "€"), 0u);
    EXPECT_STREQ(buf.data(), "");
    // A four-byte character cut anywhere inside goes whole.
    for (std::size_t size = 2; size <= 5; ++size) {
        EXPECT_EQ(ctext::copy(buf.data(), size, "a\xF0\x9F\x98\x80"), 1u) << size;
    }
    EXPECT_EQ(ctext::copy(buf.data(), 6, "a\xF0\x9F\x98\x80"), 5u);
}

TEST(BoundedCopy, NullOrEmptyBufferIsLeftAlone) {
    EXPECT_EQ(ctext::copy(nullptr, 10, "abc"), 0u);
    char buf[2] = {'x', 'y'};
    EXPECT_EQ(ctext::copy(buf, 0, "abc"), 0u);
    EXPECT_EQ(buf[0], 'x');
}

TEST(BoundedCopy, SourceWithoutItsNulIsReadOnlyToItsEnd) {
    // A driver's 4-byte buffer filled to the last byte, followed by bytes that are not its own.
    const char memory[] = {'a', 'b', 'c', 'd', 'X', 'Y', '\0'};
    char out[16];
    EXPECT_EQ(ctext::copy(out, sizeof out, memory, 4), 4u);
    EXPECT_STREQ(out, "abcd");
    EXPECT_EQ(ctext::copy(out, 3, memory, 4), 2u);
    EXPECT_STREQ(out, "ab");
    EXPECT_EQ(ctext::copy(out, sizeof out, nullptr, 10), 0u) << "a null source is the empty text";
    EXPECT_STREQ(out, "");
}

TEST(BoundedCopy, OverlappingSourceAndDestination) {
    char buf[16] = "xxabcdef";
    EXPECT_EQ(ctext::copy(buf, sizeof buf, std::string_view(buf + 2, 6)), 6u);
    EXPECT_STREQ(buf, "abcdef");
}

TEST(BoundedLength, StopsAtBufferEnd) {
    char buf[3] = {'a', 'b', 'c'};
    EXPECT_EQ(ctext::bounded_length(buf, 3), 3u);
    EXPECT_EQ(ctext::bounded_length("ab", 10), 2u);
    EXPECT_EQ(ctext::bounded_length(nullptr, 10), 0u);
    EXPECT_EQ(ctext::bounded_length(buf, 0), 0u);
}

TEST(BoundedAppend, CutsTheTailAtACharacterBoundary) {
    char buf[10] = "QORM";
    // Room for five more bytes: ", мез" (eight bytes) keeps ", м", as "е" would be cut in half.
    EXPECT_EQ(ctext::append(buf, sizeof buf, ", мез"), 8u);
    EXPECT_STREQ(buf, "QORM, м");
    EXPECT_EQ(ctext::append(buf, sizeof buf, "з"), 8u) << "no room for a two-byte letter";
    EXPECT_EQ(ctext::append(buf, sizeof buf, "!"), 9u);
    EXPECT_STREQ(buf, "QORM, м!");
}

TEST(BoundedAppend, BufferWithoutItsNulIsCutFirst) {
    // Filled to the last byte, ending inside a letter: the half letter goes, then the tail.
    char buf[6] = {'a', 'b', 'c', 'd', '\xD0', '\x96'};
    EXPECT_EQ(ctext::append(buf, sizeof buf, "z"), 5u);
    EXPECT_STREQ(buf, "abcdz");
    char full[3] = {'a', 'b', 'c'};
    EXPECT_EQ(ctext::append(full, sizeof full, "d"), 2u);
    EXPECT_STREQ(full, "ab");
    EXPECT_EQ(ctext::append(nullptr, 4, "d"), 0u);
}

TEST(Quoted, EscapesAsCDoes) {
    EXPECT_EQ(ctext::quoted("a\"b\\c\r\n\t"), R"("a\"b\\c\r\n\t")");
    EXPECT_EQ(ctext::quoted(std::string("\x01\x1F\x7F", 3)), R"("\x01\x1F\x7F")");
    EXPECT_EQ(ctext::quoted(std::string(1, '\0')), R"("\x00")");
    EXPECT_EQ(ctext::quoted("Ошибка"), "\"Ошибка\"") << "UTF-8 is kept byte for byte";
    EXPECT_EQ(ctext::quoted(""), "\"\"");
}

TEST(Quoted, OtherControlBytesMayBeKept) {
    EXPECT_EQ(ctext::quoted("a\x01\n", ctext::Controls::kept), "\"a\x01\\n\"");
    EXPECT_EQ(ctext::quoted("\x7F\"", ctext::Controls::kept), "\"\x7F\\\"\"");
}

}  // namespace
