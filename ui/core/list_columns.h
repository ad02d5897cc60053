// A list box whose lines are columns of right-aligned numbers under a column header (the carrier
// selection: interface, mainframe address, slot, logical address, model code). The lines are
// padded with blanks into fixed widths, which lines up only in a fixed-pitch font; the views
// draw each field right-aligned under its caption instead. The line's text stays what the
// program put into the list.
//
// The header is the text message right above the list, its captions separated by two or more
// blanks. A line's fields are separated by blanks: a number wider than its width pushes the
// rest of the line to the right, so cutting at fixed offsets would split it.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tab_chain.h"

namespace uir::rules {

struct TextSpan {
    std::size_t begin = 0, end = 0;  // byte offsets
    bool operator==(const TextSpan&) const = default;
};

std::vector<TextSpan> header_captions(std::string_view header);
std::vector<TextSpan> line_fields(std::string_view line);

// Whether the lines are drawn as columns under the header: at least two captions, and every
// line has as many fields as there are captions.
bool draws_columns(std::span<const std::string> lines, std::string_view header);

// Which of `texts` (text messages) heads `list`: the one whose bottom lies at most kHeaderGap
// above the list's top (or overlaps its first pixels) and whose left edge lies within the list.
// 0 when none does; of several, the lowest.
inline constexpr int kHeaderGap = 8;
int list_header(const Box& list, std::span<const Box> texts);

// The same for a live list box of the model: the id of its header, 0 for none.
int list_header_of(int panel, int list);

}  // namespace uir::rules
