// The traced tables: for each library a few tables whose operations report the call and forward
// it to the inner table they stand for.
#include <array>
#include <atomic>
#include <cstddef>
#include <mutex>
#include <utility>

#include "trace_detail.h"

namespace platform {

namespace {

using trace_detail::emit;
using trace_detail::notice;
using trace_detail::now;

// A process traces the few tables it binds; the traced tables are made in advance, because
// their operations are plain functions: table S forwards to inner[S].
constexpr std::size_t kSlots = 8;

template <class Api>
struct Slots {
    std::array<Api, kSlots> tables;
    std::array<std::atomic<const Api*>, kSlots> inner{};
    std::mutex mutex;

    explicit Slots(std::array<Api, kSlots> made) : tables(made) {}

    const Api* attach(const Api* target, const char* kind) {
        if (target == nullptr) return nullptr;
        const char* origin = target->origin ? target->origin : "?";
        std::string_view missing = missing_operation(*target);
        if (!missing.empty()) {
            notice(std::string("trace: the ") + kind + " table (" + origin + ") has no " +
                   std::string(missing) + ", its calls are not traced");
            return target;
        }
        std::lock_guard<std::mutex> lock(mutex);
        for (std::size_t s = 0; s < kSlots; ++s)
            if (inner[s].load() == target) return &tables[s];
        for (std::size_t s = 0; s < kSlots; ++s) {
            if (inner[s].load() == nullptr) {
                tables[s].origin = target->origin;
                tables[s].simulated = target->simulated;
                inner[s].store(target);
                return &tables[s];
            }
        }
        notice(std::string("trace: no room to trace another ") + kind + " table (" + origin +
               "), its calls are not traced");
        return target;
    }
};

template <class Api>
Slots<Api>& slots();

// Reports a finished call: the in-arguments, and the out-values unless the status is negative
// (after an error they mean nothing). Nothing of it may reach the caller as an exception.
template <auto Entry, class... A>
void report(double time, ViStatus status, A... args) noexcept {
    try {
        CallText call = call_text<Entry>(args...);
        CallText outs("");
        if (status >= 0) outs = out_values<Entry>(args...);
        emit(time, call, outs, status);
    } catch (...) {
    }
}

template <auto Entry, class Api, class... A>
ViStatus traced_call(const Api* inner, A... args) {
    double t = now();
    ViStatus status = inner ? call<Entry>(*inner, args...) : VI_ERROR_NSUP_OPER;
    report<Entry>(t, status, args...);
    return status;
}

#define QORM_TRACED(ret, name, field, ...)                                          \
    static ret QORM_VI_FUNC field(QORM_PARAMS(__VA_ARGS__)) {                       \
        return traced_call<&QORM_TABLE::field>(slots<QORM_TABLE>().inner[S].load(), \
                                               QORM_ARGS(__VA_ARGS__));             \
    }

// The traced tables of slot S.
template <class Api, std::size_t S>
struct Traced;

#define QORM_TABLE VisaApi
template <std::size_t S>
struct Traced<VisaApi, S> {
    QORM_VISA_OPERATIONS(QORM_TRACED)
    static VisaApi table() {
        return QORM_TABLE_OF(VisaApi, QORM_VISA_OPERATIONS, Traced, nullptr, false);
    }
};
#undef QORM_TABLE
#define QORM_TABLE KelqormApi
template <std::size_t S>
struct Traced<KelqormApi, S> {
    QORM_KELQORM_OPERATIONS(QORM_TRACED)
    static KelqormApi table() {
        return QORM_TABLE_OF(KelqormApi, QORM_KELQORM_OPERATIONS, Traced, nullptr, false);
    }
};
#undef QORM_TABLE
#define QORM_TABLE KelbaseApi
template <std::size_t S>
struct Traced<KelbaseApi, S> {
    QORM_KELBASE_OPERATIONS(QORM_TRACED)
    static KelbaseApi table() {
        return QORM_TABLE_OF(KelbaseApi, QORM_KELBASE_OPERATIONS, Traced, nullptr, false);
    }
};
#undef QORM_TABLE
#undef QORM_TRACED

template <class Api, std::size_t... S>
std::array<Api, kSlots> make_tables(std::index_sequence<S...>) {
    return {Traced<Api, S>::table()...};
}

template <class Api>
Slots<Api>& slots() {
    static Slots<Api> s(make_tables<Api>(std::make_index_sequence<kSlots>()));
    return s;
}

}  // namespace

const VisaApi* traced(const VisaApi* inner) {
    return slots<VisaApi>().attach(inner, "VISA");
}
const KelqormApi* traced(const KelqormApi* inner) {
    return slots<KelqormApi>().attach(inner, "module driver");
}
const KelbaseApi* traced(const KelbaseApi* inner) {
    return slots<KelbaseApi>().attach(inner, "carrier driver");
}

}  // namespace platform
