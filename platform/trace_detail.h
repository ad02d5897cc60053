// What the traced tables share with the trace's sink and clock (inside qorm_platform).
#pragma once

#include <string>

#include "call_text.h"
#include "trace.h"

namespace platform::trace_detail {

// The clock's time, or NaN when no clock is set (or it failed).
double now() noexcept;
// Sends one line: time, call, out-values (none when `outs` is empty) and status.
void emit(double time, const CallText& call, const CallText& outs, ViStatus status) noexcept;
void notice(const std::string& line) noexcept;

}  // namespace platform::trace_detail
