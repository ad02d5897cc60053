// The driver calls a script can check: every VISA and driver call since the script's last action,
// read from the lines the tracing tables write (the same text --trace prints).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "script.h"

namespace app::script {

class CallLog {
  public:
    // One trace line: "[TIME ]name(ARGS)[ -> OUTS] = STATUS". Lines that are not calls (the
    // tracer's own notices) are left out.
    void add_trace_line(std::string_view line);
    // The script acts: what follows belongs to the new action.
    void clear() { calls_.clear(); }
    // The action was refused after all: the calls before it still count.
    void restore(std::vector<ExpectedCall> calls) { calls_ = std::move(calls); }
    const std::vector<ExpectedCall>& calls() const { return calls_; }

  private:
    std::vector<ExpectedCall> calls_;
};

// The log the program's tracing tables feed while a script that checks calls runs.
CallLog& call_log();

}  // namespace app::script
