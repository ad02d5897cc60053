// Message and confirmation boxes: modal, titled and worded as asked, answered by the operator.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "qt_view_test.h"

namespace qt_test {
namespace {

struct Seen {
    QString title, text;
    QStringList buttons;
    bool modal = false;
};

// Once the box is up, notes what it shows and lets `answer` act on it.
void when_box_shows(Seen& seen, std::function<void(QMessageBox&)> answer) {
    QTimer::singleShot(20, [&seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;  // the test then hangs on exec; the box never came
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.modal = box->isModal();
        for (QAbstractButton* b : box->buttons()) seen.buttons << b->text();
        answer(*box);
    });
}

void click(QMessageBox& box, const QString& text) {
    for (QAbstractButton* b : box.buttons())
        if (b->text() == text) b->click();
}

using PopupTest = QtViewTest;

TEST_F(PopupTest, MessageBoxShowsItsTextAndCloses) {
    Seen seen;
    when_box_shows(seen, [](QMessageBox& box) { click(box, "OK"); });
    EXPECT_EQ(MessagePopup("QORM", "Носитель не найден.\nДемо режим"), 0);
    EXPECT_EQ(seen.title, "QORM [тест]");
    EXPECT_EQ(seen.text, "Носитель не найден.\nДемо режим");
    EXPECT_EQ(seen.buttons, QStringList{"OK"});
    EXPECT_TRUE(seen.modal);
}

TEST_F(PopupTest, ConfirmationAnswersYesAndNo) {
    Seen seen;
    when_box_shows(seen, [](QMessageBox& box) { click(box, "Да"); });
    EXPECT_EQ(ConfirmPopup("QORM", "Подлючите соединитель контрольный QORM-Z"), 1);
    EXPECT_EQ(seen.text, "Подлючите соединитель контрольный QORM-Z");
    EXPECT_TRUE(seen.buttons.contains("Да"));
    EXPECT_TRUE(seen.buttons.contains("Нет"));

    when_box_shows(seen, [](QMessageBox& box) { click(box, "Нет"); });
    EXPECT_EQ(ConfirmPopup("QORM", "?"), 0);
}

TEST_F(PopupTest, ConfirmationClosedWithoutAnAnswerIsNo) {
    Seen seen;
    when_box_shows(seen, [](QMessageBox& box) { box.reject(); });
    EXPECT_EQ(ConfirmPopup("QORM", "?"), 0);
}

TEST_F(PopupTest, PopupsRefuseMissingTexts) {
    EXPECT_EQ(MessagePopup(nullptr, "текст"), UIE_NULL_POINTER);
    EXPECT_EQ(ConfirmPopup("QORM", nullptr), UIE_NULL_POINTER);
}

}  // namespace
}  // namespace qt_test
