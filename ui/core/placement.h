// Where windows come up, as both views place them:
// - a popup belongs to the panel whose callback raised it and comes up centred over it;
// - the small panels of a front panel (about, self-test, exit and connector-test panels) keep
//   their layout offsets from their own main panel, wherever that main panel now stands, so
//   the panels of two staggered front panels stay apart;
// - every window lies inside the screen's available area; one larger than the area gets the
//   area's size and the view scrolls (or scales) its content;
// - a title too wide for its frame is cut between words, never inside one.
// All coordinates are screen pixels of the view (logical pixels under a scale factor).
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace uir::rules {

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

struct Margins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// ---- Which panel a popup belongs to -----------------------------------------------------------

// `running`: the panels whose callbacks are running, outermost first. The popup belongs to the
// innermost one that is on the screen; 0 when none is (the popup then comes up centred on the
// screen).
int popup_owner(std::span<const int> running, const std::function<bool(int)>& visible);

// The frame of a popup of `size` (width, height of its frame) over the frame of its owner:
// centred on it, then moved into `area`. Without an owner (an empty owner rectangle), centred
// in `area`.
Rect popup_frame(Rect owner_frame, Rect size, Rect area);

// ---- Small panels and their main panel ---------------------------------------------------------

struct PanelKey {
    int handle = 0;
    std::string_view layout_file;  // empty for a panel built in code
    const void* callback_data = nullptr;
};

// The main panel `panel` is placed relative to: of the panels loaded from the same layout file
// with the same callback data (one front panel's panels), the one loaded first, when that is
// not `panel` itself. 0 when there is none.
int anchor_panel(int panel, std::span<const PanelKey> panels);

// Where a small panel goes: its own position moved as far as its main panel stands from the
// main panel's layout position. Fields are left and top.
Rect follow_anchor(Rect own, Rect anchor_layout, Rect anchor_now);

// Where a live panel loaded from a layout stands in that layout (left, top, width, height);
// nothing for a panel built in code, an unknown one, or one the layout centres.
std::optional<Rect> layout_place(int panel);

// ---- Fitting a window into the screen ----------------------------------------------------------

struct Placement {
    Rect client;           // where the client area goes, and how much of it is shown
    bool scrolls = false;  // the content is larger than `client`: it scrolls
    double scale = 1;      // the factor that would show all of it instead (<= 1)
};

// A window whose client area is `client` (its full size) inside a frame of `frame` margins:
// moved so the frame lies inside `area` (the top-left corner wins when it cannot), its client
// area cut to what fits.
Placement fit_window(Rect client, Margins frame, Rect area);

// ---- Titles -----------------------------------------------------------------------------------

inline constexpr std::string_view kEllipsis = "…";

// `title` as it fits `width` pixels measured by `width_of`: whole, or cut after the last word
// that fits with an ellipsis. The first word is kept even when it alone is too wide.
std::string fit_title(std::string_view title, int width,
                      const std::function<int(std::string_view)>& width_of);

}  // namespace uir::rules
