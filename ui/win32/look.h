// What the view draws with: fonts, colours and brushes, and the label geometry the layouts leave
// room for. Panel geometry is in pixels, so fonts are sized in pixels too: a 12-pixel font gives
// the 14-pixel label lines of the layouts.
#pragma once

#include <windows.h>

#include <map>

#include "runtime_access.h"

namespace uir::win32 {

inline constexpr int kFontPixels = 12;
inline constexpr int kLabelLine = 14;     // height of one label line
inline constexpr int kLabelGap = 4;       // between a label on the left and its body
inline constexpr int kLabelGapAbove = 2;  // between a label above and its body

inline constexpr COLORREF kLampLit = RGB(0x20, 0xD0, 0x20);
inline constexpr COLORREF kLampDark = RGB(0x30, 0x38, 0x30);
// The keyboard focus mark around the focused control: a solid line, plainly visible.
inline constexpr COLORREF kFocusMark = RGB(0x1A, 0x5F, 0xD0);
inline constexpr int kFocusLine = 2;
// A value that shows a fault (a channel state "X", a failed self-test): bold dark red on pale
// red, so it stands out from the grey of a normal value.
inline constexpr COLORREF kWarningText = RGB(0xB0, 0x00, 0x00);
inline constexpr COLORREF kWarningBack = RGB(0xFF, 0xD6, 0xD0);

// Fonts and brushes, made when the view starts and released when it stops. Brushes are made once
// per colour and kept: a panel uses a handful.
class Look {
  public:
    Look();
    ~Look();
    Look(const Look&) = delete;
    Look& operator=(const Look&) = delete;

    HFONT panel_font() const { return panel_; }
    HFONT bold_font() const { return bold_; }
    HFONT list_font() const { return list_; }
    // The height of a line of text in the panel font, as lists and drop-down lists draw it.
    int line_height() const { return line_height_; }
    HBRUSH brush(COLORREF colour);
    // A memory context compatible with the screen, kept for measuring text: taking the screen's
    // own context for each measure is a round trip to wine's server every time, some 150 times
    // while the main panel is made.
    HDC measuring_dc() const { return measure_; }

  private:
    HDC measure_ = nullptr;
    HFONT panel_ = nullptr;
    HFONT bold_ = nullptr;
    HFONT list_ = nullptr;
    int line_height_ = kFontPixels + 3;
    std::map<COLORREF, HBRUSH> brushes_;
};

// The running view's look; only valid between the backend's start and stop.
Look& look();
void set_look(Look* look);

// 0xRRGGBB as a COLORREF; callers check for -1 (the default) first.
inline COLORREF colour(int rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
COLORREF panel_colour(const Panel& p);
// A colour a little lighter or darker (factor > 1 lightens towards white).
COLORREF shade(COLORREF c, double factor);

// The extent of `text` (several lines at '\n') in `font`.
SIZE text_extent(HFONT font, std::wstring_view text);

// A frame of `width` pixels just inside `r`.
void frame_rect(HDC dc, RECT r, COLORREF colour, int width);

}  // namespace uir::win32
