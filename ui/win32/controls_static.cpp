// What has no behaviour: text messages, the frames of decorations, pictures, and timers (which
// have no window at all).
#include <algorithm>
#include <cmath>
#include <string_view>

#include "control_views.h"
#include "drawn_window.h"
#include "look.h"
#include "text16.h"

namespace uir::win32 {
namespace {

std::wstring message_text(const Control& c) {
    return plain_text(c.text.empty() ? c.label : c.text);
}

// Static text, top-left aligned, broken at '\n'. A rectangle tall enough for two lines also
// breaks between words that would not fit; a one-line rectangle grows to its text instead, so
// nothing is cut off. A text message built in code carries its text as its label until the
// program sets one.
class TextMessageView : public ControlView {
  public:
    TextMessageView(const Control& c, HWND parent, Operator& op) : ControlView(c, parent, op) {
        set_body(make_child(L"STATIC", SS_LEFT | SS_NOPREFIX, parent, c));
    }

    void show_value(const Control& c) override {
        const std::wstring text = with_crlf(message_text(c));
        if (window_text(body()) == text) return;
        SetWindowTextW(body(), text.c_str());
        show_geometry(c);
    }

  protected:
    LabelPlace label_place() const override { return LabelPlace::None; }
    void show_texts(const Control& c) override { show_value(c); }
    RECT body_rect(const Control& c) const override {
        RECT r = ControlView::body_rect(c);
        if (c.height >= 2 * kLabelLine) return r;
        const SIZE s = text_extent(body_font(), message_text(c));
        r.right = std::max(r.right, r.left + static_cast<LONG>(s.cx) + 2);
        r.bottom = std::max(r.bottom, r.top + static_cast<LONG>(s.cy));
        return r;
    }
};

// A raised panel framing a group of controls, kept behind them.
class Frame : public Drawn {
  public:
    explicit Frame(const ControlView& view) : view_(view) {}
    void paint(HDC dc, const RECT& r, bool, bool) override {
        const Control* c = model::find_control(view_.panel(), view_.control());
        const Panel* p = model::find_panel(view_.panel());
        COLORREF fill = p ? panel_colour(*p) : GetSysColor(COLOR_BTNFACE);
        if (c && c->back_color >= 0) fill = colour(c->back_color);
        RECT all = r;
        FillRect(dc, &all, look().brush(fill));
        DrawEdge(dc, &all, BDR_RAISEDINNER, BF_RECT);
    }
    bool transparent() const override { return true; }

  private:
    const ControlView& view_;
};

class DecorationView : public ControlView {
  public:
    DecorationView(const Control& c, HWND parent, Operator& op)
        : ControlView(c, parent, op), frame_(*this) {
        set_body(make_drawn(parent, c, &frame_));
    }

  protected:
    LabelPlace label_place() const override { return LabelPlace::None; }
    bool stays_behind() const override { return true; }

  private:
    Frame frame_;
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

class Pen {
  public:
    Pen(HDC dc, COLORREF c, int width = 1)
        : dc_(dc), pen_(CreatePen(PS_SOLID, width, c)), old_(SelectObject(dc, pen_)) {}
    ~Pen() {
        SelectObject(dc_, old_);
        DeleteObject(pen_);
    }
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;

