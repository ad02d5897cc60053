// Looking into the layout data from tests: panels and controls by id, and where a control's
// label and texts land under the layout's drawing conventions (see qorm_layout.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "qorm_layout.h"

namespace layout_test {

const uir::PanelSpec& panel(int id);                   // fails the test when missing
const uir::CtrlSpec& ctrl(int panel_id, int control);  // fails the test when missing
const uir::CtrlSpec* find_ctrl(int panel_id, int control);

std::vector<std::string> lines(std::string_view text);  // split at '\n'
// An upper bound of the advance width, in pixels, of a one-line text in the 9-point sans-serif
// font the view uses; "__" shortcut markers take no room.
int text_width(std::string_view line);
int text_width_lines(std::string_view text);  // widest of the '\n'-separated lines
// Lines a text message needs in a given width when words that do not fit move down.
int wrapped_lines(std::string_view text, int width);

// The six controls of channel ch (1-30), from the header's constants.
struct ChannelCtrls {
    int sw, t, l, st, fix1, fix2;
};
const ChannelCtrls& channel(int ch);

inline constexpr int kLineHeight = 14;

struct Rect {
    int left, top, right, bottom;  // right and bottom exclusive
    bool overlaps(const Rect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    bool contains(const Rect& o) const {
        return left <= o.left && top <= o.top && o.right <= right && o.bottom <= bottom;
    }
};

Rect body(const uir::CtrlSpec& c);
// The body and, for kinds that draw their label outside it, the label's place.
std::vector<Rect> footprint(const uir::CtrlSpec& c);

}  // namespace layout_test
