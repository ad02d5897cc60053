// The operator's gestures on the widgets reach the callbacks through the run-time's automation:
// the gesture changes the control as the model has it, dimmed and indicator controls refuse it.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "qt/binary_switch.h"
#include "qt/led_lamp.h"
#include "qt_view_test.h"

namespace qt_test {
namespace {

class InputTest : public QtViewTest {
  protected:
    int int_value(int control) {
        int v = -1;
        EXPECT_EQ(GetCtrlVal(panel_, control, &v), 0);
        return v;
    }
    float time_value() {
        float v = -1;
        EXPECT_EQ(GetCtrlVal(panel_, V_TIME, &v), 0);
        return v;
    }
    void click(int control) { QTest::mouseClick(widget(control), Qt::LeftButton); }
    // Key presses carrying Cyrillic text, which QTest's key clicks cannot type.
    static void type(QWidget* w, const QString& text) {
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(w, &press);
            QApplication::sendEvent(w, &release);
        }
    }
};

TEST_F(InputTest, ClickedButtonsCommit) {
    click(V_BUTTON);
    EXPECT_TRUE(recorder().calls.empty()) << "callbacks run only in event processing";
    ProcessSystemEvents();
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{panel_, V_BUTTON, EVENT_COMMIT, 0}}));

    click(V_TOGGLE);
    EXPECT_EQ(int_value(V_TOGGLE), 1) << "the press flips the value before the callback";
    EXPECT_EQ(widget_as<QPushButton>(V_TOGGLE)->text(), "Стоп");
    click(V_CHECK);
    EXPECT_EQ(int_value(V_CHECK), 1);
    click(V_SWITCH);
    EXPECT_EQ(int_value(V_SWITCH), 0);
    EXPECT_FALSE(widget_as<uir::qt::BinarySwitch>(V_SWITCH)->on());
    ProcessSystemEvents();
    EXPECT_EQ(recorder().events_of(panel_, V_TOGGLE), (std::vector<int>{EVENT_COMMIT}));
    EXPECT_EQ(recorder().events_of(panel_, V_CHECK), (std::vector<int>{EVENT_COMMIT}));
    EXPECT_EQ(recorder().events_of(panel_, V_SWITCH), (std::vector<int>{EVENT_COMMIT}));
}

TEST_F(InputTest, DimmedControlsRefuseClicks) {
    for (int control : {V_BUTTON, V_TOGGLE, V_CHECK, V_SWITCH, V_LED})
        ASSERT_EQ(SetCtrlAttribute(panel_, control, ATTR_DIMMED, 1), 0);
    for (int control : {V_BUTTON, V_TOGGLE, V_CHECK, V_SWITCH, V_LED}) click(control);
    ProcessSystemEvents();
    EXPECT_TRUE(recorder().calls.empty());
    EXPECT_EQ(int_value(V_TOGGLE), 0);
    EXPECT_FALSE(widget_as<QPushButton>(V_TOGGLE)->isChecked());
    EXPECT_EQ(int_value(V_SWITCH), 1);
    EXPECT_EQ(int_value(V_LED), 0);

    ASSERT_EQ(SetCtrlAttribute(panel_, V_TOGGLE, ATTR_DIMMED, 0), 0);
    click(V_TOGGLE);
    ProcessSystemEvents();
    EXPECT_EQ(recorder().events_of(panel_, V_TOGGLE), (std::vector<int>{EVENT_COMMIT}));
}

TEST_F(InputTest, IndicatorsIgnoreClicks) {
    click(V_LAMP);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_CHECK, ATTR_CTRL_MODE, VAL_INDICATOR), 0);
    click(V_CHECK);
    ProcessSystemEvents();
    EXPECT_TRUE(recorder().calls.empty());
    EXPECT_EQ(int_value(V_LAMP), 0);
    EXPECT_EQ(int_value(V_CHECK), 0);
    EXPECT_FALSE(widget_as<QCheckBox>(V_CHECK)->isChecked()) << "the box shows the model";
}

TEST_F(InputTest, OperableLampClickFlipsAndCommits) {
    click(V_LED);
    EXPECT_EQ(int_value(V_LED), 1);
    EXPECT_TRUE(widget_as<uir::qt::LedLamp>(V_LED)->lit());
    ProcessSystemEvents();
    EXPECT_EQ(recorder().events_of(panel_, V_LED), (std::vector<int>{EVENT_COMMIT}));
}

