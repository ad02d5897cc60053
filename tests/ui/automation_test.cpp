// Operator actions: what a person may do, and what the gesture does to the control.
#include <limits>

#include "recorder.h"

namespace uir_test {
namespace {

namespace ua = uir::automation;

class AutomationTest : public UirTest {
  protected:
    void SetUp() override {
        UirTest::SetUp();
        panel = shown_main();
    }
    int int_value(int control) {
        int v = -1;
        EXPECT_EQ(GetCtrlVal(panel, control, &v), 0);
        return v;
    }
    int panel = 0;
};

TEST_F(AutomationTest, RefusesWhatAPersonCouldNotDo) {
    EXPECT_EQ(ua::press(panel, MAIN_LED), UIE_NOT_OPERABLE) << "indicator";
    EXPECT_EQ(ua::set_value(panel, MAIN_FLOAT, 1.0), UIE_NOT_OPERABLE) << "dimmed at load";
    EXPECT_EQ(ua::set_value(panel, MAIN_SHORT, 1), UIE_NOT_OPERABLE) << "numeric indicator";
    EXPECT_EQ(ua::press(panel, MAIN_TIMER), UIE_NOT_OPERABLE);
    EXPECT_EQ(ua::press(panel, MAIN_MSG), UIE_NOT_OPERABLE);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_VISIBLE, 0), 0);
    EXPECT_EQ(ua::press(panel, MAIN_OK), UIE_NOT_OPERABLE) << "hidden control";
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_VISIBLE, 1), 0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TOGGLE, ATTR_CTRL_MODE, VAL_INDICATOR), 0);
    EXPECT_EQ(ua::press(panel, MAIN_TOGGLE), UIE_NOT_OPERABLE);
    ASSERT_EQ(HidePanel(panel), 0);
    EXPECT_EQ(ua::press(panel, MAIN_OK), UIE_NOT_OPERABLE) << "control on a hidden panel";
    EXPECT_EQ(ua::choose_menu_item(panel, ITEM_OPEN), UIE_NOT_OPERABLE);
    EXPECT_EQ(ua::close_panel(panel), UIE_NOT_OPERABLE);
    EXPECT_EQ(ua::press(panel, 999), UIE_INVALID_CONTROL);

    EXPECT_EQ(int_value(MAIN_TOGGLE), 0) << "refused actions change nothing";
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_TRUE(recorder().calls.empty()) << "and queue nothing";
}

TEST_F(AutomationTest, UndimmedControlBecomesOperable) {
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_FLOAT, ATTR_DIMMED, 0), 0);
    EXPECT_EQ(ua::set_value(panel, MAIN_FLOAT, 0.2), 0);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(recorder().events_of(panel, MAIN_FLOAT), (std::vector<int>{EVENT_COMMIT}));
}

TEST_F(AutomationTest, PressFlipsTwoStateControlsThenCommits) {
    int seen_in_callback = -1;
    recorder().on_call = [&](const Call& c) {
        if (c.control == MAIN_TOGGLE) GetCtrlVal(panel, MAIN_TOGGLE, &seen_in_callback);
    };
    ASSERT_EQ(ua::press(panel, MAIN_TOGGLE), 0);
    EXPECT_EQ(int_value(MAIN_TOGGLE), 1) << "the value changes with the gesture";
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(seen_in_callback, 1);
    ASSERT_EQ(ua::press(panel, MAIN_CHECK), 0);
    EXPECT_EQ(int_value(MAIN_CHECK), 0) << "loaded on, pressed off";
    ASSERT_EQ(ua::press(panel, MAIN_HOT_LED), 0);
    EXPECT_EQ(int_value(MAIN_HOT_LED), 1);
    ASSERT_EQ(ua::press(panel, MAIN_SWITCH), 0);
    short s = 0;
    ASSERT_EQ(GetCtrlVal(panel, MAIN_SWITCH, &s), 0);
    EXPECT_EQ(s, 1);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(recorder().calls.size(), 4u);
}

TEST_F(AutomationTest, PressIsNotTheGestureOfEveryKind) {
    EXPECT_EQ(ua::press(panel, MAIN_NUM), UIE_INVALID_ARGUMENT);
    EXPECT_EQ(ua::press(panel, MAIN_LIST), UIE_INVALID_ARGUMENT);
    EXPECT_EQ(ua::set_value(panel, MAIN_OK, 1), UIE_NO_VALUE);
    EXPECT_EQ(ua::set_value(panel, MAIN_STRING, 1), UIE_TYPE_MISMATCH);
    EXPECT_EQ(ua::set_value(panel, MAIN_RING, 1.0), UIE_TYPE_MISMATCH);
    EXPECT_EQ(ua::set_value(panel, MAIN_NUM, "1"), UIE_TYPE_MISMATCH);
    EXPECT_EQ(ua::set_value(panel, MAIN_TOGGLE, 2), UIE_OUT_OF_RANGE);
    EXPECT_EQ(ua::double_click(panel, MAIN_RING, 0), UIE_INVALID_ARGUMENT);
    EXPECT_EQ(ua::select_index(panel, MAIN_NUM, 0), UIE_INVALID_ARGUMENT);
}

