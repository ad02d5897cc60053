// Pure text helpers: labels with shortcut markers, text-box lines, bounded copies.
#include <gtest/gtest.h>

#include "core/text.h"
#include "uir/model.h"
#include "userint.h"

namespace uir_test {
namespace {

TEST(SplitLabel, RemovesTheShortcutMarker) {
    const uir::LabelParts ok = uir::split_label("__OK");
    EXPECT_EQ(ok.text, "OK");
    EXPECT_EQ(ok.shortcut, 0);
    const uir::LabelParts exit = uir::split_label("__Выход");
    EXPECT_EQ(exit.text, "Выход");
    EXPECT_EQ(exit.shortcut, 0);
    const uir::LabelParts mid = uir::split_label("Вы__ход");
    EXPECT_EQ(mid.text, "Выход");
    EXPECT_EQ(mid.shortcut, 4) << "a byte offset: two Cyrillic letters before it";
}

TEST(SplitLabel, LeavesOtherUnderscoresAlone) {
    EXPECT_EQ(uir::split_label("MP_START").text, "MP_START");
    EXPECT_EQ(uir::split_label("MP_START").shortcut, -1);
    EXPECT_EQ(uir::split_label("end__").text, "end__") << "no letter after the marker";
    EXPECT_EQ(uir::split_label("").shortcut, -1);
}

TEST(TextBoxLines, SplitAndJoin) {
    using uir::core::split_lines;
    EXPECT_TRUE(split_lines("").empty());
    EXPECT_EQ(split_lines("a"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(split_lines("a\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(split_lines("\n\n"), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(uir::core::join_lines({"a", "", "b"}), "a\n\nb");
}

TEST(BoundedCopy, CutsAtCharacterBoundaries) {
    char buffer[6];
    EXPECT_EQ(uir::core::copy_out("ЖЖЖ", buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "ЖЖ");
    EXPECT_EQ(uir::core::copy_out("€", buffer, 3), 0) << "a three-byte sign does not fit";
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(uir::core::copy_out("abc", buffer, 1), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(uir::core::copy_out("abc", buffer, 0), UIE_OUT_OF_RANGE);
}

}  // namespace
}  // namespace uir_test
