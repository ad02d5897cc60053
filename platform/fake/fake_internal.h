// What the three fake tables share (inside qorm_fake).
#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "call_text.h"
#include "fake.h"

namespace fake::detail {

// Where a call's record sits in the log; the log may be cleared while the call runs.
struct LogPlace {
    unsigned long generation = 0;
    std::size_t index = static_cast<std::size_t>(-1);
};

LogPlace log_call(const platform::CallText& text);
void set_status(LogPlace place, ViStatus status);
std::optional<ViStatus> take_scripted(std::string_view op);

// The fake tables, defined beside their operations.
extern const platform::VisaApi visa_table;
extern const platform::KelqormApi kelqorm_table;
extern const platform::KelbaseApi kelbase_table;

// Closes every VISA session and restarts the numbering (part of reset()).
void reset_visa_sessions();
// Opens an instrument session on a listed resource, unlogged; 0 when the name is not listed.
ViSession open_instrument(std::string_view resource_name);

// One call answered in the order fake.h describes. `in` writes the call's arguments; `invalid`
// is the first argument check that failed (0 when all passed); the hook, when set, replaces
// `effect`. Nothing thrown inside reaches the caller.
template <class In, class Hook, class Effect, class... A>
ViStatus answer(const char* op, In&& in, ViStatus invalid, const Hook& hook, Effect&& effect,
                A... args) noexcept {
    LogPlace place;
    ViStatus status = VI_ERROR_SYSTEM_ERROR;
    try {
        platform::CallText text(op);
        in(text);
        place = log_call(text);
        if (invalid < 0) {
            status = invalid;
        } else {
            std::optional<ViStatus> scripted = take_scripted(op);
            if (scripted && *scripted < 0) {
                status = *scripted;
            } else {
                // A copy: the hook may replace itself, or reset the fake, while it runs.
                Hook h = hook;
                status = h ? h(args...) : effect();
                // A scripted warning does not hide a failed effect.
                if (scripted && status >= 0) status = *scripted;
            }
        }
    } catch (...) {
        status = VI_ERROR_SYSTEM_ERROR;
    }
    set_status(place, status);
    return status;
}

// Argument checks: 0 when the argument is good, else the parameter's error status.
inline ViStatus need_pointer(const void* p, int param) {
    return p ? VI_SUCCESS : error_parameter(param);
}
inline ViStatus need_range(long value, long low, long high, int param) {
    return value >= low && value <= high ? VI_SUCCESS : error_parameter(param);
}
// 30 line codes, each 0 to 2.
ViStatus need_codes(const ViInt16* codes, int param);
// The first failed check of a call, 0 when all passed.
inline ViStatus first_error(std::initializer_list<ViStatus> checks) {
    for (ViStatus s : checks)
        if (s != VI_SUCCESS) return s;
    return VI_SUCCESS;
}

}  // namespace fake::detail
