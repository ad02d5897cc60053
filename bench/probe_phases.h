// The CPU probes' common part: what the front panel costs the machine while an operator looks at
// it, in four phases of equal length on the simulated crate:
//   idle, waiting       the front panel's own loop, nothing to do
//   polling, waiting    continuous polling on ("Постоянно"), ten polls a second
//   idle, spinning      a host callback that loops on ProcessSystemEvents, as a naive run loop
//   polling, spinning   would, first without and then with polling
// Each view's probe starts its view, supplies its script of timed steps and the test that the
// main panel is drawn, and prints the report.
#pragma once

#include <cstdint>
#include <functional>

#include "qorm.h"
#include "script_steps.h"

namespace probe {

// CPU seconds the process has used (user and system) and its peak memory in bytes.
double cpu_seconds();
double peak_memory_bytes();

struct Phase {
    const char* name;
    double wall0 = 0, cpu0 = 0, wall = 0, cpu = 0;
    std::uint64_t events0 = 0, events = 0;
    void begin();
    void end();
};

struct Run {
    Phase phases[4] = {{"idle, waiting"},
                       {"polling, waiting"},
                       {"idle, spinning on ProcessSystemEvents"},
                       {"polling, spinning on ProcessSystemEvents"}};
    double phase_seconds = 20;
    double shown_ms = -1;  // start to main panel drawn
    double start_goal_ms = 150;
    // Only the start: the program closes as soon as the main panel is drawn, with no phases.
    bool start_only = false;
};

// Adds the steps of a run to `script`: wait until `drawn()` (which draws the main panel in full
// and returns true once it is on the screen), then the four phases (none when `start_only`), then
// the exit.
// `since_start_ms()` gives the milliseconds since the program started.
void add_phases(tools::ScriptSteps& script, ModuleInstance* m, Run& run,
                std::function<bool()> drawn, std::function<double()> since_start_ms);

void print_report(const char* title, const Run& run);

}  // namespace probe
