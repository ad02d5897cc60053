// What the traced tables of the three kinds share (inside qorm_platform).
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <utility>

#include "call_text.h"
#include "trace.h"

namespace platform::trace_detail {

constexpr std::size_t kSlots = 8;

// The clock's time, or NaN when no clock is set (or it failed).
double now() noexcept;
// Sends one line: time, call, out-values (none when `outs` is empty) and status.
void emit(double time, const CallText& call, const CallText& outs, ViStatus status) noexcept;
void notice(const std::string& line) noexcept;

// Reports a finished call. `in` writes the in-arguments; `out` the out-values, and is only asked
// when the status is not negative. Nothing of it may reach the caller as an exception.
template <class In, class Out>
void report(const char* op, double time, ViStatus status, In&& in, Out&& out) noexcept {
    try {
        CallText call(op);
        in(call);
        CallText outs("");
        if (status >= 0) out(outs);
        emit(time, call, outs, status);
    } catch (...) {
    }
}

// Calls the inner table's operation; an empty operation reports itself unsupported.
template <class Api, class Fn, class... A>
ViStatus call_inner(const Api* inner, Fn Api::*operation, A... args) {
    Fn fn = inner ? inner->*operation : nullptr;
    return fn ? fn(args...) : VI_ERROR_NSUP_OPER;
}

// Traced tables of one kind: table S forwards to inner[S].
template <class Api>
struct Slots {
    std::array<Api, kSlots> tables;
    std::array<std::atomic<const Api*>, kSlots> inner{};
    std::mutex mutex;

    explicit Slots(std::array<Api, kSlots> made) : tables(made) {}

    const Api* attach(const Api* target, const char* kind) {
        if (target == nullptr) return nullptr;
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
        notice(std::string("trace: no room to trace another ") + kind + " table (" +
               (target->origin ? target->origin : "?") + "), its calls are not traced");
        return target;
    }
};

// Builds the kSlots tables from a function template `Make<S>()`.
template <class Api, class Make, std::size_t... S>
std::array<Api, kSlots> make_tables(Make make, std::index_sequence<S...>) {
    return {make(std::integral_constant<std::size_t, S>())...};
}

}  // namespace platform::trace_detail
