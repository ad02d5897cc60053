// A round signal lamp: lit green for 1, dark for 0. An operable lamp reacts to a click (the
// latch lamps clear their channel's latches that way); it never takes the keyboard focus.
#pragma once

#include <QColor>
#include <QWidget>
#include <functional>

namespace uir::qt {

class LedLamp : public QWidget {
  public:
    explicit LedLamp(QWidget* parent);

    void set_lit(bool lit);
    bool lit() const { return lit_; }
    void set_clickable(bool clickable);
    void on_click(std::function<void()> f) { clicked_ = std::move(f); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool lit_ = false;
    bool clickable_ = false;
    bool pressed_ = false;
    static constexpr QColor kLit{0x20, 0xD0, 0x20};
    std::function<void()> clicked_;
};

}  // namespace uir::qt
