// The simulated crate under a discovery-sized load: 256 VXI resources opened, four attributes
// read from each, closed again. Goal: at most 1 ms for all 256.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "sim/sim.h"

namespace {

constexpr int kResources = 256;

sim::Crate crate_of_256() {
    sim::Crate crate;
    for (int i = 0; i < kResources; ++i) {
        sim::Instrument instrument;
        instrument.resource =
            "VXI" + std::to_string(i / 64) + "::" + std::to_string(i % 64 + 1) + "::INSTR";
        instrument.slot = static_cast<int16_t>(i % 12 + 1);
        instrument.mainframe_la = 0;
        instrument.model_code = 0x155;
        crate.instruments.push_back(instrument);
    }
    return crate;
}

void read_four(const platform::VisaApi& visa, ViSession vi) {
    ViInt16 slot = 0, mainframe = 0, la = 0;
    ViUInt16 model = 0;
    visa.get_attribute(vi, VI_ATTR_SLOT, &slot);
    visa.get_attribute(vi, VI_ATTR_MAINFRAME_LA, &mainframe);
    visa.get_attribute(vi, VI_ATTR_VXI_LA, &la);
    visa.get_attribute(vi, VI_ATTR_MODEL_CODE, &model);
    benchmark::DoNotOptimize(slot + mainframe + la + model);
}

void BM_OpenReadFourClose256(benchmark::State& state) {
    sim::Crate crate = crate_of_256();
    sim::install(crate);
    std::vector<std::string> names;
    for (const auto& i : crate.instruments) names.push_back(i.resource);
    const platform::VisaApi& visa = *sim::visa_api();
    ViSession rm = 0;
    visa.open_default_rm(&rm);
    for (auto _ : state) {
        for (const std::string& name : names) {
            ViSession vi = 0;
            if (visa.open(rm, name.c_str(), VI_NO_LOCK, 0, &vi) != VI_SUCCESS) {
                state.SkipWithError("viOpen failed");
                return;
            }
            read_four(visa, vi);
            visa.close(vi);
        }
    }
    visa.close(rm);
}
BENCHMARK(BM_OpenReadFourClose256)->Unit(benchmark::kMicrosecond);

// The whole of a discovery: resource manager, the search with the discovery expression, then
// every match opened, read and closed.
void BM_Discovery256(benchmark::State& state) {
    sim::install(crate_of_256());
    const platform::VisaApi& visa = *sim::visa_api();
    for (auto _ : state) {
        ViSession rm = 0;
        ViFindList list = 0;
        ViUInt32 count = 0;
        char desc[VI_FIND_BUFLEN];
        visa.open_default_rm(&rm);
        if (visa.find_rsrc(rm, "?*VXI[0-9]*::?*INSTR", &list, &count, desc) != VI_SUCCESS ||
            count != kResources) {
            state.SkipWithError("search failed");
            return;
        }
        for (ViUInt32 k = 0; k < count; ++k) {
            if (k > 0) visa.find_next(list, desc);
            ViSession vi = 0;
            visa.open(rm, desc, VI_NO_LOCK, 0, &vi);
            read_four(visa, vi);
            visa.close(vi);
        }
        visa.close(list);
        visa.close(rm);
    }
}
BENCHMARK(BM_Discovery256)->Unit(benchmark::kMicrosecond);

}  // namespace
