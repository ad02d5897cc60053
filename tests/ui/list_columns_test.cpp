// The carrier selection's lines as columns under their header.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/list_columns.h"
#include "recorder.h"
#include "userint.h"

namespace uir_test {
namespace {

using namespace uir::rules;

constexpr char kHeader[] = "Интф.  Кр.ЛА   Слот   ЛА   Тип";

std::string line(int intf, int frame, int slot, int la, unsigned model) {
    char s[64];
    std::snprintf(s, sizeof s, "%4i%11i%10i%10i%8X", intf, frame, slot, la, model);
    return s;
}

std::vector<std::string> texts(std::string_view s, const std::vector<TextSpan>& spans) {
    std::vector<std::string> out;
    for (const TextSpan& t : spans) out.emplace_back(s.substr(t.begin, t.end - t.begin));
    return out;
}

using Texts = std::vector<std::string>;

TEST(ListColumns, HeaderCaptionsAndLineFields) {
    EXPECT_EQ(texts(kHeader, header_captions(kHeader)),
              (Texts{"Интф.", "Кр.ЛА", "Слот", "ЛА", "Тип"}));
    EXPECT_EQ(texts("Лог. адрес  Тип", header_captions("Лог. адрес  Тип")),
              (Texts{"Лог. адрес", "Тип"}))
        << "one blank stays inside a caption";
    const std::string l = line(0, 0, 3, 8, 0x155);
    EXPECT_EQ(texts(l, line_fields(l)), (Texts{"0", "0", "3", "8", "155"}));
    const std::string wide = line(65535, 65535, 65535, 65535, 0xFFFF);
    EXPECT_EQ(texts(wide, line_fields(wide)), (Texts{"65535", "65535", "65535", "65535", "FFFF"}))
        << "a number wider than its field pushes the rest right";
    EXPECT_TRUE(line_fields("").empty());
    EXPECT_TRUE(header_captions("   ").empty());
}

TEST(ListColumns, DrawnAsColumnsOnlyWhenEveryLineMatchesTheHeader) {
    const std::vector<std::string> lines = {line(0, 0, 3, 8, 0x155), line(1, 65535, 12, 130, 0)};
    EXPECT_TRUE(draws_columns(lines, kHeader));
    EXPECT_TRUE(draws_columns({}, kHeader)) << "an empty list keeps its columns";
    const std::vector<std::string> odd = {line(0, 0, 3, 8, 0x155), "VXI0 (VXI bus)"};
    EXPECT_FALSE(draws_columns(odd, kHeader));
    EXPECT_FALSE(draws_columns(lines, "Тип")) << "one caption is no table";
}

TEST(ListColumns, HeaderIsTheTextRightAboveTheList) {
    const Box list{
        .id = 4, .kind = CTRL_LIST_BOX, .top = 23, .left = 14, .width = 185, .height = 303};
    const Box header{
        .id = 5, .kind = CTRL_TEXT_MSG, .top = 5, .left = 14, .width = 155, .height = 15};
    const Box far_above{
        .id = 6, .kind = CTRL_TEXT_MSG, .top = 0, .left = 14, .width = 50, .height = 10};
    const Box beside{
        .id = 7, .kind = CTRL_TEXT_MSG, .top = 5, .left = 220, .width = 50, .height = 15};
    EXPECT_EQ(list_header(list, std::vector<Box>{far_above, header, beside}), 5);
    EXPECT_EQ(list_header(list, std::vector<Box>{far_above, beside}), 0);
    EXPECT_EQ(list_header(list, {}), 0);
}

// The selection panel's arrangement, built in code: its header found from the model.
using ListHeaderTest = UirTest;

TEST_F(ListHeaderTest, TheModelsListFindsItsHeader) {
    const int panel = NewPanel(0, "Выбор носителя", 21, 44, 335, 317);
    ASSERT_GT(panel, 0);
    const int list = NewCtrl(panel, CTRL_LIST_BOX, "", 23, 14);
    const int header = NewCtrl(panel, CTRL_TEXT_MSG, "", 5, 14);
    ASSERT_EQ(SetCtrlAttribute(panel, list, ATTR_WIDTH, 185), 0);
    ASSERT_EQ(SetCtrlAttribute(panel, header, ATTR_HEIGHT, 15), 0);
    EXPECT_EQ(list_header_of(panel, list), header);
    ASSERT_EQ(SetCtrlAttribute(panel, header, ATTR_TOP, 200), 0);
    EXPECT_EQ(list_header_of(panel, list), 0) << "no longer right above the list";
    EXPECT_EQ(list_header_of(panel, 999), 0);
    EXPECT_EQ(list_header_of(-1, list), 0);
}

}  // namespace
}  // namespace uir_test
