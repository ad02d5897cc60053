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
// A numeric field whose widest value does not fit its text area at the panel font gets a
// smaller one, down to this size.
inline constexpr int kMinFontPixels = 9;

QFont panel_font();
QFont list_font();  // list boxes: narrow, so lines padded into columns fit

// 0xRRGGBB; callers check for -1 (the default) first.
QColor colour(int rgb);

// The keyboard focus mark around the focused control: a solid line, plainly visible.
inline constexpr int kFocusColour = 0x1A5FD0;
inline constexpr int kFocusLine = 2;
// The mark of a script played in the windows: the focus frame's shape, a heavier line in amber, so
// a watcher tells the control the script operates next from the keyboard focus.
inline constexpr int kScriptMarkColour = 0xE08A00;
inline constexpr int kScriptMarkLine = 3;
// A value that shows a fault (a channel state "X", a failed self-test): bold dark red on pale
// red, so it stands out from the grey of a normal value.
inline constexpr int kWarningText = 0xB00000;
inline constexpr int kWarningBack = 0xFFD6D0;

// A label with "__" before its shortcut letter, for widgets that draw mnemonics (buttons, menus,
// labels with a buddy): the letter gets Qt's '&' and a real '&' is doubled.
QString mnemonic_text(std::string_view label);
// The same label shown as plain text: the marker removed, nothing escaped.
QString plain_text(std::string_view label);
// A menu's title on the menu bar: its shortcut letter, or else its first letter, so Alt and a
// letter open every menu as on every desktop. The text shown is the title as given.
QString menu_title_text(std::string_view title);

}  // namespace uir::qt
