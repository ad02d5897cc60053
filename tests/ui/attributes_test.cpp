// Control and panel attributes: their effects, their types and who they apply to.
#include "recorder.h"

namespace uir_test {
namespace {

class AttributesTest : public UirTest {
  protected:
    void SetUp() override {
        UirTest::SetUp();
        panel = load(MAIN);
    }
    double num() {
        double d = -1;
        EXPECT_EQ(GetCtrlVal(panel, MAIN_NUM, &d), 0);
        return d;
    }
    int panel = 0;
};

TEST_F(AttributesTest, DimmedAndVisibleAreFlags) {
    int v = -1;
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_FLOAT, ATTR_DIMMED, &v), 0);
    EXPECT_EQ(v, 1) << "load state";
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_FLOAT, ATTR_DIMMED, 0), 0);
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_FLOAT, ATTR_DIMMED, &v), 0);
    EXPECT_EQ(v, 0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_VISIBLE, 7), 0) << "any non-zero is true";
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_OK, ATTR_VISIBLE, &v), 0);
    EXPECT_EQ(v, 1);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_VISIBLE, 0), 0);
    EXPECT_FALSE(uir::model::find_control(panel, MAIN_OK)->visible);
}

TEST_F(AttributesTest, NewLimitsBringTheValueIntoRange) {
    ASSERT_EQ(num(), 5.0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_NUM, ATTR_MAX_VALUE, 2.0), 0);
    EXPECT_EQ(num(), 2.0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_NUM, ATTR_MIN_VALUE, 3), 0) << "an int for a double";
    EXPECT_EQ(num(), 3.0);
    double max = 0;
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_NUM, ATTR_MAX_VALUE, &max), 0);
    EXPECT_EQ(max, 3.0) << "a minimum above the maximum takes the maximum along";
}

TEST_F(AttributesTest, RangeCanBeSetInEitherOrder) {
    // From [0, 10] to [20, 30], minimum first: the range must end as asked.
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_NUM, ATTR_MIN_VALUE, 20.0), 0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_NUM, ATTR_MAX_VALUE, 30.0), 0);
    double min = 0, max = 0;
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_NUM, ATTR_MIN_VALUE, &min), 0);
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_NUM, ATTR_MAX_VALUE, &max), 0);
    EXPECT_EQ(min, 20.0);
    EXPECT_EQ(max, 30.0);
    EXPECT_EQ(num(), 20.0);
    // And back down, maximum first.
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_NUM, ATTR_MAX_VALUE, 1.0), 0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_NUM, ATTR_MIN_VALUE, 0.5), 0);
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_NUM, ATTR_MIN_VALUE, &min), 0);
    EXPECT_EQ(min, 0.5);
    EXPECT_EQ(num(), 1.0);
}

TEST_F(AttributesTest, LimitsMustFitTheType) {
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_USHORT, ATTR_MIN_VALUE, -1.0), UIE_OUT_OF_RANGE);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_INT, ATTR_MAX_VALUE, 2.5), UIE_OUT_OF_RANGE);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_NUM, ATTR_INCR_VALUE, -0.1), UIE_OUT_OF_RANGE);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_NUM, ATTR_PRECISION, 16), UIE_OUT_OF_RANGE);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_STRING, ATTR_MIN_VALUE, 1.0), UIE_INVALID_ATTRIBUTE);
    double min = 0;
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_USHORT, ATTR_MIN_VALUE, &min), 0);
    EXPECT_EQ(min, 0.0) << "no limits in the layout: the type's range";
    double max = 0;
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_USHORT, ATTR_MAX_VALUE, &max), 0);
    EXPECT_EQ(max, 65535.0);
}

TEST_F(AttributesTest, AttributeTypesAreChecked) {
    int i = 0;
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_DIMMED, 1.0), UIE_TYPE_MISMATCH);
    EXPECT_EQ(GetCtrlAttribute(panel, MAIN_NUM, ATTR_MAX_VALUE, &i), UIE_TYPE_MISMATCH);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_LABEL_TEXT, 3), UIE_TYPE_MISMATCH);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_LABEL_TEXT, nullptr), UIE_NULL_POINTER);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_DIMMED, nullptr), UIE_TYPE_MISMATCH);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_OK, 9999, 1), UIE_INVALID_ATTRIBUTE);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_TITLE, "x"), UIE_INVALID_ATTRIBUTE);
    EXPECT_EQ(GetCtrlAttribute(panel, MAIN_OK, ATTR_DIMMED, static_cast<int*>(nullptr)),
              UIE_NULL_POINTER);
}