  private:
    HDC dc_;
    HPEN pen_;
    HGDIOBJ old_;
};

void draw_vxi_badge(HDC dc, const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    {
        Pen pen(dc, RGB(0x10, 0x20, 0x50));
        HGDIOBJ old = SelectObject(dc, look().brush(RGB(0x1F, 0x3F, 0x8F)));
        RoundRect(dc, r.left, r.top, r.right, r.bottom, w / 3, h / 3);
        SelectObject(dc, old);
    }
    HFONT font = CreateFontW(-std::max(6, static_cast<int>(w / 3.2)), 0, 0, 0, FW_BOLD, FALSE,
                             FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
    HGDIOBJ old_font = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
    RECT t = r;
    DrawTextW(dc, L"VXI", 3, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old_font);
    DeleteObject(font);
    Pen bar(dc, RGB(0xF0, 0xC0, 0x20), std::max(1, h / 20));
    const int y = r.bottom - h / 5;
    MoveToEx(dc, r.left + w / 5, y, nullptr);
    LineTo(dc, r.right - w / 5, y);
}

// A rack instrument's front: a screen with a pulse train, and two knobs.
void draw_instrument(HDC dc, const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    const RECT body{r.left, r.top + h / 6, r.right, r.bottom - h / 6};
    const int bw = body.right - body.left, bh = body.bottom - body.top;
    {
        Pen pen(dc, RGB(0x40, 0x40, 0x40));
        HGDIOBJ old = SelectObject(dc, look().brush(RGB(0xB8, 0xBC, 0xC4)));
        RoundRect(dc, body.left, body.top, body.right, body.bottom, 5, 5);
        SelectObject(dc, old);
    }
    const RECT screen{body.left + bw * 8 / 100, body.top + bh * 15 / 100,
                      body.left + bw * 8 / 100 + bw * 55 / 100, body.top + bh * 85 / 100};
    {
        Pen pen(dc, RGB(0x40, 0x40, 0x40));
        HGDIOBJ old = SelectObject(dc, look().brush(RGB(0x10, 0x30, 0x18)));
        Rectangle(dc, screen.left, screen.top, screen.right, screen.bottom);
        SelectObject(dc, old);
    }
    {
        Pen pulse(dc, RGB(0x40, 0xF0, 0x60));
        const int sh = screen.bottom - screen.top;
        const int lo = screen.bottom - sh / 4 - 1, hi = screen.top + sh / 4;
        const double step = (screen.right - screen.left - 4) / 6.0;
        MoveToEx(dc, screen.left + 2, lo, nullptr);
        for (int i = 0; i < 6; ++i) {
            const int x = screen.left + 2 + static_cast<int>(std::lround(i * step));
            const int x2 = screen.left + 2 + static_cast<int>(std::lround((i + 1) * step)) - 1;
            const int y = i % 2 ? hi : lo;
            LineTo(dc, x, y);
            LineTo(dc, x2, y);
        }
    }
    const int knob = std::max(3, std::min(bh * 28 / 100, bw * 18 / 100));
    const int kx = screen.right + (body.right - screen.right - knob) / 2;
    Pen pen(dc, RGB(0x30, 0x30, 0x30));
    HGDIOBJ old = SelectObject(dc, look().brush(RGB(0x50, 0x50, 0x58)));
    const int k1 = body.top + bh * 14 / 100, k2 = body.bottom - bh * 14 / 100 - knob;
    Ellipse(dc, kx, k1, kx + knob, k1 + knob);
    Ellipse(dc, kx, k2, kx + knob, k2 + knob);
    SelectObject(dc, old);
    (void)w;
}

class Picture : public Drawn {
  public:
    Picture(const ControlView& view, Glyph glyph) : view_(view), glyph_(glyph) {}
    void paint(HDC dc, const RECT& r, bool, bool) override {
        FillRect(dc, &r, look().brush(view_.backdrop()));
        const int side = std::min(r.right - r.left, r.bottom - r.top);
        const int x = (r.right - r.left - side) / 2, y = (r.bottom - r.top - side) / 2;
        const RECT square{x, y, x + side, y + side};
        if (glyph_ == Glyph::VxiBadge)
            draw_vxi_badge(dc, square);
        else
            draw_instrument(dc, square);
    }
    bool transparent() const override { return true; }

  private:
    const ControlView& view_;
    Glyph glyph_;
};

class PictureView : public ControlView {
  public:
    PictureView(const Control& c, HWND parent, Operator& op)
        : ControlView(c, parent, op), picture_(*this, glyph_for(c.constant_name)) {
        set_body(make_drawn(parent, c, &picture_));
    }

  protected:
    LabelPlace label_place() const override { return LabelPlace::None; }

  private:
    Picture picture_;
};

// Timers tick in the run-time; nothing to show.
class TimerView : public ControlView {
  public:
    using ControlView::ControlView;

  protected:
    LabelPlace label_place() const override { return LabelPlace::None; }
};

}  // namespace

std::unique_ptr<ControlView> make_text_message(const Control& c, HWND parent, Operator& op) {
    return std::make_unique<TextMessageView>(c, parent, op);
}

std::unique_ptr<ControlView> make_decoration(const Control& c, HWND parent, Operator& op) {
    return std::make_unique<DecorationView>(c, parent, op);
}

std::unique_ptr<ControlView> make_picture(const Control& c, HWND parent, Operator& op) {
    return std::make_unique<PictureView>(c, parent, op);
}

std::unique_ptr<ControlView> make_timer(const Control& c, HWND parent, Operator& op) {
    return std::make_unique<TimerView>(c, parent, op);
}

}  // namespace uir::win32
