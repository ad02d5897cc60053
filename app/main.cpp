// qorm: the standalone front panel. Chooses the bindings (the system's VISA and drivers, or the
// simulated crate) and the user-interface backend (Qt windows, or headless), then runs the
// standalone start-up. Headless, it can perform a script of operator actions and checks; with
// any backend it can record the operator's actions as such a script.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bindings.h"
#include "bindings_setup.h"
#include "call_log.h"
#include "line_file.h"
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

namespace {

void print_version() {
    std::printf("qorm 1.2.2\n");
    std::printf("VISA и драйверы: %s\n",
                platform::simulated() ? "симулированный крейт" : "системные библиотеки");
}

int finish(int exit_status);

// Headless without an operator: the run ends when nothing more can happen.
void end_headless_run(const std::string&) {
    std::fprintf(stderr, "qorm: работа без окон окончена: ждать больше нечего\n");
    std::exit(finish(0));
}

bool choose_backend(const app::Options& options) {
    std::string why;
    const std::optional<app::RunClock> clock = app::choose_clock(options, &why);
    if (!clock) {
        std::fprintf(stderr, "qorm: %s (см. qorm --help)\n", why.c_str());
        return false;
    }
    if (options.backend == app::Options::Backend::headless) {
        const uir::headless::Clock headless_clock = *clock == app::RunClock::steady
                                                        ? uir::headless::Clock::steady
                                                        : uir::headless::Clock::virtual_time;
        if (!options.script.empty()) {
            uir::use_backend(std::make_unique<app::script::ScriptBackend>(headless_clock));
        } else {
            uir::use_backend(uir::headless::make_backend(headless_clock));
            uir::headless::on_failure(end_headless_run);
        }
        return true;
    }
#ifdef QORM_HAVE_QT
    if (!uir::qt::display_available(&why)) {
        std::fprintf(stderr,
                     "qorm: не удаётся открыть дисплей (%s); без окон: --backend=headless\n",
                     why.c_str());
        return false;
    }
    uir::qt::Options view;
    if (platform::simulated()) view.title_suffix = " [симуляция]";
    view.scripted = !options.script.empty();
    view.step_delay = options.step_delay;
    uir::use_backend(uir::qt::make_backend(view));
    return true;
#else
    std::fprintf(stderr, "qorm: собран без Qt; без окон: --backend=headless\n");
    return false;
#endif
}

// The file a session is recorded into, line by line as the operator acts.
class RecordFile {
  public:
    bool open(const std::string& path) {
        if (!file_.open(path, "сценарий")) return false;
        file_.write(
            "# Сеанс оператора, записанный qorm --record: действия, паузы и окна сообщений.");
        file_.write(
            "# Повторить без окон: qorm --backend=headless --sim[=ФАЙЛ_КРЕЙТА] --script=ЭТОТ_ФАЙЛ");
        recorder_ = std::make_unique<app::Recorder>(
            [this](const std::string& line) { file_.write(line); }, [] { return Timer(); });
        uir::automation::set_observer(
            [this](const uir::automation::Action& action) { recorder_->observe(action); });
        return true;
    }
    void close() {
        if (!file_.is_open()) return;
        uir::automation::set_observer(nullptr);
        recorder_->flush();
        file_.close();
    }
    bool failed() const { return file_.failed(); }
    // At exit the run-time's observer may already be gone: only the file is finished here.
    ~RecordFile() {
        if (file_.is_open()) recorder_->flush();
    }

  private:
    app::LineFile file_;
    std::unique_ptr<app::Recorder> recorder_;
};

RecordFile record_file;
app::LineFile trace_file;

// The program's exit status once its files are finished: a run that went through but whose
// recording could not be written whole does not end as a success.
int finish(int exit_status) {
    record_file.close();
    trace_file.close();
    return exit_status == 0 && record_file.failed() ? app::kRecordingLost : exit_status;
}

// The scripted operator of the backend chosen: headless, or the Qt backend made for the script.
app::script::Operator script_operator(const app::Options& options) {
#ifdef QORM_HAVE_QT
    if (options.backend == app::Options::Backend::qt) {
        app::script::Operator op;
        op.schedule = [](double delay, std::function<void()> step) {
            uir::qt::schedule(delay, std::move(step));
        };
        op.popups = [] {
            std::vector<app::script::Popup> seen;
            for (const uir::qt::Popup& p : uir::qt::popups())
                seen.push_back({p.kind, p.title, p.text, p.answer});
            return seen;
        };
        op.answer_confirm = [](bool yes) { uir::qt::answer_confirm(yes); };
        op.on_failure = [](std::function<void(const std::string&)> handler) {
            uir::qt::on_failure(std::move(handler));
        };
        op.step_delay = options.step_delay;
        return op;
    }
#endif
    (void)options;
    return app::script::headless_operator();
}

void print_line(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// The script has ended while the front panel still runs: the program ends with it.
[[noreturn]] void end_with_script(int exit_status) {
    std::fflush(stdout);
    std::exit(finish(exit_status));
}

}  // namespace

int main(int argc, char** argv) {
    app::open_missing_standard_descriptors();
    int exit_status = 0;
    const std::optional<app::Options> options = app::parse_options(argc, argv, &exit_status);
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

    app::TraceSink trace_sink;
    if (!options->trace_file.empty()) {
        if (!trace_file.open(options->trace_file, "трассировку")) return app::kUsageError;
        trace_sink = [](const std::string& line) { trace_file.write(line); };
    }
    std::string error;
    if (!app::bind_libraries(*options, &error, trace_sink,
                             script && app::script::checks_calls(*script))) {
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
        return finish(st < 0 ? 1 : 0);
    }

    const bool log_calls = app::script::checks_calls(*script);
    app::script::Runner runner(std::move(*script), print_line, end_with_script,
                               script_operator(*options));
    if (log_calls) runner.set_call_log(&app::script::call_log());
    runner.run_prologue();
    if (runner.finished()) return finish(runner.exit_status());
    runner.start();
    if (RunStandalone() < 0) {
        std::fprintf(stderr, "qorm: интерфейс пользователя не запустился\n");
        return finish(app::script::kFailed);
    }
    // The front panel has ended as the operator ended it: what the program returns without a
    // script (0), for `check exit`.
    return finish(runner.program_ended(0));
}
