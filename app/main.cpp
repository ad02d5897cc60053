// qorm: the standalone front panel. Chooses the bindings (the system's VISA and drivers, or the
// simulated crate) and the user-interface backend (Qt windows, or headless), then runs the
// standalone start-up.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bindings.h"
#include "bindings_setup.h"
#include "options.h"
#include "si.h"
#include "uir.h"
#ifdef QORM_HAVE_QT
#include "qt/qt_backend.h"
#endif

namespace {

void print_version() {
    std::printf("qorm 1.2.2\n");
    std::printf("VISA и драйверы: %s\n",
                platform::simulated() ? "симулированный крейт" : "системные библиотеки");
}

// Headless without an operator: the run ends when nothing more can happen.
void end_headless_run(const std::string&) {
    std::fprintf(stderr, "qorm: работа без окон окончена: ждать больше нечего\n");
    std::exit(0);
}

bool choose_backend(const app::Options& options) {
    if (options.backend == app::Options::Backend::headless) {
        uir::use_backend(uir::headless::make_backend());
        uir::headless::on_failure(end_headless_run);
        return true;
    }
#ifdef QORM_HAVE_QT
    std::string why;
    if (!uir::qt::display_available(&why)) {
        std::fprintf(stderr,
                     "qorm: не удаётся открыть дисплей (%s); без окон: --backend=headless\n",
                     why.c_str());
        return false;
    }
    uir::qt::Options view;
    if (platform::simulated()) view.title_suffix = " [симуляция]";
    uir::use_backend(uir::qt::make_backend(view));
    return true;
#else
    std::fprintf(stderr, "qorm: собран без Qt; без окон: --backend=headless\n");
    return false;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    int exit_status = 0;
    const std::optional<app::Options> options = app::parse_options(argc, argv, &exit_status);
    if (!options) return exit_status;

    std::string error;
    if (!app::bind_libraries(*options, &error)) {
        std::fprintf(stderr, "qorm: файл крейта не принят: %s\n", error.c_str());
        return app::kUsageError;
    }
    if (options->version) {
        print_version();
        return 0;
    }
    if (!choose_backend(*options)) return app::kUsageError;
    // The run-time that cannot start shows nothing; that is the only failure of the start-up.
    return RunStandalone() < 0 ? 1 : 0;
}