TEST_F(AttributesTest, ReadOnlyAttributesRefuseWrites) {
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_CTRL_STYLE, CTRL_LED), UIE_INVALID_ATTRIBUTE);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_DATA_TYPE, VAL_INTEGER), UIE_INVALID_ATTRIBUTE);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_CALLBACK_NAME, "x"), UIE_INVALID_ATTRIBUTE);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_CONSTANT_NAME, "OTHER"), UIE_INVALID_ATTRIBUTE)
        << "layout controls keep their constant names";
    int style = 0, type = 0;
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_RING, ATTR_CTRL_STYLE, &style), 0);
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_RING, ATTR_DATA_TYPE, &type), 0);
    EXPECT_EQ(style, CTRL_RING);
    EXPECT_EQ(type, VAL_SHORT_INTEGER);
    char name[32];
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_RING, ATTR_CONSTANT_NAME, name), 0);
    EXPECT_STREQ(name, "MAIN_RING");
}

TEST_F(AttributesTest, CodeBuiltControlsTakeAConstantName) {
    const int id = NewCtrl(panel, CTRL_COMMAND_BUTTON, "Выбрать", 41, 208);
    ASSERT_GT(id, 0);
    ASSERT_EQ(SetCtrlAttribute(panel, id, ATTR_CONSTANT_NAME, "OK"), 0);
    EXPECT_EQ(uir::automation::find_control(panel, "OK"), id);
}

TEST_F(AttributesTest, CallbackReplacementChangesWhatRunsAndItsName) {
    char name[32];
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_OK, ATTR_CALLBACK_NAME, name), 0);
    EXPECT_STREQ(name, "ctrlCB");
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_CALLBACK_FUNCTION_POINTER, otherCB), 0);
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_OK, ATTR_CALLBACK_NAME, name), 0);
    EXPECT_STREQ(name, "otherCB");
    CtrlCallbackPtr fn = nullptr;
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_OK, ATTR_CALLBACK_FUNCTION_POINTER, &fn), 0);
    EXPECT_EQ(fn, otherCB);

    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_CALLBACK_FUNCTION_POINTER, nullptr), 0);
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_OK, ATTR_CALLBACK_NAME, name), 0);
    EXPECT_STREQ(name, "");
    ASSERT_EQ(DisplayPanel(panel), 0);
    ASSERT_EQ(uir::automation::press(panel, MAIN_OK), 0);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_TRUE(recorder().calls.empty()) << "no callback, no call";
}

TEST_F(AttributesTest, TimerAttributesApplyToTimersOnly) {
    int enabled = -1;
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_TIMER, ATTR_ENABLED, &enabled), 0);
    EXPECT_EQ(enabled, 0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_ENABLED, 1), 0);
    ASSERT_EQ(GetCtrlAttribute(panel, MAIN_TIMER, ATTR_ENABLED, &enabled), 0);
    EXPECT_EQ(enabled, 1);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_INTERVAL, 0.0), UIE_OUT_OF_RANGE);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_ENABLED, 1), UIE_INVALID_ATTRIBUTE);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_CTRL_MODE, VAL_HOT), UIE_INVALID_ATTRIBUTE);
}

