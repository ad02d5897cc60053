// What the operator typed into a numeric field, as a number: a decimal comma is taken as the
// decimal point (Russian operators type commas), surrounding spaces are ignored, and anything else
// that is not a whole number is refused. Numbers are shown with the point, as the layout formats
// them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace uir::win32 {

std::optional<double> parse_typed_number(std::string_view text);

// The value as the field shows it: `decimals` decimals with a point, no group separators.
std::string format_number(double value, int decimals);

}  // namespace uir::win32
