#include "rules.h"

#include <iterator>

PanelVariant panel_variant(const char* hardware_revision) {
    const auto first =
        static_cast<signed char>(hardware_revision != nullptr ? hardware_revision[0] : '\0');
    return {.group_time_mode = first == '2' || first == '3', .fine_time_step = first > '2'};
}

SwitchCommand switch_command(ViInt16 module_state, int switch_value, ViInt16 line) {
    SwitchCommand command{.code = switch_value == 1 ? line : ViInt16{0},
                          .on = static_cast<ViInt16>(switch_value),
                          .switch_off_now = false};
    if (module_state != 0) command = {.code = 0, .on = 0, .switch_off_now = true};
    if (command.code == 0) command.on = 0;
    return command;
}

namespace {

bool manual_control(int control_mode) {
    return control_mode == 1;
}

}  // namespace

ViewDimming view_dimming(int control_mode) {
    const bool manual = manual_control(control_mode);
    return {.run_controls = manual, .group_buttons = !manual};
}

bool channel_time_dimmed(int control_mode, ViInt16 line) {
    return manual_control(control_mode) || line == 0;
}

const char* state_text(ViInt16 code) {
    static constexpr const char* kTexts[] = {"-", "1", "2", "X"};
    return code >= 0 && code < static_cast<ViInt16>(std::size(kTexts)) ? kTexts[code] : "?";
}
