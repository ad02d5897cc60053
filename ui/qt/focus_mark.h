// The keyboard focus, marked plainly: a solid frame in the focus colour around whichever control
// of the window has the focus. One mark per window follows the focus; the controls' own focus
// hints (Fusion's faint dotted lines) are too faint to find at a glance on a panel of 180
// controls.
#pragma once

#include <QPointer>
#include <QWidget>

namespace uir::qt {

class FocusMark : public QWidget {
  public:
    // `area`: the widget whose descendants the mark follows; the mark is its child.
    explicit FocusMark(QWidget* area);

    // The control the mark stands around now, nullptr when it is hidden.
    QWidget* marked() const { return target_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void follow(QWidget* focus);
    void place();

    QWidget* area_;
    QPointer<QWidget> target_;
};

}  // namespace uir::qt
