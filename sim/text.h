// Small text helpers of the simulator: ASCII case folding (resource names compare without case),
// bounded copies into the callers' fixed-size buffers, and UTF-8 characters (also used by the
// program's script texts).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// Copies `text` into `dst` of `size` bytes, cut to fit and always NUL-terminated. A cut never
// splits a UTF-8 sequence.
inline void copy_text(char* dst, std::size_t size, std::string_view text) {
    if (size == 0) return;
    std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
    if (n < text.size()) {
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    }
    text.copy(dst, n);
    dst[n] = '\0';
}

// The length of the well-formed UTF-8 character that starts `text`: 1 to 4, or 0 when the bytes
// there are not one (a stray continuation byte, a character cut short, an overlong form, a
// surrogate, a code point past U+10FFFF) or `text` is empty.
inline std::size_t utf8_character_length(std::string_view text) {
    if (text.empty()) return 0;
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) return 1;
    std::size_t more = 0;
    uint32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
        more = 1;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        more = 2;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        more = 3;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() <= more) return 0;
    for (std::size_t k = 1; k <= more; ++k) {
        const auto next = static_cast<unsigned char>(text[k]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    constexpr uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (code < kLeast[more] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return more + 1;
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
