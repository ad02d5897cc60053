// Each control kind shows what the model holds, at once: values, dimming, hiding, labels.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include "qt/binary_switch.h"
#include "qt/led_lamp.h"
#include "qt_view_test.h"

namespace qt_test {
namespace {

using ReflectTest = QtViewTest;

TEST_F(ReflectTest, ButtonsShowTheirStateAndTexts) {
    auto* toggle = widget_as<QPushButton>(V_TOGGLE);
    ASSERT_NE(toggle, nullptr);
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_EQ(toggle->text(), "Старт") << "out: the off text";
    ASSERT_EQ(SetCtrlVal(panel_, V_TOGGLE, 1), 0);
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(toggle->text(), "Стоп");
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TOGGLE, ATTR_ON_TEXT, "Стоп!"), 0);
    EXPECT_EQ(toggle->text(), "Стоп!");

    auto* check = widget_as<QCheckBox>(V_CHECK);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->text(), "Постоянно");
    ASSERT_EQ(SetCtrlVal(panel_, V_CHECK, 1), 0);
    EXPECT_TRUE(check->isChecked());

    auto* button = widget_as<QPushButton>(V_BUTTON);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "&OK") << "the shortcut letter";
    ASSERT_EQ(SetCtrlAttribute(panel_, V_BUTTON, ATTR_LABEL_TEXT, "Да & нет"), 0);
    EXPECT_EQ(button->text(), "Да && нет") << "a real ampersand is no shortcut";
}

TEST_F(ReflectTest, SwitchAndLampsFollowTheirValues) {
    auto* sw = widget_as<uir::qt::BinarySwitch>(V_SWITCH);
    ASSERT_NE(sw, nullptr);
    EXPECT_TRUE(sw->on());
    ASSERT_EQ(SetCtrlVal(panel_, V_SWITCH, 0), 0);
    EXPECT_FALSE(sw->on());

    auto* led = widget_as<uir::qt::LedLamp>(V_LED);
    auto* lamp = widget_as<uir::qt::LedLamp>(V_LAMP);
    ASSERT_NE(led, nullptr);
    ASSERT_NE(lamp, nullptr);
    EXPECT_FALSE(lamp->lit());
    ASSERT_EQ(SetCtrlVal(panel_, V_LAMP, 1), 0);
    EXPECT_TRUE(lamp->lit());
    EXPECT_FALSE(led->lit()) << "only the lamp written";
}

TEST_F(ReflectTest, NumericFieldsShowTypeDecimalsAndMode) {
    auto* time = widget_as<QDoubleSpinBox>(V_TIME);
    auto* count = widget_as<QDoubleSpinBox>(V_COUNT);
    ASSERT_NE(time, nullptr);
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(time->text(), "0.050");
    ASSERT_EQ(SetCtrlVal(panel_, V_TIME, 1.26f), 0);
    EXPECT_EQ(time->text(), "1.260");
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_PRECISION, 1), 0);
    EXPECT_EQ(time->text(), "1.3");
    EXPECT_FALSE(time->isReadOnly());

    EXPECT_TRUE(count->isReadOnly()) << "an indicator";
    EXPECT_EQ(count->buttonSymbols(), QAbstractSpinBox::NoButtons);
    ASSERT_EQ(SetCtrlVal(panel_, V_COUNT, static_cast<unsigned short>(65535)), 0);
    EXPECT_EQ(count->text(), "65535") << "whole numbers, no group separator";
    ASSERT_EQ(SetCtrlAttribute(panel_, V_COUNT, ATTR_CTRL_MODE, VAL_HOT), 0);
    EXPECT_FALSE(count->isReadOnly());
}

