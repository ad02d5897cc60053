// Text helpers shared by the run-time calls: bounded copies into caller buffers and the line
// structure of text boxes. Texts are UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace uir::core {

// The longest text the run-time takes in one piece (a value, a label, a line, a title), and the
// most lines a text box holds. Anything longer is refused rather than copied.
inline constexpr std::size_t kMaxTextBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxTextBoxLines = 100000;

// 0 for a text the run-time takes; UIE_NULL_POINTER or UIE_OUT_OF_RANGE (over-long) otherwise.
int check_text(const char* text);

// Copies `text` into `buffer` of `size` bytes: at most size-1 bytes and a terminating zero. A
// text that does not fit is cut at a character boundary, never inside a UTF-8 sequence.
// UIE_NULL_POINTER for a null buffer, UIE_OUT_OF_RANGE for size 0 (nothing written).
int copy_out(std::string_view text, char* buffer, std::size_t size);

// A text box's content as lines: split at '\n'; the empty text is no line at all.
std::vector<std::string> split_lines(std::string_view text);
std::string join_lines(const std::vector<std::string>& lines);

// One line handed to InsertTextBoxLine: a final line terminator ("\n" or "\r\n") ends the line
// and adds nothing; any other '\n' starts a further line.
std::vector<std::string> line_pieces(std::string_view line);

}  // namespace uir::core
