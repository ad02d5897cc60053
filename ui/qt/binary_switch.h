// A two-position lever switch: the lever at the left, the on text (value 1) beside its upper
// position and the off text (value 0) beside its lower one. Both texts stay visible; the active
// one is drawn bold and dark, the other one light.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

namespace uir::qt {

class BinarySwitch : public QWidget {
  public:
    explicit BinarySwitch(QWidget* parent);

    void set_on(bool on);
    bool on() const { return on_; }
    void set_texts(const QString& on_text, const QString& off_text);
    void set_clickable(bool clickable);
    void on_click(std::function<void()> f) { clicked_ = std::move(f); }

    // The lever's width for a switch of `height` pixels.
    static int lever_width(int height);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool on_ = false;
    bool clickable_ = true;
    bool pressed_ = false;
    QString on_text_, off_text_;
    std::function<void()> clicked_;
};

}  // namespace uir::qt
