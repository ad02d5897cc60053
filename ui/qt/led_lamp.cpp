#include "led_lamp.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>

#include "control_views.h"

namespace uir::qt {

LedLamp::LedLamp(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(Qt::NoFocus);
}

void LedLamp::set_lit(bool lit) {
    if (lit_ == lit) return;
    lit_ = lit;
    update();
}

// A lamp is clicked, never tabbed to: sixty latch lamps in the Tab chain would bury the
// controls the keyboard is for.
void LedLamp::set_clickable(bool clickable) {
    clickable_ = clickable;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void LedLamp::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int d = std::max(4, std::min(width(), height()) - 2);
    const QRectF r((width() - d) / 2.0, (height() - d) / 2.0, d, d);
    QColor core = lit_ ? kLit : QColor(0x30, 0x38, 0x30);
    if (!isEnabled()) core = lit_ ? kLit.lighter(150) : QColor(0x90, 0x90, 0x90);
    QRadialGradient glow(r.center() - QPointF(d / 5.0, d / 5.0), d * 0.7);
    glow.setColorAt(0, lit_ ? core.lighter(170) : core.lighter(160));
    glow.setColorAt(1, core);
    p.setBrush(glow);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    p.drawEllipse(r);
}

void LedLamp::mousePressEvent(QMouseEvent* event) {
    pressed_ = clickable_ && event->button() == Qt::LeftButton;
    event->accept();
}

void LedLamp::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
    pressed_ = false;
    event->accept();
    if (click && clicked_) clicked_();
}

namespace {

// The lamp's label (a caption, or the channel number over a latch lamp) stands centred above it.
class LedView : public ControlView {
  public:
    LedView(const Control& c, QWidget* parent, Operator& op)
        : ControlView(c.panel, c.id, op), lamp_(new LedLamp(parent)) {
        set_body(lamp_);
        lamp_->on_click([this] { this->op().press(panel(), control()); });
    }

    void show_value(const Control& c) override { lamp_->set_lit(c.number != 0); }

  protected:
    LabelPlace label_place() const override { return LabelPlace::AboveCentred; }
    void show_mode(const Control& c) override { lamp_->set_clickable(c.mode == VAL_HOT); }
    // The lamp paints itself; only its label takes the panel's colours.
    void show_colours(const Control&) override {}

  private:
    LedLamp* lamp_;
};

}  // namespace

std::unique_ptr<ControlView> make_led(const Control& c, QWidget* parent, Operator& op) {
    return std::make_unique<LedView>(c, parent, op);
}

}  // namespace uir::qt
