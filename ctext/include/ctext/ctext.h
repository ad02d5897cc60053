// Texts in the fixed-size, NUL-terminated buffers of C interfaces. A driver or a library may fill
// such a buffer to its last byte without a terminating NUL, so every read is bounded by the
// buffer's size; every write is cut to fit and always terminated. Texts are UTF-8: a cut never
// leaves half a character (a Russian letter is two bytes).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ctext {

// The length of the text in a buffer of `size` bytes, reading no byte past it: up to its first
// NUL, or `size` when the buffer holds none. 0 for a null pointer.
std::size_t bounded_length(const char* text, std::size_t size);

// The longest length of at most `limit` bytes at which `text` can be cut without splitting a
// UTF-8 sequence: `text.size()` when it fits whole.
std::size_t fitting_length(std::string_view text, std::size_t limit);

// Copies `text` into `dst` of `size` bytes: cut to fit at a character boundary and terminated.
// Nothing is written when `dst` is null or `size` is 0. `dst` may overlap `text`. Returns the
// number of bytes copied, without the NUL.
std::size_t copy(char* dst, std::size_t size, std::string_view text);

// The same from a source buffer of `src_size` bytes that may lack its NUL; a null source copies
// the empty text.
std::size_t copy(char* dst, std::size_t size, const char* src, std::size_t src_size);

// Appends `tail` to the text in `dst` of `size` bytes, cut to fit at a character boundary. A
// buffer that held no NUL is first cut to fit, the same way. Returns the new length.
std::size_t append(char* dst, std::size_t size, std::string_view tail);

// C-string escaping: `text` in double quotes, with \" \\ \r \n \t escaped. Other control bytes
// (below 0x20, and 0x7F) become \xNN with `Controls::hex`, or stay as they are with
// `Controls::kept`. Everything else, UTF-8 included, is kept byte for byte.
enum class Controls { hex, kept };
std::string quoted(std::string_view text, Controls controls = Controls::hex);

// The length of the well-formed UTF-8 character that starts `text`: 1 to 4, or 0 when the bytes
// there are not one (a stray continuation byte, a character cut short, an overlong form, a
// surrogate, a code point past U+10FFFF) or `text` is empty.
std::size_t utf8_character_length(std::string_view text);

// True when all of `text` is well-formed UTF-8.
bool valid_utf8(std::string_view text);

// As `quoted` with `Controls::hex`, and every byte that is not part of a well-formed UTF-8
// character becomes \xNN as well: the result is UTF-8 text whatever `text` held, and reading its
// escapes back gives the same bytes.
std::string quoted_bytes(std::string_view text);

}  // namespace ctext
