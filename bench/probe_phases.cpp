#include "probe_phases.h"

#include <algorithm>
#include <cstdio>

#include "qorm_uir.h"
#include "uir/automation.h"
#include "uir/callbacks.h"
#include "uir/layout.h"
#include "uir/runtime.h"
#include "userint.h"

#ifdef _WIN32
#include <windows.h>

#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace probe {
namespace {

namespace ua = uir::automation;

Phase* g_spin_phase = nullptr;
double g_phase_seconds = 20;

// The naive host: its callback keeps the panels alive by calling ProcessSystemEvents in a loop.
int UIR_CALLBACK spin_cb(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT || !g_spin_phase) return 0;
    Phase& phase = *g_spin_phase;
    phase.begin();
    while (Timer() - phase.wall0 < g_phase_seconds) ProcessSystemEvents();
    phase.end();
    g_spin_phase = nullptr;
    return 0;
}

struct HostPanel {
    int panel = 0;
    int button = 0;
};

HostPanel make_host_panel() {
    HostPanel host;
    host.panel = NewPanel(0, "Хост", 20, 700, 60, 160);
    host.button = NewCtrl(host.panel, CTRL_COMMAND_BUTTON, "Крутить", 16, 30);
    SetCtrlAttribute(host.panel, host.button, ATTR_CALLBACK_FUNCTION_POINTER, spin_cb);
    DisplayPanel(host.panel);
    return host;
}

HostPanel g_host;

}  // namespace

#ifdef _WIN32
double cpu_seconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

double peak_memory_bytes() {
    PROCESS_MEMORY_COUNTERS c{};
    c.cb = sizeof c;
    GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
    return static_cast<double>(c.PeakWorkingSetSize);
}
#else
double cpu_seconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto tv = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return tv(u.ru_utime) + tv(u.ru_stime);
}

double peak_memory_bytes() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss * 1024.0;
}
#endif

void Phase::begin() {
    wall0 = Timer();
    cpu0 = cpu_seconds();
    events0 = uir::events_dispatched();
}

void Phase::end() {
    wall = Timer() - wall0;
    cpu = cpu_seconds() - cpu0;
    events = uir::events_dispatched() - events0;
}

void add_phases(tools::ScriptSteps& script, ModuleInstance* m, Run& run,
                std::function<bool()> drawn, std::function<double()> since_start_ms) {
    g_phase_seconds = run.phase_seconds;
    const double settle = 0.5;
    const double phase = run.phase_seconds;
    Phase* phases = run.phases;
    script
        .until(0,
               [&run, drawn, since_start_ms] {
                   if (!drawn()) return false;
                   run.shown_ms = since_start_ms();
                   if (!run.start_only) g_host = make_host_panel();
                   return true;
               });
    if (run.start_only) {
        script.then(0, [m] { ua::press(m->mp_panel, MP_CLOSE); })
            .then(0, [m] { ua::press(m->exit_panel, EXIT_POPUP_EXIT_YES); });
        return;
    }
    script.then(settle, [phases] { phases[0].begin(); })
        .then(phase, [phases] { phases[0].end(); })
        .then(settle, [m] { ua::set_value(m->mp_panel, MP_STATE_CONT, 1); })
        .then(settle, [phases] { phases[1].begin(); })
        .then(phase, [phases] { phases[1].end(); })
        .then(settle, [m] { ua::set_value(m->mp_panel, MP_STATE_CONT, 0); })
        .then(settle,
              [phases] {
                  g_spin_phase = &phases[2];
                  ua::press(g_host.panel, g_host.button);
              })
        .then(phase + settle, [m] { ua::set_value(m->mp_panel, MP_STATE_CONT, 1); })
        .then(settle,
              [phases] {
                  g_spin_phase = &phases[3];
                  ua::press(g_host.panel, g_host.button);
              })
        .then(phase + settle, [m] { ua::press(m->mp_panel, MP_CLOSE); })
        .then(settle, [m] { ua::press(m->exit_panel, EXIT_POPUP_EXIT_YES); });
}

void print_report(const char* title, const Run& run) {
    if (run.start_only) {
        std::printf("start to main panel drawn        %8.1f ms   (goal <= %.0f ms)\n", run.shown_ms,
                    run.start_goal_ms);
        std::fflush(stdout);
        return;
    }
    std::printf("%s, simulated crate; %.0f s per phase\n\n", title, run.phase_seconds);
    std::printf("%-42s %8s %8s %14s %8s\n", "phase", "wall s", "cpu s", "% of one core", "events");
    for (const Phase& p : run.phases) {
        // Two readings of the process times can come out a hair apart the wrong way (seen under
        // wine in an idle phase); a phase never used less than nothing.
        const double cpu = std::max(0.0, p.cpu);
        const double share = p.wall > 0 ? 100.0 * cpu / p.wall : 0;
        std::printf("%-42s %8.2f %8.3f %13.2f%% %8llu\n", p.name, p.wall, cpu, share,
                    static_cast<unsigned long long>(p.events));
    }
    std::printf("\npeak memory                      %8.1f MB\n", peak_memory_bytes() / 1048576.0);
    std::printf("start to main panel drawn        %8.1f ms\n", run.shown_ms);
    std::printf("\ngoals: idle <= 0.5%%, polling <= 1.5%% of one core; <= 60 MB; <= %.0f ms\n",
                run.start_goal_ms);
    std::fflush(stdout);
}

}  // namespace probe
