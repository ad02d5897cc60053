// The three libraries the front panel calls (VISA, the module driver, the carrier driver) are
// each reached through a table of function pointers. The free functions with the system's names
// (viOpen, kelqorm_state, kelbase_init, ...) forward to the bound table.
//
// Each table follows from its library's declaration list (visa.h, kelqorm.h, kelbase.h): one
// entry per operation, named by the list's table field and of the operation's own type, calling
// convention included. Tables are filled by field name.
//
// A table is bound once, before first use: the program binds the system libraries or the
// simulated crate, tests bind the recording fake. A library that was never bound is bound to its
// system library at its first call. Binding again (tests do, between cases) replaces the table.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "kelbase.h"
#include "kelqorm.h"
#include "visa.h"

namespace platform {

// A table entry of an operation, and the entry of the same operation that is also told which
// table it was called through.
#define QORM_TABLE_ENTRY(ret, name, field, ...) ret(QORM_VI_FUNC* field)(QORM_TYPES(__VA_ARGS__));
#define QORM_BOUND_ENTRY(ret, name, field, ...) \
    ret (*field)(const QORM_TABLE& table, QORM_TYPES(__VA_ARGS__)) = nullptr;

// Every table may carry a context. Its operations that need it (the error text of a library
// that could not be loaded names that library) are given as bound entries, which `call` prefers:
// the forwarding functions, the tracing wrapper and the recording fake all call through it.
// Tables of plain entries leave both null.
struct VisaApi;
struct KelqormApi;
struct KelbaseApi;

#define QORM_TABLE VisaApi
struct VisaBound {
    QORM_VISA_OPERATIONS(QORM_BOUND_ENTRY)
};
#undef QORM_TABLE
#define QORM_TABLE KelqormApi
struct KelqormBound {
    QORM_KELQORM_OPERATIONS(QORM_BOUND_ENTRY)
};
#undef QORM_TABLE
#define QORM_TABLE KelbaseApi
struct KelbaseBound {
    QORM_KELBASE_OPERATIONS(QORM_BOUND_ENTRY)
};
#undef QORM_TABLE

struct VisaApi {
    const char* origin;  // where the table comes from, for messages and --trace
    bool simulated;      // the table is the simulated crate's, not a system library
    QORM_VISA_OPERATIONS(QORM_TABLE_ENTRY)
    const VisaBound* bound = nullptr;
    const void* context = nullptr;
};

struct KelqormApi {
    const char* origin;
    bool simulated;
    QORM_KELQORM_OPERATIONS(QORM_TABLE_ENTRY)
    const KelqormBound* bound = nullptr;
    const void* context = nullptr;
};

struct KelbaseApi {
    const char* origin;
    bool simulated;
    QORM_KELBASE_OPERATIONS(QORM_TABLE_ENTRY)
    const KelbaseBound* bound = nullptr;
    const void* context = nullptr;
};

#undef QORM_TABLE_ENTRY
#undef QORM_BOUND_ENTRY

// The bound entry that stands beside a table entry.
template <auto Entry>
struct BoundOf;
#define QORM_BOUND_OF(ret, name, field, ...)              \
    template <>                                           \
    struct BoundOf<&QORM_TABLE::field> {                  \
        static constexpr auto entry = &QORM_BOUND::field; \
    };
#define QORM_TABLE VisaApi
#define QORM_BOUND VisaBound
QORM_VISA_OPERATIONS(QORM_BOUND_OF)
#undef QORM_TABLE
#undef QORM_BOUND
#define QORM_TABLE KelqormApi
#define QORM_BOUND KelqormBound
QORM_KELQORM_OPERATIONS(QORM_BOUND_OF)
#undef QORM_TABLE
#undef QORM_BOUND
#define QORM_TABLE KelbaseApi
#define QORM_BOUND KelbaseBound
QORM_KELBASE_OPERATIONS(QORM_BOUND_OF)
#undef QORM_TABLE
#undef QORM_BOUND
#undef QORM_BOUND_OF

// A table made of the static functions of `Entries` named by its fields, filled by field name:
//     struct Mine {
//         QORM_VISA_OPERATIONS(MY_FUNCTION)  // static ViStatus QORM_VI_FUNC open_default_rm(...)
//     };
//     constexpr VisaApi kMine = QORM_TABLE_OF(VisaApi, QORM_VISA_OPERATIONS, Mine, "mine", false);
#define QORM_TABLE_ENTRY_OF(ret, name, field, ...) .field = &qorm_entries::field,
#define QORM_TABLE_OF(Api, LIST, Entries, table_origin, table_simulated)          \
    [] {                                                                          \
        using qorm_entries = Entries;                                             \
        return Api{.origin = table_origin,                                        \
                   .simulated = table_simulated,                                  \
                   LIST(QORM_TABLE_ENTRY_OF)};                                    \
    }()

// Calls operation `Entry` of a table, e.g. call<&KelqormApi::state>(table, vi, states): through
// its bound entry when the table has one, else through its plain entry. An empty entry (only a
// table that was never checked can have one) reports the operation unsupported.
template <auto Entry, class Api, class... A>
ViStatus call(const Api& table, A... args) {
    if (table.bound != nullptr) {
        if (auto bound = table.bound->*BoundOf<Entry>::entry) return bound(table, args...);
    }
    auto plain = table.*Entry;
    return plain != nullptr ? plain(args...) : VI_ERROR_NSUP_OPER;
}

// The system's name of every operation the three tables carry: VISA, the module driver, the
// carrier driver, each in its list's order. Tests, traces and fault injection name operations so.
#define QORM_OPERATION_NAME(ret, name, field, ...) std::string_view(#name),
inline constexpr auto kOperationNames = std::to_array<std::string_view>({
    QORM_VISA_OPERATIONS(QORM_OPERATION_NAME)     //
    QORM_KELQORM_OPERATIONS(QORM_OPERATION_NAME)  //
    QORM_KELBASE_OPERATIONS(QORM_OPERATION_NAME)  //
});
#undef QORM_OPERATION_NAME

// The system's name of the first operation a table leaves empty; empty when it has all of them.
std::string_view missing_operation(const VisaApi& table);
std::string_view missing_operation(const KelqormApi& table);
std::string_view missing_operation(const KelbaseApi& table);

// Binds a table. The table must outlive every call made through it; nullptr unbinds, so the
// next call binds the system library again. A table with an empty entry is refused: the binding
// stays as it was, the status is VI_ERROR_NSUP_OPER and *problem (when given) names the library
// and the operation. VI_SUCCESS otherwise.
ViStatus bind_visa(const VisaApi* api, std::string* problem = nullptr);
ViStatus bind_kelqorm(const KelqormApi* api, std::string* problem = nullptr);
ViStatus bind_kelbase(const KelbaseApi* api, std::string* problem = nullptr);

// The bound tables (binding the system library first when none is bound).
const VisaApi& visa_api();
const KelqormApi& kelqorm_api();
const KelbaseApi& kelbase_api();

// The system libraries, loaded at run time on first use of the returned table. When a library or
// one of its symbols is missing, every operation of the table returns VI_ERROR_LIBRARY_NFOUND and
// the module driver's error text for that status names what is missing.
const VisaApi* system_visa();
const KelqormApi* system_kelqorm();
const KelbaseApi* system_kelbase();

// Why a system library could not be loaded (empty when it loaded or was not tried yet).
std::string system_load_problem(const char* library);  // "visa", "kelqorm" or "kelbase"

// True when any bound table is simulated: the program then says so in its title bar and --version.
bool simulated();

}  // namespace platform
