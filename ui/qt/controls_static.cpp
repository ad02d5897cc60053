// What has no behaviour: text messages, the frames of decorations, pictures, and timers (which
// have no widget at all).
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <algorithm>
#include <string_view>

#include "control_views.h"
#include "look.h"

namespace uir::qt {
namespace {

QString message_text(const Control& c) {
    return plain_text(c.text.empty() ? c.label : c.text);
}

// Static text, top-left aligned, broken at '\n'. A rectangle tall enough for two lines also
// breaks between words that would not fit; a one-line rectangle grows to its text instead, so
// nothing is cut off. A text message built in code carries its text as its label until the
// program sets one.
class TextMessageView : public ControlView {
  public:
    TextMessageView(const Control& c, QWidget* parent, Operator& op)
        : ControlView(c.panel, c.id, op), text_(new QLabel(parent)) {
        set_body(text_);
        text_->setTextFormat(Qt::PlainText);
        text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    void show_value(const Control& c) override {
        const QString text = message_text(c);
        if (text_->text() == text) return;
        text_->setText(text);
        show_geometry(c);
    }

  protected:
    LabelPlace label_place() const override { return LabelPlace::None; }
    void show_texts(const Control& c) override { show_value(c); }
    QRect body_rect(const Control& c) const override {
        const bool wraps = c.height >= 2 * kLabelLine;
        if (text_->wordWrap() != wraps) text_->setWordWrap(wraps);
        QRect r(c.left, c.top, c.width, c.height);
        if (wraps) return r;
        const QStringList lines = message_text(c).split('\n');
        const QFontMetrics fm(text_->font());
        int width = 0;
        for (const QString& line : lines) width = std::max(width, fm.horizontalAdvance(line) + 2);
        r.setWidth(std::max(c.width, width));
        r.setHeight(std::max(c.height, fm.lineSpacing() * static_cast<int>(lines.size())));
        return r;
    }
    // The text's background is the control's text background (or its background).
    void show_colours(const Control& c) override {
        ControlView::show_colours(c);
        const int bg = c.text_bg_color >= 0 ? c.text_bg_color : c.back_color;
        if (bg < 0) return;
        QPalette pal = text_->palette();
        pal.setColor(QPalette::Window, colour(bg));
        text_->setPalette(pal);
        text_->setAutoFillBackground(true);
    }

  private:
    QLabel* text_;
};

// A raised panel framing a group of controls, kept behind them.
class DecorationView : public ControlView {
  public:
    DecorationView(const Control& c, QWidget* parent, Operator& op)
        : ControlView(c.panel, c.id, op), frame_(new QFrame(parent)) {
        set_body(frame_);
        frame_->setFrameStyle(QFrame::Panel | QFrame::Raised);
        frame_->setLineWidth(1);
        frame_->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    LabelPlace label_place() const override { return LabelPlace::None; }
    bool stays_behind() const override { return true; }
    void show_colours(const Control& c) override {
        ControlView::show_colours(c);
        if (c.back_color < 0) return;
        frame_->setAutoFillBackground(true);
    }

  private:
    QFrame* frame_;
};

// Pictures are drawn here, not loaded: the VXI badge, and an instrument glyph for the others.
enum class Glyph { VxiBadge, Instrument };

struct PictureGlyph {
    std::string_view constant_name;
    Glyph glyph;
};
constexpr PictureGlyph kGlyphs[] = {{"MP_VXI_LOGO", Glyph::VxiBadge}};

Glyph glyph_for(std::string_view constant_name) {
    for (const PictureGlyph& g : kGlyphs)
        if (g.constant_name == constant_name) return g.glyph;
    return Glyph::Instrument;
}

void draw_vxi_badge(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(0x10, 0x20, 0x50), 1));
    p.setBrush(QColor(0x1F, 0x3F, 0x8F));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), r.width() / 6, r.height() / 6);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(std::max(6, static_cast<int>(r.width() / 3.2)));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, QStringLiteral("VXI"));
    p.setPen(QPen(QColor(0xF0, 0xC0, 0x20), std::max(1.0, r.height() / 20)));
    const double y = r.bottom() - r.height() / 5;
    p.drawLine(QPointF(r.left() + r.width() / 5, y), QPointF(r.right() - r.width() / 5, y));
}

// A rack instrument's front: a screen with a pulse train, and two knobs.
void draw_instrument(QPainter& p, const QRectF& r) {
    const QRectF body = r.adjusted(0.5, r.height() / 6, -0.5, -r.height() / 6);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(QColor(0xB8, 0xBC, 0xC4));
    p.drawRoundedRect(body, 3, 3);
    const QRectF screen(body.left() + body.width() * 0.08, body.top() + body.height() * 0.15,
                        body.width() * 0.55, body.height() * 0.7);
    p.setBrush(QColor(0x10, 0x30, 0x18));
    p.drawRect(screen);
    QPainterPath pulse;
    const double lo = screen.bottom() - screen.height() * 0.25;
    const double hi = screen.top() + screen.height() * 0.25;
    const double step = screen.width() / 6;
    pulse.moveTo(screen.left() + 2, lo);
    for (int i = 0; i < 6; ++i) {
        const double x = screen.left() + 2 + i * step;
        const double y = i % 2 ? hi : lo;
        pulse.lineTo(x, y);
        pulse.lineTo(x + step - 1, y);
    }
    p.setPen(QPen(QColor(0x40, 0xF0, 0x60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(pulse);
    const double knob = std::min(body.height() * 0.28, body.width() * 0.18);
    const double kx = screen.right() + (body.right() - screen.right() - knob) / 2;
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(QColor(0x50, 0x50, 0x58));
    p.drawEllipse(QRectF(kx, body.top() + body.height() * 0.14, knob, knob));
    p.drawEllipse(QRectF(kx, body.bottom() - body.height() * 0.14 - knob, knob, knob));
}

class PictureWidget : public QWidget {
  public:
    PictureWidget(QWidget* parent, Glyph glyph) : QWidget(parent), glyph_(glyph) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const double side = std::min(width(), height());
        const QRectF square((width() - side) / 2, (height() - side) / 2, side, side);
        if (glyph_ == Glyph::VxiBadge)
            draw_vxi_badge(p, square);
        else
            draw_instrument(p, square);
    }

  private:
    Glyph glyph_;
};

class PictureView : public ControlView {
  public:
    PictureView(const Control& c, QWidget* parent, Operator& op) : ControlView(c.panel, c.id, op) {
        set_body(new PictureWidget(parent, glyph_for(c.constant_name)));
    }

  protected:
    LabelPlace label_place() const override { return LabelPlace::None; }
};

// Timers tick in the run-time; nothing to show.
class TimerView : public ControlView {
  public:
    TimerView(const Control& c, Operator& op) : ControlView(c.panel, c.id, op) {}
};

}  // namespace

std::unique_ptr<ControlView> make_text_message(const Control& c, QWidget* parent, Operator& op) {
    return std::make_unique<TextMessageView>(c, parent, op);
}

std::unique_ptr<ControlView> make_decoration(const Control& c, QWidget* parent, Operator& op) {
    return std::make_unique<DecorationView>(c, parent, op);
}

std::unique_ptr<ControlView> make_picture(const Control& c, QWidget* parent, Operator& op) {
    return std::make_unique<PictureView>(c, parent, op);
}

std::unique_ptr<ControlView> make_timer(const Control& c, QWidget*, Operator& op) {
    return std::make_unique<TimerView>(c, op);
}

}  // namespace uir::qt