TEST_F(ReflectTest, StringsRingsAndListsShowTheirContent) {
    auto* state = widget_as<QLineEdit>(V_STATE);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->text(), "-");
    EXPECT_TRUE(state->isReadOnly());
    ASSERT_EQ(SetCtrlVal(panel_, V_STATE, "X"), 0);
    EXPECT_EQ(state->text(), "X");

    auto* ring = widget_as<QComboBox>(V_RING);
    ASSERT_NE(ring, nullptr);
    ASSERT_EQ(ring->count(), 3);
    EXPECT_EQ(ring->itemText(1), "Л1");
    ASSERT_EQ(SetCtrlVal(panel_, V_RING, static_cast<short>(2)), 0);
    EXPECT_EQ(ring->currentIndex(), 2);
    ASSERT_EQ(InsertListItem(panel_, V_RING, 0, "новый", 7), 0);
    EXPECT_EQ(ring->count(), 4);
    EXPECT_EQ(ring->currentIndex(), 3) << "the selection keeps to its item";

    auto* list = widget_as<QListWidget>(V_LIST);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentRow(), 0);
    // A carrier line of the selection panel fits that panel's 185-pixel list.
    const QString carrier_line = QString::fromUtf8("   0          0         3         8     155");
    EXPECT_LT(QFontMetrics(list->font()).horizontalAdvance(carrier_line),
              185 - 2 * list->frameWidth());
    ASSERT_EQ(SetCtrlIndex(panel_, V_LIST, 2), 0);
    EXPECT_EQ(list->currentRow(), 2);
    ASSERT_EQ(ClearListCtrl(panel_, V_LIST), 0);
    EXPECT_EQ(list->count(), 0);
    ASSERT_EQ(InsertListItem(panel_, V_LIST, -1, "   0          0", 5), 0);
    EXPECT_EQ(list->item(0)->text(), "   0          0") << "spaces kept for the columns";
    EXPECT_EQ(list->currentRow(), 0);
}

TEST_F(ReflectTest, TextBoxAppendsAndResets) {
    auto* box = widget_as<QPlainTextEdit>(V_TEXTBOX);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->toPlainText(), "строка 1");
    for (int i = 2; i <= 40; ++i) {
        const std::string line = "строка " + std::to_string(i);
        ASSERT_EQ(InsertTextBoxLine(panel_, V_TEXTBOX, -1, line.c_str()), 0);
    }
    EXPECT_EQ(box->document()->blockCount(), 40);
    EXPECT_EQ(box->document()->lastBlock().text(), "строка 40");
    QCoreApplication::processEvents();
    EXPECT_EQ(box->verticalScrollBar()->value(), box->verticalScrollBar()->maximum())
        << "the appended line is in view";
    EXPECT_GT(box->verticalScrollBar()->maximum(), 0);

    ASSERT_EQ(InsertTextBoxLine(panel_, V_TEXTBOX, 0, "в начало"), 0);
    EXPECT_EQ(box->document()->firstBlock().text(), "в начало");
    EXPECT_EQ(box->document()->blockCount(), 41);
    ASSERT_EQ(ResetTextBox(panel_, V_TEXTBOX, "одна"), 0);
    EXPECT_EQ(box->toPlainText(), "одна");
}

TEST_F(ReflectTest, TextMessagesBreakAtNewLines) {
    auto* msg = widget_as<QLabel>(V_MSG);
    ASSERT_NE(msg, nullptr);
    EXPECT_EQ(msg->text(), "Первая строка\nвторая");
    ASSERT_EQ(SetCtrlVal(panel_, V_MSG, "Одна длинная строка, шире своего поля во много раз"), 0);
    EXPECT_TRUE(msg->wordWrap()) << "a two-line field breaks between words";
    EXPECT_EQ(msg->width(), 150);

    // A one-line text message built in code shows its label, and grows to it.
    const int id = NewCtrl(panel_, CTRL_TEXT_MSG, "Интф.  Кр.ЛА   Слот   ЛА   Тип", 5, 14);
    ASSERT_GT(id, 0);
    ASSERT_EQ(SetCtrlAttribute(panel_, id, ATTR_WIDTH, 60), 0);
    ASSERT_EQ(SetCtrlAttribute(panel_, id, ATTR_HEIGHT, 15), 0);
    auto* header = widget_as<QLabel>(id);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->text(), "Интф.  Кр.ЛА   Слот   ЛА   Тип");
    EXPECT_FALSE(header->wordWrap());
    EXPECT_GE(header->width(), header->fontMetrics().horizontalAdvance(header->text()));
}

