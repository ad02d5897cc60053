// Numeric fields and string fields. Typed input is handed to the run-time as typed: the
// run-time brings a number into the control's limits, and the field then shows what it kept.
#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>

#include "control_views.h"
#include "look.h"
#include "text16.h"

namespace uir::win32 {
namespace {

constexpr int kArrowsWidth = 15;

bool integer_type(int type) {
    return type == VAL_INTEGER || type == VAL_SHORT_INTEGER || type == VAL_UNSIGNED_SHORT_INTEGER;
}

// The limits a step stays within: the control's, else its type's whole range.
struct Limits {
    double min, max;
};
Limits step_limits(const Control& c) {
    if (c.min != 0 || c.max != 0) return {c.min, c.max};
    switch (c.data_type) {
        case VAL_INTEGER:
            return {INT32_MIN, INT32_MAX};
        case VAL_SHORT_INTEGER:
            return {INT16_MIN, INT16_MAX};
        case VAL_UNSIGNED_SHORT_INTEGER:
            return {0, UINT16_MAX};
        case VAL_FLOAT:
            return {-FLT_MAX, FLT_MAX};
        default:
            return {-DBL_MAX, DBL_MAX};
    }
}

// Edit fields: the text area is white while the operator may type, and takes what stands behind
// it while it only shows a value.
class FieldView : public ControlView {
  public:
    using ControlView::ControlView;

    HBRUSH colours(HDC dc, HWND from, UINT message) override {
        if (from != body()) return ControlView::colours(dc, from, message);
        if (text_color() >= 0) SetTextColor(dc, colour(text_color()));
        COLORREF bg = message == WM_CTLCOLOREDIT ? GetSysColor(COLOR_WINDOW) : backdrop();
        if (text_bg_color() >= 0) bg = colour(text_bg_color());
        if (fault_) {
            SetTextColor(dc, kWarningText);
            bg = kWarningBack;
        }
        SetBkColor(dc, bg);
        return look().brush(bg);
    }

  protected:
    bool focusable_kind() const override { return true; }

    // A value that shows a fault is drawn bold, dark red on pale red; the rule is asked only
    // when the value changes.
    void show_fault(const Control& c) {
        const bool fault = rules::shows_fault(c);
        if (fault == fault_) return;
        fault_ = fault;
        set_font(body(), fault ? look().bold_font() : look().panel_font());
        InvalidateRect(body(), nullptr, TRUE);
    }

    // Made read-only when the control is an indicator, at `at`, showing `text`.
    HWND make_edit(HWND parent, const Control& c, DWORD style, const RECT& at,
                   const std::wstring& text) {
        const DWORD read_only = c.mode == VAL_INDICATOR ? ES_READONLY : 0;
        HWND edit = make_child_at(L"EDIT", style | read_only | ES_AUTOHSCROLL | WS_TABSTOP, parent,
                                  c, at, WS_EX_CLIENTEDGE, text.c_str());
        SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
        return edit;
    }
    void set_read_only(bool read_only) {
        const bool now = (GetWindowLongPtrW(body(), GWL_STYLE) & ES_READONLY) != 0;
        if (now != read_only) SendMessageW(body(), EM_SETREADONLY, read_only, 0);
    }
    bool modified() const { return SendMessageW(body(), EM_GETMODIFY, 0, 0) != 0; }
    void clear_modified() { SendMessageW(body(), EM_SETMODIFY, FALSE, 0); }

  private:
    bool fault_ = false;
};

// The arrows step by the control's increment within its limits; the wheel and the arrow keys do
// the same while the field has the focus. Every change goes to the run-time, never into the
// field directly.
class NumericView : public FieldView {
  public:
    // Made as the control stands, value shown, so the first showing changes nothing.
    NumericView(const Control& c, HWND parent, Operator& op) : FieldView(c, parent, op) {
        decimals_ = decimals_of(c);
        set_body(make_edit(parent, c, ES_RIGHT, body_rect(c),
                           widen(rules::format_number(c.number, decimals_))));
        // The field's own procedure in front of the system's edit. Not SetWindowSubclass: its
        // bookkeeping is a window property, which wine fetches from its server for every message
        // the field gets.
        SetWindowLongPtrW(body(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        edit_proc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            body(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&refuse_non_numbers)));
        Control arrows = c;
        arrows.visible = c.visible && c.mode != VAL_INDICATOR;
        arrows_ = make_child_at(UPDOWN_CLASSW, UDS_NOTHOUSANDS, parent, arrows, arrows_rect(c));
        // Drawn in the classic style, as Windows draws them for a program without a visual-styles
        // manifest, which this one is. Wine's common controls theme them regardless, and a themed
        // pair of arrows there takes some 7 ms to paint: thirty fields made the panel wait. (A
        // class list naming no class turns the theme off; wine refuses an empty one.)
        SetWindowTheme(arrows_, L" ", L" ");
        SendMessageW(arrows_, UDM_SETRANGE32, 0, 100);
        SendMessageW(arrows_, UDM_SETPOS32, 0, 50);
        add_window(arrows_);
    }

