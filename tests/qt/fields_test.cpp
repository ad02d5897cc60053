// Numeric fields at an operator's hands: a decimal comma, the widest value in full, and the
// mouse wheel only where the focus is.
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include "front_panel_layout.h"
#include "qt_view_test.h"

namespace qt_test {
namespace {

QLineEdit* edit_of(QDoubleSpinBox* field) {
    return field ? field->findChild<QLineEdit*>() : nullptr;
}

class FieldsTest : public QtViewTest {
  protected:
    float time_value() {
        float v = -1;
        EXPECT_EQ(GetCtrlVal(panel_, V_TIME, &v), 0);
        return v;
    }
    QDoubleSpinBox* time_field() { return widget_as<QDoubleSpinBox>(V_TIME); }
    // Types into the field as an operator does: the field focused, its text selected, the keys.
    static void type_over(QDoubleSpinBox* field, const char* keys) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, keys);
    }
    // A wheel notch over the middle of `w`, delivered as the window system delivers it.
    static void wheel_over(QWidget* w, int notches) {
        const QPoint at = w->rect().center();
        QWheelEvent event(at, w->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &event);
    }
};

TEST_F(FieldsTest, DecimalCommaReadsAsAPoint) {
    QDoubleSpinBox* field = time_field();
    ASSERT_NE(field, nullptr);
    type_over(field, "0,5");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FLOAT_EQ(time_value(), 0.5f) << "not 5";
    EXPECT_EQ(field->text(), "0.500") << "shown with the point";

    type_over(field, "1,5");
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_FLOAT_EQ(time_value(), 1.5f);

    type_over(field, "2.25");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FLOAT_EQ(time_value(), 2.25f) << "the point as before";
    ProcessSystemEvents();
    EXPECT_EQ(recorder().events_of(panel_, V_TIME),
              (std::vector<int>{EVENT_COMMIT, EVENT_COMMIT, EVENT_COMMIT}));
}

TEST_F(FieldsTest, WhatIsNoNumberIsRefusedKeyByKey) {
    QDoubleSpinBox* field = time_field();
    ASSERT_NE(field, nullptr);
    type_over(field, "1,2,5");
    EXPECT_EQ(edit_of(field)->text(), "1,25") << "a second separator is refused";
    type_over(field, "3,x5e1");
    EXPECT_EQ(edit_of(field)->text(), "3,51") << "letters are refused";
    type_over(field, "1,2345");
    EXPECT_EQ(edit_of(field)->text(), "1,234") << "no more decimals than the field shows";
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FLOAT_EQ(time_value(), 1.234f);
}

// The fine time range's widest value, 10.235, is shown whole: every digit lies left of the
// arrows, in the text area of the line edit.
TEST_F(FieldsTest, WidestValueOfTheRangeFitsTheTextArea) {
    const int mp = load_front_panel(MP);
    ASSERT_GT(mp, 0);
    ASSERT_EQ(DisplayPanel(mp), 0);
    for (int control : {MP_T_1, MP_T_30, MP_GT}) {
        SCOPED_TRACE(control);
        ASSERT_EQ(SetCtrlAttribute(mp, control, ATTR_MIN_VALUE, 0.005), 0);
        ASSERT_EQ(SetCtrlAttribute(mp, control, ATTR_MAX_VALUE, 10.235), 0);
        ASSERT_EQ(SetCtrlVal(mp, control, 10.235f), 0);
        auto* field = dynamic_cast<QDoubleSpinBox*>(uir::qt::widget_of(mp, control));
        ASSERT_NE(field, nullptr);
        QLineEdit* edit = edit_of(field);
        EXPECT_EQ(edit->text(), "10.235");
        const double text = QFontMetricsF(edit->font()).horizontalAdvance(edit->text());
        const QRect area = edit->contentsRect().marginsRemoved(edit->textMargins());
        EXPECT_LE(text, area.width() - 4) << "the line edit keeps 2 pixels each side";
        EXPECT_EQ(edit->font().pixelSize(), 12) << "the layout leaves room for the panel font";
    }
}

// A field too narrow for its widest value at the panel font takes a smaller font, so nothing
// hides under the arrows.
TEST_F(FieldsTest, NarrowFieldTakesASmallerFontRatherThanHideDigits) {
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_MAX_VALUE, 10.235), 0);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_WIDTH, 60), 0);  // too narrow at 12 px
    ASSERT_EQ(SetCtrlVal(panel_, V_TIME, 10.235f), 0);
    QLineEdit* edit = edit_of(time_field());
    EXPECT_LT(edit->font().pixelSize(), 12);
    const double text = QFontMetricsF(edit->font()).horizontalAdvance("10.235");
    EXPECT_LE(text, edit->contentsRect().width() - 4);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_WIDTH, 80), 0);
    EXPECT_EQ(edit->font().pixelSize(), 12) << "room again: the panel font again";

    // A range no font could show in full keeps the panel font: the text scrolls instead.
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_MAX_VALUE, 1e12), 0);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_WIDTH, 60), 0);
    EXPECT_EQ(edit->font().pixelSize(), 12);
}

TEST_F(FieldsTest, WheelChangesOnlyTheFocusedField) {
    QDoubleSpinBox* field = time_field();
    auto* ring = widget_as<QComboBox>(V_RING);
    ASSERT_NE(field, nullptr);
    ASSERT_NE(ring, nullptr);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_DIMMED, 0), 0);
    widget(V_BUTTON)->setFocus();
    wheel_over(field, 1);
    wheel_over(ring, -1);
    EXPECT_FLOAT_EQ(time_value(), 0.05f) << "scrolled past, not changed";
    short line = -1;
    ASSERT_EQ(GetCtrlVal(panel_, V_RING, &line), 0);
    EXPECT_EQ(line, 0);
    ProcessSystemEvents();
    EXPECT_TRUE(recorder().calls.empty());

    field->setFocus();
    wheel_over(field, 1);
    EXPECT_FLOAT_EQ(time_value(), 0.075f) << "the focused field steps";
    ring->setFocus();
    wheel_over(ring, -1);
    ASSERT_EQ(GetCtrlVal(panel_, V_RING, &line), 0);
    EXPECT_EQ(line, 1);
    ProcessSystemEvents();
    EXPECT_EQ(recorder().events_of(panel_, V_TIME), (std::vector<int>{EVENT_COMMIT}));
    EXPECT_EQ(recorder().events_of(panel_, V_RING), (std::vector<int>{EVENT_COMMIT}));
}

}  // namespace
}  // namespace qt_test
