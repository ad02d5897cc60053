// The system libraries: tables whose operations load their library at the first call and then
// forward to it.
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "bindings.h"
#include "library_loader.h"

namespace platform {

namespace {

std::vector<std::string> visa_candidates() {
#ifdef _WIN32
#ifdef _WIN64
    return {"visa64.dll", "visa32.dll"};
#else
    return {"visa32.dll"};
#endif
#else
    // The names and places the VISA vendors install to on Linux. The bare names go through the
    // loader's own search (LD_LIBRARY_PATH, the cache of ldconfig).
    return {
        "libvisa.so",
        "libvisa.so.0",
        "/usr/lib/x86_64-linux-gnu/libvisa.so",
        "/usr/local/vxipnp/linux/lib64/libvisa.so",
        "/usr/lib64/librsvisa.so",
        "/usr/lib/librsvisa.so",
        "/opt/keysight/iolibs/libktvisa32.so",
        "libivivisa.so.7",
    };
#endif
}

#ifdef _WIN32
const char* const kKelqormName = "kelqorm_32.dll";
const char* const kKelbaseName = "KELBASE_32.dll";
#else
const char* const kKelqormName = "libkelqorm.so";
const char* const kKelbaseName = "libkelbase.so";
#endif

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

detail::LoadOutcome load_system(VisaApi& t) {
    return detail::load_into(t, visa_candidates(), "VISA");
}
detail::LoadOutcome load_system(KelqormApi& t) {
    return detail::load_into(t, {kKelqormName}, kKelqormName, detail::kSystemSlot);
}
detail::LoadOutcome load_system(KelbaseApi& t) {
    return detail::load_into(t, {kKelbaseName}, kKelbaseName);
}

template <class Api>
const Api& resolved() {
    SystemLibrary<Api>& lib = library<Api>();
    std::call_once(lib.once, [&lib]() noexcept {
        try {
            lib.problem = load_system(lib.resolved).problem;
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
