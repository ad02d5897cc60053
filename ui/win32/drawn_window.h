// Controls the view draws itself (lamps, lever switches, drop-down lists, frames, pictures): one
// window class whose windows hand painting, clicks and the space bar to a Drawn. Painting goes
// through a memory bitmap, so a redraw never flickers, and WM_PRINTCLIENT paints the same picture
// for PrintWindow.
#pragma once

#include <windows.h>

#include "runtime_access.h"

namespace uir::win32 {

class Drawn {
  public:
    virtual ~Drawn() = default;
    // Paints the whole client rectangle, background included.
    virtual void paint(HDC dc, const RECT& client, bool enabled, bool focused) = 0;
    // A click (button down and up inside) or the space bar while focused.
    virtual void clicked() {}
    virtual bool clickable() const { return false; }
    virtual bool focusable() const { return false; }
    // Frames and pictures let the mouse through to what lies under them.
    virtual bool transparent() const { return false; }
    // A message the kind answers itself, before the handling common to every drawn control (a
    // drop-down list's mouse, keys and list messages); true when `result` is the answer.
    virtual bool message(HWND w, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        (void)w, (void)msg, (void)wp, (void)lp, (void)result;
        return false;
    }

    // The button went down inside and has not come up yet (kept by the window).
    bool pressed = false;
};

// Registers the class; called once when the view starts.
void register_drawn_class(HINSTANCE instance);
void unregister_drawn_class(HINSTANCE instance);

// A child window of `parent` at the rectangle of control `c`, with its id, shown and dimmed when
// the control is, drawn by `drawn`, which must outlive it.
HWND make_drawn(HWND parent, const Control& c, Drawn* drawn);

}  // namespace uir::win32
