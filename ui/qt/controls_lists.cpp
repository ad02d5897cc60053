// List boxes and text boxes. A list line is highlighted by a single click or the arrow keys
// (no event), chosen by a double click (EVENT_LEFT_DOUBLE_CLICK) or by Enter (commit). Lines are
// drawn in a narrow proportional font: lines padded into columns with spaces (mostly spaces, whose
// advance is narrow) then fit lists as narrow as the carrier selection's.
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <functional>
#include <vector>

#include "control_views.h"
#include "look.h"

namespace uir::qt {
namespace {

class ListBox : public QListWidget {
  public:
    explicit ListBox(QWidget* parent) : QListWidget(parent) {
        setFont(list_font());
        setSelectionMode(QAbstractItemView::SingleSelection);
        setUniformItemSizes(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        // A line wider than the list scrolls; an ellipsis would hide its last column.
        setTextElideMode(Qt::ElideNone);
    }

    std::function<void(int)> double_clicked;
    std::function<void(int)> entered;

  protected:
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
};

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
