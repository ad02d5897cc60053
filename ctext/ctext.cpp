#include "ctext/ctext.h"

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
                    char hex[8];
                    std::snprintf(hex, sizeof hex, "\\x%02X", c);
                    out += hex;
                } else {
                    out += ch;
                }
        }
    }
    return out + '"';
}

}  // namespace ctext
