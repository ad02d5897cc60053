#include "crate_library.h"

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>

#include "ctext/ctext.h"
#include "sim/sim.h"

namespace {

std::recursive_mutex& crate_mutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

struct CrateState {
    std::once_flag loaded;
    bool refused = false;
    std::string refusal;  // the module driver's error text while the crate is refused
};

CrateState& crate_state() {
    static CrateState state;
    return state;
}

void load_crate(CrateState& state) noexcept {
    try {
        const char* path = std::getenv("QORM_SIM_CRATE");
        std::string error;
        std::optional<sim::Crate> crate = (path == nullptr || *path == '\0')
                                              ? sim::default_crate()
                                              : sim::load_crate_file(path, &error);
        if (!crate) {
            state.refused = true;
            state.refusal = "Файл крейта не принят: " + error;
            return;
        }
        sim::install(*crate);
        const auto start = std::chrono::steady_clock::now();
        sim::set_clock([start] {
            return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        });
    } catch (...) {
        // Out of memory while reading the crate: refused, with as much of the reason as fits.
        state.refused = true;
        try {
            state.refusal = "Файл крейта не принят: не хватает памяти";
        } catch (...) {
        }
    }
}

// The crate, read at the first call; false when it was refused. Called with the mutex held.
bool crate_ready() {
    CrateState& state = crate_state();
    std::call_once(state.loaded, [&state] { load_crate(state); });
    return !state.refused;
}

// While the crate is refused every operation reports its library missing; the module driver's
// error text says which file was refused and why, for any status.
ViStatus QORM_VI_FUNC refusal_text(ViSession, ViStatus, ViChar message[]) {
    ctext::copy(message, KELQORM_TEXT_LEN, crate_state().refusal);
    return VI_ERROR_LIBRARY_NFOUND;
}

#define QORM_REFUSED_STUB(ret, name, field, ...)             \
    static ret QORM_VI_FUNC field(QORM_TYPES(__VA_ARGS__)) { \
        return VI_ERROR_LIBRARY_NFOUND;                      \
    }
struct RefusedVisa {
    QORM_VISA_OPERATIONS(QORM_REFUSED_STUB)
};
struct RefusedKelqorm {
    QORM_KELQORM_OPERATIONS(QORM_REFUSED_STUB)
};
struct RefusedKelbase {
    QORM_KELBASE_OPERATIONS(QORM_REFUSED_STUB)
};
#undef QORM_REFUSED_STUB

constexpr platform::VisaApi kRefusedVisa =
    QORM_TABLE_OF(platform::VisaApi, QORM_VISA_OPERATIONS, RefusedVisa, "refused crate file", true);
constexpr platform::KelqormApi kRefusedKelqorm = [] {
    platform::KelqormApi table = QORM_TABLE_OF(platform::KelqormApi, QORM_KELQORM_OPERATIONS,
                                               RefusedKelqorm, "refused crate file", true);
    table.error_message = &refusal_text;
    return table;
}();
constexpr platform::KelbaseApi kRefusedKelbase = QORM_TABLE_OF(
    platform::KelbaseApi, QORM_KELBASE_OPERATIONS, RefusedKelbase, "refused crate file", true);

const platform::VisaApi& table_of(const platform::VisaApi*, bool ready) {
    return ready ? *sim::visa_api() : kRefusedVisa;
}
const platform::KelqormApi& table_of(const platform::KelqormApi*, bool ready) {
    return ready ? *sim::kelqorm_api() : kRefusedKelqorm;
}
const platform::KelbaseApi& table_of(const platform::KelbaseApi*, bool ready) {
    return ready ? *sim::kelbase_api() : kRefusedKelbase;
}

// Each operation holds the crate's lock for its whole call. The lock is recursive: the loop-back
// test calls the host's text callback from inside kelqorm_zqorm_test, and the callback may call
// the driver again.
#define QORM_CRATE_ENTRY(ret, name, field, ...)                                               \
    static ret QORM_VI_FUNC field(QORM_PARAMS(__VA_ARGS__)) {                                 \
        std::lock_guard<std::recursive_mutex> hold(crate_mutex());                            \
        const auto& table = table_of(static_cast<const QORM_TABLE*>(nullptr), crate_ready()); \
        return platform::call<&QORM_TABLE::field>(table, QORM_ARGS(__VA_ARGS__));             \
    }
#define QORM_TABLE platform::VisaApi
struct CrateVisa {
    QORM_VISA_OPERATIONS(QORM_CRATE_ENTRY)
};
#undef QORM_TABLE
#define QORM_TABLE platform::KelqormApi
struct CrateKelqorm {
    QORM_KELQORM_OPERATIONS(QORM_CRATE_ENTRY)
};
#undef QORM_TABLE
#define QORM_TABLE platform::KelbaseApi
struct CrateKelbase {
    QORM_KELBASE_OPERATIONS(QORM_CRATE_ENTRY)
};
#undef QORM_TABLE
#undef QORM_CRATE_ENTRY

constexpr platform::VisaApi kCrateVisa =
    QORM_TABLE_OF(platform::VisaApi, QORM_VISA_OPERATIONS, CrateVisa, "stand-in crate", true);
constexpr platform::KelqormApi kCrateKelqorm = QORM_TABLE_OF(
    platform::KelqormApi, QORM_KELQORM_OPERATIONS, CrateKelqorm, "stand-in crate", true);
constexpr platform::KelbaseApi kCrateKelbase = QORM_TABLE_OF(
    platform::KelbaseApi, QORM_KELBASE_OPERATIONS, CrateKelbase, "stand-in crate", true);

}  // namespace

extern "C" {

const platform::VisaApi* qorm_sim_crate_visa(void) {
    return &kCrateVisa;
}
const platform::KelqormApi* qorm_sim_crate_kelqorm(void) {
    return &kCrateKelqorm;
}
const platform::KelbaseApi* qorm_sim_crate_kelbase(void) {
    return &kCrateKelbase;
}

int qorm_sim_open_sessions(void) {
    std::lock_guard<std::recursive_mutex> hold(crate_mutex());
    if (!crate_ready()) return 0;
    try {
        return static_cast<int>(sim::open_visa_objects().size() +
                                sim::open_module_sessions().size());
    } catch (...) {
        return -1;
    }
}
}
