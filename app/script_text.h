// Texts and numbers as scripts write them: shared by the parser, the transcript and the
// session recorder, so what one writes the other reads back unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace app::script {

// A text in double quotes with \n, \r, \t, \" and \\ escaped, and every other control character
// and every byte that is not part of a UTF-8 character written as \xHH: any bytes (a driver's
// text need not be UTF-8) give a line of UTF-8 text that the parser reads back as those bytes.
std::string quote(std::string_view text);

// A number as short as it can be written and still read back as the same double.
std::string number_text(double value);

// Seconds rounded to the microsecond, without trailing zeros ("0.05", "2").
std::string seconds_text(double seconds);

// A number as written in a script: decimal with an optional sign, fraction and exponent, or a
// 0x hexadecimal integer. Nothing for anything else, infinities and NaN included.
struct ParsedNumber {
    double value = 0;
    bool integer = false;
};
std::optional<ParsedNumber> parse_number(std::string_view word);

// Whether `text` is well-formed UTF-8.
bool valid_utf8(std::string_view text);

}  // namespace app::script
