// Small text helpers of the simulator: ASCII case folding (resource names compare without case),
// integers as crate files and fault commands write them, and bounded copies into the callers'
// fixed-size buffers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ctext/ctext.h"

namespace sim {

inline char fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool iequals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

inline std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = fold(c);
    return out;
}

// Copies `text` into `dst` of `size` bytes, cut to fit at a character boundary and always
// NUL-terminated.
inline void copy_text(char* dst, std::size_t size, std::string_view text) {
    ctext::copy(dst, size, text);
}

// A whole integer in decimal or 0x hex, with an optional sign; nothing else around it.
inline std::optional<int64_t> parse_integer(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty() || s.size() > 12) return std::nullopt;
    int64_t value = 0;
    for (char c : s) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && fold(c) >= 'a' && fold(c) <= 'f')
            digit = fold(c) - 'a' + 10;
        if (digit < 0) return std::nullopt;
        value = value * base + digit;
    }
    return negative ? -value : value;
}

}  // namespace sim