TEST_F(AutomationTest, TypedNumbersAreBroughtIntoRange) {
    ASSERT_EQ(ua::set_value(panel, MAIN_NUM, 12.5), 0);
    double d = 0;
    ASSERT_EQ(GetCtrlVal(panel, MAIN_NUM, &d), 0);
    EXPECT_EQ(d, 10.0);
    ASSERT_EQ(ua::set_value(panel, MAIN_NUM, -3), 0);
    ASSERT_EQ(GetCtrlVal(panel, MAIN_NUM, &d), 0);
    EXPECT_EQ(d, 0.0);
    ASSERT_EQ(ua::set_value(panel, MAIN_NUM, 1.23), 0);
    ASSERT_EQ(GetCtrlVal(panel, MAIN_NUM, &d), 0);
    EXPECT_EQ(d, 1.23) << "inside the range the value stays as typed";
    ASSERT_EQ(ua::set_value(panel, MAIN_INT, 2.6), 0);
    EXPECT_EQ(int_value(MAIN_INT), 3) << "an integer control takes the nearest whole number";
    ASSERT_EQ(ua::set_value(panel, MAIN_INT, 1e12), 0);
    EXPECT_EQ(int_value(MAIN_INT), 2147483647);
    EXPECT_EQ(ua::set_value(panel, MAIN_NUM, std::numeric_limits<double>::infinity()),
              UIE_OUT_OF_RANGE);
}

TEST_F(AutomationTest, RingIsSetByItemValue) {
    ASSERT_EQ(ua::set_value(panel, MAIN_RING, 2), 0);
    short s = 0;
    ASSERT_EQ(GetCtrlVal(panel, MAIN_RING, &s), 0);
    EXPECT_EQ(s, 2);
    EXPECT_EQ(ua::set_value(panel, MAIN_RING, 5), UIE_NO_ITEM);
    ASSERT_EQ(ua::select_index(panel, MAIN_RING, 0), 0);
    ASSERT_EQ(GetCtrlVal(panel, MAIN_RING, &s), 0);
    EXPECT_EQ(s, 0);
    EXPECT_EQ(ua::select_index(panel, MAIN_RING, 3), UIE_OUT_OF_RANGE);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(recorder().events_of(panel, MAIN_RING),
              (std::vector<int>{EVENT_COMMIT, EVENT_COMMIT}));
}

TEST_F(AutomationTest, StringAndTextBoxTakeTypedText) {
    ASSERT_EQ(ua::set_value(panel, MAIN_STRING, "ввод"), 0);
    EXPECT_EQ(test_support::ctrl_text(panel, MAIN_STRING), "ввод");
    ASSERT_EQ(ua::set_value(panel, MAIN_TEXTBOX, "x\ny"), 0);
    int lines = 0;
    ASSERT_EQ(GetNumTextBoxLines(panel, MAIN_TEXTBOX, &lines), 0);
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(ua::set_value(panel, MAIN_STRING, static_cast<const char*>(nullptr)),
              UIE_NULL_POINTER);
}

TEST_F(AutomationTest, ListSelectionAndDoubleClick) {
    ASSERT_EQ(ua::select_index(panel, MAIN_LIST, 1), 0);
    ASSERT_EQ(ua::double_click(panel, MAIN_LIST, 2), 0);
    int v = 0;
    ASSERT_EQ(GetCtrlVal(panel, MAIN_LIST, &v), 0);
    EXPECT_EQ(v, 30) << "the double-clicked line is highlighted";
    ASSERT_EQ(ProcessSystemEvents(), 0);
    const std::vector<Call> want = {
        {panel, MAIN_LIST, EVENT_COMMIT, nullptr, 1, 0},
        {panel, MAIN_LIST, EVENT_LEFT_DOUBLE_CLICK, nullptr, 2, 0},
    };
    EXPECT_EQ(recorder().calls, want);
    EXPECT_EQ(ua::double_click(panel, MAIN_LIST, 3), UIE_OUT_OF_RANGE);
    EXPECT_EQ(ua::double_click(panel, MAIN_LIST, -1), UIE_OUT_OF_RANGE);
}

TEST_F(AutomationTest, ControlsAreFoundByConstantName) {
    EXPECT_EQ(ua::find_control(panel, "MAIN_RING"), MAIN_RING);
    EXPECT_EQ(ua::find_control(panel, "MAIN_NOTHING"), UIE_INVALID_CONTROL);
    EXPECT_EQ(ua::find_control(panel, ""), UIE_INVALID_CONTROL);
    EXPECT_EQ(ua::constant_name(panel), "MAIN");
    EXPECT_EQ(ua::constant_name(-5), "");
}

TEST_F(AutomationTest, PanelWithoutCloseControlGetsEventClose) {
    ASSERT_EQ(ua::close_panel(panel), 0);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(recorder().events_of(panel, 0), (std::vector<int>{EVENT_CLOSE}));
    EXPECT_TRUE(uir::model::find_panel(panel)->visible);
}

}  // namespace
}  // namespace uir_test
