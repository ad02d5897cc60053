// One simulated QORM module: 30 channels, each idle or on line 1 or 2, with two switching latches;
// manual and group switching; timed sequences; the time step of its hardware revision.
//
// The module is evaluated lazily: every call passes the current time, and what happened since the
// previous call (a trigger, channels whose time is over) is worked out then. No threads, no
// timers. Time that seems to run backwards is taken as standing still.
//
// Behaviour, as the driver documents it:
// - Switching a channel onto a line sets that line's latch; the latches stay set until cleared.
// - A manual command acts at once and takes the channel out of a running sequence. On 0 releases
//   the channel whatever the line code; on 1 with line 0 releases it too.
// - A group command with on 1 switches every channel whose code is 1 or 2 onto that line; with
//   on 0 it releases every channel whose code is 1 or 2. Channels with code 0 are left as they are.
// - A sequence starts with kelqorm_start's 30 codes: every channel with code 1 or 2 goes onto that
//   line at the same moment and stays for its programmed time; the run flag is up from the start
//   until the last of them is back at 0. Start mode 1 starts at once; start mode 0 arms the
//   sequence until the carrier's trigger (the crate's trigger delay after the start); the run flag
//   is up while armed. A new start ends the sequence before it. Stop ends it, armed or running;
//   channels switched by hand stay as they are.
// - Reset: every channel idle, latches cleared, every time back to kResetTime, programmed lines 0,
//   start mode 1. Broken and stuck channels stay so: they are hardware faults.
// - A stuck channel always reports its stuck state and never sets a latch. A broken channel
//   reports 3 (fault) while it is switched on and never sets a latch.
// - The words of the description's read-back registers, where set, are reported in place of
//   the model's; clearing the latches, or a reset, clears the latch words too.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "sim/crate.h"

namespace sim {

struct TimeStep {
    double step;  // seconds per count
    int max_count;
};
inline constexpr TimeStep kFineStep{0.005, 2047};   // 0.005 to 10.235
inline constexpr TimeStep kCoarseStep{0.025, 255};  // 0.025 to 6.375
inline constexpr double kResetTime = 0.05;

// The finer step belongs to revisions whose first character, as a signed 8-bit code, is above '2'.
bool fine_step_revision(const std::string& hardware_revision);

// The number of steps nearest to `seconds`, or nothing when it lies outside 1 to max_count steps
// (beyond a rounding tolerance far below one step) or is not a number.
std::optional<int> time_to_steps(double seconds, const TimeStep& step);

class Module {
  public:
    Module(const Mezzanine& mezzanine, std::optional<double> trigger_delay);

    const Mezzanine& description() const { return description_; }
    // The description, for changing the module while the crate is installed.
    Mezzanine& description() { return description_; }
    // The step of the module's hardware revision.
    TimeStep time_step() const;

    void reset(double now);

    // Arguments are checked by the driver before these are called.
    void manual(double now, int channel, int line, bool on);
    void manual_group(double now, bool on, const int16_t lines[kChannels]);
    // Channel 0 stands for every channel in set_steps, set_line and clear_latches.
    void set_steps(double now, int channel, int steps);
    double time_of(int channel) const;
    void set_line(double now, int channel, int line);
    void set_start_mode(double now, int mode);
    void start(double now, const int16_t lines[kChannels]);
    void stop(double now);
    void clear_latches(double now, int channel);

    bool running(double now);
    // What the run-flag register reports: 1 while running.
    int16_t run_flag(double now);
    int16_t state(double now, int channel);
    int16_t latches(double now, int channel);

    void stick(int channel, int state) { channel_at(channel).stuck = state; }
    void set_broken(int channel, bool broken) { channel_at(channel).broken = broken; }
    int stuck_state(int channel) const {
        return channels_[static_cast<std::size_t>(channel - 1)].stuck;
    }
    bool broken(int channel) const {
        return channels_[static_cast<std::size_t>(channel - 1)].broken;
    }

  private:
    struct Channel {
        int line = 0;        // the line the channel is switched onto, 0 when released
        bool timed = false;  // switched by the sequence: released again at `until`
        double until = 0;
        int latches = 0;  // bit 0 line 1, bit 1 line 2
        int steps = 0;
        int programmed_line = 0;
        bool broken = false;
        int stuck = -1;  // -1 when the channel follows its commands
    };
    enum class Phase { idle, armed, running };

    Channel& channel_at(int channel) { return channels_[static_cast<std::size_t>(channel - 1)]; }
    void advance(double now);
    void fire(double at);
    void switch_onto(Channel& c, int line);
    void settle();

    Mezzanine description_;
    std::optional<double> trigger_delay_;
    std::array<Channel, kChannels> channels_{};
    Phase phase_ = Phase::idle;
    double trigger_at_ = 0;
    std::array<int16_t, kChannels> run_lines_{};
    int start_mode_ = 1;
    double last_now_ = 0;
};

}  // namespace sim
