#include "sim/module.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sim {

bool fine_step_revision(const std::string& hardware_revision) {
    if (hardware_revision.empty()) return false;
    return static_cast<signed char>(hardware_revision[0]) > '2';
}

std::optional<int> time_to_steps(double seconds, const TimeStep& step) {
    if (!std::isfinite(seconds)) return std::nullopt;
    // Times often arrive as single-precision panel values widened to double (0.005f is a little
    // below 0.005), so the range ends get a tolerance far below one step.
    const double tolerance = step.step * 1e-3;
    if (seconds < step.step - tolerance || seconds > step.step * step.max_count + tolerance) {
        return std::nullopt;
    }
    long count = std::lround(seconds / step.step);
    return static_cast<int>(std::clamp(count, 1L, static_cast<long>(step.max_count)));
}

Module::Module(const Mezzanine& mezzanine, std::optional<double> trigger_delay)
    : description_(mezzanine), trigger_delay_(trigger_delay) {
    reset(0);
    for (int channel : mezzanine.broken_channels) set_broken(channel, true);
    for (const auto& [channel, state] : mezzanine.stuck_channels) stick(channel, state);
}

TimeStep Module::time_step() const {
    return fine_step_revision(description_.hardware_revision) ? kFineStep : kCoarseStep;
}

void Module::reset(double now) {
    advance(now);
    const int reset_steps = static_cast<int>(std::lround(kResetTime / time_step().step));
    for (Channel& c : channels_) {
        c.line = 0;
        c.timed = false;
        c.latches = 0;
        c.steps = reset_steps;
        c.programmed_line = 0;
    }
    description_.readback.latches.fill(std::nullopt);
    phase_ = Phase::idle;
    run_lines_.fill(0);
    start_mode_ = 1;
}

void Module::advance(double now) {
    if (now < last_now_ || std::isnan(now)) now = last_now_;
    last_now_ = now;
    if (phase_ == Phase::armed && trigger_at_ <= now) fire(trigger_at_);
    if (phase_ != Phase::running) return;
    for (Channel& c : channels_) {
        if (c.timed && c.until <= now) {
            c.timed = false;
            c.line = 0;
        }
    }
    settle();
}

void Module::fire(double at) {
    for (std::size_t i = 0; i < channels_.size(); ++i) {
        int line = run_lines_[i];
        if (line == 0) continue;
        Channel& c = channels_[i];
        switch_onto(c, line);
        c.timed = true;
        c.until = at + c.steps * time_step().step;
    }
    phase_ = Phase::running;
    settle();
}

void Module::switch_onto(Channel& c, int line) {
    if (c.line != line && c.stuck < 0 && !c.broken) c.latches |= line == 1 ? 1 : 2;
    c.line = line;
}

// A running sequence is over once none of its channels is still switched.
void Module::settle() {
    if (phase_ != Phase::running) return;
    bool any =
        std::any_of(channels_.begin(), channels_.end(), [](const Channel& c) { return c.timed; });
    if (!any) phase_ = Phase::idle;
}

void Module::manual(double now, int channel, int line, bool on) {
    advance(now);
    Channel& c = channel_at(channel);
    c.timed = false;
    if (on && line != 0) {
        switch_onto(c, line);
    } else {
        c.line = 0;
    }
    settle();
}

void Module::manual_group(double now, bool on, const int16_t lines[kChannels]) {
    advance(now);
    for (int i = 0; i < kChannels; ++i) {
        if (lines[i] == 0) continue;
        Channel& c = channels_[static_cast<std::size_t>(i)];
        c.timed = false;
        if (on) {
            switch_onto(c, lines[i]);
        } else {
            c.line = 0;
        }
    }
    settle();
}

void Module::set_steps(double now, int channel, int steps) {
    advance(now);
    for (int ch = 1; ch <= kChannels; ++ch) {
        if (channel == 0 || channel == ch) channel_at(ch).steps = steps;
    }
}

double Module::time_of(int channel) const {
    const auto k = static_cast<std::size_t>(channel - 1);
    if (auto reported = description_.readback.times[k]) return *reported;
    return channels_[k].steps * time_step().step;
}

void Module::set_start_mode(double now, int mode) {
    advance(now);
    start_mode_ = mode;
}

void Module::set_line(double now, int channel, int line) {
    advance(now);
    for (int ch = 1; ch <= kChannels; ++ch) {
        if (channel == 0 || channel == ch) channel_at(ch).programmed_line = line;
    }
}

void Module::start(double now, const int16_t lines[kChannels]) {
    stop(now);
    std::copy(lines, lines + kChannels, run_lines_.begin());
    for (int i = 0; i < kChannels; ++i) {
        if (lines[i] != 0) channels_[static_cast<std::size_t>(i)].programmed_line = lines[i];
    }
    if (std::all_of(run_lines_.begin(), run_lines_.end(), [](int16_t l) { return l == 0; })) return;
    if (start_mode_ == 1) {
        fire(last_now_);
        return;
    }
    phase_ = Phase::armed;
    trigger_at_ =
        trigger_delay_ ? last_now_ + *trigger_delay_ : std::numeric_limits<double>::infinity();
}

void Module::stop(double now) {
    advance(now);
    for (Channel& c : channels_) {
        if (c.timed) {
            c.timed = false;
            c.line = 0;
        }
    }
    phase_ = Phase::idle;
}

void Module::clear_latches(double now, int channel) {
    advance(now);
    for (int ch = 1; ch <= kChannels; ++ch) {
        if (channel == 0 || channel == ch) {
            channel_at(ch).latches = 0;
            description_.readback.latches[static_cast<std::size_t>(ch - 1)].reset();
        }
    }
}

bool Module::running(double now) {
    advance(now);
    return phase_ != Phase::idle;
}

int16_t Module::run_flag(double now) {
    const bool up = running(now);
    return description_.readback.run_flag.value_or(up ? 1 : 0);
}

int16_t Module::state(double now, int channel) {
    advance(now);
    if (auto word = description_.readback.states[static_cast<std::size_t>(channel - 1)]) {
        return *word;
    }
    const Channel& c = channel_at(channel);
    if (c.stuck >= 0) return static_cast<int16_t>(c.stuck);
    if (c.line == 0) return 0;
    return c.broken ? 3 : static_cast<int16_t>(c.line);
}

int16_t Module::latches(double now, int channel) {
    advance(now);
    if (auto word = description_.readback.latches[static_cast<std::size_t>(channel - 1)]) {
        return *word;
    }
    return static_cast<int16_t>(channel_at(channel).latches);
}

}  // namespace sim
