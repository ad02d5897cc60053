#include "bindings_setup.h"

#include <cstdio>

#include "allocation.h"
#include "bindings.h"
#include "call_log.h"
#include "sim/faults.h"
#include "sim/sim.h"
#include "trace.h"
#include "userint.h"

namespace app {

bool bind_libraries(const Options& options, std::string* error, TraceSink trace_sink,
                    bool log_calls) {
    const platform::VisaApi* visa = platform::system_visa();
    const platform::KelqormApi* kelqorm = platform::system_kelqorm();
    const platform::KelbaseApi* kelbase = platform::system_kelbase();
    if (options.simulated) {
        std::optional<sim::Crate> crate = options.crate_file.empty()
                                              ? sim::default_crate()
                                              : sim::load_crate_file(options.crate_file, error);
        if (!crate) {
            if (error) *error = "файл крейта не принят: " + *error;
            return false;
        }
        sim::install(*crate);
        // `fail memory` reaches the front panel's record allocation through the platform.
        platform::set_allocation_check([] { return !sim::take_memory_fault(); });
        // The simulated modules run on the run-time's clock, whichever choose_clock gives.
        sim::set_clock([] { return Timer(); });
        visa = sim::visa_api();
        kelqorm = sim::kelqorm_api();
        kelbase = sim::kelbase_api();
    }
    if (options.trace || log_calls) {
        if (options.trace && !trace_sink)
            trace_sink = [](const std::string& line) {
                std::fprintf(stderr, "%s\n", line.c_str());
            };
        if (!options.trace) trace_sink = nullptr;
        platform::set_trace_sink(
            [trace_sink = std::move(trace_sink), log_calls](const std::string& line) {
                if (trace_sink) trace_sink(line);
                if (log_calls) script::call_log().add_trace_line(line);
            });
        platform::set_trace_clock([] { return Timer(); });
        visa = platform::traced(visa);
        kelqorm = platform::traced(kelqorm);
        kelbase = platform::traced(kelbase);
    }
    // The tables are checked when bound; one that is refused leaves the program without it.
    std::string problem;
    if (platform::bind_visa(visa, &problem) < 0 || platform::bind_kelqorm(kelqorm, &problem) < 0 ||
        platform::bind_kelbase(kelbase, &problem) < 0) {
        if (error) *error = problem;
        return false;
    }
    return true;
}

std::optional<RunClock> choose_clock(const Options& options, std::string* error) {
    using Clock = Options::Clock;
    const bool windows = options.backend == Options::Backend::qt;
    if (options.clock == Clock::virtual_time) {
        if (!platform::simulated()) {
            if (error)
                *error =
                    "виртуальные часы (--clock=virtual) только на симулированном крейте (--sim): "
                    "настоящий модуль работает в настоящих секундах, и паузы сценария и панели "
                    "закончились бы раньше, чем он переключится";
            return std::nullopt;
        }
        if (windows) {
            if (error)
                *error =
                    "в окнах часы всегда настоящие: --clock=virtual только с "
                    "--backend=headless";
            return std::nullopt;
        }
        return RunClock::virtual_time;
    }
    if (options.clock == Clock::real || windows || !platform::simulated()) return RunClock::steady;
    return RunClock::virtual_time;
}

}  // namespace app