    ~NumericView() override {
        // The system's procedure back before the window goes with the base view.
        if (IsWindow(body()) && edit_proc_) {
            SetWindowLongPtrW(body(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(edit_proc_));
            SetWindowLongPtrW(body(), GWLP_USERDATA, 0);
        }
    }

    void show_value(const Control& c) override {
        shown_ = c.number;
        set_text_if_changed(body(), widen(rules::format_number(c.number, decimals_)));
        clear_modified();
        show_fault(c);
    }
    void command(HWND from, int code) override {
        if (from == body() && code == EN_KILLFOCUS) commit_typed();
    }
    LRESULT notify(const NMHDR& h) override {
        if (h.hwndFrom != arrows_ || h.code != UDN_DELTAPOS) return 0;
        const auto& change = reinterpret_cast<const NMUPDOWN&>(h);
        step(change.iDelta > 0 ? 1 : -1);
        return TRUE;  // the arrows keep no position of their own
    }
    bool key(UINT vk) override {
        switch (vk) {
            case VK_RETURN:
                commit_typed();
                return true;
            case VK_UP:
                step(1);
                return true;
            case VK_DOWN:
                step(-1);
                return true;
            case VK_ESCAPE:
                if (!modified()) return false;
                show_model();
                return true;
            default:
                return false;
        }
    }
    bool wheel(int steps) override {
        if (steps != 0) step(steps > 0 ? 1 : -1);
        return true;
    }

  protected:
    bool parts_shown() const override { return hot(); }
    RECT body_rect(const Control& c) const override {
        RECT r = ControlView::body_rect(c);
        if (c.mode == VAL_HOT) r.right = std::max(r.left + 8, r.right - kArrowsWidth);
        return r;
    }
    void show_mode(const Control& c) override {
        decimals_ = decimals_of(c);
        limits_ = step_limits(c);
        incr_ = c.incr > 0 ? c.incr : 1;
        const bool indicator = c.mode == VAL_INDICATOR;
        set_read_only(indicator);
        show_geometry(c);
        const bool shown = (GetWindowLongPtrW(arrows_, GWL_STYLE) & WS_VISIBLE) != 0;
        if (shown != (!indicator && c.visible))
            ShowWindow(arrows_, !indicator && c.visible ? SW_SHOWNA : SW_HIDE);
        show_value(c);
    }
    void show_geometry(const Control& c) override {
        ControlView::show_geometry(c);
        move_if_changed(arrows_, arrows_rect(c));
    }

  private:
    static int decimals_of(const Control& c) { return integer_type(c.data_type) ? 0 : c.precision; }
    RECT arrows_rect(const Control& c) const {
        RECT r = ControlView::body_rect(c);
        r.left = r.right - kArrowsWidth;
        return r;
    }
    // A keystroke that can never lead to a number is refused as it is typed, so the field never
    // holds what it would only throw away.
    static LRESULT CALLBACK refuse_non_numbers(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        const auto* view =
            reinterpret_cast<const NumericView*>(GetWindowLongPtrW(w, GWLP_USERDATA));
        if (!view) return DefWindowProcW(w, msg, wp, lp);
        const WNDPROC edit = view->edit_proc_;
        if (msg == WM_CHAR && wp >= L' ') {
            std::wstring text = window_text(w);
            DWORD from = 0, to = 0;
            SendMessageW(w, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                         reinterpret_cast<LPARAM>(&to));
            from = std::min<DWORD>(from, static_cast<DWORD>(text.size()));
            to = std::clamp<DWORD>(to, from, static_cast<DWORD>(text.size()));
            text.replace(from, to - from, 1, static_cast<wchar_t>(wp));
            if (rules::classify_typed_number(narrow(text), view->decimals_) ==
                rules::Typed::invalid) {
                MessageBeep(MB_OK);
                return 0;
            }
        }
        if (msg == WM_NCDESTROY) {
            // The system's procedure again for the window's last message; the view may be gone.
            SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(edit));
            SetWindowLongPtrW(w, GWLP_USERDATA, 0);
        }
        return CallWindowProcW(edit, w, msg, wp, lp);
    }

    void show_model() {
        if (const Control* c = model::find_control(panel(), control())) show_value(*c);
    }
    void commit_typed() {
        if (!modified()) return;
        clear_modified();
        const std::optional<double> typed =
            rules::parse_typed_number(narrow(window_text(body())), decimals_);
        if (typed)
            op().set_number(panel(), control(), *typed);
        else
            show_model();  // not a number: refused, the field shows the value again
    }
    void step(int direction) {
        if (!hot() || dimmed()) return;
        if ((direction > 0 && shown_ >= limits_.max) || (direction < 0 && shown_ <= limits_.min))
            return;
        if (modified()) commit_typed();
        op().set_number(panel(), control(), shown_ + direction * incr_);
    }

    HWND arrows_ = nullptr;
    WNDPROC edit_proc_ = nullptr;
    double shown_ = 0;
    double incr_ = 1;
    int decimals_ = 0;
    Limits limits_{0, 0};
};

class StringView : public FieldView {
  public:
    StringView(const Control& c, HWND parent, Operator& op) : FieldView(c, parent, op) {
        set_body(make_edit(parent, c, ES_LEFT, ControlView::body_rect(c), widen(c.text)));
    }

    void show_value(const Control& c) override {
        const std::wstring text = widen(c.text);
        if (window_text(body()) != text) {
            SetWindowTextW(body(), text.c_str());
            SendMessageW(body(), EM_SETSEL, 0, 0);  // a long text shows its beginning
        }
        clear_modified();
        show_fault(c);
    }
    void command(HWND from, int code) override {
        if (from == body() && code == EN_KILLFOCUS) commit_typed();
    }
    bool key(UINT vk) override {
        if (vk != VK_RETURN) return false;
        commit_typed();
        return true;
    }

  protected:
    void show_mode(const Control& c) override { set_read_only(c.mode == VAL_INDICATOR); }

  private:
    void commit_typed() {
        if (!modified()) return;
        clear_modified();
        op().set_text(panel(), control(), narrow(window_text(body())));
    }
};

}  // namespace

std::unique_ptr<ControlView> make_numeric(const Control& c, HWND parent, Operator& op) {
    return std::make_unique<NumericView>(c, parent, op);
}

std::unique_ptr<ControlView> make_string(const Control& c, HWND parent, Operator& op) {
    return std::make_unique<StringView>(c, parent, op);
}

}  // namespace uir::win32
