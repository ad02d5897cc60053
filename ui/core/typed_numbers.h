// How a numeric field reads what the operator types and how wide its text can get. Both views
// follow these rules, so a number typed on one reads the same on the other.
//
// Operators type a decimal comma as often as a decimal point: both are the decimal separator.
// There are no group separators, no exponents and no other characters; a text is at most
// kMaxTypedChars long. Numbers are shown with the point, with the field's decimals.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace uir::rules {

inline constexpr std::size_t kMaxTypedChars = 40;

enum class Typed {
    acceptable,    // a whole number as typed
    intermediate,  // on the way to one: empty, a lone sign or separator
    invalid,       // can never become one: refused keystroke by keystroke
};

// `decimals` is how many decimals the field shows (0 for integer fields, which take no
// separator); more decimals than that are refused. Blanks around the number are allowed.
Typed classify_typed_number(std::string_view text, int decimals);

// The value of an acceptable text; nothing for any other.
std::optional<double> parse_typed_number(std::string_view text, int decimals);

// `value` as a numeric field shows it: fixed decimals, the point as separator.
std::string format_number(double value, int decimals);

// The text of min..max that takes the most room: the longer of the two limits as shown (digits
// are equally wide in the panels' fonts, so the longer text is the wider one; of two equally
// long texts the one with a sign). A field's text area must fit it.
std::string widest_number_text(double min, double max, int decimals);

}  // namespace uir::rules
