// The keyboard as a desktop operator uses it: Tab through the channels, Enter on a focused
// button, Escape to cancel, F10 or Alt for the menu bar, the focus plainly marked; the carrier
// selection worked without the mouse.
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "front_panel_layout.h"
#include "qt/focus_mark.h"
#include "qt/panel_window.h"
#include "qt_view_test.h"
#include "si.h"

namespace qt_test {
namespace {

class KeyboardTest : public QtViewTest {
  protected:
    // The control whose widget holds the focus, 0 for none.
    static int focused_control(int panel, int first_id, int last_id) {
        const QWidget* focus = QApplication::focusWidget();
        for (int id = first_id; focus && id <= last_id; ++id) {
            const QWidget* w = uir::qt::widget_of(panel, id);
            if (w && (w == focus || w->isAncestorOf(focus))) return id;
        }
        return 0;
    }
    static void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* to = QApplication::focusWidget();
        ASSERT_NE(to, nullptr) << "no focus to type into";
        QTest::keyClick(to, static_cast<Qt::Key>(k), mods);
    }
    // Shows the front panel's main panel with its time fields usable.
    int shown_main_panel() {
        const int mp = load_front_panel(MP);
        EXPECT_GT(mp, 0);
        for (int id = 2; id <= 229; ++id) {
            int kind = 0;
            if (GetCtrlAttribute(mp, id, ATTR_CTRL_STYLE, &kind) == 0 && kind == CTRL_NUMERIC)
                SetCtrlAttribute(mp, id, ATTR_DIMMED, 0);
        }
        EXPECT_EQ(DisplayPanel(mp), 0);
        QWidget* w = uir::qt::window_of(mp);
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        return mp;
    }
};

TEST_F(KeyboardTest, EnterPressesTheFocusedButton) {
    widget(V_BUTTON)->setFocus();
    key(Qt::Key_Return);
    widget(V_TOGGLE)->setFocus();
    key(Qt::Key_Enter, Qt::KeypadModifier);
    int toggle = 0;
    ASSERT_EQ(GetCtrlVal(panel_, V_TOGGLE, &toggle), 0);
    EXPECT_EQ(toggle, 1);
    ProcessSystemEvents();
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{panel_, V_BUTTON, EVENT_COMMIT, 0},
                                                   {panel_, V_TOGGLE, EVENT_COMMIT, 0}}));
}

TEST_F(KeyboardTest, EscapeIsTheCloseButtonOfPanelsWithACloseControl) {
    widget(V_BUTTON)->setFocus();
    key(Qt::Key_Escape);
    ProcessSystemEvents();
    EXPECT_TRUE(recorder().calls.empty()) << "a panel without a close control ignores it";

    const int second = load(SECOND);
    ASSERT_TRUE(QTest::qWaitForWindowActive(uir::qt::window_of(second)));
    key(Qt::Key_Escape);
    ProcessSystemEvents();
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{second, S_CLOSE, EVENT_COMMIT, 0}}));
}

TEST_F(KeyboardTest, F10OpensTheMenuBarAndArrowsAndEnterChoose) {
    QMenuBar* bar = uir::qt::menu_bar_of(panel_);
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(uir::qt::window_of(panel_)));
    widget(V_BUTTON)->setFocus();
    key(Qt::Key_F10);
    ASSERT_EQ(bar->activeAction(), bar->actions().value(0));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "the first menu is open";
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    ProcessSystemEvents();
    EXPECT_EQ(recorder().menu_calls, (std::vector<MenuCall>{{M_QUIT, panel_}}))
        << "the second item below the separator";
}

TEST_F(KeyboardTest, AltAloneAndAltWithTheTitlesFirstLetterReachTheMenu) {
    const int mp = shown_main_panel();
    QMenuBar* bar = uir::qt::menu_bar_of(mp);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions()[0]->text(), "&Инструмент") << "the title as given, И its letter";

    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyPress(focus, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(focus, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_EQ(bar->activeAction(), bar->actions()[0]) << "Alt highlights the menu";
    EXPECT_TRUE(bar->hasFocus());
    QTest::keyClick(bar, Qt::Key_Down);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "an arrow opens it";
    QTest::keyClick(menu, Qt::Key_Escape);
    QTest::keyClick(bar, Qt::Key_Escape);

    focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::sendKeyEvent(QTest::Click, focus, static_cast<Qt::Key>(0x0418), QStringLiteral("и"),
                        Qt::AltModifier);  // Alt+И
    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->activeAction(), menu->actions().value(0)) << "opened on its first item";
    QTest::keyClick(menu, Qt::Key_Return);
    ProcessSystemEvents();
    EXPECT_EQ(recorder().menu_calls, (std::vector<MenuCall>{{IMNU_INSTR_BASE_PANEL, mp}}));
}

