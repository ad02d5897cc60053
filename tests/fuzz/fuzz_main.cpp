// One libFuzzer program per harness: QORM_FUZZ_HARNESS names the harness function.
//
// An input may take at most a second of the processor's time; more is a finding. The time is the
// thread's own, not the clock on the wall, so a machine busy with other work does not make a
// quick input look slow. (libFuzzer's own -timeout, on the wall clock, is left to catch an input
// that never returns.)
#include <time.h>

#include <cstdio>

#include "harnesses.h"

namespace {

constexpr double kMaxSecondsPerInput = 1.0;

double thread_seconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const double start = thread_seconds();
    const int result = fuzz::QORM_FUZZ_HARNESS(data, size);
    const double spent = thread_seconds() - start;
    if (spent > kMaxSecondsPerInput) {
        std::fprintf(stderr, "fuzz: one input took %.2f s of processor time (at most %.0f s)\n",
                     spent, kMaxSecondsPerInput);
        __builtin_trap();
    }
    return result;
}
