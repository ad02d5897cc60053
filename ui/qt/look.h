// What the view draws with: fonts, colours and the translation of the run-time's label texts
// into Qt's. Panel geometry is in pixels, so fonts are sized in pixels too: a 12-pixel font gives
// the 14-pixel label lines the layouts leave room for.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string_view>

namespace uir::qt {

inline constexpr int kFontPixels = 12;
inline constexpr int kLabelLine = 14;  // height of one label line
inline constexpr int kLabelGap = 4;    // between a label on the left and its body
inline constexpr int kLabelGapAbove = 2;

QFont panel_font();
QFont list_font();  // list boxes: narrow, so lines padded into columns fit

// 0xRRGGBB; callers check for -1 (the default) first.
QColor colour(int rgb);

// A label with "__" before its shortcut letter, for widgets that draw mnemonics (buttons, menus,
// labels with a buddy): the letter gets Qt's '&' and a real '&' is doubled.
QString mnemonic_text(std::string_view label);
// The same label shown as plain text: the marker removed, nothing escaped.
QString plain_text(std::string_view label);

}  // namespace uir::qt
