// bench_win32_cpu_probe.exe: what the front panel costs the machine while an operator looks at it,
// with the native Win32 view (run under wine on an X display, or on Windows): the CPU time of the
// four phases of probe_phases.h, measured with GetProcessTimes, the peak working set and the time
// from start to the main panel drawn.
//
// Under wine, part of the work of the windowing system is done by the wineserver process, which
// this program cannot see and does not count: read its CPU time from /proc/PID/stat around a
// phase to add it.
//
// Under wine every window made and painted is a number of round trips to wineserver, so the start
// depends on what a round trip costs on the machine: scripts/bench-windows-startup runs --start
// ten times and says under which conditions.
//
//   bench_win32_cpu_probe [SECONDS_PER_PHASE]   (default 20)
//   bench_win32_cpu_probe --start               only the start to the main panel drawn
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "probe_phases.h"
#include "uir/automation.h"
#include "uir/callbacks.h"
#include "uir/layout.h"
#include "uir/runtime.h"
#include "uir/win32.h"
#include "uir/win32_windows.h"
#include "userint.h"
#include "win32_script.h"

namespace {

double counter_ms() {
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    const double started = counter_ms();
    probe::Run run;
    run.start_goal_ms = 300;
    if (argc > 1 && std::strcmp(argv[1], "--start") == 0)
        run.start_only = true;
    else if (argc > 1)
        run.phase_seconds = std::max(1.0, std::atof(argv[1]));

    tools::bind_simulated_crate();
    uir::use_backend(uir::win32::make_backend({" [симуляция]"}));
    if (InitUserInterface() < 0) {
        std::fprintf(stderr, "bench_win32_cpu_probe: the Win32 view cannot start\n");
        return 1;
    }
    std::string error;
    ModuleInstance* m = tools::open_simulated_module(&error);
    if (!m) {
        std::fprintf(stderr, "bench_win32_cpu_probe: %s\n", error.c_str());
        return 1;
    }

    tools::Win32Script script;
    probe::add_phases(
        script, m, run,
        [m] {
            HWND w = uir::win32::window_of(m->mp_panel);
            if (!w || !IsWindowVisible(w)) return false;
            // Every control's pending paint done: the panel is drawn in full.
            RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            GdiFlush();
            return true;
        },
        [started] { return counter_ms() - started; });
    script.start();
    qorm_display(m);
    probe::print_report("QORM front panel, Win32 view", run);
    uir::shutdown();
    return 0;
}
