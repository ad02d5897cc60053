// Typed control values: exact-type reads, category-checked writes, ranges, bounded text.
#include <cmath>
#include <cstring>
#include <string>

#include "recorder.h"

namespace uir_test {
namespace {

class ValuesTest : public UirTest {
  protected:
    void SetUp() override {
        UirTest::SetUp();
        panel = load(MAIN);
    }
    int panel = 0;
};

TEST_F(ValuesTest, ReadsMustUseTheControlsOwnType) {
    short s = 0;
    EXPECT_EQ(GetCtrlVal(panel, MAIN_SHORT, &s), 0);
    EXPECT_EQ(s, -3);
    int i = 0;
    double d = 0;
    float f = 0;
    unsigned short us = 0;
    EXPECT_EQ(GetCtrlVal(panel, MAIN_SHORT, &i), UIE_TYPE_MISMATCH);
    EXPECT_EQ(GetCtrlVal(panel, MAIN_SHORT, &d), UIE_TYPE_MISMATCH);
    EXPECT_EQ(GetCtrlVal(panel, MAIN_SHORT, &us), UIE_TYPE_MISMATCH);
    EXPECT_EQ(GetCtrlVal(panel, MAIN_FLOAT, &d), UIE_TYPE_MISMATCH);
    EXPECT_EQ(GetCtrlVal(panel, MAIN_FLOAT, &f), 0);
    EXPECT_FLOAT_EQ(f, 0.05f);
    EXPECT_EQ(GetCtrlVal(panel, MAIN_NUM, &d), 0);
    EXPECT_EQ(d, 5.0);
    char text[16];
    EXPECT_EQ(GetCtrlVal(panel, MAIN_NUM, text), UIE_TYPE_MISMATCH);
    EXPECT_EQ(GetCtrlVal(panel, MAIN_STRING, &i), UIE_TYPE_MISMATCH);
    EXPECT_EQ(s, -3) << "a refused read leaves the destination alone";
}

TEST_F(ValuesTest, WritesMustBeOfTheControlsCategory) {
    EXPECT_EQ(SetCtrlVal(panel, MAIN_NUM, 3), UIE_TYPE_MISMATCH) << "integer into a double";
    EXPECT_EQ(SetCtrlVal(panel, MAIN_INT, 2.5), UIE_TYPE_MISMATCH) << "floating into an integer";
    EXPECT_EQ(SetCtrlVal(panel, MAIN_INT, "12"), UIE_TYPE_MISMATCH);
    EXPECT_EQ(SetCtrlVal(panel, MAIN_STRING, 12), UIE_TYPE_MISMATCH);
    int i = 0;
    ASSERT_EQ(GetCtrlVal(panel, MAIN_INT, &i), 0);
    EXPECT_EQ(i, 7) << "refused writes change nothing";
    EXPECT_EQ(test_support::ctrl_text(panel, MAIN_STRING), "начало");

    EXPECT_EQ(SetCtrlVal(panel, MAIN_INT, static_cast<short>(-5)), 0);
    ASSERT_EQ(GetCtrlVal(panel, MAIN_INT, &i), 0);
    EXPECT_EQ(i, -5);
    EXPECT_EQ(SetCtrlVal(panel, MAIN_NUM, 2.5f), 0) << "single precision into a double control";
    double d = 0;
    ASSERT_EQ(GetCtrlVal(panel, MAIN_NUM, &d), 0);
    EXPECT_EQ(d, 2.5);
}

TEST_F(ValuesTest, WritesMustFitTheType) {
    EXPECT_EQ(SetCtrlVal(panel, MAIN_SHORT, 70000), UIE_OUT_OF_RANGE);
    EXPECT_EQ(SetCtrlVal(panel, MAIN_SHORT, -32769), UIE_OUT_OF_RANGE);
    EXPECT_EQ(SetCtrlVal(panel, MAIN_SHORT, -32768), 0);
    EXPECT_EQ(SetCtrlVal(panel, MAIN_USHORT, -1), UIE_OUT_OF_RANGE);
    EXPECT_EQ(SetCtrlVal(panel, MAIN_USHORT, 65535), 0);
    EXPECT_EQ(SetCtrlVal(panel, MAIN_INT, 3000000000u), UIE_OUT_OF_RANGE);
    EXPECT_EQ(SetCtrlVal(panel, MAIN_FLOAT, 1e39), UIE_OUT_OF_RANGE);
    EXPECT_EQ(SetCtrlVal(panel, MAIN_NUM, std::nan("")), UIE_OUT_OF_RANGE);
    EXPECT_EQ(SetCtrlVal(panel, MAIN_NUM, HUGE_VAL), UIE_OUT_OF_RANGE);
    unsigned short us = 0;
    ASSERT_EQ(GetCtrlVal(panel, MAIN_USHORT, &us), 0);
    EXPECT_EQ(us, 65535);
    short s = 0;
    ASSERT_EQ(GetCtrlVal(panel, MAIN_SHORT, &s), 0);
    EXPECT_EQ(s, -32768);
}

TEST_F(ValuesTest, ProgrammaticWritesAreNotClampedToTheLimits) {
    ASSERT_EQ(SetCtrlVal(panel, MAIN_NUM, 42.0), 0);
    double d = 0;
    ASSERT_EQ(GetCtrlVal(panel, MAIN_NUM, &d), 0);
    EXPECT_EQ(d, 42.0);
}

TEST_F(ValuesTest, SingleValuesAreStoredAtSinglePrecision) {
    ASSERT_EQ(SetCtrlVal(panel, MAIN_FLOAT, 0.1), 0);
    float f = 0;
    ASSERT_EQ(GetCtrlVal(panel, MAIN_FLOAT, &f), 0);
    EXPECT_EQ(f, 0.1f);
    EXPECT_EQ(uir::model::find_control(panel, MAIN_FLOAT)->number, static_cast<double>(0.1f));
}

TEST_F(ValuesTest, TwoStateControlsHoldZeroOrOne) {
    int i = -1;
    ASSERT_EQ(GetCtrlVal(panel, MAIN_CHECK, &i), 0);
    EXPECT_EQ(i, 1) << "load state";
    ASSERT_EQ(SetCtrlVal(panel, MAIN_TOGGLE, 5), 0) << "any non-zero run flag shows as on";
    ASSERT_EQ(GetCtrlVal(panel, MAIN_TOGGLE, &i), 0);
    EXPECT_EQ(i, 1);
    ASSERT_EQ(SetCtrlVal(panel, MAIN_LED, 0), 0);
    ASSERT_EQ(GetCtrlVal(panel, MAIN_LED, &i), 0);
    EXPECT_EQ(i, 0);
    short s = -1;
    EXPECT_EQ(GetCtrlVal(panel, MAIN_SWITCH, &s), 0) << "the layout made this switch 16-bit";
    EXPECT_EQ(s, 0);
}

TEST_F(ValuesTest, KindsWithoutValueRefuseReadsAndWrites) {
    int i = 0;
    char text[8];
    for (int control : {MAIN_OK, MAIN_DECO, MAIN_PIC, MAIN_TIMER}) {
        EXPECT_EQ(SetCtrlVal(panel, control, 1), UIE_NO_VALUE) << control;
        EXPECT_EQ(SetCtrlVal(panel, control, "x"), UIE_NO_VALUE) << control;
        EXPECT_EQ(GetCtrlVal(panel, control, &i), UIE_NO_VALUE) << control;
        EXPECT_EQ(GetCtrlVal(panel, control, text), UIE_NO_VALUE) << control;
    }
}

TEST_F(ValuesTest, RingValueIsTheSelectedItemsValue) {
    short s = -1;
    ASSERT_EQ(GetCtrlVal(panel, MAIN_RING, &s), 0);
    EXPECT_EQ(s, 1) << "loaded with the item of value 1";
    EXPECT_EQ(SetCtrlVal(panel, MAIN_RING, 2), 0);
    int index = -1;
    ASSERT_EQ(GetCtrlIndex(panel, MAIN_RING, &index), 0);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(SetCtrlVal(panel, MAIN_RING, 7), UIE_NO_ITEM);
    ASSERT_EQ(GetCtrlVal(panel, MAIN_RING, &s), 0);
    EXPECT_EQ(s, 2) << "an unknown value keeps the selection";
    EXPECT_EQ(SetCtrlVal(panel, MAIN_RING, 70000), UIE_OUT_OF_RANGE) << "16-bit ring";
}

TEST_F(ValuesTest, TextReadsAreBoundedAndTerminated) {
    ASSERT_EQ(SetCtrlVal(panel, MAIN_STRING, "abcdef"), 0);
    char small[4];
    std::memset(small, 'X', sizeof small);
    EXPECT_EQ(GetCtrlVal(panel, MAIN_STRING, small), 0);
    EXPECT_STREQ(small, "abc");

    // Cyrillic letters are two bytes: a cut never leaves half a letter.
    ASSERT_EQ(SetCtrlVal(panel, MAIN_STRING, "Жук"), 0);
    char four[4];
    EXPECT_EQ(GetCtrlValString(panel, MAIN_STRING, four, sizeof four), 0);
    EXPECT_STREQ(four, "Ж");
    char guarded[8] = {'X', 'X', 'X', 'X', 'X', 'X', 'X', 'X'};
    EXPECT_EQ(GetCtrlValString(panel, MAIN_STRING, guarded, 3), 0);
    EXPECT_STREQ(guarded, "Ж");
    EXPECT_EQ(guarded[3], 'X') << "nothing written past the given size";

    EXPECT_EQ(GetCtrlValString(panel, MAIN_STRING, guarded, 0), UIE_OUT_OF_RANGE);
    EXPECT_EQ(GetCtrlValString(panel, MAIN_STRING, nullptr, 8), UIE_NULL_POINTER);
}

TEST_F(ValuesTest, NullAndOverLongTextsAreRefused) {
    EXPECT_EQ(SetCtrlVal(panel, MAIN_STRING, static_cast<const char*>(nullptr)), UIE_NULL_POINTER);
    const std::string huge(2 << 20, 'a');
    EXPECT_EQ(SetCtrlVal(panel, MAIN_STRING, huge.c_str()), UIE_OUT_OF_RANGE);
    EXPECT_EQ(test_support::ctrl_text(panel, MAIN_STRING), "начало");
    int* none = nullptr;
    EXPECT_EQ(GetCtrlVal(panel, MAIN_INT, none), UIE_NULL_POINTER);
}

TEST_F(ValuesTest, TextBoxValueIsItsWholeText) {
    EXPECT_EQ(test_support::ctrl_text(panel, MAIN_TEXTBOX), "первая\nвторая");
    ASSERT_EQ(SetCtrlVal(panel, MAIN_TEXTBOX, "a\nb\nc"), 0);
    int lines = 0;
    ASSERT_EQ(GetNumTextBoxLines(panel, MAIN_TEXTBOX, &lines), 0);
    EXPECT_EQ(lines, 3);
}

TEST_F(ValuesTest, DefaultCtrlRestoresTheLoadState) {
    ASSERT_EQ(SetCtrlVal(panel, MAIN_NUM, 9.0), 0);
    ASSERT_EQ(SetCtrlVal(panel, MAIN_STRING, "другое"), 0);
    ASSERT_EQ(SetCtrlVal(panel, MAIN_RING, 0), 0);
    ASSERT_EQ(ResetTextBox(panel, MAIN_TEXTBOX, "x"), 0);
    for (int c : {MAIN_NUM, MAIN_STRING, MAIN_RING, MAIN_TEXTBOX, MAIN_OK})
        EXPECT_EQ(DefaultCtrl(panel, c), 0) << c;
    double d = 0;
    ASSERT_EQ(GetCtrlVal(panel, MAIN_NUM, &d), 0);
    EXPECT_EQ(d, 5.0);
    EXPECT_EQ(test_support::ctrl_text(panel, MAIN_STRING), "начало");
    short s = 0;
    ASSERT_EQ(GetCtrlVal(panel, MAIN_RING, &s), 0);
    EXPECT_EQ(s, 1);
    EXPECT_EQ(test_support::ctrl_text(panel, MAIN_TEXTBOX), "первая\nвторая");
}

}  // namespace
}  // namespace uir_test
