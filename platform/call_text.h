// One call of VISA or of a driver written as a line of text, e.g.
//     kelqorm_manual_cmd(5, 7, 2, 1)
// The tracing wrapper and the recording fake both use it, so a trace and a test log read alike;
// call_text() and out_values() below write any operation's call from its declaration list.
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

#include "operations.h"
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
    CallText& callback(bool installed) { return add(installed ? "callback" : "null"); }
    // A VISA attribute's value of the attribute's own type; an attribute of unknown size is
    // not written.
    CallText& attribute_value(ViAttr attribute, const void* value);
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

// ---- A call of any operation, written from its declaration list -----------------------------

namespace call_detail {

template <class T>
void write_in(CallText& c, arg::in, T value) {
    if constexpr (std::is_floating_point_v<T>) {
        c.real(value);
    } else {
        c.integer(static_cast<long long>(value));
    }
}
inline void write_in(CallText& c, arg::status_in, ViStatus value) {
    c.status(value);
}
inline void write_in(CallText& c, arg::attr_in, ViAttr value) {
    c.attribute(value);
}
inline void write_in(CallText& c, arg::text_in, const char* value) {
    c.text(value, VI_FIND_BUFLEN);
}
inline void write_in(CallText& c, arg::codes_in, const ViInt16* value) {
    c.codes(value, KELQORM_CHANNELS);
}
template <class F>
void write_in(CallText& c, arg::callback_in, F value) {
    c.callback(value != nullptr);
}
// An out-argument is not written, except as null.
inline void write_in(CallText& c, arg::out_kind, const void* pointer) {
    c.out(pointer);
}

// What the out-values are written from: the attribute of a viGetAttribute call comes before its
// value.
struct OutContext {
    ViAttr attribute = 0;
};

template <class T>
void write_out(CallText&, OutContext&, arg::in_kind, const T&) {}
inline void write_out(CallText&, OutContext& context, arg::attr_in, ViAttr value) {
    context.attribute = value;
}
template <class T>
void write_out(CallText& o, OutContext&, arg::out, T* pointer) {
    if (pointer == nullptr) return;
    if constexpr (std::is_floating_point_v<T>) {
        o.real(*pointer);
    } else {
        o.integer(static_cast<long long>(*pointer));
    }
}
inline void write_out(CallText& o, OutContext&, arg::text_out, const char* text) {
    if (text) o.text(text, VI_FIND_BUFLEN);
}
inline void write_out(CallText& o, OutContext&, arg::revision_out, const char* text) {
    if (text) o.text(text, KELQORM_REVISION_LEN);
}
inline void write_out(CallText& o, OutContext&, arg::codes_out, const ViInt16* codes) {
    if (codes) o.codes(codes, KELQORM_CHANNELS);
}
inline void write_out(CallText& o, OutContext& context, arg::attr_out, const void* value) {
    o.attribute_value(context.attribute, value);
}

template <class... K, class... A>
void write_ins(CallText& c, arg::Kinds<K...>, A... args) {
    (write_in(c, K{}, args), ...);
}
template <class... K, class... A>
void write_outs(CallText& o, arg::Kinds<K...>, A... args) {
    OutContext context;
    (write_out(o, context, K{}, args), ...);
}

}  // namespace call_detail

// The call of operation `Entry` with its in-arguments: "kelqorm_manual_cmd(5, 7, 2, 1)".
template <auto Entry, class... A>
CallText call_text(A... args) {
    CallText c(Operation<Entry>::name);
    call_detail::write_ins(c, typename Operation<Entry>::Kinds{}, args...);
    return c;
}

// The out-values the call left, in the order of its parameters: for kelqorm_self_test the result
// and the text. Only meaningful after a call that did not fail.
template <auto Entry, class... A>
CallText out_values(A... args) {
    CallText o("");
    call_detail::write_outs(o, typename Operation<Entry>::Kinds{}, args...);
    return o;
}

}  // namespace platform
