// List boxes and text boxes. A list line is highlighted by a single click or the arrow keys
// (no event), chosen by a double click (EVENT_LEFT_DOUBLE_CLICK) or by Enter (commit). Lines are
// drawn in a narrow proportional font. A list under a column header (the carrier selection) draws
// each line's fields right-aligned under the header's captions (ui/core/list_columns.h): blanks
// pad the fields into columns only in a fixed-pitch font. The header is drawn in the list's font
// too (view.cpp), so captions and numbers share their widths.
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "control_views.h"
#include "core/list_columns.h"
#include "look.h"

namespace uir::qt {
namespace {

// Draws a line's fields right-aligned at the columns' right edges (x in the viewport), when
// there are columns; else the line as it is.
class ColumnDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    std::vector<int> edges;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (edges.empty()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const std::string line = opt.text.toStdString();
        opt.text.clear();
        QStyle* style = opt.widget ? opt.widget->style() : nullptr;
        if (!style) return;
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        const bool selected = opt.state & QStyle::State_Selected;
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const std::vector<rules::TextSpan> fields = rules::line_fields(line);
        for (std::size_t k = 0; k < fields.size() && k < edges.size(); ++k) {
            const QString field = QString::fromStdString(
                line.substr(fields[k].begin, fields[k].end - fields[k].begin));
            const QRect r(opt.rect.left(), opt.rect.top(), edges[k] - opt.rect.left(),
                          opt.rect.height());
            painter->drawText(r, Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip, field);
        }
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        if (!edges.empty()) s.setWidth(edges.back() + 4);
        return s;
    }
};

class ListBox : public QListWidget {
  public:
    explicit ListBox(QWidget* parent) : QListWidget(parent), delegate_(new ColumnDelegate(this)) {
        setItemDelegate(delegate_);
        setFont(list_font());
        setSelectionMode(QAbstractItemView::SingleSelection);
        setUniformItemSizes(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        // A line wider than the list scrolls; an ellipsis would hide its last column.
        setTextElideMode(Qt::ElideNone);
    }

    std::function<void(int)> double_clicked;
    std::function<void(int)> entered;
    // The columns' right edges in the list's own coordinates; empty for plain lines.
    std::function<std::vector<int>()> column_edges;

    const std::vector<int>& edges() const { return delegate_->edges; }

  protected:
    void paintEvent(QPaintEvent* event) override {
        update_columns();
        QListWidget::paintEvent(event);
    }
    void update_columns() {
        std::vector<int> edges = column_edges ? column_edges() : std::vector<int>{};
        const int shift = viewport()->x() + horizontalOffset();
        for (int& e : edges) e -= shift;
        if (edges == delegate_->edges) return;
        delegate_->edges = std::move(edges);
        scheduleDelayedItemsLayout();  // the lines' widths follow the columns
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        const QModelIndex at = indexAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton && at.isValid() && double_clicked) {
            double_clicked(at.row());
            event->accept();
            return;
        }
        QListWidget::mouseDoubleClickEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && currentRow() >= 0 && entered) {
            entered(currentRow());
            event->accept();
            return;
        }
        QListWidget::keyPressEvent(event);
    }

  private:
    ColumnDelegate* delegate_;
};

// The right edges of the header's captions, as the header's text message draws them, in the
// list's coordinates; empty when the list has no header or a line does not fit its columns.
std::vector<int> header_edges(const Control& list) {
    const Control* header =
        model::find_control(list.panel, rules::list_header_of(list.panel, list.id));
    if (!header || !header->visible) return {};
    const std::string caption =
        plain_text(header->text.empty() ? header->label : header->text).toStdString();
    std::vector<std::string> lines;
    for (const ListItem& item : list.items) lines.push_back(item.label);
    if (!rules::draws_columns(lines, caption)) return {};
    const QFontMetricsF fm(list_font());  // the header is drawn in the list's font
    std::vector<int> edges;
    for (const rules::TextSpan& span : rules::header_captions(caption)) {
        const QString prefix = QString::fromStdString(caption.substr(0, span.end));
        edges.push_back(header->left - list.left +
                        static_cast<int>(std::lround(fm.horizontalAdvance(prefix))));
    }
    return edges;
}

