#include "ctext/ctext.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace ctext {

namespace {

bool is_continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::size_t bounded_length(const char* text, std::size_t size) {
    if (text == nullptr) return 0;
    const void* nul = std::memchr(text, '\0', size);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : size;
}

std::size_t fitting_length(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    // text[n] is the first byte left out; while it continues a character, that character began
    // inside the kept part and goes too.
    std::size_t n = limit;
    while (n > 0 && is_continuation(text[n])) --n;
    return n;
}

std::size_t copy(char* dst, std::size_t size, std::string_view text) {
    if (dst == nullptr || size == 0) return 0;
    const std::size_t n = fitting_length(text, size - 1);
    if (n > 0) std::memmove(dst, text.data(), n);
    dst[n] = '\0';
    return n;
}

std::size_t copy(char* dst, std::size_t size, const char* src, std::size_t src_size) {
    if (src == nullptr) return copy(dst, size, std::string_view());
    return copy(dst, size, std::string_view(src, bounded_length(src, src_size)));
}

std::size_t append(char* dst, std::size_t size, std::string_view tail) {
    if (dst == nullptr || size == 0) return 0;
    std::size_t used = bounded_length(dst, size);
    if (used == size) {
        used = fitting_length(std::string_view(dst, size), size - 1);
    }
    return used + copy(dst + used, size - used, tail);
}

namespace {

void append_hex_byte(std::string& out, unsigned char c) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", c);
    out += hex;
}

}  // namespace

std::string quoted(std::string_view text, Controls controls) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if ((c < 0x20 || c == 0x7F) && controls == Controls::hex) {
                    append_hex_byte(out, c);
                } else {
                    out += ch;
                }
        }
    }
    return out + '"';
}

std::size_t utf8_character_length(std::string_view text) {
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

bool valid_utf8(std::string_view text) {
    while (!text.empty()) {
        const std::size_t n = utf8_character_length(text);
        if (n == 0) return false;
        text.remove_prefix(n);
    }
    return true;
}

std::string quoted_bytes(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        const std::size_t n = utf8_character_length(text);
        if (n > 1) {
            out.append(text.substr(0, n));
            text.remove_prefix(n);
            continue;
        }
        // One byte: ASCII goes through the escapes of `quoted`; a byte of no character is
        // written as its value.
        const auto c = static_cast<unsigned char>(text[0]);
        if (n == 1) {
            const std::string one = quoted(text.substr(0, 1));
            out.append(one, 1, one.size() - 2);
        } else {
            append_hex_byte(out, c);
        }
        text.remove_prefix(1);
    }
    return '"' + out + '"';
}

}  // namespace ctext
