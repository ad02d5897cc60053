#include "look.h"

#include <algorithm>
#include <string>

namespace uir::win32 {
namespace {

Look* g_look = nullptr;

int CALLBACK font_found(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool family_present(HDC dc, const wchar_t* family) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, family, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(dc, &lf, font_found, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// The first family of `families` this machine has; the last one otherwise (the font mapper then
// finds the nearest).
const wchar_t* first_present(HDC dc, std::initializer_list<const wchar_t*> families) {
    for (const wchar_t* f : families)
        if (family_present(dc, f)) return f;
    return *(families.end() - 1);
}

HFONT make_font(const wchar_t* family, int weight) {
    return CreateFontW(-kFontPixels, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, family);
}

}  // namespace

// Cyrillic in every family listed; Tahoma is what Windows itself draws dialogs with.
Look::Look() : measure_(CreateCompatibleDC(nullptr)) {
    const wchar_t* family =
        first_present(measure_, {L"Tahoma", L"Segoe UI", L"DejaVu Sans", L"Arial"});
    const wchar_t* narrow = first_present(
        measure_, {L"Arial Narrow", L"DejaVu Sans Condensed", L"Liberation Sans Narrow", family});
    panel_ = make_font(family, FW_NORMAL);
    bold_ = make_font(family, FW_BOLD);
    list_ = make_font(narrow, FW_NORMAL);
    HGDIOBJ old = SelectObject(measure_, panel_);
    TEXTMETRICW tm{};
    if (GetTextMetricsW(measure_, &tm)) line_height_ = tm.tmHeight;
    SelectObject(measure_, old);
}

Look::~Look() {
    DeleteDC(measure_);
    for (auto& [c, b] : brushes_) DeleteObject(b);
    DeleteObject(panel_);
    DeleteObject(bold_);
    DeleteObject(list_);
}

HBRUSH Look::brush(COLORREF c) {
    auto it = brushes_.find(c);
    if (it != brushes_.end()) return it->second;
    HBRUSH b = CreateSolidBrush(c);
    brushes_.emplace(c, b);
    return b;
}

Look& look() {
    return *g_look;
}

void set_look(Look* l) {
    g_look = l;
}

COLORREF panel_colour(const Panel& p) {
    return p.back_color >= 0 ? colour(p.back_color) : GetSysColor(COLOR_BTNFACE);
}

COLORREF shade(COLORREF c, double factor) {
    const auto part = [&](int v) {
        const double out = factor >= 1 ? 255 - (255 - v) / factor : v * factor;
        return static_cast<BYTE>(std::clamp(out, 0.0, 255.0));
    };
    return RGB(part(GetRValue(c)), part(GetGValue(c)), part(GetBValue(c)));
}

SIZE text_extent(HFONT font, std::wstring_view text) {
    HDC dc = look().measuring_dc();
    HGDIOBJ old = SelectObject(dc, font);
    SIZE total{0, 0};
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring_view::npos) end = text.size();
        SIZE s{0, 0};
        GetTextExtentPoint32W(dc, text.data() + start, static_cast<int>(end - start), &s);
        if (s.cy == 0) {
            TEXTMETRICW tm{};
            GetTextMetricsW(dc, &tm);
            s.cy = tm.tmHeight;
        }
        total.cx = std::max(total.cx, s.cx);
        total.cy += s.cy;
        start = end + 1;
    }
    SelectObject(dc, old);
    return total;
}

void frame_rect(HDC dc, RECT r, COLORREF c, int width) {
    HBRUSH b = look().brush(c);
    for (int i = 0; i < width && r.right - r.left > 2 && r.bottom - r.top > 2; ++i) {
        FrameRect(dc, &r, b);
        InflateRect(&r, -1, -1);
    }
}

}  // namespace uir::win32
