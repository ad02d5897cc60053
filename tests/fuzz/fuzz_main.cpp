// One libFuzzer program per harness: QORM_FUZZ_HARNESS names the harness function.
#include "harnesses.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return fuzz::QORM_FUZZ_HARNESS(data, size);
}
