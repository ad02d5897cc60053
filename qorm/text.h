// Fixed-size text buffers filled from driver and VISA outputs. Drivers may leave a buffer without
// a terminating zero; texts are UTF-8, so a cut never splits a character.
#pragma once

#include <cstddef>

// Length of the text in `src`, reading at most `src_size` bytes (a missing zero ends it there).
size_t bounded_length(const char* src, size_t src_size);

// Copies the text in src (at most src_size bytes) into dst (dst_size bytes): cut to fit at a
// character boundary, always terminated. A null src gives an empty text.
void copy_text(char* dst, size_t dst_size, const char* src, size_t src_size);

// Appends tail to the text in dst, cut to fit at a character boundary.
void append_text(char* dst, size_t dst_size, const char* tail);
