#include <charconv>
#include <cmath>
#include <mutex>

#include "trace_detail.h"

namespace platform {

namespace {
std::mutex g_mutex;
std::function<void(const std::string&)> g_sink;
std::function<double()> g_clock;
}  // namespace

void set_trace_sink(std::function<void(const std::string&)> sink) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_sink = std::move(sink);
}

void set_trace_clock(std::function<double()> clock) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_clock = std::move(clock);
}

namespace trace_detail {

double now() noexcept {
    try {
        std::function<double()> clock;
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            clock = g_clock;
        }
        return clock ? clock() : NAN;
    } catch (...) {
        return NAN;
    }
}

void notice(const std::string& line) noexcept {
    try {
        std::function<void(const std::string&)> sink;
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            sink = g_sink;
        }
        // The sink is called unlocked: it may itself make traced calls.
        if (sink) sink(line);
    } catch (...) {
    }
}

void emit(double time, const CallText& call, const CallText& outs, ViStatus status) noexcept {
    try {
        std::string line;
        if (!std::isnan(time)) {
            // Locale-free, like every number of the line.
            char buf[64];
            auto [end, ec] =
                std::to_chars(buf, buf + sizeof buf, time, std::chars_format::fixed, 6);
            if (ec == std::errc()) line.assign(buf, end).push_back(' ');
        }
        line += call.str();
        if (!outs.args().empty()) line += " -> " + join(outs.args(), ", ");
        line += " = " + format_status(status);
        notice(line);
    } catch (...) {
    }
}

}  // namespace trace_detail
}  // namespace platform