class ListBoxView : public ControlView {
  public:
    ListBoxView(const Control& c, QWidget* parent, Operator& op)
        : ControlView(c.panel, c.id, op), list_(new ListBox(parent)) {
        set_body(list_);
        QObject::connect(list_, &QListWidget::currentRowChanged, [this](int row) {
            if (row >= 0) this->op().highlight(panel(), control(), row);
        });
        list_->double_clicked = [this](int row) {
            this->op().double_click(panel(), control(), row);
        };
        list_->entered = [this](int row) { this->op().select(panel(), control(), row); };
        list_->column_edges = [this] {
            const Control* c = model::find_control(panel(), control());
            return c ? header_edges(*c) : std::vector<int>{};
        };
    }

    void show_items(const Control& c) override {
        const QSignalBlocker quiet(list_);
        list_->clear();
        for (const ListItem& item : c.items) list_->addItem(QString::fromStdString(item.label));
        list_->setCurrentRow(c.index);
    }
    void show_value(const Control& c) override {
        if (list_->currentRow() == c.index) return;
        const QSignalBlocker quiet(list_);
        list_->setCurrentRow(c.index);
        if (c.index >= 0) list_->scrollToItem(list_->item(c.index));
    }

  protected:
    LabelPlace label_place() const override { return LabelPlace::Above; }
    void show_mode(const Control& c) override {
        const bool hot = c.mode == VAL_HOT;
        list_->viewport()->setAttribute(Qt::WA_TransparentForMouseEvents, !hot);
        list_->setFocusPolicy(hot ? Qt::StrongFocus : Qt::NoFocus);
    }
    // The frame around the lines takes the control's colour, the lines' area its text
    // background.
    void show_colours(const Control& c) override {
        ControlView::show_colours(c);
        if (c.back_color >= 0) {
            list_->setAutoFillBackground(true);
            list_->setBackgroundRole(QPalette::Window);
        }
    }

  private:
    ListBox* list_;
};

// The system's transcript: read-only, long lines wrapped. Lines appended at the end come into
// view; a new content is shown from its first line.
class TextBoxView : public ControlView {
  public:
    TextBoxView(const Control& c, QWidget* parent, Operator& op)
        : ControlView(c.panel, c.id, op), edit_(new QPlainTextEdit(parent)) {
        set_body(edit_);
        edit_->setReadOnly(true);
        edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit_->setFocusPolicy(Qt::ClickFocus);
    }

    void show_lines(const Control& c) override {
        if (c.lines == shown_) return;
        // An empty box holds one empty block, which an append would keep as a first line.
        const bool appended = !shown_.empty() && c.lines.size() > shown_.size() &&
                              std::equal(shown_.begin(), shown_.end(), c.lines.begin());
        QScrollBar* bar = edit_->verticalScrollBar();
        if (appended) {
            for (std::size_t i = shown_.size(); i < c.lines.size(); ++i)
                edit_->appendPlainText(QString::fromStdString(c.lines[i]));
            bar->setValue(bar->maximum());
        } else {
            QString all;
            for (std::size_t i = 0; i < c.lines.size(); ++i) {
                if (i) all += '\n';
                all += QString::fromStdString(c.lines[i]);
            }
            edit_->setPlainText(all);
            bar->setValue(bar->minimum());
        }
        shown_ = c.lines;
    }

  private:
    QPlainTextEdit* edit_;
    std::vector<std::string> shown_;
};

}  // namespace

std::unique_ptr<ControlView> make_list_box(const Control& c, QWidget* parent, Operator& op) {
    return std::make_unique<ListBoxView>(c, parent, op);
}

std::unique_ptr<ControlView> make_text_box(const Control& c, QWidget* parent, Operator& op) {
    return std::make_unique<TextBoxView>(c, parent, op);
}

}  // namespace uir::qt
