// The CPU an idle headless run costs on the steady clock: the front panel's run loop waiting for
// the operator while its polling timer ticks every 0.1 s. Prints the wall time, the CPU time and
// their ratio; the goal is a ratio close to 0 (the wait sleeps until the next tick instead of
// spinning). Not a Google Benchmark case: it measures one run of real seconds.
//   bench_headless_idle [SECONDS]   default 3
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "uir/headless.h"
#include "uir/runtime.h"
#include "userint.h"

namespace {

int g_ticks = 0;

int UIR_CALLBACK tickCB(int, int, int event, void*, int, int) {
    if (event == EVENT_TIMER_TICK) ++g_ticks;
    return 0;
}

double cpu_seconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    uir::use_backend(uir::headless::make_backend(uir::headless::Clock::steady));
    if (InitUserInterface() < 0) return 1;
    const int panel = NewPanel(0, "idle", 0, 0, 100, 100);
    const int timer = NewCtrl(panel, CTRL_TIMER, "", 0, 0);
    SetCtrlAttribute(panel, timer, ATTR_CALLBACK_FUNCTION_POINTER, tickCB);
    SetCtrlAttribute(panel, timer, ATTR_INTERVAL, 0.1);
    SetCtrlAttribute(panel, timer, ATTR_ENABLED, 1);
    DisplayPanel(panel);

    const double cpu0 = cpu_seconds();
    const auto wall0 = std::chrono::steady_clock::now();
    while (Timer() < seconds) {
        if (ProcessSystemEventsWaiting() < 0) return 1;
    }
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    const double cpu = cpu_seconds() - cpu0;
    std::printf(
        "headless steady clock, idle with a 0.1 s timer: wall %.3f s, CPU %.4f s "
        "(%.2f %%), %d ticks\n",
        wall, cpu, 100.0 * cpu / wall, g_ticks);
    uir::shutdown();
    return 0;
}
