// The run-time's mark (uir/mark.h) as the Qt view draws it: a frame of the focus frame's shape,
// amber and heavier, around the control a scripted operator is about to operate, so a watcher can follow a script played in the
// windows. A child of the control's parent that lets the mouse through; it follows the control
// while it moves, and goes with its window.
#pragma once

#include <QPointer>
#include <QWidget>

namespace uir::qt {

class ScriptMark : public QWidget {
  public:
    explicit ScriptMark(QWidget* target);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void place();
    QPointer<QWidget> target_;
};

}  // namespace uir::qt
