// Command buttons, toggle buttons and check boxes. Command and toggle buttons are owner-drawn, so
// their faces take the layout's colours and the focus mark is clearly visible; check boxes are the
// system's own. A press (click, space bar, Enter while focused, Alt and the shortcut letter) goes
// to the run-time; the face then shows what the model kept.
#include <algorithm>

#include "control_views.h"
#include "look.h"
#include "module.h"
#include "text16.h"

namespace uir::win32 {

HWND make_child(const wchar_t* window_class, DWORD style, HWND parent, const Control& c,
                DWORD ex_style, const wchar_t* text) {
    return make_child_at(window_class, style, parent, c,
                         RECT{c.left, c.top, c.left + c.width, c.top + c.height}, ex_style, text);
}

HWND make_child_at(const wchar_t* window_class, DWORD style, HWND parent, const Control& c,
                   const RECT& at, DWORD ex_style, const wchar_t* text, void* create_param) {
    const DWORD shown = c.visible ? WS_VISIBLE : 0;
    const DWORD dimmed = c.dimmed ? WS_DISABLED : 0;
    return CreateWindowExW(ex_style, window_class, text ? text : L"",
                           WS_CHILD | WS_CLIPSIBLINGS | shown | dimmed | style, at.left, at.top,
                           std::max(1, static_cast<int>(at.right - at.left)),
                           std::max(1, static_cast<int>(at.bottom - at.top)), parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id & 0xFFFF)),
                           this_module(), create_param);
}

