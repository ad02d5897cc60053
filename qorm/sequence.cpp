// Timed sequence run: programming the module's channels and starting or stopping the sequence
// with the two-state button "Старт"/"Стоп", and copying the common time into every channel.
#include <cmath>
#include <limits>

#include "qorm_internal.h"
#include "qorm_uir.h"

namespace {

// The module takes a moment to raise its run flag after a start.
constexpr double kSettleSeconds = 0.05;

// The time the module uses for a channel, as the panel's single-precision time. The query's
// status is not looked at: a query that writes nothing, or a value no time control can hold
// (not a number, beyond single precision), leaves the time asked for.
float time_in_use(const ModuleInstance* instance, ViInt16 channel, float asked) {
    double used = asked;
    kelqorm_cmd_time_q(instance->session, channel, &used);
    if (!std::isfinite(used) || std::fabs(used) > std::numeric_limits<float>::max()) return asked;
    return static_cast<float>(used);
}

// Shows a non-zero status on the error line; true when the start may go on (not an error).
bool accept(const ModuleInstance* instance, ViStatus st) {
    if (st != 0) errMsg(instance->mp_panel, st);
    return st >= 0;
}

// One common time for all channels, then every channel's line, codes 0 included.
bool program_common_time(ModuleInstance* instance) {
    const int mp = instance->mp_panel;
    status = kelqorm_set_cmd_time(instance->session, 0, instance->channel_times[0]);
    if (!accept(instance, status)) return false;
    const float used = time_in_use(instance, 1, instance->channel_times[0]);
    for (float& time : instance->channel_times) time = used;
    SetCtrlVal(mp, MP_GT, used);
    for (int channel = 1; channel <= QORM_CHANNELS; ++channel) {
        status = kelqorm_set_line(instance->session, static_cast<ViInt16>(channel),
                                  static_cast<ViUInt16>(instance->channel_codes[channel - 1]));
        if (!accept(instance, status)) return false;
    }
    return true;
}

// Each channel with a line selected, with its own time; the others take no part.
bool program_channel_times(ModuleInstance* instance) {
    const int mp = instance->mp_panel;
    for (int k = 0; k < QORM_CHANNELS; ++k) {
        const ViInt16 code = instance->channel_codes[k];
        if (code == 0) continue;
        const auto channel = static_cast<ViInt16>(k + 1);
        status = kelqorm_cmd_config(instance->session, channel, static_cast<ViUInt16>(code),
                                    instance->channel_times[k]);
        if (!accept(instance, status)) return false;
        instance->channel_times[k] = time_in_use(instance, channel, instance->channel_times[k]);
        SetCtrlVal(mp, mpTimeCtrls[k], instance->channel_times[k]);
    }
    return true;
}

// Programs the module from the instance and starts the sequence; false when a step failed.
bool program_and_start(ModuleInstance* instance) {
    int start_mode = 0;
    GetCtrlVal(instance->mp_panel, MP_START_MODE, &start_mode);
    status = kelqorm_config_trigger(instance->session, static_cast<ViInt16>(start_mode));
    if (!accept(instance, status)) return false;
    const bool programmed = instance->group_time_mode == 1 ? program_common_time(instance)
                                                           : program_channel_times(instance);
    if (!programmed) return false;
    status = kelqorm_start(instance->session, instance->channel_codes);
    return accept(instance, status);
}

}  // namespace

int mpStart(int panel, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    ModuleInstance* instance = record_of(panel);
    if (instance == nullptr) return 0;
    mpGet(instance);
    int start = 0;
    GetCtrlVal(instance->mp_panel, MP_START, &start);
    if (start == 0) {
        kelqorm_stop(instance->session);
    } else if (!program_and_start(instance)) {
        // The error is on the line; the button shows the run flag at the next refresh.
        return 0;
    }
    Delay(kSettleSeconds);
    refresh_module_state(instance);
    return 0;
}

int mpSetGT(int panel, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    ModuleInstance* instance = record_of(panel);
    if (instance == nullptr) return 0;
    float common = 0;
    GetCtrlVal(instance->mp_panel, MP_GT, &common);
    for (int control : mpTimeCtrls) SetCtrlVal(instance->mp_panel, control, common);
    mpSetView(instance);
    return 0;
}
