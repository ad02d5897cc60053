#include "control_view.h"

#include <algorithm>
#include <iterator>

#include "look.h"
#include "module.h"
#include "text16.h"

namespace uir::win32 {
namespace {

enum class Aspect { State, Geometry, Texts, Mode, Colours };

struct AttributeAspect {
    int attribute;
    Aspect aspect;
};

// Attributes not listed (callbacks, callback data, timer state, constant name) change nothing
// the operator sees.
constexpr AttributeAspect kAspects[] = {
    {ATTR_DIMMED, Aspect::State},         {ATTR_VISIBLE, Aspect::State},
    {ATTR_TOP, Aspect::Geometry},         {ATTR_LEFT, Aspect::Geometry},
    {ATTR_WIDTH, Aspect::Geometry},       {ATTR_HEIGHT, Aspect::Geometry},
    {ATTR_LABEL_TEXT, Aspect::Texts},     {ATTR_ON_TEXT, Aspect::Texts},
    {ATTR_OFF_TEXT, Aspect::Texts},       {ATTR_MIN_VALUE, Aspect::Mode},
    {ATTR_MAX_VALUE, Aspect::Mode},       {ATTR_INCR_VALUE, Aspect::Mode},
    {ATTR_PRECISION, Aspect::Mode},       {ATTR_CTRL_MODE, Aspect::Mode},
    {ATTR_BACKCOLOR, Aspect::Colours},    {ATTR_TEXT_COLOR, Aspect::Colours},
    {ATTR_TEXT_BGCOLOR, Aspect::Colours}, {ATTR_CMD_BUTTON_COLOR, Aspect::Colours},
};

RECT window_rect_in_parent(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool contains(const Control& outer, const Control& inner) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

}  // namespace

void set_text_if_changed(HWND w, const std::wstring& text) {
    if (w && window_text(w) != text) SetWindowTextW(w, text.c_str());
}

std::wstring window_text(HWND w) {
    const int n = GetWindowTextLengthW(w);
    std::wstring out(static_cast<std::size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(w, out.data(), n + 1);
    out.resize(static_cast<std::size_t>(std::max(0, got)));
    return out;
}

void set_font(HWND w, HFONT font) {
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void move_if_changed(HWND w, const RECT& r) {
    if (!w) return;
    const RECT now = window_rect_in_parent(w);
    if (EqualRect(&now, &r)) return;
    SetWindowPos(w, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

ControlView::ControlView(const Control& c, HWND parent, Operator& op)
    : panel_(c.panel), control_(c.id), kind_(c.kind), parent_(parent), op_(op) {}

ControlView::~ControlView() {
    for (HWND w : extra_) {
        op_.drop_window(panel_, w);
        DestroyWindow(w);
    }
    if (label_) {
        op_.drop_window(panel_, label_);
        DestroyWindow(label_);
    }
    if (body_) {
        op_.drop_window(panel_, body_);
        DestroyWindow(body_);
    }
}

void ControlView::set_body(HWND body) {
    body_ = body;
    if (!body_) return;
    font_ = look().panel_font();
    set_font(body_, font_);
    op_.adopt_window(panel_, body_, this);
}

void ControlView::set_body_font(HFONT font) {
    if (!body_ || font == font_) return;
    font_ = font;
    set_font(body_, font_);
    InvalidateRect(body_, nullptr, TRUE);
}

void ControlView::add_window(HWND w) {
    if (!w) return;
    extra_.push_back(w);
    op_.adopt_window(panel_, w, this);
}

bool ControlView::owns(HWND w) const {
    return w && (w == body_ || std::find(extra_.begin(), extra_.end(), w) != extra_.end());
}

void ControlView::show_all(const Control& c) {
    showing_all_ = true;
    mode_ = c.mode;
    show_geometry(c);
    show_texts(c);
    show_label(c);
    show_mode(c);
    show_colours(c);
    show_items(c);
    show_lines(c);
    show_value(c);
    show_state(c);
    showing_all_ = false;
}

std::vector<HWND> ControlView::windows() const {
    std::vector<HWND> out(extra_.begin(), extra_.end());
    if (body_) out.push_back(body_);
    if (label_) out.push_back(label_);
    return out;
}

void ControlView::show_attribute(const Control& c, int attribute) {
    const auto* row =
        std::find_if(std::begin(kAspects), std::end(kAspects),
                     [&](const AttributeAspect& a) { return a.attribute == attribute; });
    if (row == std::end(kAspects)) return;
    switch (row->aspect) {
        case Aspect::State:
            show_state(c);
            return;
        case Aspect::Geometry:
            show_geometry(c);
            place_label(c);
            return;
        case Aspect::Texts:
            show_texts(c);
            show_label(c);
            return;
        case Aspect::Mode:
            mode_ = c.mode;
            show_mode(c);
            return;
        case Aspect::Colours:
            show_colours(c);
            return;
    }
}

RECT ControlView::body_rect(const Control& c) const {
    return RECT{c.left, c.top, c.left + c.width, c.top + c.height};
}

void ControlView::show_geometry(const Control& c) {
    move_if_changed(body_, body_rect(c));
}

LabelPlace ControlView::place() const {
    const LabelPlace p = label_place();
    return p == LabelPlace::Left && labels_above_ ? LabelPlace::Above : p;
}

bool ControlView::takes_focus() const {
    return body_ && focusable_kind() && mode_ == VAL_HOT && !dimmed_ && visible_;
}

void ControlView::shortcut() {
    if (takes_focus()) SetFocus(focus_window());
}

void ControlView::show_state(const Control& c) {
    dimmed_ = c.dimmed;
    visible_ = c.visible;
    for (HWND w : {body_, label_}) {
        if (!w) continue;
        if (!IsWindowEnabled(w) != c.dimmed) EnableWindow(w, !c.dimmed);
    }
    for (HWND w : extra_)
        if (!IsWindowEnabled(w) != c.dimmed) EnableWindow(w, !c.dimmed);
    // The window's own flag: IsWindowVisible is false for every control of a hidden panel.
    const auto show = [](HWND w, bool visible) {
        if (!w) return;
        const bool shown = (GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE) != 0;
        if (shown != visible) ShowWindow(w, visible ? SW_SHOWNA : SW_HIDE);
    };
    show(body_, c.visible);
    for (HWND w : extra_) show(w, c.visible && parts_shown());
    show(label_, c.visible && !label_text_.empty());
}

// The label is made when the control first has a text to show, and kept (empty) after.
void ControlView::show_label(const Control& c) {
    shortcut_ = uir::win32::shortcut_letter(c.label);
    if (!body_ || place() == LabelPlace::None) return;
    if (!label_ && c.label.empty()) return;
    label_text_ = with_crlf(mnemonic_text(c.label));
    if (!label_) {
        // Made at its place, with its alignment, shown with its control.
        RECT r{};
        LONG align = SS_LEFT;
        label_rect(c, r, align);
        const DWORD shown = c.visible && !label_text_.empty() ? WS_VISIBLE : 0;
        label_ = CreateWindowExW(0, L"STATIC", label_text_.c_str(),
                                 WS_CHILD | WS_CLIPSIBLINGS | shown | static_cast<DWORD>(align),
                                 r.left, r.top, r.right - r.left, r.bottom - r.top, parent_,
                                 nullptr, this_module(), nullptr);
        set_font(label_, look().panel_font());
        op_.adopt_window(panel_, label_, this);
        // Made with its control, a label lands right under it; made later, it is put there.
        if (!showing_all_)
            SetWindowPos(label_, body_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    set_text_if_changed(label_, label_text_);
    place_label(c);
    show_state(c);
}

void ControlView::place_label(const Control& c) {
    if (!label_ || !body_) return;
    RECT r{};
    LONG align = SS_LEFT;
    if (!label_rect(c, r, align)) return;
    const LONG_PTR style = GetWindowLongPtrW(label_, GWL_STYLE);
    const LONG_PTR wanted = (style & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | align;
    if (style != wanted) {
        SetWindowLongPtrW(label_, GWL_STYLE, wanted);
        InvalidateRect(label_, nullptr, TRUE);
    }
    move_if_changed(label_, r);
}

bool ControlView::label_rect(const Control& c, RECT& r, LONG& align) const {
    const std::wstring plain = plain_text(c.label);
    const SIZE s = text_extent(look().panel_font(), plain);
    const int width = static_cast<int>(s.cx) + 2;
    const int lines = 1 + static_cast<int>(std::count(plain.begin(), plain.end(), L'\n'));
    const int height = kLabelLine * lines;
    switch (place()) {
        case LabelPlace::None:
            return false;
        case LabelPlace::Left: {
            const int top = c.top + (c.height - height) / 2;
            r = RECT{c.left - kLabelGap - width, top, c.left - kLabelGap, top + height};
            align = SS_RIGHT;
            break;
        }
        case LabelPlace::Above: {
            const int top = c.top - kLabelGapAbove - height;
            r = RECT{c.left, top, c.left + std::max(width, c.width), top + height};
            break;
        }
        case LabelPlace::AboveCentred: {
            const int w = std::max(width, c.width);
            const int left = c.left + (c.width - w) / 2;
            const int top = c.top - kLabelGapAbove - height;
            r = RECT{left, top, left + w, top + height};
            align = SS_CENTER;
            break;
        }
    }
    return true;
}

void ControlView::show_colours(const Control& c) {
    const bool changed = text_color_ != c.text_color || text_bg_color_ != c.text_bg_color ||
                         back_color_ != c.back_color || button_color_ != c.cmd_button_color;
    text_color_ = c.text_color;
    text_bg_color_ = c.text_bg_color;
    back_color_ = c.back_color;
    button_color_ = c.cmd_button_color;
    if (!changed) return;
    if (body_) InvalidateRect(body_, nullptr, TRUE);
    if (label_) InvalidateRect(label_, nullptr, TRUE);
}

COLORREF ControlView::backdrop() const {
    const Panel* p = model::find_panel(panel_);
    const Control* self = model::find_control(panel_, control_);
    if (!p) return GetSysColor(COLOR_BTNFACE);
    COLORREF under = panel_colour(*p);
    if (!self) return under;
    // Frames stand behind everything; among those holding this control, the last one drawn
    // is on top.
    for (int id : p->controls) {
        if (id == control_) continue;
        const Control* frame = model::find_control(panel_, id);
        if (frame && frame->kind == CTRL_DECORATION && frame->visible && frame->back_color >= 0 &&
            contains(*frame, *self))
            under = colour(frame->back_color);
    }
    return under;
}

// Labels and static texts stand on the backdrop; the control's own colours win where set.
HBRUSH ControlView::colours(HDC dc, HWND from, UINT message) {
    (void)message;
    if (text_color_ >= 0 && from == body_) SetTextColor(dc, colour(text_color_));
    COLORREF bg = backdrop();
    if (from == body_) {
        if (text_bg_color_ >= 0)
            bg = colour(text_bg_color_);
        else if (back_color_ >= 0)
            bg = colour(back_color_);
    }
    SetBkColor(dc, bg);
    return look().brush(bg);
}

}  // namespace uir::win32

#include "control_views.h"

namespace uir::win32 {
namespace {

struct KindView {
    int kind;
    ViewMaker make;
};

constexpr KindView kKindViews[] = {
    {CTRL_COMMAND_BUTTON, make_command_button},
    {CTRL_TOGGLE_BUTTON, make_toggle_button},
    {CTRL_CHECK_BOX, make_check_box},
    {CTRL_BINARY_SWITCH, make_binary_switch},
    {CTRL_LED, make_led},
    {CTRL_NUMERIC, make_numeric},
    {CTRL_STRING, make_string},
    {CTRL_RING, make_ring},
    {CTRL_LIST_BOX, make_list_box},
    {CTRL_TEXT_BOX, make_text_box},
    {CTRL_TEXT_MSG, make_text_message},
    {CTRL_DECORATION, make_decoration},
    {CTRL_PICTURE, make_picture},
    {CTRL_TIMER, make_timer},
};

}  // namespace

std::unique_ptr<ControlView> make_control_view(const Control& c, HWND parent, Operator& op) {
    for (const KindView& k : kKindViews) {
        if (k.kind != c.kind) continue;
        std::unique_ptr<ControlView> view = k.make(c, parent, op);
        const Panel* p = model::find_panel(c.panel);
        view->set_labels_above(p && p->layout_file.empty());
        view->show_all(c);
        return view;
    }
    return nullptr;
}

}  // namespace uir::win32
