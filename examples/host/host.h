// A host program of the QORM front panel, as a carrier's own front panel uses the library: it
// opens the carrier, lists the carrier's four mezzanine positions on its panel and opens the
// front panel of each QORM fitted, with its own panel handed in as the caller's panel. Several
// front panels can be open at once: each qorm_display runs inside the event processing of the
// host callback that opened it, so a second one runs nested inside the first one's run.
//
// The host's panel "HOST":
//   HOST_LIST   the four positions, one line each; a double click opens that position
//   HOST_OPEN   opens (or brings back) the front panel of the highlighted position
//   HOST_HIDE   hides that front panel (qorm_hide); it keeps running
//   HOST_CLOSE  ends that front panel (qorm_close)
//   HOST_EXIT   ends every open front panel, then the host; so does the panel's close box
#pragma once

#include "qorm.h"
#include "visa.h"

namespace host {

inline constexpr int kPositions = 4;

struct Host {
    ViSession carrier = 0;  // the carrier driver's session
    char resource[VI_FIND_BUFLEN] = "";
    ViInt16 fitted[kPositions] = {};  // type code at each position, -1 for none
    int panel = 0;                    // the host's panel
    int list = 0, open = 0, hide = 0, close = 0, exit = 0;  // its controls
    // The instances whose front panel is running, by position; null when none. A record is the
    // library's from qorm_init until its qorm_display returns.
    ModuleInstance* running[kPositions] = {};
    int depth = 0;  // front-panel runs nested inside the host's loop
    bool exit_requested = false;
};

// Opens the carrier: the given VISA resource, or with none the first VXI resource the carrier
// driver accepts; then asks what is fitted at each position. Negative when no carrier opens.
ViStatus open_carrier(Host* host, const char* resource);
// Builds the host's panel (hidden) and fills its list. Negative when it cannot be built.
int build_panel(Host* host);
// Shows the panel and runs the host's event loop until the host is asked to end.
int run(Host* host);

// The front-panel commands, as the panel's buttons give them; `position` 1 to 4. Each returns
// 0, or negative when the position has no QORM or no running front panel.
int open_position(Host* host, int position);
int hide_position(Host* host, int position);
int close_position(Host* host, int position);
// Ends every running front panel (innermost first, as the runs are nested) and the host.
void request_exit(Host* host);

// The list line of a position, as the panel shows it.
void position_line(const Host& host, int position, char* line, int size);

}  // namespace host