TEST_F(InputTest, TypedNumberIsBroughtIntoTheLimits) {
    auto* field = widget_as<QDoubleSpinBox>(V_TIME);
    ASSERT_NE(field, nullptr);
    field->selectAll();
    QTest::keyClicks(field, "99");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FLOAT_EQ(time_value(), 6.375f) << "the maximum, not the typed value";
    EXPECT_EQ(field->text(), "6.375");
    ProcessSystemEvents();
    EXPECT_EQ(recorder().events_of(panel_, V_TIME), (std::vector<int>{EVENT_COMMIT}));

    field->selectAll();
    QTest::keyClicks(field, "0");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FLOAT_EQ(time_value(), 0.025f);
    EXPECT_EQ(field->text(), "0.025");
}

TEST_F(InputTest, ArrowsStepByTheIncrementWithinTheLimits) {
    auto* field = widget_as<QDoubleSpinBox>(V_TIME);
    ASSERT_NE(field, nullptr);
    QTest::keyClick(field, Qt::Key_Up);
    EXPECT_FLOAT_EQ(time_value(), 0.075f);
    EXPECT_EQ(field->text(), "0.075");
    ASSERT_EQ(SetCtrlVal(panel_, V_TIME, 6.375f), 0);
    QTest::keyClick(field, Qt::Key_Up);
    EXPECT_FLOAT_EQ(time_value(), 6.375f) << "no step beyond the maximum";
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_FLOAT_EQ(time_value(), 6.35f);
    ProcessSystemEvents();
    EXPECT_EQ(recorder().events_of(panel_, V_TIME), (std::vector<int>{EVENT_COMMIT, EVENT_COMMIT}));
}

TEST_F(InputTest, TypedTextCommitsOnce) {
    auto* edit = widget_as<QLineEdit>(V_STRING);
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    type(edit, "канал");
    QTest::keyClick(edit, Qt::Key_Return);
    char text[32] = "";
    ASSERT_EQ(GetCtrlVal(panel_, V_STRING, text), 0);
    EXPECT_STREQ(text, "канал");
    edit->clearFocus();  // leaving the field without a change sends nothing more
    ProcessSystemEvents();
    EXPECT_EQ(recorder().events_of(panel_, V_STRING), (std::vector<int>{EVENT_COMMIT}));
}

TEST_F(InputTest, RingChoiceCommitsTheItem) {
    auto* ring = widget_as<QComboBox>(V_RING);
    ASSERT_NE(ring, nullptr);
    QTest::keyClick(ring, Qt::Key_Down);
    short v = -1;
    ASSERT_EQ(GetCtrlVal(panel_, V_RING, &v), 0);
    EXPECT_EQ(v, 1);
    ProcessSystemEvents();
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{panel_, V_RING, EVENT_COMMIT, 1}}));
}

TEST_F(InputTest, ListClickHighlightsDoubleClickAndEnterChoose) {
    auto* list = widget_as<QListWidget>(V_LIST);
    ASSERT_NE(list, nullptr);
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(int_value(V_LIST), 20) << "highlighted";
    ProcessSystemEvents();
    EXPECT_TRUE(recorder().calls.empty()) << "a single click is no choice";

    const QPoint third = list->visualItemRect(list->item(2)).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third);
    EXPECT_EQ(int_value(V_LIST), 30);
    ProcessSystemEvents();
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{panel_, V_LIST, EVENT_LEFT_DOUBLE_CLICK, 2}}));

    recorder().calls.clear();
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(int_value(V_LIST), 20) << "the arrow keys highlight too";
    QTest::keyClick(list, Qt::Key_Return);
    ProcessSystemEvents();
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{panel_, V_LIST, EVENT_COMMIT, 1}}));
}

TEST_F(InputTest, MenuItemsReachTheMenuCallback) {
    QMenuBar* bar = uir::qt::menu_bar_of(panel_);
    ASSERT_NE(bar, nullptr);
    const QList<QAction*> items = bar->actions()[0]->menu()->actions();
    items[2]->trigger();
    ProcessSystemEvents();
    EXPECT_EQ(recorder().menu_calls, (std::vector<MenuCall>{{M_QUIT, panel_}}));
}

TEST_F(InputTest, CloseButtonRaisesTheCloseEventAndKeepsTheWindow) {
    QWidget* window = uir::qt::window_of(panel_);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->close()) << "Qt's own close is refused";
    EXPECT_TRUE(window->isVisible());
    ProcessSystemEvents();
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{panel_, 0, EVENT_CLOSE, 0}}));
    EXPECT_TRUE(window->isVisible()) << "the program decides";

    // A panel with a close control: the frame's button is that control's commit.
    recorder().calls.clear();
    const int second = load(SECOND);
    EXPECT_FALSE(uir::qt::window_of(second)->close());
    ProcessSystemEvents();
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{second, S_CLOSE, EVENT_COMMIT, 0}}));
}

}  // namespace
}  // namespace qt_test
