// Where a panel's window stands: its client area at the panel's place, and the whole window
// (frame, title and menu bar included) brought inside the screen's work area, so no panel opens
// with its title bar or its lower controls off the screen.
#pragma once

namespace uir::win32 {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Box&) const = default;
};

// `window` moved (never resized) into `work`. A window larger than the area keeps its top-left
// corner in the area, so its title bar and menu stay reachable.
Box fit_into(Box window, const Box& work);

}  // namespace uir::win32
