#include "binary_switch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "control_views.h"
#include "look.h"

namespace uir::qt {

BinarySwitch::BinarySwitch(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

int BinarySwitch::lever_width(int height) {
    return std::clamp(height / 2, 10, 18);
}

void BinarySwitch::set_on(bool on) {
    if (on_ == on) return;
    on_ = on;
    update();
}

void BinarySwitch::set_texts(const QString& on_text, const QString& off_text) {
    if (on_text_ == on_text && off_text_ == off_text) return;
    on_text_ = on_text;
    off_text_ = off_text;
    update();
}

void BinarySwitch::set_clickable(bool clickable) {
    clickable_ = clickable;
    setFocusPolicy(clickable ? Qt::StrongFocus : Qt::NoFocus);
}

void BinarySwitch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const bool enabled = isEnabled();
    const int h = height();
    const int lw = lever_width(h);

    // The slot, and the lever's knob at the upper (on) or lower (off) end.
    const QRectF slot(1.5, 1.5, lw - 3, h - 3);
    p.setPen(QPen(pal.color(QPalette::Dark), 1));
    p.setBrush(pal.color(QPalette::Mid).lighter(enabled ? 110 : 130));
    p.drawRoundedRect(slot, lw / 2.0 - 1.5, lw / 2.0 - 1.5);
    const double knob = lw - 5;
    const QRectF k(2.5, on_ ? 2.5 : h - 2.5 - knob, knob, knob);
    p.setBrush(enabled ? QColor(0x2A, 0x6F, 0xC9) : pal.color(QPalette::Mid));
    p.setPen(QPen(pal.color(QPalette::Shadow), 1));
    p.drawEllipse(k);

    const QRect text_area(lw + 4, 0, width() - lw - 4, h);
    const QRect upper(text_area.left(), 0, text_area.width(), h / 2);
    const QRect lower(text_area.left(), h / 2, text_area.width(), h - h / 2);
    QFont normal = font();
    QFont bold = font();
    bold.setBold(true);
    const QColor active = enabled ? pal.color(QPalette::WindowText)
                                  : pal.color(QPalette::Disabled, QPalette::WindowText);
    // The other position stays readable: the operator reads both to know what a click does.
    const QColor quiet =
        enabled ? QColor(0x50, 0x50, 0x50) : pal.color(QPalette::Disabled, QPalette::WindowText);
    p.setFont(on_ ? bold : normal);
    p.setPen(on_ ? active : quiet);
    p.drawText(upper, Qt::AlignLeft | Qt::AlignVCenter, on_text_);
    p.setFont(on_ ? normal : bold);
    p.setPen(on_ ? quiet : active);
    p.drawText(lower, Qt::AlignLeft | Qt::AlignVCenter, off_text_);
    // The focus is marked around the switch by its window (focus_mark.h).
}

void BinarySwitch::mousePressEvent(QMouseEvent* event) {
    pressed_ = clickable_ && event->button() == Qt::LeftButton;
    event->accept();
}

void BinarySwitch::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
    pressed_ = false;
    event->accept();
    if (click && clicked_) clicked_();
}

void BinarySwitch::keyPressEvent(QKeyEvent* event) {
    if (clickable_ && event->key() == Qt::Key_Space && clicked_) {
        clicked_();
        return;
    }
    QWidget::keyPressEvent(event);
}

namespace {

// The switch's own label ("Режим запуска") stands above it, left-aligned.
class BinarySwitchView : public ControlView {
  public:
    BinarySwitchView(const Control& c, QWidget* parent, Operator& op)
        : ControlView(c.panel, c.id, op), switch_(new BinarySwitch(parent)) {
        set_body(switch_);
        switch_->on_click([this] { this->op().press(panel(), control()); });
    }

    void show_value(const Control& c) override { switch_->set_on(c.number != 0); }

  protected:
    LabelPlace label_place() const override { return LabelPlace::Above; }
    void show_texts(const Control& c) override {
        switch_->set_texts(plain_text(c.on_text), plain_text(c.off_text));
    }
    void show_mode(const Control& c) override { switch_->set_clickable(c.mode == VAL_HOT); }

  private:
    BinarySwitch* switch_;
};

}  // namespace

std::unique_ptr<ControlView> make_binary_switch(const Control& c, QWidget* parent, Operator& op) {
    return std::make_unique<BinarySwitchView>(c, parent, op);
}

}  // namespace uir::qt
