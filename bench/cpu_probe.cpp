// bench_cpu_probe: what the front panel costs the machine while an operator looks at it, with the
// Qt view (offscreen): the CPU time of the four phases of probe_phases.h, measured with getrusage,
// the peak memory and the time from start to the main panel drawn.
//
//   bench_cpu_probe [SECONDS_PER_PHASE]   (default 20)
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "probe_phases.h"
#include "qt_script.h"
#include "uir/automation.h"
#include "uir/qt.h"
#include "uir/qt_widgets.h"
#include "uir/runtime.h"
#include "userint.h"

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

int main(int argc, char** argv) {
    const Clock::time_point started = Clock::now();
    probe::Run run;
    if (argc > 1) run.phase_seconds = std::max(1.0, std::atof(argv[1]));
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

    tools::Script script;
    probe::add_phases(
        script, m, run,
        [m] {
            QWidget* w = uir::qt::window_of(m->mp_panel);
            if (!w || !w->isVisible()) return false;
            w->grab();  // drawn in full
            return true;
        },
        [started] {
            return std::chrono::duration<double, std::milli>(Clock::now() - started).count();
        });
    script.start();
    qorm_display(m);
    probe::print_report("QORM front panel, Qt view (offscreen)", run);
    uir::shutdown();
    return 0;
}
