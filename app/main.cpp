// qorm: the standalone front panel. Chooses the bindings (the system's VISA and drivers, or the
// simulated crate) and the user-interface backend (Qt windows, the native Windows view, or
// headless), then runs the standalone start-up. Headless, it can perform a script of operator
// actions and checks; with any backend it can record the operator's actions as such a script.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "bindings.h"
#include "bindings_setup.h"
#include "native.h"
#include "options.h"
#include "recorder.h"
#include "script.h"
#include "script_backend.h"
#include "script_runner.h"
#include "si.h"
#include "uir/automation.h"
#include "uir/headless.h"
#include "uir/runtime.h"
#include "userint.h"
#ifdef QORM_HAVE_QT
#include "uir/qt.h"
#endif
#ifdef QORM_HAVE_WIN32
#include "uir/win32.h"
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
        if (!options.script.empty()) {
            uir::use_backend(std::make_unique<app::script::ScriptBackend>());
        } else {
            uir::use_backend(uir::headless::make_backend());
            uir::headless::on_failure(end_headless_run);
        }
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
#elif defined(QORM_HAVE_WIN32)
    std::string why;
    if (!uir::win32::display_available(&why)) {
        std::fprintf(stderr, "qorm: не удаётся открыть окна (%s); без окон: --backend=headless\n",
                     why.c_str());
        return false;
    }
    uir::win32::Options view;
    if (platform::simulated()) view.title_suffix = " [симуляция]";
    uir::use_backend(uir::win32::make_backend(view));
    return true;
#elif defined(_WIN32)
    // Built without the native view: a windowed run is refused rather than turned into a run
    // without windows that the operator did not ask for.
    std::fprintf(stderr, "qorm: собран без окон Windows; без окон: --backend=headless\n");
    return false;
#else
    std::fprintf(stderr, "qorm: собран без Qt; без окон: --backend=headless\n");
    return false;
#endif
}

// The file a session is recorded into; each line is written through at once, so an interrupted
// session keeps what was done up to then.
class RecordFile {
  public:
    bool open(const std::string& path) {
        file_ = platform::native::open_file(path, "w");
        if (file_ == nullptr) {
            std::fprintf(stderr, "qorm: не удаётся записать сценарий в %s: %s\n", path.c_str(),
                         std::strerror(errno));
            return false;
        }
        write("# Сеанс оператора, записанный qorm --record: действия, паузы и окна сообщений.");
        write(
            "# Повторить без окон: qorm --backend=headless --sim[=ФАЙЛ_КРЕЙТА] --script=ЭТОТ_ФАЙЛ");
        recorder_ = std::make_unique<app::Recorder>(
            [this](const std::string& line) { write(line); }, [] { return Timer(); });
        uir::automation::set_observer(
            [this](const uir::automation::Action& action) { recorder_->observe(action); });
        return true;
    }
    void close() {
        if (file_ == nullptr) return;
        uir::automation::set_observer(nullptr);
        recorder_->flush();
        std::fclose(file_);
        file_ = nullptr;
    }
    // At exit the run-time's observer may already be gone: only the file is finished here.
    ~RecordFile() {
        if (file_ == nullptr) return;
        recorder_->flush();
        std::fclose(file_);
    }

  private:
    void write(const std::string& line) {
        std::fprintf(file_, "%s\n", line.c_str());
        std::fflush(file_);
    }
    std::FILE* file_ = nullptr;
    std::unique_ptr<app::Recorder> recorder_;
};

RecordFile record_file;

void print_line(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// The script has ended while the front panel still runs: the program ends with it.
[[noreturn]] void end_with_script(int exit_status) {
    record_file.close();
    std::fflush(stdout);
    std::exit(exit_status);
}

}  // namespace

int main(int argc, char** argv) {
    platform::native::use_utf8_console();
    platform::native::Arguments arguments(argc, argv);
    int exit_status = 0;
    const std::optional<app::Options> options =
        app::parse_options(arguments.argc(), arguments.argv(), &exit_status);
    if (!options) return exit_status;

    // A script that cannot be read is refused before anything runs.
    std::optional<app::script::Script> script;
    if (!options->script.empty()) {
        app::script::ParseError error;
        script = app::script::load(options->script, {.simulated = options->simulated}, &error);
        if (!script) {
            if (error.line > 0)
                std::fprintf(stderr, "qorm: сценарий %s, строка %d: %s\n", options->script.c_str(),
                             error.line, error.reason.c_str());
            else
                std::fprintf(stderr, "qorm: сценарий %s: %s\n", options->script.c_str(),
                             error.reason.c_str());
            return app::kUsageError;
        }
    }

    std::string error;
    if (!app::bind_libraries(*options, &error)) {
        std::fprintf(stderr, "qorm: %s\n", error.c_str());
        return app::kUsageError;
    }
    if (options->version) {
        print_version();
        return 0;
    }
    if (!choose_backend(*options)) return app::kUsageError;
    if (!options->record.empty() && !record_file.open(options->record)) return app::kUsageError;

    if (!script) {
        // The run-time that cannot start shows nothing; that is the only failure of the start-up.
        const int st = RunStandalone();
        record_file.close();
        return st < 0 ? 1 : 0;
    }

    app::script::Runner runner(std::move(*script), print_line, end_with_script);
    runner.run_prologue();
    if (runner.finished()) return runner.exit_status();
    runner.start();
    if (RunStandalone() < 0) {
        std::fprintf(stderr, "qorm: интерфейс пользователя не запустился\n");
        record_file.close();
        return app::script::kFailed;
    }
    const int status = runner.program_ended();
    record_file.close();
    return status;
}