TEST_F(ReflectTest, DimmedHiddenAndMovedTakeEffectAtOnce) {
    QWidget* time = widget(V_TIME);
    QLabel* label = uir::qt::label_of(panel_, V_TIME);
    ASSERT_NE(time, nullptr);
    ASSERT_NE(label, nullptr);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_DIMMED, 1), 0);
    EXPECT_FALSE(time->isEnabled());
    EXPECT_FALSE(label->isEnabled()) << "the label greys with its control";
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_VISIBLE, 0), 0);
    EXPECT_FALSE(time->isVisible());
    EXPECT_FALSE(label->isVisible());
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_VISIBLE, 1), 0);
    EXPECT_TRUE(time->isVisible());
    EXPECT_TRUE(label->isVisible());

    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_LEFT, 100), 0);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_WIDTH, 70), 0);
    EXPECT_EQ(time->geometry(), QRect(100, 110, 70, 20));
    EXPECT_EQ(label->geometry().right() + 1, 100 - 4) << "the label follows its field";

    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIME, ATTR_LABEL_TEXT, "__Длительность"), 0);
    EXPECT_EQ(label->text(), "&Длительность");
    EXPECT_EQ(label->buddy(), time) << "Alt and the letter reach the field";
}

TEST_F(ReflectTest, ColoursTakeEffectAtOnce) {
    QWidget* state = widget(V_STATE);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_STATE, ATTR_TEXT_COLOR, VAL_RED), 0);
    EXPECT_EQ(state->palette().color(QPalette::Active, QPalette::Text), QColor(Qt::red));
    ASSERT_EQ(SetCtrlAttribute(panel_, V_STRING, ATTR_TEXT_BGCOLOR, VAL_YELLOW), 0);
    EXPECT_EQ(widget(V_STRING)->palette().color(QPalette::Base), QColor(Qt::yellow));
    ASSERT_EQ(SetCtrlAttribute(panel_, V_BUTTON, ATTR_CMD_BUTTON_COLOR, VAL_LT_GRAY), 0);
    EXPECT_EQ(widget(V_BUTTON)->palette().color(QPalette::Button), QColor(0xC0, 0xC0, 0xC0));
    ASSERT_EQ(SetPanelAttribute(panel_, ATTR_BACKCOLOR, VAL_LT_GRAY), 0);
    EXPECT_EQ(uir::qt::window_of(panel_)->palette().color(QPalette::Window),
              QColor(0xC0, 0xC0, 0xC0));
    // Read-only fields look it: their text area takes the panel's colour.
    EXPECT_NE(widget(V_COUNT)->palette().color(QPalette::Base),
              widget(V_TIME)->palette().color(QPalette::Base));
}

TEST_F(ReflectTest, LabelsStandWhereTheLayoutLeavesRoom) {
    // Fields: on the left, right-aligned, centred on the field.
    const QRect time = widget(V_TIME)->geometry();
    const QRect time_label = uir::qt::label_of(panel_, V_TIME)->geometry();
    EXPECT_EQ(time_label.right() + 1, time.left() - 4);
    EXPECT_EQ(time_label.center().y(), time.center().y());
    // Lamps: centred above.
    const QRect led = widget(V_LED)->geometry();
    const QRect led_label = uir::qt::label_of(panel_, V_LED)->geometry();
    EXPECT_EQ(led_label.bottom() + 1, led.top() - 2);
    EXPECT_LE(std::abs(led_label.center().x() - led.center().x()), 1);
    // Binary switches: above, from the switch's left edge.
    const QRect sw = widget(V_SWITCH)->geometry();
    const QRect sw_label = uir::qt::label_of(panel_, V_SWITCH)->geometry();
    EXPECT_EQ(sw_label.left(), sw.left());
    EXPECT_EQ(sw_label.bottom() + 1, sw.top() - 2);
    // Buttons and check boxes carry their own label; unlabelled fields have none.
    EXPECT_EQ(uir::qt::label_of(panel_, V_BUTTON), nullptr);
    EXPECT_EQ(uir::qt::label_of(panel_, V_CHECK), nullptr);
    EXPECT_EQ(uir::qt::label_of(panel_, V_STATE), nullptr);
}

TEST_F(ReflectTest, PanelsBuiltInCodePutFieldLabelsAbove) {
    const int panel = NewPanel(0, "Носитель", 10, 10, 120, 200);
    ASSERT_GT(panel, 0);
    const int id = NewCtrl(panel, CTRL_STRING, "Ресурс", 30, 12);
    ASSERT_GT(id, 0);
    const QRect field = uir::qt::widget_of(panel, id)->geometry();
    const QRect label = uir::qt::label_of(panel, id)->geometry();
    EXPECT_EQ(label.left(), field.left());
    EXPECT_EQ(label.bottom() + 1, field.top() - 2);
}

