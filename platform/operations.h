// What the declaration lists say about each operation, for the code that treats every operation
// alike (the tracing wrapper, the recording fake, the export names of a 32-bit Windows DLL):
//     Operation<&KelqormApi::state>::name         "kelqorm_state"
//     Operation<&KelqormApi::state>::Kinds        arg::Kinds<arg::in, arg::codes_out>
//     Operation<&KelqormApi::state>::stack_bytes  8
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

#include "bindings.h"

namespace platform {

// How an operation uses each parameter (declare.h explains each kind).
namespace arg {
struct in_kind {};
struct out_kind {};
struct in : in_kind {};
struct status_in : in_kind {};
struct attr_in : in_kind {};
struct text_in : in_kind {};
struct codes_in : in_kind {};
struct callback_in : in_kind {};
struct out : out_kind {};
struct text_out : out_kind {};
struct revision_out : out_kind {};
struct codes_out : out_kind {};
struct attr_out : out_kind {};

template <class... K>
struct Kinds {};

// The bytes the arguments take on a 32-bit x86 stack: each a multiple of four bytes, pointers
// four. Computed so on every host, so the names of the 32-bit DLLs can be worked out anywhere.
template <class T>
constexpr std::size_t stack_bytes() {
    if constexpr (std::is_pointer_v<T>) {
        return 4;
    } else {
        return (sizeof(T) + 3) / 4 * 4;
    }
}
template <class... T>
constexpr std::size_t stack_bytes_of() {
    return (stack_bytes<T>() + ... + 0);
}
}  // namespace arg

template <auto Entry>
struct Operation;

#define QORM_PARAM_KIND(kind, type, name) ::platform::arg::kind
#define QORM_DESCRIBE(ret, op, field, ...)                                                         \
    template <>                                                                                    \
    struct Operation<&QORM_TABLE::field> {                                                         \
        static constexpr std::string_view name = #op;                                              \
        using Kinds = arg::Kinds<QORM_MAP(QORM_PARAM_KIND, __VA_ARGS__)>;                          \
        static constexpr std::size_t stack_bytes = arg::stack_bytes_of<QORM_TYPES(__VA_ARGS__)>(); \
    };
#define QORM_TABLE VisaApi
QORM_VISA_OPERATIONS(QORM_DESCRIBE)
#undef QORM_TABLE
#define QORM_TABLE KelqormApi
QORM_KELQORM_OPERATIONS(QORM_DESCRIBE)
#undef QORM_TABLE
#define QORM_TABLE KelbaseApi
QORM_KELBASE_OPERATIONS(QORM_DESCRIBE)
#undef QORM_TABLE
#undef QORM_DESCRIBE
#undef QORM_PARAM_KIND

// The name a 32-bit Windows DLL exports a stdcall operation under when it decorates it:
// "kelqorm_state@8".
template <auto Entry>
std::string decorated_name() {
    return std::string(Operation<Entry>::name) + '@' +
           std::to_string(Operation<Entry>::stack_bytes);
}

}  // namespace platform
