#include "text.h"

#include <cstring>

namespace {

// The largest length <= n that does not end inside a multi-byte UTF-8 sequence.
size_t boundary_at_or_below(const char* s, size_t n) {
    size_t cut = n;
    // Step back over continuation bytes (10xxxxxx) to the lead byte of the last character.
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut;
    return cut;
}

}  // namespace

size_t bounded_length(const char* src, size_t src_size) {
    if (src == nullptr) return 0;
    const void* zero = std::memchr(src, '\0', src_size);
    return zero ? static_cast<size_t>(static_cast<const char*>(zero) - src) : src_size;
}

void copy_text(char* dst, size_t dst_size, const char* src, size_t src_size) {
    if (dst == nullptr || dst_size == 0) return;
    size_t n = bounded_length(src, src_size);
    if (n >= dst_size) n = boundary_at_or_below(src, dst_size - 1);
    if (n > 0) std::memmove(dst, src, n);
    dst[n] = '\0';
}

void append_text(char* dst, size_t dst_size, const char* tail) {
    if (dst == nullptr || dst_size == 0) return;
    size_t used = bounded_length(dst, dst_size);
    if (used >= dst_size) used = boundary_at_or_below(dst, dst_size - 1);
    copy_text(dst + used, dst_size - used, tail, tail ? std::strlen(tail) : 0);
}
