#include "text_buffer.h"

#include <cstring>

namespace platform {

namespace {
bool is_continuation_byte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
}  // namespace

std::size_t copy_text(char* dst, std::size_t size, std::string_view text) {
    if (dst == nullptr || size == 0) return 0;
    std::size_t n = text.size();
    if (n > size - 1) {
        n = size - 1;
        // text[n] is the first byte left out; if it continues a character, that character
        // started inside the kept part and must go too.
        while (n > 0 && is_continuation_byte(text[n])) --n;
    }
    std::memcpy(dst, text.data(), n);
    dst[n] = '\0';
    return n;
}

std::size_t bounded_length(const char* text, std::size_t size) {
    if (text == nullptr) return 0;
    const void* nul = std::memchr(text, '\0', size);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : size;
}

}  // namespace platform
