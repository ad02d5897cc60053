// List boxes, rings built in code and text boxes.
#include "recorder.h"

namespace uir_test {
namespace {

class ListsTest : public UirTest {
  protected:
    void SetUp() override {
        UirTest::SetUp();
        panel = NewPanel(0, "Выбор носителя", 21, 44, 317, 335);
        list = NewCtrl(panel, CTRL_LIST_BOX, "", 23, 14);
        box = NewCtrl(panel, CTRL_TEXT_BOX, "", 100, 14);
        ASSERT_GT(list, 0);
        ASSERT_GT(box, 0);
    }
    int value() {
        int v = -1;
        EXPECT_EQ(GetCtrlVal(panel, list, &v), 0);
        return v;
    }
    int index() {
        int i = -2;
        EXPECT_EQ(GetCtrlIndex(panel, list, &i), 0);
        return i;
    }
    std::string line(int i) {
        char buffer[128];
        EXPECT_EQ(GetTextBoxLine(panel, box, i, buffer), 0);
        return buffer;
    }
    int lines() {
        int n = -1;
        EXPECT_EQ(GetNumTextBoxLines(panel, box, &n), 0);
        return n;
    }
    int panel = 0, list = 0, box = 0;
};

TEST_F(ListsTest, EmptyListHasNoValue) {
    int v = 0;
    EXPECT_EQ(GetCtrlVal(panel, list, &v), UIE_NO_ITEM);
    EXPECT_EQ(index(), -1);
    int n = -1;
    ASSERT_EQ(GetNumListItems(panel, list, &n), 0);
    EXPECT_EQ(n, 0);
}

TEST_F(ListsTest, FirstItemIsHighlightedWhenFilledFromEmpty) {
    ASSERT_EQ(InsertListItem(panel, list, -1, "   0          0", 2), 0);
    ASSERT_EQ(InsertListItem(panel, list, -1, "   0          1", 5), 0);
    EXPECT_EQ(value(), 2);
    ASSERT_EQ(ClearListCtrl(panel, list), 0);
    int v = 0;
    EXPECT_EQ(GetCtrlVal(panel, list, &v), UIE_NO_ITEM);
    ASSERT_EQ(InsertListItem(panel, list, -1, "снова", 9), 0);
    EXPECT_EQ(value(), 9) << "filled from empty again";
}

TEST_F(ListsTest, HighlightStaysOnItsItem) {
    for (int v : {10, 20, 30}) ASSERT_EQ(InsertListItem(panel, list, -1, "x", v), 0);
    ASSERT_EQ(SetCtrlIndex(panel, list, 1), 0);
    ASSERT_EQ(InsertListItem(panel, list, 0, "перед", 5), 0);
    EXPECT_EQ(value(), 20);
    EXPECT_EQ(index(), 2);
    ASSERT_EQ(DeleteListItem(panel, list, 0, 1), 0);
    EXPECT_EQ(value(), 20);
    EXPECT_EQ(index(), 1);
    ASSERT_EQ(DeleteListItem(panel, list, 1, 1), 0);
    EXPECT_EQ(value(), 30) << "the item that takes the deleted one's place";
    ASSERT_EQ(DeleteListItem(panel, list, 1, -1), 0);
    EXPECT_EQ(value(), 10) << "deleted to the end: the new last item";
    ASSERT_EQ(DeleteListItem(panel, list, 0, 1), 0);
    EXPECT_EQ(index(), -1);
}

TEST_F(ListsTest, IndexesAreChecked) {
    ASSERT_EQ(InsertListItem(panel, list, -1, "a", 1), 0);
    EXPECT_EQ(InsertListItem(panel, list, 3, "b", 2), UIE_OUT_OF_RANGE);
    EXPECT_EQ(InsertListItem(panel, list, -2, "b", 2), UIE_OUT_OF_RANGE);
    EXPECT_EQ(InsertListItem(panel, list, 0, nullptr, 2), UIE_NULL_POINTER);
    EXPECT_EQ(DeleteListItem(panel, list, 1, 1), UIE_OUT_OF_RANGE);
    EXPECT_EQ(DeleteListItem(panel, list, 0, 2), UIE_OUT_OF_RANGE);
    EXPECT_EQ(DeleteListItem(panel, list, 0, -2), UIE_OUT_OF_RANGE);
    EXPECT_EQ(SetCtrlIndex(panel, list, 1), UIE_OUT_OF_RANGE);
    int v = 0;
    EXPECT_EQ(GetValueFromIndex(panel, list, 1, &v), UIE_OUT_OF_RANGE);
    char label[8];
    EXPECT_EQ(GetLabelFromIndex(panel, list, -1, label), UIE_OUT_OF_RANGE);
    int n = 0;
    ASSERT_EQ(GetNumListItems(panel, list, &n), 0);
    EXPECT_EQ(n, 1) << "refused calls leave the list as it was";
}

TEST_F(ListsTest, LabelsAndValuesByIndex) {
    ASSERT_EQ(InsertListItem(panel, list, -1, "   0          0         3         8     155", 2), 0);
    char label[64];
    ASSERT_EQ(GetLabelFromIndex(panel, list, 0, label), 0);
    EXPECT_STREQ(label, "   0          0         3         8     155");
    char small[5];
    ASSERT_EQ(GetLabelFromIndex(panel, list, 0, small), 0);
    EXPECT_STREQ(small, "   0");
    int v = 0;
    ASSERT_EQ(GetValueFromIndex(panel, list, 0, &v), 0);
    EXPECT_EQ(v, 2);
}

TEST_F(ListsTest, ListCallsRefuseOtherKinds) {
    EXPECT_EQ(InsertListItem(panel, box, -1, "x", 1), UIE_INVALID_ARGUMENT);
    EXPECT_EQ(ResetTextBox(panel, list, "x"), UIE_INVALID_ARGUMENT);
    int n = 0;
    EXPECT_EQ(GetNumTextBoxLines(panel, list, &n), UIE_INVALID_ARGUMENT);
}

TEST_F(ListsTest, ShortRingItemsMustFitItsType) {
    const int main = load(MAIN);
    EXPECT_EQ(InsertListItem(main, MAIN_RING, -1, "большое", 40000), UIE_OUT_OF_RANGE);
    EXPECT_EQ(InsertListItem(main, MAIN_RING, -1, "3", 3), 0);
    ASSERT_EQ(SetCtrlVal(main, MAIN_RING, 3), 0);
}

TEST_F(ListsTest, TextBoxResetReplacesAllLines) {
    ASSERT_EQ(ResetTextBox(panel, box, "Проверка QORM..."), 0);
    ASSERT_EQ(InsertTextBoxLine(panel, box, -1, "Канал 1"), 0);
    ASSERT_EQ(ResetTextBox(panel, box, "Проверка QORM..."), 0);
    EXPECT_EQ(lines(), 1);
    EXPECT_EQ(line(0), "Проверка QORM...");
    ASSERT_EQ(ResetTextBox(panel, box, ""), 0);
    EXPECT_EQ(lines(), 0);
    ASSERT_EQ(ResetTextBox(panel, box, "a\nb"), 0);
    EXPECT_EQ(lines(), 2);
}

TEST_F(ListsTest, TextBoxInsertAppendsOrInserts) {
    ASSERT_EQ(InsertTextBoxLine(panel, box, -1, "первая"), 0);
    ASSERT_EQ(InsertTextBoxLine(panel, box, -1, "третья"), 0);
    ASSERT_EQ(InsertTextBoxLine(panel, box, 1, "вторая"), 0);
    ASSERT_EQ(InsertTextBoxLine(panel, box, 0, "нулевая"), 0);
    EXPECT_EQ(test_support::ctrl_text(panel, box), "нулевая\nпервая\nвторая\nтретья");
    EXPECT_EQ(InsertTextBoxLine(panel, box, 5, "x"), UIE_OUT_OF_RANGE);
    EXPECT_EQ(InsertTextBoxLine(panel, box, -1, nullptr), UIE_NULL_POINTER);
    EXPECT_EQ(lines(), 4);
    char buffer[8];
    EXPECT_EQ(GetTextBoxLine(panel, box, 4, buffer), UIE_OUT_OF_RANGE);
}

TEST_F(ListsTest, ALineTerminatorEndsTheLineWithoutAnEmptyOne) {
    ASSERT_EQ(InsertTextBoxLine(panel, box, -1, "Канал 1: норма\n"), 0);
    ASSERT_EQ(InsertTextBoxLine(panel, box, -1, "Канал 2: норма\r\n"), 0);
    ASSERT_EQ(InsertTextBoxLine(panel, box, -1, ""), 0);
    ASSERT_EQ(InsertTextBoxLine(panel, box, -1, "две\nстроки"), 0);
    ASSERT_EQ(lines(), 5);
    EXPECT_EQ(line(0), "Канал 1: норма");
    EXPECT_EQ(line(1), "Канал 2: норма");
    EXPECT_EQ(line(2), "");
    EXPECT_EQ(line(3), "две");
    EXPECT_EQ(line(4), "строки");
}

}  // namespace
}  // namespace uir_test
