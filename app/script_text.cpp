#include "script_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "ctext/ctext.h"

namespace app::script {

// Control bytes and bytes that are no UTF-8 character (a driver's text in another encoding) are
// written as \xHH, so a recorded script stays UTF-8 text and replays the same bytes.
std::string quote(std::string_view text) {
    return ctext::quoted_bytes(text);
}

std::string number_text(double value) {
    if (!std::isfinite(value)) return value != value ? "nan" : (value < 0 ? "-inf" : "inf");
    if (value == 0) return "0";  // also -0
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string seconds_text(double seconds) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", seconds);
    std::string text = buffer;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
}

std::optional<ParsedNumber> parse_number(std::string_view word) {
    if (word.empty()) return std::nullopt;
    std::string_view digits = word;
    const bool negative = digits.front() == '-';
    if (negative || digits.front() == '+') digits.remove_prefix(1);
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        unsigned long long n = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n, 16);
        if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
        if (n > (1ULL << 53)) return std::nullopt;
        const double v = static_cast<double>(n);
        return ParsedNumber{negative ? -v : v, true};
    }
    // from_chars takes no leading '+' and would take "inf" and "nan": only digits may start.
    if (digits.empty() || !(std::isdigit(static_cast<unsigned char>(digits[0])) ||
                            (digits[0] == '.' && digits.size() > 1)))
        return std::nullopt;
    double v = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(v))
        return std::nullopt;
    const bool integer = digits.find_first_of(".eE") == std::string_view::npos;
    return ParsedNumber{negative ? -v : v, integer};
}

bool valid_utf8(std::string_view text) {
    return ctext::valid_utf8(text);
}

}  // namespace app::script
