// The standalone run's own "carrier panel": a small read-only summary of the carrier in use
// (resource, model code, slot, logical addresses, what is fitted at each mezzanine position).
// It stands for the caller's panel that a host program would hand to qorm_init.
#pragma once

#include "kelbase.h"
#include "si.h"

// What the carrier driver said about one mezzanine position.
struct PositionReport {
    enum class State { not_queried, query_failed, empty, fitted };
    State state = State::not_queried;
    ViInt16 type = 0;  // the type code, when fitted
};

struct CarrierSummary {
    const InstrumentEntry* entry = nullptr;       // null: no carrier chosen (demo)
    bool opened = false;                          // kelbase_init succeeded
    PositionReport positions[KELBASE_POSITIONS];  // position 1 first
};

// Builds the hidden summary panel; returns its handle, or 0 when it cannot be built.
int build_carrier_panel();
void fill_carrier_panel(int panel, const CarrierSummary& summary);
