#include <string>
#include <string_view>

#include "harnesses.h"
#include "kelbase.h"
#include "kelqorm.h"
#include "si.h"
#include "sim/sim.h"
#include "sim_bindings.h"
#include "visa.h"

namespace fuzz {
namespace {

// What the standalone start-up does on an accepted crate: discovery, then each carrier found
// opened and queried, and each QORM on it opened, read and closed.
void start_up_over_the_crate() {
    const ViStatus found = FindVISAinstruments();
    require(found <= kInstrumentsMax);
    for (int k = 0; k < found; ++k) {
        InstrumentEntry& entry = Instruments[k];
        require(entry.slot >= 1 && entry.slot <= 12);
        ViSession carrier = 0;
        if (kelbase_init(entry.resource_name, VI_TRUE, VI_TRUE, &carrier) < 0) continue;
        for (ViUInt16 position = 1; position <= KELBASE_POSITIONS; ++position) {
            ViInt16 present = 0;
            ViInt16 type = 0;
            if (kelbase_m_type_q(carrier, position, &present, &type) < 0) break;
            if (present == 0 || type != KELQORM_TYPE_CODE) continue;
            ViSession module = 0;
            if (kelqorm_init(entry.resource_name, VI_TRUE, VI_TRUE, &module) < 0) continue;
            if (kelqorm_connect(module, carrier, position, VI_TRUE, VI_TRUE) >= 0) {
                char driver[KELQORM_REVISION_LEN] = "";
                char hardware[KELQORM_REVISION_LEN] = "";
                kelqorm_revision_query(module, driver, hardware);
                ViInt16 states[KELQORM_CHANNELS] = {};
                kelqorm_state(module, states);
                ViInt16 result = 0;
                char text[KELQORM_TEXT_LEN] = "";
                kelqorm_self_test(module, &result, text);
                kelqorm_zqorm_test(module, &result, text);
            }
            kelqorm_close(module);
        }
    }
}

}  // namespace

int crate_file(const uint8_t* data, std::size_t size) {
    bind_simulated_crate();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::optional<sim::Crate> crate = sim::load_crate_text(text, "fuzz.yaml", &error);
    if (!crate) {
        // A refusal is one line that names the file.
        require(error.rfind("fuzz.yaml:", 0) == 0);
        require(error.find('\n') == std::string::npos);
        return 0;
    }
    require(error.empty());
    sim::install(*crate);
    start_up_over_the_crate();
    sim::install(sim::Crate{});
    return 0;
}

}  // namespace fuzz
