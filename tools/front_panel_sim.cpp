#include "front_panel_sim.h"

#include "kelbase.h"
#include "sim/sim.h"
#include "userint.h"

namespace tools {

void bind_simulated_crate() {
    sim::install(sim::default_crate());
    sim::set_clock([] { return Timer(); });
    platform::bind_visa(sim::visa_api());
    platform::bind_kelqorm(sim::kelqorm_api());
    platform::bind_kelbase(sim::kelbase_api());
}

ModuleInstance* open_simulated_module(std::string* error) {
    char resource[] = "VXI0::8::INSTR";
    ViSession carrier = 0;
    if (const ViStatus st = kelbase_init(resource, VI_TRUE, VI_TRUE, &carrier); st < 0) {
        *error = "kelbase_init: " + std::to_string(st);
        return nullptr;
    }
    ModuleInstance* instance = nullptr;
    if (const ViStatus st = qorm_init(carrier, 2, VI_TRUE, VI_TRUE, &instance); st < 0) {
        *error = "qorm_init: " + std::to_string(st);
        return nullptr;
    }
    return instance;
}

}  // namespace tools
