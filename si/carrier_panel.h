// The standalone run's own "carrier panel": a small read-only summary of the carrier in use
// (resource, model code, slot, logical addresses, what is fitted at each mezzanine position).
// It stands for the caller's panel that a host program would hand to qorm_init.
#pragma once

#include "si.h"

inline constexpr ViInt16 kNothingFitted = -1;  // no mezzanine at the position
inline constexpr ViInt16 kNotQueried = -2;     // the position was not queried

struct CarrierSummary {
    const InstrumentEntry* entry = nullptr;  // null: no carrier chosen (demo)
    bool opened = false;                     // kelbase_init succeeded
    ViInt16 fitted[4] = {kNotQueried, kNotQueried, kNotQueried, kNotQueried};  // type codes
};

// Builds the hidden summary panel; returns its handle, or 0 when it cannot be built.
int build_carrier_panel();
void fill_carrier_panel(int panel, const CarrierSummary& summary);
