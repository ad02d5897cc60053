// The system libraries: tables whose operations load their library at the first call and then
// forward to it.
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "bindings.h"
#include "library_loader.h"
#include "library_places.h"

namespace platform {

namespace {

template <class Api>
struct SystemLibrary {
    std::once_flag once;
    std::atomic<bool> tried{false};
    Api resolved{};
    std::string problem;
    std::string missing_text;  // the context of a module driver table that could not be loaded
};

template <class Api>
SystemLibrary<Api>& library() {
    static SystemLibrary<Api> lib;
    return lib;
}

detail::LoadOutcome load_system(SystemLibrary<VisaApi>& lib) {
    return detail::load_into(lib.resolved, places::visa(), "VISA");
}
detail::LoadOutcome load_system(SystemLibrary<KelqormApi>& lib) {
    return detail::load_into(lib.resolved, places::kelqorm(), places::kKelqormLibrary,
                             lib.missing_text);
}
detail::LoadOutcome load_system(SystemLibrary<KelbaseApi>& lib) {
    return detail::load_into(lib.resolved, places::kelbase(), places::kKelbaseLibrary);
}

template <class Api>
const Api& resolved() {
    SystemLibrary<Api>& lib = library<Api>();
    std::call_once(lib.once, [&lib]() noexcept {
        try {
            lib.problem = load_system(lib).problem;
        } catch (...) {
            // Out of memory while naming the candidates: the library counts as missing.
            detail::disable(lib.resolved);
        }
        lib.tried.store(true, std::memory_order_release);
    });
    return lib.resolved;
}

// The operations of a system table: each loads the library on first use, then calls its
// function (or the stub that reports it missing).
#define QORM_LAZY(ret, name, field, ...)                                               \
    static ret QORM_VI_FUNC field(QORM_PARAMS(__VA_ARGS__)) {                          \
        return call<&QORM_TABLE::field>(resolved<QORM_TABLE>(), QORM_ARGS(__VA_ARGS__)); \
    }
#define QORM_TABLE VisaApi
struct LazyVisa {
    QORM_VISA_OPERATIONS(QORM_LAZY)
};
#undef QORM_TABLE
#define QORM_TABLE KelqormApi
struct LazyKelqorm {
    QORM_KELQORM_OPERATIONS(QORM_LAZY)
};
#undef QORM_TABLE
#define QORM_TABLE KelbaseApi
struct LazyKelbase {
    QORM_KELBASE_OPERATIONS(QORM_LAZY)
};
#undef QORM_TABLE
#undef QORM_LAZY

constexpr VisaApi kSystemVisa =
    QORM_TABLE_OF(VisaApi, QORM_VISA_OPERATIONS, LazyVisa, "system", false);
constexpr KelqormApi kSystemKelqorm =
    QORM_TABLE_OF(KelqormApi, QORM_KELQORM_OPERATIONS, LazyKelqorm, "system", false);
constexpr KelbaseApi kSystemKelbase =
    QORM_TABLE_OF(KelbaseApi, QORM_KELBASE_OPERATIONS, LazyKelbase, "system", false);

template <class Api>
std::string problem_of() {
    SystemLibrary<Api>& lib = library<Api>();
    return lib.tried.load(std::memory_order_acquire) ? lib.problem : std::string();
}

}  // namespace

const VisaApi* system_visa() {
    return &kSystemVisa;
}
const KelqormApi* system_kelqorm() {
    return &kSystemKelqorm;
}
const KelbaseApi* system_kelbase() {
    return &kSystemKelbase;
}

std::string system_load_problem(const char* library_name) {
    std::string name = library_name ? library_name : "";
    if (name == "visa") return problem_of<VisaApi>();
    if (name == "kelqorm") return problem_of<KelqormApi>();
    if (name == "kelbase") return problem_of<KelbaseApi>();
    return "неизвестная библиотека \"" + name + "\" (ожидается visa, kelqorm или kelbase)";
}

}  // namespace platform