TEST_F(AttributesTest, GeometryModeAndColoursAreChecked) {
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_WIDTH, -1), UIE_OUT_OF_RANGE);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_TOP, VAL_AUTO_CENTER), UIE_OUT_OF_RANGE);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_BACKCOLOR, 0x1000000), UIE_OUT_OF_RANGE);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_CTRL_MODE, 3), UIE_OUT_OF_RANGE);
    EXPECT_EQ(SetCtrlAttribute(panel, MAIN_STRING, ATTR_CMD_BUTTON_COLOR, VAL_LT_GRAY),
              UIE_INVALID_ATTRIBUTE);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_CMD_BUTTON_COLOR, VAL_LT_GRAY), 0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_LIST, ATTR_TEXT_BGCOLOR, VAL_WHITE), 0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_LIST, ATTR_WIDTH, 303), 0);
    const uir::Control* list = uir::model::find_control(panel, MAIN_LIST);
    EXPECT_EQ(list->text_bg_color, VAL_WHITE);
    EXPECT_EQ(list->width, 303);
    EXPECT_EQ(uir::model::find_control(panel, MAIN_OK)->cmd_button_color, VAL_LT_GRAY);
}

TEST_F(AttributesTest, PanelAttributes) {
    char title[64];
    ASSERT_EQ(GetPanelAttribute(panel, ATTR_TITLE, title), 0);
    EXPECT_STREQ(title, "Главная панель");
    ASSERT_EQ(SetPanelAttribute(panel, ATTR_TITLE, "QORM: Интф. 0"), 0);
    ASSERT_EQ(GetPanelAttribute(panel, ATTR_TITLE, title), 0);
    EXPECT_STREQ(title, "QORM: Интф. 0");

    int v = -1;
    ASSERT_EQ(GetPanelAttribute(panel, ATTR_VISIBLE, &v), 0);
    EXPECT_EQ(v, 0) << "loaded panels start hidden";
    ASSERT_EQ(SetPanelAttribute(panel, ATTR_VISIBLE, 1), 0);
    EXPECT_TRUE(uir::model::find_panel(panel)->visible);

    int data = 0;
    ASSERT_EQ(SetPanelAttribute(panel, ATTR_CALLBACK_DATA, &data), 0);
    void* got = nullptr;
    ASSERT_EQ(GetPanelAttribute(panel, ATTR_CALLBACK_DATA, &got), 0);
    EXPECT_EQ(got, &data);

    EXPECT_EQ(SetPanelAttribute(panel, ATTR_CLOSE_CTRL, 999), UIE_INVALID_CONTROL);
    EXPECT_EQ(SetPanelAttribute(panel, ATTR_CLOSE_CTRL, MAIN_OK), 0);
    EXPECT_EQ(SetPanelAttribute(panel, ATTR_PANEL_MENU_BAR, 0), UIE_INVALID_ATTRIBUTE);
    EXPECT_EQ(SetPanelAttribute(panel, ATTR_CONSTANT_NAME, "X"), UIE_INVALID_ATTRIBUTE);
    EXPECT_EQ(SetPanelAttribute(panel, ATTR_DIMMED, 1), UIE_INVALID_ATTRIBUTE);
    EXPECT_EQ(SetPanelAttribute(panel, ATTR_HEIGHT, -5), UIE_OUT_OF_RANGE);
    ASSERT_EQ(GetPanelAttribute(panel, ATTR_PANEL_MENU_BAR, &v), 0);
    EXPECT_EQ(v, GetPanelMenuBar(panel));
}

TEST_F(AttributesTest, AutoCentreUsesTheBackendsScreen) {
    const int p = NewPanel(0, "SI", 21, 44, 317, 335);
    ASSERT_GT(p, 0);
    ASSERT_EQ(SetPanelAttribute(p, ATTR_TOP, VAL_AUTO_CENTER), 0);
    ASSERT_EQ(SetPanelAttribute(p, ATTR_LEFT, VAL_AUTO_CENTER), 0);
    int top = 0, left = 0;
    ASSERT_EQ(GetPanelAttribute(p, ATTR_TOP, &top), 0);
    ASSERT_EQ(GetPanelAttribute(p, ATTR_LEFT, &left), 0);
    EXPECT_EQ(top, (1080 - 317) / 2);
    EXPECT_EQ(left, (1920 - 335) / 2);
    ASSERT_EQ(SetPanelAttribute(p, ATTR_CONSTANT_NAME, "SI"), 0) << "built in code: settable";
    EXPECT_EQ(uir::automation::constant_name(p), "SI");
}

}  // namespace
}  // namespace uir_test
