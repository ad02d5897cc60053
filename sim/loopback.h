// The loop-back test with the test connector QORM-Z: what the driver reports, line by line, and
// its verdict. Without the connector nothing comes back on any channel and the test stops at
// once; with it every channel is driven onto line 1 and line 2 and read back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/module.h"

namespace sim {

struct LoopbackLine {
    int16_t channel;  // 0 for a line about the whole module
    int32_t kind;     // KELQORM_LINE_PROGRESS or KELQORM_LINE_FAULT
    std::string text;
};

struct LoopbackReport {
    std::vector<LoopbackLine> lines;
    int16_t result = 0;  // 0 pass, the number of faulty channels, or kZtestNoConnector
    std::string summary;
};

LoopbackReport loopback_report(const Module& module);

}  // namespace sim
