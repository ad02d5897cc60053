#include "qt_script.h"

#include <QTimer>
#include <cmath>

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

Script& Script::then(double delay, std::function<void()> step) {
    steps_.push_back({delay, [step = std::move(step)] {
                          step();
                          return true;
                      }});
    return *this;
}

Script& Script::until(double delay, std::function<bool()> step) {
    steps_.push_back({delay, std::move(step)});
    return *this;
}

void Script::start() {
    if (steps_.empty()) return;
    QTimer::singleShot(static_cast<int>(std::lround(steps_.front().delay * 1000)),
                       [this] { next(); });
}

void Script::next() {
    if (steps_.empty()) return;
    if (steps_.front().run()) steps_.pop_front();
    start();
}

}  // namespace tools
