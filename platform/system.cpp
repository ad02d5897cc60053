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
};

template <class Api>
SystemLibrary<Api>& library() {
    static SystemLibrary<Api> lib;
    return lib;
}

#if defined(_WIN32) && !defined(_WIN64)
// The vendors' 32-bit DLLs export stdcall functions, and the tables' function pointers do not
// carry that convention yet: a call through them would leave the stack unbalanced and crash the
// program. Until they do, the system libraries are not loaded at all; every call reports its
// library missing, and the load problem says why.
constexpr bool kSystemLibrariesCallable = false;
#else
constexpr bool kSystemLibrariesCallable = true;
#endif
const char* const kNotCallable =
    " (в сборке для 32-разрядной Windows библиотеки VISA и драйверов пока не вызываются: их "
    "функции stdcall, а таблицы вызовов ещё нет)";

std::vector<std::string> callable(std::vector<std::string> candidates) {
    if (!kSystemLibrariesCallable) candidates.clear();
    return candidates;
}

detail::LoadOutcome load_system(VisaApi& t) {
    return detail::load_into(t, callable(places::visa()), "VISA");
}
detail::LoadOutcome load_system(KelqormApi& t) {
    return detail::load_into(t, callable(places::kelqorm()), places::kKelqormLibrary,
                             detail::kSystemSlot);
}
detail::LoadOutcome load_system(KelbaseApi& t) {
    return detail::load_into(t, callable(places::kelbase()), places::kKelbaseLibrary);
}

template <class Api>
const Api& resolved() {
    SystemLibrary<Api>& lib = library<Api>();
    std::call_once(lib.once, [&lib]() noexcept {
        try {
            lib.problem = load_system(lib.resolved).problem;
            if (!kSystemLibrariesCallable) lib.problem += kNotCallable;
        } catch (...) {
            // Out of memory while naming the candidates: the library counts as missing.
            detail::disable(lib.resolved);
        }
        lib.tried.store(true, std::memory_order_release);
    });
    return lib.resolved;
}

// An operation of a system table: loads the library on first use, then calls its function (or
// the stub that reports it missing).
template <auto Member, class Field = decltype(Member)>
struct Lazy;
template <auto Member, class Api, class... A>
struct Lazy<Member, ViStatus (*Api::*)(A...)> {
    static ViStatus call(A... args) { return (resolved<Api>().*Member)(args...); }
};

#define QORM_LAZY(Api, field) .field = &Lazy<&Api::field>::call

const VisaApi kSystemVisa = {
    .origin = "system",
    .simulated = false,
    QORM_LAZY(VisaApi, open_default_rm),
    QORM_LAZY(VisaApi, find_rsrc),
    QORM_LAZY(VisaApi, find_next),
    QORM_LAZY(VisaApi, open),
    QORM_LAZY(VisaApi, close),
    QORM_LAZY(VisaApi, get_attribute),
};

const KelqormApi kSystemKelqorm = {
    .origin = "system",
    .simulated = false,
    QORM_LAZY(KelqormApi, init),
    QORM_LAZY(KelqormApi, connect),
    QORM_LAZY(KelqormApi, close),
    QORM_LAZY(KelqormApi, reset),
    QORM_LAZY(KelqormApi, self_test),
    QORM_LAZY(KelqormApi, error_message),
    QORM_LAZY(KelqormApi, revision_query),
    QORM_LAZY(KelqormApi, manual_cmd),
    QORM_LAZY(KelqormApi, manual_group_cmd),
    QORM_LAZY(KelqormApi, cmd_config),
    QORM_LAZY(KelqormApi, set_cmd_time),
    QORM_LAZY(KelqormApi, cmd_time_q),
    QORM_LAZY(KelqormApi, config_trigger),
    QORM_LAZY(KelqormApi, set_line),
    QORM_LAZY(KelqormApi, start),
    QORM_LAZY(KelqormApi, stop),
    QORM_LAZY(KelqormApi, gstart_q),
    QORM_LAZY(KelqormApi, state),
    QORM_LAZY(KelqormApi, trig_state),
    QORM_LAZY(KelqormApi, reset_trig),
    QORM_LAZY(KelqormApi, sft_interface),
    QORM_LAZY(KelqormApi, zqorm_test),
};

const KelbaseApi kSystemKelbase = {
    .origin = "system",
    .simulated = false,
    QORM_LAZY(KelbaseApi, init),
    QORM_LAZY(KelbaseApi, m_type_q),
};

#undef QORM_LAZY

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
