#include "call_text.h"

#include <charconv>
#include <cstdio>

#include "attributes.h"
#include "ctext/ctext.h"

namespace platform {

namespace {

std::string hex8(ViUInt32 value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(value));
    return buf;
}

}  // namespace

std::string format_integer(long long value) {
    return std::to_string(value);
}

std::string format_real(double value) {
    // to_chars ignores the locale: the Qt view may switch the process to a Russian locale,
    // whose decimal comma would change every logged time.
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 6);
    if (ec != std::errc()) return "?";
    return std::string(buf, end);
}

std::string format_status(ViStatus status) {
    return hex8(static_cast<ViUInt32>(status));
}

std::string format_text(const char* text, std::size_t buffer_size) {
    if (text == nullptr) return "null";
    const std::size_t n = ctext::bounded_length(text, buffer_size);
    std::string out = ctext::quoted(std::string_view(text, n));
    if (n == buffer_size) out += "...";
    return out;
}

std::string format_codes(const ViInt16* codes, std::size_t count) {
    if (codes == nullptr) return "null";
    std::string out = "[";
    for (std::size_t i = 0; i < count;) {
        std::size_t run = 1;
        while (i + run < count && codes[i + run] == codes[i]) ++run;
        if (i > 0) out += ' ';
        if (run >= 3) {
            out += std::to_string(codes[i]) + '*' + std::to_string(run);
            i += run;
        } else {
            out += std::to_string(codes[i]);
            i += 1;
        }
    }
    return out + ']';
}

std::string format_attribute(ViAttr attribute) {
    const Attribute* a = find_attribute(attribute);
    return a ? std::string(a->name) : hex8(attribute);
}

CallText& CallText::attribute_value(ViAttr attribute, const void* value) {
    const Attribute* a = find_attribute(attribute);
    if (value == nullptr || a == nullptr) return *this;
    switch (a->type) {
        case AttributeType::text:
            return text(static_cast<const char*>(value), VI_FIND_BUFLEN);
        case AttributeType::int16:
            return integer(*static_cast<const ViInt16*>(value));
        case AttributeType::uint16:
            return integer(*static_cast<const ViUInt16*>(value));
    }
    return *this;
}

std::string CallText::str() const {
    return op_ + '(' + join(args_, ", ") + ')';
}

std::string join(const std::vector<std::string>& parts, std::string_view separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += separator;
        out += parts[i];
    }
    return out;
}

}  // namespace platform
