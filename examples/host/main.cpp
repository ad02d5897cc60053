// qorm_host: the example host program on the simulated crate. It opens the crate's carrier,
// shows its panel of mezzanine positions and opens the QORM front panels from there.
//
//   qorm_host [--sim=CRATE.yaml] [--carrier=RESOURCE] [--backend=VIEW|headless] [--script=FILE]
//
// VIEW is the windowed view of the platform: qt on Linux, win32 on Windows.
//
// Headless it needs a script: the same operator scripts as qorm's, naming the host's panel HOST
// and its controls HOST_LIST, HOST_OPEN, HOST_HIDE, HOST_CLOSE and HOST_EXIT. Scripts come with
// the project's own tree; built on its own against the installed package, the host runs in the
// Qt view only.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "bindings.h"
#include "host.h"
#include "sim/sim.h"
#include "uir/runtime.h"
#include "userint.h"
#ifdef QORM_HOST_SCRIPTS
#include "line_file.h"
#include "native.h"
#include "options.h"
#include "script_backend.h"
#include "script_runner.h"
#endif
#ifdef QORM_HAVE_QT
#include "uir/qt.h"
#endif
#ifdef QORM_HAVE_WIN32
#include "uir/win32.h"
#endif

namespace {

#ifdef QORM_HOST_SCRIPTS
void print_line(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

[[noreturn]] void end_with_script(int exit_status) {
    std::fflush(stdout);
    std::exit(exit_status);
}
#endif

// The three libraries bound to the simulated crate (the built-in one, or a crate file's), its
// modules on the run-time's clock.
bool bind_simulated_crate(const std::string& crate_file) {
    std::string error;
    std::optional<sim::Crate> crate =
        crate_file.empty() ? sim::default_crate() : sim::load_crate_file(crate_file, &error);
    if (!crate) {
        std::fprintf(stderr, "qorm_host: файл крейта не принят: %s\n", error.c_str());
        return false;
    }
    sim::install(*crate);
    sim::set_clock([] { return Timer(); });
    if (platform::bind_visa(sim::visa_api(), &error) < 0 ||
        platform::bind_kelqorm(sim::kelqorm_api(), &error) < 0 ||
        platform::bind_kelbase(sim::kelbase_api(), &error) < 0) {
        std::fprintf(stderr, "qorm_host: %s\n", error.c_str());
        return false;
    }
    return true;
}

bool use_windowed_view() {
#ifdef QORM_HAVE_QT
    std::string why;
    if (!uir::qt::display_available(&why)) {
        std::fprintf(stderr, "qorm_host: нет дисплея (%s)\n", why.c_str());
        return false;
    }
    uir::use_backend(uir::qt::make_backend({}));
    return true;
#elif defined(QORM_HAVE_WIN32)
    std::string why;
    if (!uir::win32::display_available(&why)) {
        std::fprintf(stderr, "qorm_host: нет окон (%s)\n", why.c_str());
        return false;
    }
    uir::use_backend(uir::win32::make_backend({}));
    return true;
#elif defined(_WIN32)
    std::fprintf(
        stderr, "qorm_host: собран без окон Windows; без окон: --backend=headless --script=ФАЙЛ\n");
    return false;
#else
    std::fprintf(stderr, "qorm_host: собран без Qt; без окон: --backend=headless --script=ФАЙЛ\n");
    return false;
#endif
}

}  // namespace

int main(int argc, char** argv) {
#ifdef QORM_HOST_SCRIPTS
    // In the project's tree the host shares the program's start: closed standard descriptors are
    // opened on /dev/null, so nothing it writes lands in whatever file took their place.
    app::open_missing_standard_descriptors();
    platform::native::use_utf8_console();
    platform::native::Arguments arguments(argc, argv);
    const int arg_count = arguments.argc();
    char** const arg_values = arguments.argv();
    const std::string windowed = app::Options::kWindowedName;
#else
    // Built on its own the host has the Qt view only, and takes its arguments as Linux gives
    // them, in UTF-8.
    const int arg_count = argc;
    char** const arg_values = argv;
    const std::string windowed = "qt";
#endif
    CLI::App cli{"Пример программы-носителя для передней панели QORM", "qorm_host"};
    std::string crate, carrier, backend = windowed, script_file;
    cli.add_option("--sim", crate, "Файл симулированного крейта (без него: встроенный)");
    cli.add_option("--carrier", carrier, "Ресурс VISA носителя (без него: первый найденный)");
    cli.add_option("--backend", backend, windowed + " или headless")
        ->check(CLI::IsMember({windowed, std::string("headless")}));
    cli.add_option("--script", script_file, "Сценарий действий оператора (без окон)");
    CLI11_PARSE(cli, arg_count, arg_values);

    if (!bind_simulated_crate(crate)) return 2;

#ifdef QORM_HOST_SCRIPTS
    std::unique_ptr<app::script::Runner> runner;
    if (!script_file.empty()) {
        app::script::ParseError parse_error;
        auto script = app::script::load(script_file, {.simulated = true}, &parse_error);
        if (!script) {
            std::fprintf(stderr, "qorm_host: сценарий %s, строка %d: %s\n", script_file.c_str(),
                         parse_error.line, parse_error.reason.c_str());
            return 2;
        }
        uir::use_backend(std::make_unique<app::script::ScriptBackend>());
        runner =
            std::make_unique<app::script::Runner>(std::move(*script), print_line, end_with_script);
        runner->run_prologue();
        runner->start();
    } else if (backend == "headless" || !use_windowed_view()) {
        std::fprintf(stderr, "qorm_host: без окон нужен сценарий: --script=ФАЙЛ\n");
        return 2;
    }
#else
    if (!script_file.empty() || backend == "headless") {
        std::fprintf(stderr, "qorm_host: эта сборка не выполняет сценарии; только окна Qt\n");
        return 2;
    }
    if (!use_windowed_view()) return 2;
#endif

    if (InitUserInterface() < 0) return 1;
    host::Host host;
    if (host::open_carrier(&host, carrier.empty() ? nullptr : carrier.c_str()) < 0) {
        MessagePopup("Носитель", "Носитель не найден");
    } else if (host::build_panel(&host) > 0) {
        host::run(&host);
    }
#ifdef QORM_HOST_SCRIPTS
    const int status = runner ? runner->program_ended() : 0;
#else
    const int status = 0;
#endif
    QuitUserInterface(0);
    return status;
}
