// Where windows come up and what their frames say: inside the screen (scrolling when larger),
// popups over the panel that raised them, small panels beside their own main panel, titles cut
// between words and the simulated-crate mark kept in sight.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "front_panel_layout.h"
#include "qt/panel_window.h"
#include "qt_view_test.h"
#include "uir/callbacks.h"

namespace qt_test {
namespace {

uir::qt::PanelWindow* panel_window(int panel) {
    return dynamic_cast<uir::qt::PanelWindow*>(uir::qt::window_of(panel));
}

QRect available() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

using WindowsTest = QtViewTest;

// A panel larger than the screen's available area gets a window of the area's size, inside it,
// and its client area scrolls to every control.
TEST_F(WindowsTest, PanelLargerThanTheScreenFitsAndScrolls) {
    const int big = load(BIG);
    uir::qt::PanelWindow* w = panel_window(big);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(available().contains(w->frameGeometry()))
        << "frame " << w->frameGeometry().x() << "," << w->frameGeometry().y() << " "
        << w->frameGeometry().width() << "x" << w->frameGeometry().height() << " geometry "
        << w->geometry().x() << "," << w->geometry().y() << " " << w->width() << "x" << w->height()
        << " area " << available().width() << "x" << available().height();
    QScrollArea* scroll = w->scroll_area();
    EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
    EXPECT_GT(scroll->horizontalScrollBar()->maximum(), 0);

    QWidget* bottom = widget(B_BOTTOM);
    ASSERT_NE(bottom, nullptr);
    bottom = uir::qt::widget_of(big, B_BOTTOM);
    scroll->ensureWidgetVisible(bottom);
    const QRect seen(bottom->mapTo(scroll->viewport(), QPoint(0, 0)), bottom->size());
    EXPECT_TRUE(scroll->viewport()->rect().contains(seen)) << "scrolled into view";
    QTest::mouseClick(bottom, Qt::LeftButton);
    ProcessSystemEvents();
    EXPECT_EQ(recorder().events_of(big, B_BOTTOM), (std::vector<int>{EVENT_COMMIT}));
}

// The main panel on the screen at hand (at scale factor 2 on 1600 x 1000, 800 x 500 of room): in
// the screen's area, its menu bar on top, and the error line's button within reach.
TEST_F(WindowsTest, MainPanelStaysReachableOnTheScreen) {
    const int mp = load_front_panel(MP);
    ASSERT_EQ(DisplayPanel(mp), 0);
    uir::qt::PanelWindow* w = panel_window(mp);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    EXPECT_TRUE(available().contains(w->frameGeometry()));
    EXPECT_EQ(w->menu_bar()->mapTo(w, QPoint(0, 0)), QPoint(0, 0));
    const bool larger = w->frameGeometry().height() < 558 || w->frameGeometry().width() < 630;
    QScrollArea* scroll = w->scroll_area();
    EXPECT_EQ(scroll->verticalScrollBar()->maximum() > 0, larger);
    QWidget* ok = uir::qt::widget_of(mp, MP_ERROR_MESSAGE_OK);
    scroll->ensureWidgetVisible(ok);
    const QRect seen(ok->mapTo(scroll->viewport(), QPoint(0, 0)), ok->size());
    EXPECT_TRUE(scroll->viewport()->rect().contains(seen));
    QTest::mouseClick(ok, Qt::LeftButton);
    ProcessSystemEvents();
    EXPECT_EQ(recorder().events_of(mp, MP_ERROR_MESSAGE_OK), (std::vector<int>{EVENT_COMMIT}));
}

TEST_F(WindowsTest, PanelThatFitsKeepsItsPlaceAndDoesNotScroll) {
    uir::qt::PanelWindow* w = panel_window(panel_);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->pos(), QPoint(40, 40)) << "the layout's place";
    EXPECT_EQ(w->scroll_area()->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(w->scroll_area()->horizontalScrollBar()->maximum(), 0);

    // Moved partly off the screen, the window is brought back inside it.
    const QRect area = available();
    ASSERT_EQ(SetPanelAttribute(panel_, ATTR_LEFT, area.right() - 100), 0);
    ASSERT_EQ(SetPanelAttribute(panel_, ATTR_TOP, -50), 0);
    EXPECT_TRUE(area.contains(w->frameGeometry()));
}

struct BoxSeen {
    QRect frame;
    bool shown = false;
};

// Notes where the popup comes up, then dismisses it. It looks again at each turn of Qt's loop
// until the popup is there: the callback that raises it may run later in the turn.
void when_box_shows(BoxSeen& seen) {
    auto* poll = new QTimer;
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, [poll, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        seen.shown = true;
        seen.frame = box->frameGeometry();
        box->buttons().value(0)->click();
    });
    poll->start();
}

int UIR_CALLBACK confirm_cb(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) ConfirmPopup("QORM", "Подлючите соединитель контрольный QORM-Z");
    return 0;
}

