// The bindings the harnesses run on: the simulated crate's three tables, bound once per process,
// on a clock that stands still (a harness does not wait).
#pragma once

#include "bindings.h"
#include "sim/sim.h"

namespace fuzz {

inline void bind_simulated_crate() {
    static const bool bound = [] {
        sim::set_clock(nullptr);
        platform::bind_visa(sim::visa_api());
        platform::bind_kelqorm(sim::kelqorm_api());
        platform::bind_kelbase(sim::kelbase_api());
        return true;
    }();
    (void)bound;
}

}  // namespace fuzz
