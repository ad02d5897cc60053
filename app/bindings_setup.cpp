#include "bindings_setup.h"

#include <cstdio>

#include "bindings.h"
#include "sim/sim.h"
#include "trace.h"
#include "userint.h"

namespace app {

bool bind_libraries(const Options& options, std::string* error, TraceSink trace_sink) {
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
        // The simulated modules run on the run-time's clock: steady under Qt, virtual headless.
        sim::set_clock([] { return Timer(); });
        visa = sim::visa_api();
        kelqorm = sim::kelqorm_api();
        kelbase = sim::kelbase_api();
    }
    if (options.trace) {
        if (!trace_sink)
            trace_sink = [](const std::string& line) {
                std::fprintf(stderr, "%s\n", line.c_str());
            };
        platform::set_trace_sink(std::move(trace_sink));
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

}  // namespace app
