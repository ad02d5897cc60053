// qorm_host: the example host program on the simulated crate. It opens the crate's carrier,
// shows its panel of mezzanine positions and opens the QORM front panels from there.
//
//   qorm_host [--sim=CRATE.yaml] [--carrier=RESOURCE] [--backend=VIEW|headless] [--script=FILE]
//
// VIEW is the windowed view of the platform: qt on Linux, win32 on Windows.
//
// Headless it needs a script: the same operator scripts as qorm's, naming the host's panel HOST
// and its controls HOST_LIST, HOST_OPEN, HOST_HIDE, HOST_CLOSE and HOST_EXIT.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bindings_setup.h"
#include "host.h"
#include "line_file.h"
#include "native.h"
#include "options.h"
#include "script_backend.h"
#include "script_runner.h"
#include "uir/runtime.h"
#include "userint.h"
#ifdef QORM_HAVE_QT
#include "uir/qt.h"
#endif
#ifdef QORM_HAVE_WIN32
#include "uir/win32.h"
#endif

namespace {

void print_line(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

[[noreturn]] void end_with_script(int exit_status) {
    std::fflush(stdout);
    std::exit(exit_status);
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
    app::open_missing_standard_descriptors();
    platform::native::use_utf8_console();
    platform::native::Arguments arguments(argc, argv);
    CLI::App cli{"Пример программы-носителя для передней панели QORM", "qorm_host"};
    std::string crate, carrier, backend = app::Options::kWindowedName, script_file;
    cli.add_option("--sim", crate, "Файл симулированного крейта (без него: встроенный)");
    cli.add_option("--carrier", carrier, "Ресурс VISA носителя (без него: первый найденный)");
    cli.add_option("--backend", backend, std::string(app::Options::kWindowedName) + " или headless")
        ->check(CLI::IsMember({std::string(app::Options::kWindowedName), std::string("headless")}));
    cli.add_option("--script", script_file, "Сценарий действий оператора (без окон)");
    CLI11_PARSE(cli, arguments.argc(), arguments.argv());

    app::Options options;
    options.simulated = true;
    options.crate_file = crate;
    std::string error;
    if (!app::bind_libraries(options, &error)) {
        std::fprintf(stderr, "qorm_host: %s\n", error.c_str());
        return 2;
    }

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

    if (InitUserInterface() < 0) return 1;
    host::Host host;
    if (host::open_carrier(&host, carrier.empty() ? nullptr : carrier.c_str()) < 0) {
        MessagePopup("Носитель", "Носитель не найден");
    } else if (host::build_panel(&host) > 0) {
        host::run(&host);
    }
    const int status = runner ? runner->program_ended() : 0;
    QuitUserInterface(0);
    return status;
}
