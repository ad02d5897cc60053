// The simulated module driver's channel operations: argument checks like a careful driver (every
// argument before anything is changed), then the module model. Parameter numbers count the
// session as parameter 1.
#include "behaviour.h"
#include "sim/module.h"
#include "sim/status.h"
#include "world.h"

namespace sim::kq {
namespace {

bool valid_channel(int channel, bool all_allowed) {
    return (channel >= 1 && channel <= kChannels) || (all_allowed && channel == 0);
}
bool valid_line(int line) {
    return line >= 0 && line <= 2;
}
bool valid_flag(int flag) {
    return flag == 0 || flag == 1;
}

bool valid_lines(const ViInt16 lines[]) {
    for (int i = 0; i < kChannels; ++i) {
        if (!valid_line(lines[i])) return false;
    }
    return true;
}

// Runs `body` on the module of a connected session; `body` returns the status.
template <class F>
ViStatus with_module(ViSession vi, F&& body) {
    ViStatus status;
    Module* m = world().connected_module(vi, &status);
    if (!m) return status;
    return body(*m);
}

}  // namespace

ViStatus manual_cmd(ViSession vi, ViInt16 channel, ViUInt16 line, ViInt16 on) {
    return with_module(vi, [&](Module& m) {
        if (!valid_channel(channel, false)) return error_parameter(2);
        if (!valid_line(line)) return error_parameter(3);
        if (!valid_flag(on)) return error_parameter(4);
        m.manual(now(), channel, line, on == 1);
        return VI_SUCCESS;
    });
}

ViStatus manual_group_cmd(ViSession vi, ViInt16 on, ViInt16 lines[]) {
    return with_module(vi, [&](Module& m) {
        if (!valid_flag(on)) return error_parameter(2);
        if (!lines || !valid_lines(lines)) return error_parameter(3);
        m.manual_group(now(), on == 1, lines);
        return VI_SUCCESS;
    });
}

ViStatus cmd_config(ViSession vi, ViInt16 channel, ViUInt16 line, ViReal64 time) {
    return with_module(vi, [&](Module& m) {
        if (!valid_channel(channel, false)) return error_parameter(2);
        if (!valid_line(line)) return error_parameter(3);
        auto steps = time_to_steps(time, m.time_step());
        if (!steps) return kErrorTimeRange;
        double t = now();
        m.set_line(t, channel, line);
        m.set_steps(t, channel, *steps);
        return VI_SUCCESS;
    });
}

ViStatus set_cmd_time(ViSession vi, ViInt16 channel, ViReal64 time) {
    return with_module(vi, [&](Module& m) {
        if (!valid_channel(channel, true)) return error_parameter(2);
        auto steps = time_to_steps(time, m.time_step());
        if (!steps) return kErrorTimeRange;
        m.set_steps(now(), channel, *steps);
        return VI_SUCCESS;
    });
}

ViStatus cmd_time_q(ViSession vi, ViInt16 channel, ViReal64* time) {
    return with_module(vi, [&](Module& m) {
        if (!valid_channel(channel, false)) return error_parameter(2);
        if (!time) return error_parameter(3);
        *time = m.time_of(channel);
        return VI_SUCCESS;
    });
}

ViStatus config_trigger(ViSession vi, ViInt16 mode) {
    return with_module(vi, [&](Module& m) {
        if (!valid_flag(mode)) return error_parameter(2);
        m.set_start_mode(now(), mode);
        return VI_SUCCESS;
    });
}

ViStatus set_line(ViSession vi, ViInt16 channel, ViUInt16 line) {
    return with_module(vi, [&](Module& m) {
        if (!valid_channel(channel, true)) return error_parameter(2);
        if (!valid_line(line)) return error_parameter(3);
        m.set_line(now(), channel, line);
        return VI_SUCCESS;
    });
}

ViStatus start(ViSession vi, ViInt16 lines[]) {
    return with_module(vi, [&](Module& m) {
        if (!lines || !valid_lines(lines)) return error_parameter(2);
        m.start(now(), lines);
        return VI_SUCCESS;
    });
}

ViStatus stop(ViSession vi) {
    return with_module(vi, [&](Module& m) {
        m.stop(now());
        return VI_SUCCESS;
    });
}

ViStatus gstart_q(ViSession vi, ViInt16* running) {
    return with_module(vi, [&](Module& m) {
        if (!running) return error_parameter(2);
        *running = m.run_flag(now());
        return VI_SUCCESS;
    });
}

ViStatus state(ViSession vi, ViInt16 states[]) {
    return with_module(vi, [&](Module& m) {
        if (!states) return error_parameter(2);
        double t = now();
        for (int ch = 1; ch <= kChannels; ++ch) states[ch - 1] = m.state(t, ch);
        return VI_SUCCESS;
    });
}

ViStatus trig_state(ViSession vi, ViInt16 latches[]) {
    return with_module(vi, [&](Module& m) {
        if (!latches) return error_parameter(2);
        double t = now();
        for (int ch = 1; ch <= kChannels; ++ch) latches[ch - 1] = m.latches(t, ch);
        return VI_SUCCESS;
    });
}

ViStatus reset_trig(ViSession vi, ViInt16 channel) {
    return with_module(vi, [&](Module& m) {
        if (!valid_channel(channel, true)) return error_parameter(2);
        m.clear_latches(now(), channel);
        return VI_SUCCESS;
    });
}

}  // namespace sim::kq