namespace {

struct Face {
    std::wstring text;  // with '&' before the shortcut letter
    bool in = false;    // pushed in: a toggle whose value is 1
    bool lamp = false;  // a toggle without a text shows its state by a lamp in its middle
    COLORREF colour = 0;
    int text_color = -1;
};

void draw_focus_mark(HDC dc, RECT r, int inset) {
    InflateRect(&r, -inset, -inset);
    frame_rect(dc, r, kFocusMark, kFocusLine);
}

void paint_button(const DRAWITEMSTRUCT& di, const Face& face) {
    HDC dc = di.hDC;
    RECT r = di.rcItem;
    const bool disabled = (di.itemState & ODS_DISABLED) != 0;
    const bool down = face.in || (di.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, look().brush(face.in ? shade(face.colour, 0.93) : face.colour));
    DrawEdge(dc, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (face.lamp) {
        const int w = r.right - r.left, h = r.bottom - r.top;
        const int side = std::max(4, static_cast<int>(std::min(w, h) * 0.42));
        const int x = r.left + (w - side) / 2 + (down ? 1 : 0);
        const int y = r.top + (h - side) / 2 + (down ? 1 : 0);
        COLORREF fill = face.in ? RGB(0x20, 0xC8, 0x20) : RGB(0x58, 0x5C, 0x58);
        if (disabled) fill = shade(fill, face.in ? 1.6 : 2.2);
        HGDIOBJ old_brush = SelectObject(dc, look().brush(fill));
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(0x30, 0x30, 0x30));
        HGDIOBJ old_pen = SelectObject(dc, pen);
        RoundRect(dc, x, y, x + side, y + side, 3, 3);
        SelectObject(dc, old_pen);
        SelectObject(dc, old_brush);
        DeleteObject(pen);
    } else if (!face.text.empty()) {
        RECT t = r;
        if (down) OffsetRect(&t, 1, 1);
        HGDIOBJ old_font = SelectObject(dc, look().panel_font());
        SetBkMode(dc, TRANSPARENT);
        const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        if (disabled) {
            // Engraved, as the system greys a dimmed button's text.
            RECT lit = t;
            OffsetRect(&lit, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
            DrawTextW(dc, face.text.c_str(), -1, &lit, format);
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        } else {
            SetTextColor(
                dc, face.text_color >= 0 ? colour(face.text_color) : GetSysColor(COLOR_BTNTEXT));
        }
        DrawTextW(dc, face.text.c_str(), -1, &t, format);
        SelectObject(dc, old_font);
    }
    if (di.itemState & ODS_FOCUS) {
        const int h = r.bottom - r.top;
        draw_focus_mark(dc, r, h >= 22 ? 3 : 1);
    }
}

class ButtonView : public ControlView {
  public:
    ButtonView(const Control& c, HWND parent, Operator& op) : ControlView(c, parent, op) {
        set_body(make_child(L"BUTTON", BS_OWNERDRAW | WS_TABSTOP, parent, c));
    }

    void command(HWND, int code) override {
        // An owner-drawn button reports a quick second click as a double click.
        if (code == BN_CLICKED || code == BN_DOUBLECLICKED) press();
    }
    void draw_item(const DRAWITEMSTRUCT& item) override {
        Face f = face_;
        f.colour = button_color() >= 0 ? colour(button_color()) : GetSysColor(COLOR_BTNFACE);
        f.text_color = text_color();
        paint_button(item, f);
    }
    bool key(UINT vk) override {
        if (vk != VK_RETURN) return false;
        press();
        return true;
    }
    void shortcut() override {
        if (!takes_focus()) return;
        SetFocus(body());
        press();
    }

  protected:
    LabelPlace label_place() const override { return LabelPlace::None; }
    bool focusable_kind() const override { return true; }
    void press() { op().press(panel(), control()); }
    void show_face(Face f) {
        const bool changed = f.text != face_.text || f.in != face_.in || f.lamp != face_.lamp;
        face_ = std::move(f);
        // The window text carries the shortcut for the system and for readers of the screen.
        set_text_if_changed(body(), face_.text);
        if (changed) InvalidateRect(body(), nullptr, FALSE);
    }

  private:
    Face face_;
};

class CommandButtonView : public ButtonView {
  public:
    using ButtonView::ButtonView;

  protected:
    void show_texts(const Control& c) override { show_face({.text = mnemonic_text(c.label)}); }
};

// Stays in while its value is 1. MP_START shows its on text ("Стоп") while in and its off text
// ("Старт") while out; a toggle without texts shows its label, or a lamp (the channel switches).
class ToggleButtonView : public ButtonView {
  public:
    using ButtonView::ButtonView;

    void show_value(const Control& c) override { show_texts(c); }

  protected:
    void show_texts(const Control& c) override {
        const bool in = c.number != 0;
        const std::string& text = in ? c.on_text : c.off_text;
        const std::string& shown = text.empty() ? c.label : text;
        show_face({.text = mnemonic_text(shown), .in = in, .lamp = shown.empty()});
    }
};

class CheckBoxView : public ControlView {
  public:
    CheckBoxView(const Control& c, HWND parent, Operator& op) : ControlView(c, parent, op) {
        set_body(make_child(L"BUTTON", BS_CHECKBOX | WS_TABSTOP, parent, c));
    }

    void show_value(const Control& c) override {
        const WPARAM state = c.number != 0 ? BST_CHECKED : BST_UNCHECKED;
        if (SendMessageW(body(), BM_GETCHECK, 0, 0) != static_cast<LRESULT>(state))
            SendMessageW(body(), BM_SETCHECK, state, 0);
    }
    void command(HWND, int code) override {
        if (code == BN_CLICKED) op().press(panel(), control());
    }
    void shortcut() override {
        if (!takes_focus()) return;
        SetFocus(body());
        op().press(panel(), control());
    }

  protected:
    LabelPlace label_place() const override { return LabelPlace::None; }
    bool focusable_kind() const override { return true; }
    void show_texts(const Control& c) override {
        set_text_if_changed(body(), mnemonic_text(c.label));
    }
};

}  // namespace

std::unique_ptr<ControlView> make_command_button(const Control& c, HWND parent, Operator& op) {
    return std::make_unique<CommandButtonView>(c, parent, op);
}

std::unique_ptr<ControlView> make_toggle_button(const Control& c, HWND parent, Operator& op) {
    return std::make_unique<ToggleButtonView>(c, parent, op);
}

std::unique_ptr<ControlView> make_check_box(const Control& c, HWND parent, Operator& op) {
    return std::make_unique<CheckBoxView>(c, parent, op);
}

}  // namespace uir::win32
