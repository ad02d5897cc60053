// Lamps and lever switches, drawn by the view. Their round parts are drawn at four times the size
// and shrunk with averaging, so edges look smooth without a graphics library.
#include <algorithm>
#include <functional>

#include "control_views.h"
#include "drawn_window.h"
#include "look.h"
#include "text16.h"

namespace uir::win32 {
namespace {

constexpr int kScale = 4;

// Runs `draw` on a bitmap kScale times the size of `r` (coordinates scaled), filled with
// `background` first, and shrinks it onto `dc` at `r`.
template <class Draw>
void supersampled(HDC dc, const RECT& r, COLORREF background, Draw&& draw) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    HDC big = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, w * kScale, h * kScale);
    HGDIOBJ old = SelectObject(big, bmp);
    RECT all{0, 0, w * kScale, h * kScale};
    FillRect(big, &all, look().brush(background));
    draw(big);
    const int mode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, r.left, r.top, w, h, big, 0, 0, w * kScale, h * kScale, SRCCOPY);
    SetStretchBltMode(dc, mode);
    SelectObject(big, old);
    DeleteObject(bmp);
    DeleteDC(big);
}

void ellipse(HDC dc, int x, int y, int d, COLORREF fill, COLORREF edge, int edge_width) {
    HPEN pen = CreatePen(PS_SOLID, edge_width, edge);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_brush = SelectObject(dc, look().brush(fill));
    Ellipse(dc, x, y, x + d, y + d);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
    DeleteObject(pen);
}

void no_pen_ellipse(HDC dc, int x, int y, int d, COLORREF fill) {
    HGDIOBJ old_pen = SelectObject(dc, GetStockObject(NULL_PEN));
    HGDIOBJ old_brush = SelectObject(dc, look().brush(fill));
    Ellipse(dc, x, y, x + d, y + d);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
}

// A round signal lamp: lit green for 1, dark for 0, with a glint towards the upper left.
class Lamp : public Drawn {
  public:
    explicit Lamp(const ControlView& view) : view_(view) {}

    bool lit = false;
    bool hot = false;
    std::function<void()> on_click;

    void paint(HDC dc, const RECT& r, bool enabled, bool) override {
        const COLORREF bg = view_.backdrop();
        supersampled(dc, r, bg, [&](HDC big) {
            const int w = r.right - r.left, h = r.bottom - r.top;
            const int d = std::max(4, std::min(w, h) - 2) * kScale;
            const int x = (w * kScale - d) / 2, y = (h * kScale - d) / 2;
            COLORREF core = lit ? kLampLit : kLampDark;
            if (!enabled) core = lit ? shade(kLampLit, 1.5) : RGB(0x90, 0x90, 0x90);
            ellipse(big, x, y, d, core, RGB(0x20, 0x20, 0x20), kScale);
            const int g = d * 45 / 100;
            no_pen_ellipse(big, x + d / 6, y + d / 6, g, shade(core, lit ? 1.7 : 1.6));
        });
    }
    void clicked() override {
        if (on_click) on_click();
    }
    bool clickable() const override { return hot; }

  private:
    const ControlView& view_;
};

// The lamp's label (a caption, or the channel number over a latch lamp) stands centred above it.
// Lamps are clicked, never tabbed to: the sixty latch lamps would make the Tab chain endless.
class LedView : public ControlView {
  public:
    LedView(const Control& c, HWND parent, Operator& op)
        : ControlView(c, parent, op), lamp_(*this) {
        lamp_.on_click = [this] { this->op().press(panel(), control()); };
        set_body(make_drawn(parent, c, &lamp_));
    }

    void show_value(const Control& c) override {
        if (lamp_.lit == (c.number != 0)) return;
        lamp_.lit = c.number != 0;
        InvalidateRect(body(), nullptr, FALSE);
    }

  protected:
    LabelPlace label_place() const override { return LabelPlace::AboveCentred; }
    void show_mode(const Control& c) override { lamp_.hot = c.mode == VAL_HOT; }
    void show_colours(const Control&) override {}

  private:
    Lamp lamp_;
};

// A two-position lever switch: the lever at the left, the on text (value 1) beside its upper
// position and the off text (value 0) beside its lower one. Both texts stay visible; the active
// one is drawn bold and dark, the other one light, so the operator reads what a click does.
class Lever : public Drawn {
  public:
    explicit Lever(const ControlView& view) : view_(view) {}

    bool on = false;
    bool hot = true;
    std::wstring on_text, off_text;
    std::function<void()> on_click;

