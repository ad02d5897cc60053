#include <string>
#include <string_view>

#include "harnesses.h"
#include "kelbase.h"
#include "kelqorm.h"
#include "sim/sim.h"
#include "sim_bindings.h"
#include "visa.h"

namespace fuzz {
namespace {

constexpr int kMaxCommands = 32;

// What a poll of the front panel asks, after each command.
void poll(ViSession module) {
    ViInt16 codes[KELQORM_CHANNELS] = {};
    kelqorm_manual_cmd(module, 3, 1, 1);
    kelqorm_state(module, codes);
    ViInt16 flag = 0;
    kelqorm_gstart_q(module, &flag);
}

// The program's other calls, through the bindings of the simulated crate, once at the end.
void run_the_crate(ViSession carrier, ViSession module) {
    ViSession rm = 0;
    if (viOpenDefaultRM(&rm) >= 0) {
        ViFindList list = 0;
        ViUInt32 count = 0;
        char name[VI_FIND_BUFLEN] = "";
        viFindRsrc(rm, "?*INSTR", &list, &count, name);
        viClose(rm);
    }
    ViInt16 present = 0;
    ViInt16 type = 0;
    kelbase_m_type_q(carrier, 2, &present, &type);
    ViInt16 codes[KELQORM_CHANNELS] = {};
    kelqorm_manual_cmd(module, 3, 1, 1);
    kelqorm_state(module, codes);
    kelqorm_trig_state(module, codes);
    ViInt16 flag = 0;
    kelqorm_gstart_q(module, &flag);
    ViInt16 result = 0;
    char text[KELQORM_TEXT_LEN] = "";
    kelqorm_self_test(module, &result, text);
    kelqorm_zqorm_test(module, &result, text);
    kelqorm_error_message(0, VI_ERROR_TMO, text);
    kelqorm_reset(module);
}

}  // namespace

int fault_commands(const uint8_t* data, std::size_t size) {
    static const sim::Crate crate = sim::default_crate();
    bind_simulated_crate();
    sim::install(crate);
    char resource[] = "VXI0::8::INSTR";
    ViSession carrier = 0;
    ViSession module = 0;
    kelbase_init(resource, VI_TRUE, VI_TRUE, &carrier);
    kelqorm_init(resource, VI_TRUE, VI_TRUE, &module);
    kelqorm_connect(module, carrier, 2, VI_TRUE, VI_TRUE);

    std::string_view text(reinterpret_cast<const char*>(data), size);
    for (int n = 0; n < kMaxCommands && !text.empty(); ++n) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.starts_with("fault ")) line.remove_prefix(6);
        const std::string outcome = sim::fault_command(line);
        require(outcome.find('\n') == std::string::npos);
        poll(module);
    }
    run_the_crate(carrier, module);
    sim::install(sim::Crate{});
    return 0;
}

}  // namespace fuzz
