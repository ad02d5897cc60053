// Command buttons, toggle buttons and check boxes: Qt's own buttons, with their text on the face.
// Enter presses a focused button, as Space does (as on every desktop).
#include <QCheckBox>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "control_views.h"
#include "look.h"

namespace uir::qt {
namespace {

void set_checked(QAbstractButton* b, bool on) {
    if (b->isChecked() == on) return;
    const QSignalBlocker quiet(b);
    b->setChecked(on);
}

void set_text(QAbstractButton* b, const QString& text) {
    if (b->text() != text) b->setText(text);
}

// An indicator shows its state but does not react to clicks or keys.
void set_hot(QWidget* w, const Control& c) {
    const bool hot = c.mode == VAL_HOT;
    w->setAttribute(Qt::WA_TransparentForMouseEvents, !hot);
    w->setFocusPolicy(hot ? Qt::StrongFocus : Qt::NoFocus);
}

bool enter_key(const QKeyEvent* event) {
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

class PushButton : public QPushButton {
  public:
    explicit PushButton(QWidget* parent) : QPushButton(parent) { setAutoDefault(false); }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (enter_key(event) && !event->isAutoRepeat()) {
            event->accept();
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

class CommandButtonView : public ControlView {
  public:
    CommandButtonView(const Control& c, QWidget* parent, Operator& op)
        : ControlView(c.panel, c.id, op), button_(new PushButton(parent)) {
        set_body(button_);
        QObject::connect(button_, &QPushButton::clicked,
                         [this] { this->op().press(panel(), control()); });
    }

  protected:
    LabelPlace label_place() const override { return LabelPlace::None; }
    void show_texts(const Control& c) override { set_text(button_, mnemonic_text(c.label)); }
    void show_mode(const Control& c) override { set_hot(button_, c); }

  private:
    QPushButton* button_;
};

// A push button that latches. Without a text on its face (the channel switches) it shows its
// state by a lamp in its middle, lit while the button is in.
class LatchButton : public PushButton {
  public:
    explicit LatchButton(QWidget* parent) : PushButton(parent) { setCheckable(true); }

  protected:
    void paintEvent(QPaintEvent* event) override {
        PushButton::paintEvent(event);
        if (!text().isEmpty()) return;
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const double side = std::min(width(), height()) * 0.42;
        const QRectF lamp((width() - side) / 2, (height() - side) / 2, side, side);
        QColor fill = isChecked() ? QColor(0x20, 0xC8, 0x20) : QColor(0x58, 0x5C, 0x58);
        if (!isEnabled()) fill = fill.lighter(isChecked() ? 140 : 190);
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
        p.setBrush(fill);
        p.drawRoundedRect(lamp, 1.5, 1.5);
    }
};

// Stays in while its value is 1. MP_START shows its on text ("Стоп") while in and its off text
// ("Старт") while out; a toggle without texts shows its label, or nothing (the channel switches).
class ToggleButtonView : public ControlView {
  public:
    ToggleButtonView(const Control& c, QWidget* parent, Operator& op)
        : ControlView(c.panel, c.id, op), button_(new LatchButton(parent)) {
        set_body(button_);
        QObject::connect(button_, &QPushButton::clicked,
                         [this] { this->op().press(panel(), control()); });
    }

    void show_value(const Control& c) override {
        set_checked(button_, c.number != 0);
        show_texts(c);
    }

  protected:
    LabelPlace label_place() const override { return LabelPlace::None; }
    void show_texts(const Control& c) override {
        const std::string& face = c.number != 0 ? c.on_text : c.off_text;
        set_text(button_, mnemonic_text(face.empty() ? c.label : face));
    }
    void show_mode(const Control& c) override { set_hot(button_, c); }

  private:
    LatchButton* button_;
};

class CheckBoxView : public ControlView {
  public:
    CheckBoxView(const Control& c, QWidget* parent, Operator& op)
        : ControlView(c.panel, c.id, op), box_(new QCheckBox(parent)) {
        set_body(box_);
        QObject::connect(box_, &QCheckBox::clicked,
                         [this] { this->op().press(panel(), control()); });
    }

    void show_value(const Control& c) override { set_checked(box_, c.number != 0); }

  protected:
    LabelPlace label_place() const override { return LabelPlace::None; }
    void show_texts(const Control& c) override { set_text(box_, mnemonic_text(c.label)); }
    void show_mode(const Control& c) override { set_hot(box_, c); }

  private:
    QCheckBox* box_;
};

}  // namespace

std::unique_ptr<ControlView> make_command_button(const Control& c, QWidget* parent, Operator& op) {
    return std::make_unique<CommandButtonView>(c, parent, op);
}

std::unique_ptr<ControlView> make_toggle_button(const Control& c, QWidget* parent, Operator& op) {
    return std::make_unique<ToggleButtonView>(c, parent, op);
}

std::unique_ptr<ControlView> make_check_box(const Control& c, QWidget* parent, Operator& op) {
    return std::make_unique<CheckBoxView>(c, parent, op);
}

}  // namespace uir::qt
