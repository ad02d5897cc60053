// bench_cpu_probe: what the front panel costs the machine while an operator looks at it. Runs the
// front panel on the simulated crate with the Qt view (offscreen) and measures, with getrusage,
// the CPU time of four phases of equal length:
//   idle, waiting       the front panel's own loop, nothing to do
//   polling, waiting    continuous polling on ("Постоянно"), ten polls a second
//   idle, spinning      a host callback that loops on ProcessSystemEvents, as a naive run loop
//   polling, spinning   would, first without and then with polling
// and prints them with the peak memory and the time from start to the main panel drawn.
//
//   bench_cpu_probe [SECONDS_PER_PHASE]   (default 20)
#include <sys/resource.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "qorm_uir.h"
#include "qt_script.h"
#include "uir/automation.h"
#include "uir/qt.h"
#include "uir/qt_widgets.h"
#include "uir/runtime.h"
#include "userint.h"

namespace {

namespace ua = uir::automation;
using Clock = std::chrono::steady_clock;

double cpu_seconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto tv = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return tv(u.ru_utime) + tv(u.ru_stime);
}

struct Phase {
    const char* name;
    double wall0 = 0, cpu0 = 0, wall = 0, cpu = 0;
    std::uint64_t events0 = 0, events = 0;
    void begin() {
        wall0 = Timer();
        cpu0 = cpu_seconds();
        events0 = uir::events_dispatched();
    }
    void end() {
        wall = Timer() - wall0;
        cpu = cpu_seconds() - cpu0;
        events = uir::events_dispatched() - events0;
    }
};

Phase g_phases[] = {{"idle, waiting"},
                    {"polling, waiting"},
                    {"idle, spinning on ProcessSystemEvents"},
                    {"polling, spinning on ProcessSystemEvents"}};
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

}  // namespace

int main(int argc, char** argv) {
    const Clock::time_point started = Clock::now();
    if (argc > 1) g_phase_seconds = std::max(1.0, std::atof(argv[1]));
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));

    tools::bind_simulated_crate();
    uir::use_backend(uir::qt::make_backend({" [симуляция]"}));
    if (InitUserInterface() < 0) {
        std::fprintf(stderr, "bench_cpu_probe: the Qt view cannot start\n");
        return 1;
    }
    std::string error;
    ModuleInstance* m = tools::open_simulated_module(&error);
    if (!m) {
        std::fprintf(stderr, "bench_cpu_probe: %s\n", error.c_str());
        return 1;
    }

    double shown_ms = -1;
    HostPanel host;
    const double settle = 0.5;
    const double phase = g_phase_seconds;
    tools::Script script;
    script
        .until(0,
               [&] {
                   QWidget* w = uir::qt::window_of(m->mp_panel);
                   if (!w || !w->isVisible()) return false;
                   w->grab();  // drawn in full
                   shown_ms =
                       std::chrono::duration<double, std::milli>(Clock::now() - started).count();
                   host = make_host_panel();
                   return true;
               })
        .then(settle, [] { g_phases[0].begin(); })
        .then(phase, [] { g_phases[0].end(); })
        .then(settle, [m] { ua::set_value(m->mp_panel, MP_STATE_CONT, 1); })
        .then(settle, [] { g_phases[1].begin(); })
        .then(phase, [] { g_phases[1].end(); })
        .then(settle, [m] { ua::set_value(m->mp_panel, MP_STATE_CONT, 0); })
        .then(settle,
              [&] {
                  g_spin_phase = &g_phases[2];
                  ua::press(host.panel, host.button);
              })
        .then(phase + settle, [m] { ua::set_value(m->mp_panel, MP_STATE_CONT, 1); })
        .then(settle,
              [&] {
                  g_spin_phase = &g_phases[3];
                  ua::press(host.panel, host.button);
              })
        .then(phase + settle, [m] { ua::press(m->mp_panel, MP_CLOSE); })
        .then(settle, [m] { ua::press(m->exit_panel, EXIT_POPUP_EXIT_YES); });
    script.start();
    qorm_display(m);

    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    std::printf("QORM front panel, Qt view (offscreen), simulated crate; %.0f s per phase\n\n",
                phase);
    std::printf("%-42s %8s %8s %14s %8s\n", "phase", "wall s", "cpu s", "% of one core", "events");
    for (const Phase& p : g_phases) {
        const double share = p.wall > 0 ? 100.0 * p.cpu / p.wall : 0;
        std::printf("%-42s %8.2f %8.3f %13.2f%% %8llu\n", p.name, p.wall, p.cpu, share,
                    static_cast<unsigned long long>(p.events));
    }
    std::printf("\npeak memory (ru_maxrss)          %8.1f MB\n", u.ru_maxrss / 1024.0);
    std::printf("start to main panel drawn        %8.1f ms\n", shown_ms);
    std::printf("\ngoals: idle <= 0.5%%, polling <= 1.5%% of one core; <= 60 MB; <= 150 ms\n");
    uir::shutdown();
    return 0;
}
