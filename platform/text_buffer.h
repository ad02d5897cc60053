// Writing texts into the fixed-size buffers of the VISA and driver interfaces.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// Copies `text` into a caller's buffer of `size` bytes, the terminating NUL included. A text that
// does not fit is cut before the first UTF-8 character that would not fit whole, so a Russian text
// never ends in half a letter. Does nothing when `dst` is null or `size` is 0. Returns the number
// of bytes copied, without the NUL.
std::size_t copy_text(char* dst, std::size_t size, std::string_view text);

// The length of a NUL-terminated text in a buffer of `size` bytes, reading no byte past it
// (`size` when the buffer holds no NUL). 0 for a null pointer.
std::size_t bounded_length(const char* text, std::size_t size);

}  // namespace platform
