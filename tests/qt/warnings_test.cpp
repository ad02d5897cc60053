// What the operator must not miss: a fault drawn in the warning colour, and the carrier list's
// numbers standing in their columns.
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <cstring>

#include "qt/look.h"
#include "qt_view_test.h"
#include "si.h"

namespace qt_test {
namespace {

using WarningsTest = QtViewTest;

QColor text_colour(QWidget* w) {
    return w->palette().color(QPalette::Active, QPalette::Text);
}
QColor base_colour(QWidget* w) {
    return w->palette().color(QPalette::Base);
}
// What the field's middle shows, drawn: its background where there is no text.
QColor drawn_background(QWidget* w) {
    const QImage image = w->grab().toImage();
    return image.pixelColor(3, image.height() / 2);
}

TEST_F(WarningsTest, ChannelFaultIsDrawnInTheWarningColour) {
    auto* state = widget_as<QLineEdit>(V_STATE);
    ASSERT_NE(state, nullptr);
    const QColor normal_base = base_colour(state);
    ASSERT_EQ(SetCtrlVal(panel_, V_STATE, "X"), 0);
    EXPECT_EQ(text_colour(state), uir::qt::colour(uir::qt::kWarningText));
    EXPECT_EQ(drawn_background(state), uir::qt::colour(uir::qt::kWarningBack));
    EXPECT_TRUE(state->font().bold());
    ASSERT_EQ(SetCtrlVal(panel_, V_STATE, "2"), 0);
    EXPECT_NE(text_colour(state), uir::qt::colour(uir::qt::kWarningText));
    EXPECT_EQ(base_colour(state), normal_base) << "back to the indicator's look";
    EXPECT_FALSE(state->font().bold());
}

TEST_F(WarningsTest, FailedSelfTestResultIsDrawnInTheWarningColour) {
    QWidget* result = widget(V_RESULT);
    ASSERT_NE(result, nullptr);
    QLineEdit* edit = result->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_NE(drawn_background(edit), uir::qt::colour(uir::qt::kWarningBack)) << "0: a pass";
    ASSERT_EQ(SetCtrlVal(panel_, V_RESULT, static_cast<short>(5)), 0);
    EXPECT_EQ(drawn_background(edit), uir::qt::colour(uir::qt::kWarningBack));
    EXPECT_EQ(text_colour(edit), uir::qt::colour(uir::qt::kWarningText));
    ASSERT_EQ(SetCtrlVal(panel_, V_RESULT, static_cast<short>(0)), 0);
    EXPECT_NE(drawn_background(edit), uir::qt::colour(uir::qt::kWarningBack));
}

// The carrier selection's lines in the proportional font: each number ends where its caption
// ends, whatever the width of the numbers before it.
class ColumnsTest : public QtViewTest {
  protected:
    void SetUp() override {
        QtViewTest::SetUp();
        list_three_carriers();
        siPanel = BuildSI("Выбор носителя");
        ASSERT_GT(siPanel, 0);
        ASSERT_EQ(SetListInstrs(0x10D, 0x155, 0), 3);
        ASSERT_EQ(DisplayPanel(siPanel), 0);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(uir::qt::window_of(siPanel)));
    }
    void TearDown() override {
        siPanel = 0;
        QtViewTest::TearDown();
    }
};

// The right end of the ink of `row` between x0 and x1 (viewport pixels), -1 when none.
int ink_end(const QImage& image, const QRect& row, int x0, int x1) {
    int end = -1;
    for (int x = std::max(0, x0); x <= std::min(image.width() - 1, x1); ++x)
        for (int y = row.top(); y <= row.bottom(); ++y)
            if (qGray(image.pixel(x, y)) < 128) end = x;
    return end;
}

TEST_F(ColumnsTest, NumbersStandRightAlignedUnderTheirCaptions) {
    auto* list = qobject_cast<QListWidget*>(uir::qt::widget_of(siPanel, siControls.list));
    auto* header = qobject_cast<QLabel*>(uir::qt::widget_of(siPanel, siControls.textmsg));
    ASSERT_NE(list, nullptr);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(list->item(2)->text().toStdString(), "  12          0         2        48     155")
        << "the line itself is unchanged";

    // The captions' right ends, as the header draws them, in the list viewport's pixels.
    const QString caption = header->text();
    const QFontMetricsF fm(header->font());
    std::vector<int> edges;
    qsizetype end = 0;
    for (const char* word : {"Интф.", "Кр.ЛА", "Слот", "ЛА", "Тип"}) {
        const QString w = QString::fromUtf8(word);
        end = caption.indexOf(w, end) + w.size();
        const int x = static_cast<int>(fm.horizontalAdvance(caption.left(end)));
        edges.push_back(list->viewport()->mapFromGlobal(header->mapToGlobal(QPoint(x, 0))).x());
    }
    const QImage image = list->viewport()->grab().toImage();
    // Rows 1 and 2: row 0 is highlighted, light on dark.
    for (int row : {1, 2}) {
        const QRect r = list->visualItemRect(list->item(row));
        int from = 0;
        for (std::size_t k = 0; k < edges.size(); ++k) {
            SCOPED_TRACE("row " + std::to_string(row) + ", column " + std::to_string(k));
            const int end = ink_end(image, r, from, edges[k] + 2);
            EXPECT_GE(end, edges[k] - 3);
            EXPECT_LE(end, edges[k] + 1);
            from = edges[k] + 3;
        }
    }
}

}  // namespace
}  // namespace qt_test
