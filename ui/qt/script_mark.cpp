#include "script_mark.h"

#include <QEvent>
#include <QPainter>

#include "look.h"

namespace uir::qt {
namespace {
constexpr int kOutset = kScriptMarkLine + 1;  // just outside the control, around the focus frame
}  // namespace

ScriptMark::ScriptMark(QWidget* target) : QWidget(target->parentWidget()), target_(target) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    target->installEventFilter(this);
    place();
}

void ScriptMark::place() {
    if (!target_ || !target_->isVisible()) {
        hide();
        return;
    }
    setGeometry(target_->geometry().adjusted(-kOutset, -kOutset, kOutset, kOutset));
    raise();
    show();
}

bool ScriptMark::eventFilter(QObject* watched, QEvent* event) {
    if (watched == target_) {
        switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
            case QEvent::Hide:
                place();
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ScriptMark::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(colour(kScriptMarkColour), kScriptMarkLine);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const double half = kScriptMarkLine / 2.0;
    p.drawRoundedRect(QRectF(rect()).adjusted(half, half, -half, -half), 3, 3);
}

}  // namespace uir::qt
