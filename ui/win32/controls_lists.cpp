// List boxes and text boxes. A list line is highlighted by a single click or the arrow keys (no
// event), chosen by a double click (EVENT_LEFT_DOUBLE_CLICK) or by Enter (commit). Lines are drawn
// by the view in a narrow font, and the highlighted line of a focused list is clearly marked. A
// list under a column header (the carrier selection) draws each field of a line right-aligned
// under its caption (ui/core/list_columns.h); the line's text stays as the program gave it.
#include <algorithm>

#include "control_views.h"
#include "look.h"
#include "text16.h"

namespace uir::win32 {
namespace {

constexpr int kLineHeight = 16;

class ListBoxView : public ControlView {
  public:
    ListBoxView(const Control& c, HWND parent, Operator& op) : ControlView(c, parent, op) {
        set_body(make_child(L"LISTBOX",
                            LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                            parent, c, WS_EX_CLIENTEDGE));
        set_font(body(), look().list_font());
        SendMessageW(body(), LB_SETITEMHEIGHT, 0, kLineHeight);
    }

    void show_items(const Control& c) override {
        SendMessageW(body(), WM_SETREDRAW, FALSE, 0);
        SendMessageW(body(), LB_RESETCONTENT, 0, 0);
        int widest = 0;
        for (const ListItem& item : c.items) {
            const std::wstring text = widen(item.label);
            SendMessageW(body(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            widest = std::max(widest, static_cast<int>(text_extent(look().list_font(), text).cx));
        }
        // A line wider than the list scrolls sideways; nothing is cut off.
        SendMessageW(body(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 6), 0);
        SendMessageW(body(), LB_SETCURSEL, static_cast<WPARAM>(c.index), 0);
        SendMessageW(body(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(body(), nullptr, TRUE);
    }
    void show_value(const Control& c) override {
        if (SendMessageW(body(), LB_GETCURSEL, 0, 0) == c.index) return;
        SendMessageW(body(), LB_SETCURSEL, static_cast<WPARAM>(c.index), 0);
    }
    void command(HWND, int code) override {
        if (code == LBN_SETFOCUS || code == LBN_KILLFOCUS) {
            InvalidateRect(body(), nullptr, FALSE);  // the highlight's look follows the focus
            return;
        }
        const auto line = static_cast<int>(SendMessageW(body(), LB_GETCURSEL, 0, 0));
        if (line < 0) return;
        if (code == LBN_SELCHANGE) op().highlight(panel(), control(), line);
        if (code == LBN_DBLCLK) op().double_click(panel(), control(), line);
    }
    bool key(UINT vk) override {
        if (vk != VK_RETURN) return false;
        const auto line = static_cast<int>(SendMessageW(body(), LB_GETCURSEL, 0, 0));
        if (line >= 0) op().select(panel(), control(), line);
        return true;
    }
    void draw_item(const DRAWITEMSTRUCT& di) override {
        if (di.itemID == static_cast<UINT>(-1)) return;
        HDC dc = di.hDC;
        RECT r = di.rcItem;
        const bool selected = (di.itemState & ODS_SELECTED) != 0;
        const bool focused = GetFocus() == body();
        const COLORREF base =
            text_bg_color() >= 0 ? colour(text_bg_color()) : GetSysColor(COLOR_WINDOW);
        COLORREF bg = base;
        COLORREF fg = text_color() >= 0 ? colour(text_color()) : GetSysColor(COLOR_WINDOWTEXT);
        if (selected) {
            // The highlight of a list without the focus stays visible, in a quieter colour.
            bg = focused ? GetSysColor(COLOR_HIGHLIGHT) : shade(GetSysColor(COLOR_HIGHLIGHT), 2.6);
            fg = focused ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_WINDOWTEXT);
        }
        if (di.itemState & ODS_DISABLED) fg = GetSysColor(COLOR_GRAYTEXT);
        FillRect(dc, &r, look().brush(bg));
        const auto len = SendMessageW(body(), LB_GETTEXTLEN, di.itemID, 0);
        std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(len, 0)) + 1, L'\0');
        const auto got =
            SendMessageW(body(), LB_GETTEXT, di.itemID, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(got, 0)));
        HGDIOBJ old = SelectObject(dc, look().list_font());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, fg);
        const UINT format = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
        const std::vector<int> edges = column_edges();
        const std::string line = narrow(text);
        const std::vector<rules::TextSpan> fields = rules::line_fields(line);
        if (!edges.empty() && fields.size() == edges.size()) {
            for (std::size_t i = 0; i < fields.size(); ++i) {
                const std::wstring field = widen(std::string_view(line).substr(
                    fields[i].begin, fields[i].end - fields[i].begin));
                RECT t{r.left, r.top, r.left + edges[i], r.bottom};
                DrawTextW(dc, field.c_str(), static_cast<int>(field.size()), &t, format | DT_RIGHT);
            }
        } else {
            RECT t = r;
            t.left += 2;
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t,
                      format | DT_LEFT | DT_EXPANDTABS);
        }
        SelectObject(dc, old);
        if (selected && focused) frame_rect(dc, r, kFocusMark, kFocusLine);
    }
    HBRUSH colours(HDC dc, HWND from, UINT message) override {
        if (from != body()) return ControlView::colours(dc, from, message);
        const COLORREF bg =
            text_bg_color() >= 0 ? colour(text_bg_color()) : GetSysColor(COLOR_WINDOW);
        SetBkColor(dc, bg);
        return look().brush(bg);
    }

