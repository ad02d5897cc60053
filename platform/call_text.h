// One call of VISA or of a driver written as a line of text, e.g.
//     kelqorm_manual_cmd(5, 7, 2, 1)
// The tracing wrapper and the recording fake both use it, so a trace and a test log read alike.
//
// How arguments are written:
//   integers     decimal: 5, -1
//   times        as printf's %g, six significant digits, locale-free: 0.025, 10.235, 1
//   statuses     0x and eight hex digits: 0xBFFF0011 (for arguments that carry a status)
//   texts        in double quotes; \" \\ \r \n \t escaped, other control bytes as \xNN; UTF-8
//                kept as it is; a text with no NUL within its buffer ends in "..." after the quote
//   30 codes     [1 1 0*28]: values separated by spaces, a run of three or more equal values
//                written value*count, so thirty codes 2 read [2*30]
//   attributes   by their VISA name (VI_ATTR_SLOT), unknown ones in hex (0x3FFF0001)
//   callbacks    callback, or null
//   null         a null pointer, in or out, is written null where it stands
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "visa.h"

namespace platform {

std::string format_integer(long long value);
std::string format_real(double value);
std::string format_status(ViStatus status);
std::string format_text(const char* text, std::size_t buffer_size);
std::string format_codes(const ViInt16* codes, std::size_t count);
std::string format_attribute(ViAttr attribute);

// The text of one call: the operation's name and its in-arguments, written one by one.
class CallText {
  public:
    explicit CallText(std::string_view op) : op_(op) {}

    CallText& integer(long long value) { return add(format_integer(value)); }
    CallText& real(double value) { return add(format_real(value)); }
    CallText& status(ViStatus value) { return add(format_status(value)); }
    CallText& text(const char* value, std::size_t buffer_size) {
        return add(format_text(value, buffer_size));
    }
    CallText& codes(const ViInt16* values, std::size_t count) {
        return add(format_codes(values, count));
    }
    CallText& attribute(ViAttr value) { return add(format_attribute(value)); }
    CallText& callback(const void* fn) { return add(fn ? "callback" : "null"); }
    // An out-argument is not written, except as null when the caller passed a null pointer.
    CallText& out(const void* pointer) { return pointer ? *this : add("null"); }
    CallText& add(std::string arg) {
        args_.push_back(std::move(arg));
        return *this;
    }

    const std::string& op() const { return op_; }
    const std::vector<std::string>& args() const { return args_; }
    // "op(arg, arg, ...)".
    std::string str() const;

  private:
    std::string op_;
    std::vector<std::string> args_;
};

// Joins texts with a separator.
std::string join(const std::vector<std::string>& parts, std::string_view separator);

}  // namespace platform
