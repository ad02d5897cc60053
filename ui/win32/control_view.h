// One control of a panel as Win32 windows: its body (the field, button, lamp or frame) and, for
// the kinds whose label stands outside the body, a static label beside or above it. A view is
// built from the model's Control and brought up to date from it on each notification; what the
// operator does to its windows goes to an Operator, which acts through uir::automation.
//
// The panel window hands each control's messages on: WM_COMMAND and WM_NOTIFY notifications,
// WM_DRAWITEM for owner-drawn bodies, WM_CTLCOLOR... for colours. The view's key handling asks the
// focused control about Enter, the arrows and the wheel.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/gestures.h"
#include "runtime_access.h"

namespace uir::win32 {

// The operator's gestures, as the view hands them on (core/gestures.h), and the windows a
// control makes, for the panel to route their messages.
class Operator : public core::Gestures {
  public:
    // A control's windows were made or went away: the panel routes messages by window.
    virtual void adopt_window(int panel, HWND window, class ControlView* view) = 0;
    virtual void drop_window(int panel, HWND window) = 0;
};

// Where a control's label stands, following the layouts' conventions.
enum class LabelPlace {
    None,          // no label, or drawn by the body itself (buttons, check boxes)
    Left,          // right-aligned, kLabelGap before the body, centred on it vertically
    Above,         // left-aligned, kLabelGapAbove over the body
    AboveCentred,  // centred over the body
};

class ControlView {
  public:
    ControlView(const Control& c, HWND parent, Operator& op);
    virtual ~ControlView();
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    // Panels built in code put the labels of fields above them, as NewCtrl leaves room for;
    // layout panels follow the layout's conventions (labels on the left).
    void set_labels_above(bool above) { labels_above_ = above; }

    // Everything from the model: used once after construction.
    void show_all(const Control& c);
    // One attribute (ATTR_...) changed.
    void show_attribute(const Control& c, int attribute);

    virtual void show_value(const Control& c) { (void)c; }
    virtual void show_items(const Control& c) { (void)c; }
    virtual void show_lines(const Control& c) { (void)c; }

    // Notifications from the control's own windows.
    virtual void command(HWND from, int code) {
        (void)from;
        (void)code;
    }
    virtual LRESULT notify(const NMHDR& header) {
        (void)header;
        return 0;
    }
    virtual void draw_item(const DRAWITEMSTRUCT& item) { (void)item; }
    // WM_CTLCOLOR...: sets the DC's colours and returns the background brush.
    virtual HBRUSH colours(HDC dc, HWND from, UINT message);

    // Keyboard and wheel, asked while the control has the focus. Each returns true when it took
    // the key; otherwise the window gets it as usual.
    virtual bool key(UINT vk) {
        (void)vk;
        return false;
    }
    virtual bool wheel(int steps) {
        (void)steps;
        return false;
    }
    // Alt and the label's shortcut letter: buttons press, fields take the focus.
    virtual void shortcut();

    // In the Tab chain: operable, undimmed and visible, and of a kind that takes the focus.
    bool takes_focus() const;
    virtual HWND focus_window() const { return body_; }
    wchar_t shortcut_letter() const { return shortcut_; }
    bool owns(HWND w) const;
    // The control's windows, topmost first: its parts, its body, then its label.
    std::vector<HWND> windows() const;
    // Decorations stay behind everything else on the panel.
    virtual bool stays_behind() const { return false; }

    HWND body() const { return body_; }
    HWND label() const { return label_; }
    int panel() const { return panel_; }
    int control() const { return control_; }
    int kind() const { return kind_; }
    // The colour behind the control: the panel's, or that of a coloured frame it stands on.
    COLORREF backdrop() const;
    // The font the body draws its text in.
    HFONT body_font() const { return font_; }
    void set_body_font(HFONT font);

  protected:
    // The body is a child of the panel window; the view destroys it with itself. Further windows
    // of the body (an up-down beside a field) are added with add_window.
    void set_body(HWND body);
    void add_window(HWND w);
    HWND parent() const { return parent_; }
    Operator& op() const { return op_; }

    virtual LabelPlace label_place() const { return LabelPlace::Left; }
    // Whether this kind ever takes the focus (lamps, indicators and frames do not).
    virtual bool focusable_kind() const { return false; }
    // Texts drawn by the body (button faces, switch positions); the outside label is handled
    // here.
    virtual void show_texts(const Control& c) { (void)c; }
    // Mode (hot or indicator), limits, increment, precision.
    virtual void show_mode(const Control& c) { (void)c; }
    virtual void show_colours(const Control& c);
    // Whether the body's further windows are shown with it (a field's arrows only while the
    // operator may change the value).
    virtual bool parts_shown() const { return true; }
    // Where the body stands: the control's rectangle, unless the kind sizes itself to its text.
    virtual RECT body_rect(const Control& c) const;
    virtual void show_geometry(const Control& c);

    // The control's colours as the model has them (-1: the default).
    int text_color() const { return text_color_; }
    int text_bg_color() const { return text_bg_color_; }
    int back_color() const { return back_color_; }
    int button_color() const { return button_color_; }
    bool hot() const { return mode_ == VAL_HOT; }
    bool dimmed() const { return dimmed_; }

  private:
    LabelPlace place() const;
    void show_label(const Control& c);
    void place_label(const Control& c);
    // Where the label stands and how its text is aligned; false for a kind without one outside.
    bool label_rect(const Control& c, RECT& r, LONG& align) const;
    void show_state(const Control& c);

    int panel_;
    int control_;
    int kind_;
    HWND parent_;
    Operator& op_;
    HWND body_ = nullptr;
    HWND label_ = nullptr;
    HFONT font_ = nullptr;
    std::vector<HWND> extra_;
    bool labels_above_ = false;
    bool showing_all_ = false;
    std::wstring label_text_;
    wchar_t shortcut_ = 0;
    int text_color_ = -1, text_bg_color_ = -1, back_color_ = -1, button_color_ = -1;
    int mode_ = VAL_HOT;
    bool dimmed_ = false;
    bool visible_ = true;
};

// The view of a control of any kind, with its windows children of `parent`.
std::unique_ptr<ControlView> make_control_view(const Control& c, HWND parent, Operator& op);

// Common window operations that do nothing when nothing changes, so an unchanged value or
// attribute never makes a window redraw.
void set_text_if_changed(HWND w, const std::wstring& text);
std::wstring window_text(HWND w);
void set_font(HWND w, HFONT font);
void move_if_changed(HWND w, const RECT& r);

}  // namespace uir::win32
