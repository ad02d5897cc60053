// Drop-down lists of fixed items (rings), drawn by the view: a sunken field with the chosen item
// and the system's drop-down arrow. The open list is a popup list box, made when the list opens
// and destroyed when it closes, so a closed list costs one window.
//
// The system's drop-down list (COMBOBOX) keeps a hidden popup window of its own from the moment
// it is made. Under wine each one costs the windowing system about 150 round trips to its server
// before it is ever shown, and the thirty line selectors of the main panel were most of the
// panel's start-up.
//
// Choosing from the open list (a click, or the arrow keys and Enter), and the arrow keys and the
// wheel on the focused closed list, commit the item through the run-time; Escape, a click outside
// and the focus leaving close the open list with nothing chosen. The field answers the combo box
// messages that read it (count, item texts, selection, whether open, open and close), so a tool
// reading the panel finds what it finds in the system's own.
#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

#include "control_views.h"
#include "drawn_window.h"
#include "look.h"
#include "module.h"
#include "text16.h"

namespace uir::win32 {
namespace {

// The open list shows up to twelve items; more scroll.
constexpr int kShownItems = 12;

class RingView : public ControlView, private Drawn {
  public:
    RingView(const Control& c, HWND parent, Operator& op) : ControlView(c, parent, op) {
        set_body(make_drawn(parent, c, this));
    }
    ~RingView() override { close(); }

    void show_items(const Control& c) override {
        std::vector<std::wstring> items;
        items.reserve(c.items.size());
        for (const ListItem& item : c.items) items.push_back(plain_text(item.label));
        if (items == items_ && c.index == index_) return;
        close();  // the open list showed the old items
        items_ = std::move(items);
        index_ = c.index;
        InvalidateRect(body(), nullptr, FALSE);
    }
    void show_value(const Control& c) override {
        if (c.index == index_) return;
        index_ = c.index;
        if (list_) SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(index_), 0);
        InvalidateRect(body(), nullptr, FALSE);
    }

    // The movement keys move the open list's highlight, or the closed list's item (committed).
    bool key(UINT vk) override {
        switch (vk) {
            case VK_UP:
            case VK_LEFT:
                move_by(-1);
                return true;
            case VK_DOWN:
            case VK_RIGHT:
                move_by(1);
                return true;
            case VK_HOME:
                move_to(0);
                return true;
            case VK_END:
                move_to(count() - 1);
                return true;
            case VK_F4:
                if (list_)
                    choose(highlighted());
                else
                    open();
                return true;
            default:
                break;
        }
        if (!list_) return false;
        switch (vk) {
            case VK_PRIOR:
                move_by(-kShownItems);
                return true;
            case VK_NEXT:
                move_by(kShownItems);
                return true;
            case VK_RETURN:
                choose(highlighted());
                return true;
            case VK_ESCAPE:
                close();
                return true;
            default:
                return false;
        }
    }
    // The focused list turns with the wheel, open or closed, as the system's does.
    bool wheel(int steps) override {
        move_by(-steps);
        return true;
    }

  protected:
    bool focusable_kind() const override { return true; }

  private:
    int count() const { return static_cast<int>(items_.size()); }
    bool operable() const { return hot() && !dimmed() && IsWindowEnabled(body()); }

    // Open, the highlight goes to `index`; closed, the item does, committed when it is another.
    void move_to(int index) {
        if (count() == 0) return;
        index = std::clamp(index, 0, count() - 1);
        if (list_)
            highlight(index);
        else
            go(index);
    }
    // `by` places on from where the list stands; from no item at all, to the first or the last.
    void move_by(int by) {
        const int from = list_ ? highlighted() : index_;
        move_to(from < 0 ? (by > 0 ? 0 : count() - 1) : from + by);
    }
    void go(int index) {
        if (!operable() || index < 0 || index >= count() || index == index_) return;
        op().select(panel(), control(), index);
    }

    int highlighted() const {
        const auto i = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
        return i < 0 ? index_ : i;
    }
    void highlight(int index) {
        if (!list_ || count() == 0) return;
        SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(std::clamp(index, 0, count() - 1)),
                     0);
    }