  protected:
    LabelPlace label_place() const override { return LabelPlace::Above; }
    bool focusable_kind() const override { return true; }

  private:
    // Where each caption of the list's header ends, in the list's client coordinates, when the
    // lines are drawn as columns under it; empty otherwise. The header is drawn in the list's
    // font, so its captions are measured in it.
    std::vector<int> column_edges() const {
        const int header_id = rules::list_header_of(panel(), control());
        const Control* header = model::find_control(panel(), header_id);
        const Control* list = model::find_control(panel(), control());
        if (!header || !list) return {};
        const std::string& caption_text = header->text.empty() ? header->label : header->text;
        std::vector<std::string> lines;
        lines.reserve(list->items.size());
        for (const ListItem& item : list->items) lines.push_back(item.label);
        if (!rules::draws_columns(lines, caption_text)) return {};
        POINT origin{0, 0};
        ClientToScreen(body(), &origin);
        ScreenToClient(parent(), &origin);
        std::vector<int> edges;
        for (const rules::TextSpan& caption : rules::header_captions(caption_text)) {
            const SIZE s = text_extent(
                look().list_font(), widen(std::string_view(caption_text).substr(0, caption.end)));
            edges.push_back(header->left + static_cast<int>(s.cx) - origin.x);
        }
        return edges;
    }
};

// The system's transcript: read-only, long lines wrapped. Lines appended at the end come into
// view; a new content is shown from its first line.
class TextBoxView : public ControlView {
  public:
    TextBoxView(const Control& c, HWND parent, Operator& op) : ControlView(c, parent, op) {
        set_body(make_child(L"EDIT",
                            ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | ES_LEFT,
                            parent, c, WS_EX_CLIENTEDGE));
        SendMessageW(body(), EM_SETLIMITTEXT, 0, 0);
    }

    void show_lines(const Control& c) override {
        if (c.lines == shown_) return;
        const bool appended = !shown_.empty() && c.lines.size() > shown_.size() &&
                              std::equal(shown_.begin(), shown_.end(), c.lines.begin());
        if (appended) {
            std::wstring more;
            for (std::size_t i = shown_.size(); i < c.lines.size(); ++i)
                more += L"\r\n" + widen(c.lines[i]);
            const int end = GetWindowTextLengthW(body());
            SendMessageW(body(), EM_SETSEL, static_cast<WPARAM>(end), end);
            SendMessageW(body(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(more.c_str()));
            SendMessageW(body(), EM_SCROLLCARET, 0, 0);
        } else {
            std::wstring all;
            for (std::size_t i = 0; i < c.lines.size(); ++i) {
                if (i) all += L"\r\n";
                all += widen(c.lines[i]);
            }
            SetWindowTextW(body(), all.c_str());
            SendMessageW(body(), EM_SETSEL, 0, 0);
            SendMessageW(body(), EM_SCROLLCARET, 0, 0);
        }
        shown_ = c.lines;
        // The transcript of a long test is drawn as it grows, even while the driver keeps the
        // thread busy between two lines.
        if (IsWindowVisible(body())) UpdateWindow(body());
    }
    HBRUSH colours(HDC dc, HWND from, UINT message) override {
        if (from != body()) return ControlView::colours(dc, from, message);
        if (text_color() >= 0) SetTextColor(dc, colour(text_color()));
        const COLORREF bg =
            text_bg_color() >= 0 ? colour(text_bg_color()) : GetSysColor(COLOR_WINDOW);
        SetBkColor(dc, bg);
        return look().brush(bg);
    }

  private:
    std::vector<std::string> shown_;
};

}  // namespace

std::unique_ptr<ControlView> make_list_box(const Control& c, HWND parent, Operator& op) {
    return std::make_unique<ListBoxView>(c, parent, op);
}

std::unique_ptr<ControlView> make_text_box(const Control& c, HWND parent, Operator& op) {
    return std::make_unique<TextBoxView>(c, parent, op);
}

}  // namespace uir::win32