// On the main panel Tab starts at channel 1's line selector and walks channel by channel (line,
// switch, time), then the panel-wide controls; the sixty lamps are passed over and stay
// clickable; a dimmed control is passed over.
TEST_F(KeyboardTest, TabWalksTheChannelsAndPassesTheLamps) {
    const int mp = shown_main_panel();
    EXPECT_EQ(focused_control(mp, 2, 229), MP_L_1) << "where the focus starts";
    std::vector<int> walked;
    for (int i = 0; i < 120; ++i) {
        walked.push_back(focused_control(mp, 2, 229));
        key(Qt::Key_Tab);
    }
    const std::vector<int> channel_1_2 = {MP_L_1, MP_SWITCH_1, MP_T_1, MP_L_2, MP_SWITCH_2, MP_T_2};
    EXPECT_EQ(std::vector<int>(walked.begin(), walked.begin() + 6), channel_1_2);
    EXPECT_EQ(walked[87], MP_L_30);
    EXPECT_EQ(walked[89], MP_T_30);
    EXPECT_EQ(walked[90], MP_COMMANDBUTTON_2) << "then the group block";
    for (int id : walked) {
        EXPECT_NE(id, 0) << "the focus never leaves the controls";
        EXPECT_FALSE(id >= MP_1FIX_30 && id <= MP_2FIX_1) << "a lamp took the focus: " << id;
        EXPECT_NE(id, MP_START) << "dimmed at load";
    }
    // One cycle: 90 channel stops and the 18 panel-wide controls but the three the layout dims
    // (the common time is usable here, as the fields are).
    const auto again = std::find(walked.begin() + 1, walked.end(), MP_L_1);
    ASSERT_NE(again, walked.end());
    EXPECT_EQ(again - walked.begin(), 90 + 15);

    QTest::mouseClick(uir::qt::widget_of(mp, MP_2FIX_7), Qt::LeftButton);
    ProcessSystemEvents();
    EXPECT_EQ(recorder().events_of(mp, MP_2FIX_7), (std::vector<int>{EVENT_COMMIT}))
        << "a lamp out of the chain is still clicked";
}

TEST_F(KeyboardTest, FocusIsMarkedPlainlyAroundTheFocusedControl) {
    const int mp = shown_main_panel();
    auto* window = dynamic_cast<uir::qt::PanelWindow*>(uir::qt::window_of(mp));
    ASSERT_NE(window, nullptr);
    uir::qt::FocusMark* mark = window->focus_mark();
    key(Qt::Key_Tab);
    QWidget* sw = uir::qt::widget_of(mp, MP_SWITCH_1);
    EXPECT_EQ(mark->marked(), sw);
    EXPECT_TRUE(mark->isVisible());
    EXPECT_TRUE(mark->geometry().contains(sw->geometry()));
    EXPECT_FALSE(sw->geometry().contains(mark->geometry())) << "it stands around the control";

    // Drawn: the middle of the mark's top line is the focus colour, not a faint dotted line
    // (the picture is in device pixels under a scale factor).
    const QImage image = window->grab().toImage();
    const double dpr = image.devicePixelRatio();
    const QPoint top = mark->mapTo(window, QPoint(mark->width() / 2, 1));
    const QColor seen =
        image.pixelColor(static_cast<int>(top.x() * dpr), static_cast<int>((top.y() + 0.2) * dpr));
    const QColor want(0x1A, 0x5F, 0xD0);
    EXPECT_LE(std::abs(seen.red() - want.red()) + std::abs(seen.green() - want.green()) +
                  std::abs(seen.blue() - want.blue()),
              60)
        << seen.name().toStdString();

    ASSERT_EQ(SetCtrlAttribute(mp, MP_SWITCH_1, ATTR_VISIBLE, 0), 0);
    EXPECT_FALSE(mark->isVisible() && mark->marked() == sw) << "no mark around a hidden control";
}

// The carrier selection: the list has the focus and its first line is highlighted; the arrows
// move, Enter on the list or on "Выбрать" chooses, Escape is "Отмена".
class SelectionKeyboardTest : public KeyboardTest {
  protected:
    void SetUp() override {
        KeyboardTest::SetUp();
        list_three_carriers();
        siPanel = 0;
        CurInstr = nullptr;
    }
    // Runs `keys` once the selection panel is on the screen, and returns the choice.
    InstrumentEntry* select_with(std::function<void(QWidget* list)> keys) {
        QTimer::singleShot(0, [this, keys] {
            QWidget* list = uir::qt::widget_of(siPanel, siControls.list);
            QWidget* window = uir::qt::window_of(siPanel);
            // The window system activates a new window after showing it.
            if (!list || !window || !QTest::qWaitForWindowActive(window)) {
                ADD_FAILURE() << "the selection panel did not come up";
                uir::automation::close_panel(siPanel);  // ends the wait as "Отмена" does
                return;
            }
            focus_at_open = QApplication::focusWidget() == list;
            auto* lw = qobject_cast<QListWidget*>(list);
            row_at_open = lw ? lw->currentRow() : -2;
            keys(list);
        });
        return SelectInstrument("Выбор носителя", 0x10D, 0x155, 0);
    }
    bool focus_at_open = false;
    int row_at_open = -2;
};

TEST_F(SelectionKeyboardTest, ArrowAndEnterChooseFromTheList) {
    InstrumentEntry* chosen = select_with([](QWidget*) {
        key(Qt::Key_Down);
        key(Qt::Key_Return);
    });
    EXPECT_TRUE(focus_at_open) << "the list has the focus when the panel opens";
    EXPECT_EQ(row_at_open, 0) << "and its first line is highlighted";
    EXPECT_EQ(chosen, &Instruments[1]);
}

TEST_F(SelectionKeyboardTest, EnterOnTheFocusedSelectButtonChooses) {
    InstrumentEntry* chosen = select_with([](QWidget*) {
        key(Qt::Key_Tab);
        key(Qt::Key_Return);
    });
    EXPECT_EQ(chosen, &Instruments[0]);
}

TEST_F(SelectionKeyboardTest, EscapeCancels) {
    InstrumentEntry* chosen = select_with([](QWidget*) {
        key(Qt::Key_Down);
        key(Qt::Key_Escape);
    });
    EXPECT_EQ(chosen, nullptr);
    int visible = 1;
    ASSERT_EQ(GetPanelAttribute(siPanel, ATTR_VISIBLE, &visible), 0);
    EXPECT_EQ(visible, 0);
}

}  // namespace
}  // namespace qt_test