    void open() {
        if (list_ || !operable() || count() == 0) return;
        RECT field{};
        GetWindowRect(body(), &field);
        const int line = look().line_height();
        const int height = std::min(count(), kShownItems) * line + 2;
        RECT work{};
        if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
            work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        // Below the field, or above it where the work area ends first.
        int top = field.bottom;
        if (top + height > work.bottom && field.top - height >= work.top) top = field.top - height;
        const DWORD scroll = count() > kShownItems ? WS_VSCROLL : 0;
        HWND list =
            CreateWindowExW(WS_EX_TOOLWINDOW, L"LISTBOX", L"",
                            WS_POPUP | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | scroll,
                            field.left, top, field.right - field.left, height,
                            GetAncestor(body(), GA_ROOT), nullptr, this_module(), nullptr);
        if (!list) return;
        SetWindowLongPtrW(list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        list_proc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&list_proc)));
        set_font(list, body_font());
        for (const std::wstring& item : items_)
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        SendMessageW(list, LB_SETITEMHEIGHT, 0, line);
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index_), 0);
        list_ = list;
        SetWindowPos(list, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        // The list takes the mouse until it closes: a click outside it closes it.
        SetCapture(list);
        InvalidateRect(body(), nullptr, FALSE);
    }

    void close() {
        if (!list_) return;
        HWND list = list_;
        list_ = nullptr;  // before the capture goes, which tells the list again
        if (GetCapture() == list) ReleaseCapture();
        DestroyWindow(list);
        if (body()) InvalidateRect(body(), nullptr, FALSE);
    }

    void choose(int index) {
        close();
        if (index < 0 || index >= count() || !operable()) return;
        op().select(panel(), control(), index);
    }

    int item_at(HWND list, POINT at) const {
        RECT client{};
        GetClientRect(list, &client);
        if (!PtInRect(&client, at)) return -1;
        const LRESULT r =
            CallWindowProcW(list_proc_, list, LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
        if (HIWORD(r) != 0) return -1;
        const int i = LOWORD(r);
        return i < count() ? i : -1;
    }

    // The open list's mouse, with the capture: coordinates are the list's even outside it.
    LRESULT list_message(HWND list, UINT msg, WPARAM wp, LPARAM lp) {
        const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        switch (msg) {
            case WM_MOUSEACTIVATE:
                return MA_NOACTIVATE;  // the panel stays the active window
            case WM_MOUSEMOVE: {
                const int i = item_at(list, at);
                if (i >= 0 && i != highlighted()) highlight(i);
                return 0;
            }
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK: {
                const int i = item_at(list, at);
                if (i >= 0) {
                    highlight(i);
                    return 0;
                }
                POINT screen = at;
                ClientToScreen(list, &screen);
                RECT outer{};
                GetWindowRect(list, &outer);
                if (PtInRect(&outer, screen)) {
                    // On the scroll bar: the system scrolls, with the capture given up meanwhile.
                    scrolling_ = true;
                    ReleaseCapture();
                    const LPARAM pos = MAKELPARAM(screen.x, screen.y);
                    const LRESULT hit = CallWindowProcW(list_proc_, list, WM_NCHITTEST, 0, pos);
                    CallWindowProcW(list_proc_, list, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit),
                                    pos);
                    scrolling_ = false;
                    if (list_ == list) SetCapture(list);
                    return 0;
                }
                close();  // a click anywhere else: nothing chosen
                return 0;
            }
            case WM_LBUTTONUP: {
                // The button let go on an item chooses it; elsewhere (the click that opened
                // the list ends on the field) the list stays open.
                const int i = item_at(list, at);
                if (i >= 0) choose(i);
                return 0;
            }
            case WM_CAPTURECHANGED:
                if (!scrolling_ && list_ == list && reinterpret_cast<HWND>(lp) != list) close();
                return 0;
            default:
                return CallWindowProcW(list_proc_, list, msg, wp, lp);
        }
    }

    static LRESULT CALLBACK list_proc(HWND list, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<RingView*>(GetWindowLongPtrW(list, GWLP_USERDATA));
        if (!self) return DefWindowProcW(list, msg, wp, lp);
        if (msg == WM_NCDESTROY) {
            const WNDPROC previous = self->list_proc_;
            SetWindowLongPtrW(list, GWLP_USERDATA, 0);
            return CallWindowProcW(previous, list, msg, wp, lp);
        }
        return self->list_message(list, msg, wp, lp);
    }

    // Drawn: the field.
    void paint(HDC dc, const RECT& r, bool enabled, bool focused) override {
        RECT field = r;
        DrawEdge(dc, &field, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        const COLORREF back = !enabled               ? GetSysColor(COLOR_BTNFACE)
                              : text_bg_color() >= 0 ? colour(text_bg_color())
                                                     : GetSysColor(COLOR_WINDOW);
        FillRect(dc, &field, look().brush(back));
        RECT arrow = field;
        arrow.left = std::max(field.left, field.right - GetSystemMetrics(SM_CXVSCROLL));
        UINT state = DFCS_SCROLLCOMBOBOX;
        if (!enabled || !hot()) state |= DFCS_INACTIVE;
        if (list_) state |= DFCS_PUSHED | DFCS_FLAT;
        DrawFrameControl(dc, &arrow, DFC_SCROLL, state);

        RECT text = field;
        text.right = arrow.left;
        InflateRect(&text, -1, -1);
        COLORREF ink = !enabled            ? GetSysColor(COLOR_GRAYTEXT)
                       : text_color() >= 0 ? colour(text_color())
                                           : GetSysColor(COLOR_WINDOWTEXT);
        if (focused && enabled && !list_) {
            // The focused closed list shows its item highlighted, as the system's does.
            FillRect(dc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
            ink = GetSysColor(COLOR_HIGHLIGHTTEXT);
        }
        if (index_ < 0 || index_ >= count()) return;
        text.left += 2;
        HGDIOBJ old_font = SelectObject(dc, body_font());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ink);
        DrawTextW(dc, items_[static_cast<std::size_t>(index_)].c_str(), -1, &text,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(dc, old_font);
    }
    bool focusable() const override { return true; }

    bool message(HWND w, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
        switch (msg) {
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                if (operable()) {
                    SetFocus(w);
                    if (list_)
                        close();
                    else
                        open();
                }
                result = 0;
                return true;
            case WM_SYSKEYDOWN:
                // Alt+Down and Alt+Up open and close the list.
                if (wp != VK_DOWN && wp != VK_UP) return false;
                if (list_)
                    choose(highlighted());
                else
                    open();
                result = 0;
                return true;
            case WM_KILLFOCUS:
            case WM_CANCELMODE:
                close();
                return false;
            case WM_ENABLE:
            case WM_SHOWWINDOW:
                if (!wp) close();
                return false;
            case WM_GETDLGCODE:
                result = DLGC_WANTARROWS | DLGC_WANTCHARS;
                return true;
            // What reads the field as a combo box.
            case CB_GETCOUNT:
                result = count();
                return true;
            case CB_GETCURSEL:
                result = index_ >= 0 && index_ < count() ? index_ : CB_ERR;
                return true;
            case CB_GETLBTEXTLEN:
                result = wp < items_.size() ? static_cast<LRESULT>(items_[wp].size()) : CB_ERR;
                return true;
            case CB_GETLBTEXT:
                // As the system's: the caller's buffer holds the item's length and the zero.
                if (wp >= items_.size() || lp == 0) {
                    result = CB_ERR;
                    return true;
                }
                std::copy(items_[wp].begin(), items_[wp].end(), reinterpret_cast<wchar_t*>(lp));
                reinterpret_cast<wchar_t*>(lp)[items_[wp].size()] = L'\0';
                result = static_cast<LRESULT>(items_[wp].size());
                return true;
            case CB_GETDROPPEDSTATE:
                result = list_ != nullptr;
                return true;
            case CB_SHOWDROPDOWN:
                if (wp)
                    open();
                else
                    close();
                result = TRUE;
                return true;
            default:
                return false;
        }
    }

    std::vector<std::wstring> items_;
    int index_ = -1;
    HWND list_ = nullptr;
    WNDPROC list_proc_ = nullptr;
    bool scrolling_ = false;
};

}  // namespace

std::unique_ptr<ControlView> make_ring(const Control& c, HWND parent, Operator& op) {
    return std::make_unique<RingView>(c, parent, op);
}

}  // namespace uir::win32