TEST_F(ReflectTest, DecorationsStayBehindWhatTheyFrame) {
    QWidget* client = widget(V_DECO)->parentWidget();
    const QObjectList& stack = client->children();  // bottom first
    const auto at = [&](QWidget* w) { return stack.indexOf(w); };
    EXPECT_LT(at(widget(V_DECO)), at(widget(V_TIME)));
    EXPECT_LT(at(widget(V_DECO)), at(uir::qt::label_of(panel_, V_TIME)));
    EXPECT_LT(at(widget(V_DECO)), at(widget(V_BUTTON)));
    EXPECT_TRUE(dynamic_cast<QFrame*>(widget(V_DECO)) != nullptr);
}

TEST_F(ReflectTest, ControlsComeAndGoWithTheModel) {
    const int id = NewCtrl(panel_, CTRL_LED, "Новая", 270, 300);
    ASSERT_GT(id, 0);
    QWidget* led = widget(id);
    ASSERT_NE(led, nullptr);
    EXPECT_TRUE(led->isVisible());
    EXPECT_EQ(widget(V_TIMER), nullptr) << "timers have no widget";
    ASSERT_EQ(DiscardCtrl(panel_, id), 0);
    EXPECT_EQ(widget(id), nullptr);
}

TEST_F(ReflectTest, WindowsFollowTheirPanels) {
    QWidget* window = uir::qt::window_of(panel_);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    // A panel with a menu bar carries the crate's mark in the bar's corner, not in its title.
    EXPECT_EQ(window->windowTitle(), "Вид");
    ASSERT_EQ(SetPanelAttribute(panel_, ATTR_TITLE, "Новый"), 0);
    EXPECT_EQ(window->windowTitle(), "Новый");

    // The menu bar stands above the client area, which keeps the panel's size.
    QMenuBar* bar = uir::qt::menu_bar_of(panel_);
    ASSERT_NE(bar, nullptr);
    QWidget* client = widget(V_BUTTON)->parentWidget();
    EXPECT_EQ(QRect(client->mapTo(window, QPoint(0, 0)), client->size()),
              QRect(0, bar->height(), 400, 300));
    EXPECT_EQ(window->size(), QSize(400, 300 + bar->height()));
    ASSERT_EQ(SetPanelAttribute(panel_, ATTR_HEIGHT, 320), 0);
    EXPECT_EQ(window->height(), 320 + bar->height());

    const int second = load(SECOND, false);
    QWidget* second_window = uir::qt::window_of(second);
    ASSERT_NE(second_window, nullptr);
    EXPECT_FALSE(second_window->isVisible()) << "loaded panels wait to be shown";
    EXPECT_EQ(uir::qt::menu_bar_of(second), nullptr);
    EXPECT_EQ(second_window->size(), QSize(200, 100));
    ASSERT_EQ(DisplayPanel(second), 0);
    EXPECT_TRUE(second_window->isVisible());
    ASSERT_EQ(HidePanel(panel_), 0);
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(DiscardPanel(second), 0);
    EXPECT_EQ(uir::qt::window_of(second), nullptr);
}

TEST_F(ReflectTest, MenusShowTheirItems) {
    QMenuBar* bar = uir::qt::menu_bar_of(panel_);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions()[0]->text(), "&Файл");
    QMenu* menu = bar->actions()[0]->menu();
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "&Открыть");
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->text(), "Выход");

    const int bar_handle = GetPanelMenuBar(panel_);
    ASSERT_EQ(SetMenuBarAttribute(bar_handle, M_QUIT, ATTR_DIMMED, 1), 0);
    bar = uir::qt::menu_bar_of(panel_);
    EXPECT_FALSE(bar->actions()[0]->menu()->actions()[2]->isEnabled());
    ASSERT_EQ(DiscardMenuBar(bar_handle), 0);
    EXPECT_EQ(uir::qt::menu_bar_of(panel_), nullptr);
    EXPECT_EQ(uir::qt::window_of(panel_)->height(), 300) << "no room kept for a bar";
}

}  // namespace
}  // namespace qt_test
