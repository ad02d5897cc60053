#include "call_log.h"

#include <algorithm>
#include <cctype>

#include "sim/faults.h"

namespace app::script {

namespace {

// A program that polls for hours makes calls no check will ever look at: past this many since the
// last action only the newest are kept, so memory stays bounded.
constexpr std::size_t kMaxCallsKept = 100000;

}  // namespace

void CallLog::add_trace_line(std::string_view line) {
    std::size_t i = 0;
    // The clock's stamp, when there is one: digits and a point, then a blank.
    if (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i])) != 0) {
        while (i < line.size() && line[i] != ' ') ++i;
        if (i < line.size()) ++i;
    }
    ExpectedCall call;
    std::string why;
    if (!scan_call(line, &i, &call, &why)) return;
    if (i >= line.size() || line[i] != ' ') return;
    const auto& names = sim::operation_names();
    if (std::find(names.begin(), names.end(), call.operation) == names.end()) return;
    if (calls_.size() >= kMaxCallsKept)
        calls_.erase(calls_.begin(), calls_.begin() + kMaxCallsKept / 2);
    calls_.push_back(std::move(call));
}

CallLog& call_log() {
    static CallLog log;
    return log;
}

}  // namespace app::script
