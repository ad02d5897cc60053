#include "typed_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace uir::win32 {

std::optional<double> parse_typed_number(std::string_view text) {
    const auto blank = [](char ch) { return ch == ' ' || ch == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (text.empty() || text.size() > 64) return std::nullopt;
    std::string s(text);
    if (std::count(s.begin(), s.end(), ',') + std::count(s.begin(), s.end(), '.') > 1)
        return std::nullopt;
    std::replace(s.begin(), s.end(), ',', '.');
    if (s.front() == '+') s.erase(0, 1);
    double v = 0;
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, v, std::chars_format::fixed);
    if (ec != std::errc() || ptr != end || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::string format_number(double value, int decimals) {
    decimals = std::clamp(decimals, 0, 15);
    char buf[400];  // the widest double: 309 digits, a point and 15 decimals
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    std::string out = buf;
    // "-0.000" is no number an operator wrote.
    if (out.find_first_not_of("-0.") == std::string::npos && out.front() == '-') out.erase(0, 1);
    return out;
}

}  // namespace uir::win32