    static int lever_width(int height) { return std::clamp(height / 2, 10, 18); }

    void paint(HDC dc, const RECT& r, bool enabled, bool focused) override {
        const COLORREF bg = view_.backdrop();
        FillRect(dc, &r, look().brush(bg));
        const int h = r.bottom - r.top;
        const int lw = lever_width(h);
        const RECT lever{r.left, r.top, r.left + lw, r.bottom};
        supersampled(dc, lever, bg, [&](HDC big) {
            const int s = kScale;
            HPEN pen = CreatePen(PS_SOLID, s, GetSysColor(COLOR_3DSHADOW));
            HGDIOBJ old_pen = SelectObject(big, pen);
            const COLORREF slot = shade(GetSysColor(COLOR_3DSHADOW), enabled ? 1.5 : 2.0);
            HGDIOBJ old_brush = SelectObject(big, look().brush(slot));
            RoundRect(big, s, s, (lw - 1) * s, (h - 1) * s, (lw - 3) * s, (lw - 3) * s);
            SelectObject(big, old_brush);
            SelectObject(big, old_pen);
            DeleteObject(pen);
            const int knob = (lw - 5) * s;
            const int y = on ? 5 * s / 2 : (h * s - 5 * s / 2 - knob);
            const COLORREF colour = enabled ? RGB(0x2A, 0x6F, 0xC9) : GetSysColor(COLOR_3DSHADOW);
            ellipse(big, 5 * s / 2, y, knob, colour, RGB(0x20, 0x20, 0x20), s);
        });

        const COLORREF active =
            enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT);
        const COLORREF quiet = enabled ? RGB(0x50, 0x50, 0x50) : GetSysColor(COLOR_GRAYTEXT);
        RECT upper{r.left + lw + 4, r.top, r.right, r.top + h / 2};
        RECT lower{r.left + lw + 4, r.top + h / 2, r.right, r.bottom};
        SetBkMode(dc, TRANSPARENT);
        const UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
        HGDIOBJ old = SelectObject(dc, on ? look().bold_font() : look().panel_font());
        SetTextColor(dc, on ? active : quiet);
        DrawTextW(dc, on_text.c_str(), -1, &upper, format);
        SelectObject(dc, on ? look().panel_font() : look().bold_font());
        SetTextColor(dc, on ? quiet : active);
        DrawTextW(dc, off_text.c_str(), -1, &lower, format);
        SelectObject(dc, old);
        if (focused) frame_rect(dc, r, kFocusMark, kFocusLine);
    }
    void clicked() override {
        if (on_click) on_click();
    }
    bool clickable() const override { return hot; }
    bool focusable() const override { return hot; }

  private:
    const ControlView& view_;
};

// The switch's own label ("Режим запуска") stands above it, left-aligned.
class BinarySwitchView : public ControlView {
  public:
    BinarySwitchView(const Control& c, HWND parent, Operator& op)
        : ControlView(c, parent, op), lever_(*this) {
        lever_.on_click = [this] { this->op().press(panel(), control()); };
        set_body(make_drawn(parent, c, &lever_));
        SetWindowLongPtrW(body(), GWL_STYLE, GetWindowLongPtrW(body(), GWL_STYLE) | WS_TABSTOP);
    }

    void show_value(const Control& c) override {
        if (lever_.on == (c.number != 0)) return;
        lever_.on = c.number != 0;
        InvalidateRect(body(), nullptr, FALSE);
    }
    void shortcut() override {
        if (!takes_focus()) return;
        SetFocus(body());
        op().press(panel(), control());
    }

  protected:
    LabelPlace label_place() const override { return LabelPlace::Above; }
    bool focusable_kind() const override { return true; }
    void show_texts(const Control& c) override {
        std::wstring on = plain_text(c.on_text), off = plain_text(c.off_text);
        if (on == lever_.on_text && off == lever_.off_text) return;
        lever_.on_text = std::move(on);
        lever_.off_text = std::move(off);
        InvalidateRect(body(), nullptr, FALSE);
    }
    void show_mode(const Control& c) override { lever_.hot = c.mode == VAL_HOT; }

  private:
    Lever lever_;
};

}  // namespace

std::unique_ptr<ControlView> make_led(const Control& c, HWND parent, Operator& op) {
    return std::make_unique<LedView>(c, parent, op);
}

std::unique_ptr<ControlView> make_binary_switch(const Control& c, HWND parent, Operator& op) {
    return std::make_unique<BinarySwitchView>(c, parent, op);
}

}  // namespace uir::win32
