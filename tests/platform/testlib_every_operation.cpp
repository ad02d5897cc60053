// A stand-in for VISA, the module driver and the carrier driver at once, built as the vendors
// build theirs: every operation of the three declaration lists, defined with the drivers' calling
// convention written out here (stdcall on 32-bit Windows) rather than taken from our own macro.
// Each operation notes where its first argument lies on the stack and returns 1000 plus its place
// in the lists, so a test can tell that the right function ran and whether the caller's stack was
// where it had been after the call returned.
#include <cstdint>
#include <string_view>

#include "bindings.h"

#if defined(_WIN32) && !defined(_WIN64)
#define STANDIN_CONVENTION __stdcall
#else
#define STANDIN_CONVENTION
#endif

#ifdef _WIN32
#define STANDIN_EXPORT __declspec(dllexport)
#else
#define STANDIN_EXPORT __attribute__((visibility("default")))
#endif

namespace {

std::uintptr_t g_first_argument[2];
int g_calls = 0;
int g_last_operation = -1;

constexpr int place_of(std::string_view name) {
    for (std::size_t i = 0; i < platform::kOperationNames.size(); ++i)
        if (platform::kOperationNames[i] == name) return static_cast<int>(i);
    return -1;
}

ViStatus note(int place, const void* first_argument) {
    if (g_calls < 2) g_first_argument[g_calls] = reinterpret_cast<std::uintptr_t>(first_argument);
    ++g_calls;
    g_last_operation = place;
    return 1000 + place;
}

}  // namespace

extern "C" {

// What the operations noted since the last reset (plain C functions, the platform's default
// convention).
STANDIN_EXPORT void standin_reset(void) {
    g_calls = 0;
    g_last_operation = -1;
    g_first_argument[0] = g_first_argument[1] = 0;
}
STANDIN_EXPORT int standin_calls(void) {
    return g_calls;
}
STANDIN_EXPORT int standin_last_operation(void) {
    return g_last_operation;
}
// How far the first argument of the second call lay from that of the first, in bytes: 0 when
// the caller's stack was back where it was.
STANDIN_EXPORT long standin_stack_moved(void) {
    return static_cast<long>(g_first_argument[1] - g_first_argument[0]);
}

#define STANDIN_PARAM(kind, type, name) [[maybe_unused]] type name
#define STANDIN_FIRST_NAME(first, ...) QORM_PARAM_NAME first
#define STANDIN_OPERATION(ret, name, field, ...)                                    \
    STANDIN_EXPORT ret STANDIN_CONVENTION name(QORM_MAP(STANDIN_PARAM, __VA_ARGS__)) { \
        return note(place_of(#name), &STANDIN_FIRST_NAME(__VA_ARGS__));             \
    }
QORM_VISA_OPERATIONS(STANDIN_OPERATION)
QORM_KELQORM_OPERATIONS(STANDIN_OPERATION)
QORM_KELBASE_OPERATIONS(STANDIN_OPERATION)

}  // extern "C"