// A popup raised by a panel's callback comes up over that panel; one raised outside any
// callback, over the middle of the screen.
TEST_F(WindowsTest, PopupComesUpOverThePanelWhoseCallbackRaisedIt) {
    uir::register_callback("qtConfirmCB", confirm_cb);
    const int second = load(SECOND);
    ASSERT_EQ(SetPanelAttribute(second, ATTR_LEFT, 500), 0);
    ASSERT_EQ(SetPanelAttribute(second, ATTR_TOP, 400), 0);
    ASSERT_EQ(SetCtrlAttribute(second, S_CLOSE, ATTR_CALLBACK_FUNCTION_POINTER, confirm_cb), 0);
    QTest::mouseClick(uir::qt::widget_of(second, S_CLOSE), Qt::LeftButton);
    BoxSeen seen;
    when_box_shows(seen);
    ProcessSystemEvents();
    ASSERT_TRUE(seen.shown);
    const QRect owner = uir::qt::window_of(second)->frameGeometry();
    const QPoint off = seen.frame.center() - owner.center();
    EXPECT_LE(off.manhattanLength(), 2) << "centred over the panel that raised it";

    BoxSeen outside;
    when_box_shows(outside);
    ConfirmPopup("QORM", "?");
    ASSERT_TRUE(outside.shown);
    EXPECT_LE((outside.frame.center() - available().center()).manhattanLength(), 2);
    EXPECT_TRUE(available().contains(outside.frame));
}

// Two front panels: the small panels of each keep their layout offsets from their own main
// panel, so the second's exit panel stands as far from the first's as the main panels do.
TEST_F(WindowsTest, SmallPanelsFollowTheirOwnMainPanel) {
    int a = 0, b = 0;
    ASSERT_EQ(SetPanelAttribute(panel_, ATTR_CALLBACK_DATA, &a), 0);
    const int small_a = load(SECOND, false);
    ASSERT_EQ(SetPanelAttribute(small_a, ATTR_CALLBACK_DATA, &a), 0);
    const int main_b = load(VIEW, false);
    const int small_b = load(SECOND, false);
    ASSERT_EQ(SetPanelAttribute(main_b, ATTR_CALLBACK_DATA, &b), 0);
    ASSERT_EQ(SetPanelAttribute(small_b, ATTR_CALLBACK_DATA, &b), 0);
    // B's main panel staggered by 20 pixels, as a second mezzanine's is.
    ASSERT_EQ(SetPanelAttribute(main_b, ATTR_LEFT, 60), 0);
    ASSERT_EQ(SetPanelAttribute(main_b, ATTR_TOP, 60), 0);
    ASSERT_EQ(DisplayPanel(main_b), 0);
    ASSERT_EQ(DisplayPanel(small_a), 0);
    ASSERT_EQ(DisplayPanel(small_b), 0);
    EXPECT_EQ(uir::qt::window_of(small_a)->pos(), QPoint(60, 60)) << "the layout's place";
    EXPECT_EQ(uir::qt::window_of(small_b)->pos(), QPoint(80, 80));

    // A main panel moved on the screen takes its small panels along the next time they show.
    ASSERT_EQ(HidePanel(small_a), 0);
    uir::qt::window_of(panel_)->move(140, 90);
    ASSERT_EQ(DisplayPanel(small_a), 0);
    EXPECT_EQ(uir::qt::window_of(small_a)->pos(), QPoint(160, 110));
}

// The mark of the simulated crate (here " [тест]") is in the menu bar's corner on a panel with a
// menu bar, after the title of a small panel when it fits there; a title too long for its frame
// is cut after a word, and the tooltip keeps the whole.
TEST_F(WindowsTest, TitlesKeepTheirWordsAndTheMarkStaysInSight) {
    uir::qt::PanelWindow* main = panel_window(panel_);
    ASSERT_NE(main, nullptr);
    ASSERT_NE(main->crate_mark(), nullptr);
    EXPECT_EQ(main->crate_mark()->text(), "тест");
    EXPECT_TRUE(main->crate_mark()->isVisible());
    EXPECT_EQ(main->windowTitle(), "Вид");

    const int second = load(SECOND);
    QWidget* small = uir::qt::window_of(second);
    EXPECT_EQ(small->windowTitle(), "Второй") << "200 pixels leave no room for the mark";
    EXPECT_EQ(small->toolTip(), "Второй [тест]");
    ASSERT_EQ(SetPanelAttribute(second, ATTR_WIDTH, 300), 0);
    EXPECT_EQ(small->windowTitle(), "Второй [тест]") << "room for both";
    EXPECT_TRUE(small->toolTip().isEmpty());

    ASSERT_EQ(SetPanelAttribute(second, ATTR_TITLE, "Проверка с соединителем QORM-Z кр.0, сл.3"),
              0);
    const QString title = small->windowTitle();
    EXPECT_TRUE(title.endsWith(QStringLiteral("…"))) << title.toStdString();
    const QString kept = title.chopped(1);
    EXPECT_TRUE(QStringLiteral("Проверка с соединителем QORM-Z кр.0, сл.3").startsWith(kept));
    const QChar after =
        QStringLiteral("Проверка с соединителем QORM-Z кр.0, сл.3 ").at(kept.size());
    EXPECT_TRUE(after == ' ' || after == ',') << "cut between words: " << title.toStdString();
    EXPECT_EQ(small->toolTip(), "Проверка с соединителем QORM-Z кр.0, сл.3 [тест]");
}

}  // namespace
}  // namespace qt_test
