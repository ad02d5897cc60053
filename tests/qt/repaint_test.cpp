// Drawing stays cheap: a value a control already shows, or an attribute that changes nothing
// on the screen, repaints nothing.
#include <QEvent>
#include <QTest>

#include "qt_view_test.h"

namespace qt_test {
namespace {

// Counts the paint events of a widget and of everything inside it.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* w) {
        w->installEventFilter(this);
        for (QWidget* child : w->findChildren<QWidget*>()) child->installEventFilter(this);
    }
    int count = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

class RepaintTest : public QtViewTest {
  protected:
    // Paints caused by `change`, once Qt has delivered them.
    template <class F>
    int paints_of(int control, F&& change) {
        QCoreApplication::processEvents();
        PaintCounter counter(widget(control));
        change();
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
        return counter.count;
    }
};

TEST_F(RepaintTest, SameValueRepaintsNothing) {
    EXPECT_EQ(paints_of(V_LAMP, [&] { SetCtrlVal(panel_, V_LAMP, 0); }), 0);
    EXPECT_EQ(paints_of(V_STATE, [&] { SetCtrlVal(panel_, V_STATE, "-"); }), 0);
    EXPECT_EQ(paints_of(V_TIME, [&] { SetCtrlVal(panel_, V_TIME, 0.05f); }), 0);
    EXPECT_EQ(paints_of(V_TOGGLE, [&] { SetCtrlVal(panel_, V_TOGGLE, 0); }), 0);
    EXPECT_EQ(paints_of(V_RING, [&] { SetCtrlVal(panel_, V_RING, static_cast<short>(0)); }), 0);
    EXPECT_EQ(paints_of(V_MSG, [&] { SetCtrlVal(panel_, V_MSG, "Первая строка\nвторая"); }), 0);
    EXPECT_EQ(paints_of(V_TEXTBOX, [&] { ResetTextBox(panel_, V_TEXTBOX, "строка 1"); }), 0);
}

TEST_F(RepaintTest, ChangedValueRepaints) {
    EXPECT_GT(paints_of(V_LAMP, [&] { SetCtrlVal(panel_, V_LAMP, 1); }), 0);
    EXPECT_GT(paints_of(V_STATE, [&] { SetCtrlVal(panel_, V_STATE, "1"); }), 0);
    EXPECT_GT(paints_of(V_TIME, [&] { SetCtrlVal(panel_, V_TIME, 0.1f); }), 0);
}

// A poll writes the same states and lamps turn after turn: after the first, nothing is drawn.
TEST_F(RepaintTest, RepeatedPollDrawsNothing) {
    const auto poll = [&] {
        SetCtrlVal(panel_, V_STATE, "2");
        SetCtrlVal(panel_, V_LAMP, 1);
        SetCtrlVal(panel_, V_LED, 0);
        SetCtrlVal(panel_, V_TOGGLE, 1);
        ProcessSystemEvents();
    };
    poll();
    QWidget* client = widget(V_STATE)->parentWidget();
    QCoreApplication::processEvents();
    PaintCounter counter(client);
    for (int i = 0; i < 10; ++i) poll();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.count, 0);
}

TEST_F(RepaintTest, InvisibleAttributesRepaintNothing) {
    EXPECT_EQ(paints_of(V_TIME, [&] { SetCtrlAttribute(panel_, V_TIME, ATTR_INCR_VALUE, 0.05); }),
              0);
    EXPECT_EQ(paints_of(V_TIME, [&] { SetCtrlAttribute(panel_, V_TIME, ATTR_MAX_VALUE, 10.0); }),
              0);
    EXPECT_EQ(
        paints_of(
            V_BUTTON,
            [&] { SetCtrlAttribute(panel_, V_BUTTON, ATTR_CALLBACK_FUNCTION_POINTER, nullptr); }),
        0);
    EXPECT_EQ(paints_of(V_STATE,
                        [&] { SetCtrlAttribute(panel_, V_STATE, ATTR_CTRL_MODE, VAL_INDICATOR); }),
              0);
}

}  // namespace
}  // namespace qt_test
