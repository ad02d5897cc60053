// Carrier discovery over a crate full of carriers: FindVISAinstruments through the bound VISA
// (the simulated crate) with 256 VXI carriers, each opened, read and closed, and the table
// compacted. Goal: at most 2 ms for the whole discovery.
#include <benchmark/benchmark.h>

#include <string>

#include "bindings.h"
#include "si.h"
#include "sim/sim.h"

namespace {

constexpr int kCarriers = 256;

// Four interfaces of 64 carriers each, in slots 1 to 12, of the two carrier models.
sim::Crate crate_of_carriers() {
    sim::Crate crate;
    crate.name = "256 carriers";
    for (int i = 0; i < kCarriers; ++i) {
        sim::Instrument carrier;
        carrier.resource =
            "VXI" + std::to_string(i / 64) + "::" + std::to_string(i % 64 + 1) + "::INSTR";
        carrier.slot = static_cast<int16_t>(i % 12 + 1);
        carrier.mainframe_la = 0;
        carrier.model_code = i % 2 == 0 ? 0x155 : 0x10D;
        carrier.carrier = sim::Carrier{};
        crate.instruments.push_back(carrier);
    }
    return crate;
}

void BM_FindVISAinstruments256(benchmark::State& state) {
    sim::install(crate_of_carriers());
    platform::bind_visa(sim::visa_api());
    for (auto _ : state) {
        const ViStatus found = FindVISAinstruments();
        if (found != kCarriers) {
            state.SkipWithError("discovery did not record all 256 carriers");
            break;
        }
        benchmark::DoNotOptimize(Instruments);
    }
    platform::bind_visa(nullptr);
    state.SetItemsProcessed(state.iterations() * kCarriers);
}
BENCHMARK(BM_FindVISAinstruments256)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
