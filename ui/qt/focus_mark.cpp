#include "focus_mark.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

#include "look.h"

namespace uir::qt {
namespace {

constexpr int kOutset = kFocusLine + 1;  // the mark stands just outside the control

// The control that shows the focus: a compound control (a spin box, a ring) for its inner line
// edit, found as the nearest ancestor that is a direct child of `area`.
QWidget* control_of(QWidget* focus, QWidget* area) {
    for (QWidget* w = focus; w; w = w->parentWidget())
        if (w->parentWidget() == area) return w;
    return nullptr;
}

}  // namespace

FocusMark::FocusMark(QWidget* area) : QWidget(area), area_(area) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    QObject::connect(qApp, &QApplication::focusChanged, this,
                     [this](QWidget*, QWidget* now) { follow(now); });
}

void FocusMark::follow(QWidget* focus) {
    QWidget* control = focus ? control_of(focus, area_) : nullptr;
    if (control == this) control = nullptr;
    if (control == target_) {
        place();
        return;
    }
    if (target_) target_->removeEventFilter(this);
    target_ = control;
    if (target_) target_->installEventFilter(this);
    place();
}

void FocusMark::place() {
    if (!target_ || !target_->isVisible() || !target_->isEnabled()) {
        if (isVisible()) hide();
        return;
    }
    const QRect r = target_->geometry().adjusted(-kOutset, -kOutset, kOutset, kOutset);
    if (geometry() != r) setGeometry(r);
    raise();
    if (!isVisible()) show();
}

bool FocusMark::eventFilter(QObject* watched, QEvent* event) {
    if (watched == target_) {
        switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
            case QEvent::Hide:
            case QEvent::EnabledChange:
                place();
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusMark::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(colour(kFocusColour), kFocusLine);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const double half = kFocusLine / 2.0;
    p.drawRoundedRect(QRectF(rect()).adjusted(half, half, -half, -half), 3, 3);
}

}  // namespace uir::qt
