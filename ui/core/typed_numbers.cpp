#include "typed_numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace uir::rules {
namespace {

bool blank(char c) {
    return c == ' ' || c == '\t';
}

bool digit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// The number's parts as typed: sign, whole digits, separator, decimal digits.
struct Parts {
    Typed verdict = Typed::invalid;
    std::string normalised;  // with '.' as separator, for the conversion
};

Parts read(std::string_view text, int decimals) {
    Parts out;
    if (text.size() > kMaxTypedChars) return out;
    const std::string_view s = trimmed(text);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        if (s[i] == '-') out.normalised += '-';
        ++i;
    }
    int whole = 0, fraction = 0;
    bool separator = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (digit(c)) {
            (separator ? fraction : whole) += 1;
            out.normalised += c;
        } else if ((c == ',' || c == '.') && !separator && decimals > 0) {
            separator = true;
            out.normalised += '.';
        } else {
            return out;
        }
    }
    if (fraction > decimals) return out;
    out.verdict = whole + fraction == 0 ? Typed::intermediate : Typed::acceptable;
    return out;
}

}  // namespace

Typed classify_typed_number(std::string_view text, int decimals) {
    return read(text, decimals).verdict;
}

std::optional<double> parse_typed_number(std::string_view text, int decimals) {
    Parts p = read(text, decimals);
    if (p.verdict != Typed::acceptable) return std::nullopt;
    // The conversion gets a plain form: no '+' (never copied), a digit before the point, none
    // after a lone trailing point. An acceptable text has at least one digit.
    std::string_view n = p.normalised;
    if (n.back() == '.') n.remove_suffix(1);
    std::string plain;
    if (n.front() == '-') {
        plain += '-';
        n.remove_prefix(1);
    }
    if (n.front() == '.') plain += '0';
    plain += n;
    double v = 0;
    const char* first = plain.data();
    const char* last = first + plain.size();
    const auto [end, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || end != last || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::string format_number(double value, int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals > 15) decimals = 15;
    char buffer[400];  // %f of the largest double has 309 digits before the point
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string s = buffer;
    // A negative value that shows as zero shows no sign.
    if (s.front() == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

std::string widest_number_text(double min, double max, int decimals) {
    const std::string a = format_number(min, decimals);
    const std::string b = format_number(max, decimals);
    if (a.size() != b.size()) return a.size() > b.size() ? a : b;
    return a.front() == '-' ? a : b;
}

}  // namespace uir::rules
