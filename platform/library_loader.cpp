#include "library_loader.h"

#include <type_traits>

#include "call_text.h"
#include "ctext/ctext.h"
#include "dynlib.h"
#include "operations.h"

namespace platform::detail {

namespace {

// What the operations of a table without its library do: report it missing.
#define QORM_MISSING_STUB(ret, name, field, ...) \
    static ret QORM_VI_FUNC field(QORM_TYPES(__VA_ARGS__)) { return VI_ERROR_LIBRARY_NFOUND; }
struct VisaStubs {
    QORM_VISA_OPERATIONS(QORM_MISSING_STUB)
};
struct KelqormStubs {
    QORM_KELQORM_OPERATIONS(QORM_MISSING_STUB)
};
struct KelbaseStubs {
    QORM_KELBASE_OPERATIONS(QORM_MISSING_STUB)
};
#undef QORM_MISSING_STUB

constexpr VisaApi kMissingVisa =
    QORM_TABLE_OF(VisaApi, QORM_VISA_OPERATIONS, VisaStubs, nullptr, false);
constexpr KelqormApi kMissingKelqorm =
    QORM_TABLE_OF(KelqormApi, QORM_KELQORM_OPERATIONS, KelqormStubs, nullptr, false);
constexpr KelbaseApi kMissingKelbase =
    QORM_TABLE_OF(KelbaseApi, QORM_KELBASE_OPERATIONS, KelbaseStubs, nullptr, false);

const VisaApi& missing_table(const VisaApi&) {
    return kMissingVisa;
}
const KelqormApi& missing_table(const KelqormApi&) {
    return kMissingKelqorm;
}
const KelbaseApi& missing_table(const KelbaseApi&) {
    return kMissingKelbase;
}

// The module driver's error text of a library that is missing: `missing`, and for any other
// status its number too, since the driver that would translate it is the missing one.
ViStatus write_missing_text(const std::string& missing, ViStatus status, ViChar message[]) {
    if (message == nullptr) return VI_ERROR_LIBRARY_NFOUND;
    try {
        if (status == VI_ERROR_LIBRARY_NFOUND) {
            ctext::copy(message, KELQORM_TEXT_LEN, missing);
        } else {
            std::string hex = format_status(status).substr(2);
            ctext::copy(message, KELQORM_TEXT_LEN, "Ошибка " + hex + ". " + missing);
        }
    } catch (...) {
        ctext::copy(message, KELQORM_TEXT_LEN, missing);
    }
    return VI_ERROR_LIBRARY_NFOUND;
}

// Called through platform::call: the text is the table's own.
ViStatus named_error_message(const KelqormApi& table, ViSession, ViStatus status,
                             ViChar message[]) {
    const auto* missing = static_cast<const std::string*>(table.context);
    return write_missing_text(missing ? *missing : std::string(), status, message);
}
const KelqormBound kNamedMissing = {.error_message = &named_error_message};

// Called directly, without the table: all that can be said is that the driver is missing.
ViStatus QORM_VI_FUNC unnamed_error_message(ViSession, ViStatus status, ViChar message[]) {
    return write_missing_text("Не найдена библиотека драйвера модуля", status, message);
}

// A 32-bit Windows DLL exports a stdcall function under its plain name (built with a .def file
// or --kill-at) or under its decorated one, "kelqorm_init@16" (the compiler's default); vendors'
// drivers come both ways, so both are looked up, the plain name first. Elsewhere there is only
// the plain name.
#if defined(_WIN32) && !defined(_WIN64)
constexpr bool kDecoratedNames = true;
#else
constexpr bool kDecoratedNames = false;
#endif

// On Windows the texts of a library that could not be used carry the system's reason: a short
// sentence in the user's language (FormatMessage), which fits the driver's 256-byte text. On
// Linux dlerror's reason repeats the path and is left to the problem.
#ifdef _WIN32
constexpr bool kReasonInText = true;
#else
constexpr bool kReasonInText = false;
#endif

// One exported function: its names and where it goes in the table.
template <class Api>
struct Symbol {
    const char* name;
    std::string decorated;  // "kelqorm_init@16"
    void (*set)(Api& table, void* address);
};

// The function's address under its plain name, else under its decorated one; null and the
// system's reason when the library has neither.
template <class Api>
void* find_symbol(void* handle, const Symbol<Api>& s, std::string* reason) {
    if (void* address = dynlib::symbol(handle, s.name, reason)) return address;
    if (kDecoratedNames) return dynlib::symbol(handle, s.decorated.c_str(), reason);
    return nullptr;
}

// The system's reason alone, without the library's name that dynlib puts before it.
std::string reason_only(const std::string& reason, const std::string& candidate) {
    const std::string prefix = candidate + ": ";
    return reason.rfind(prefix, 0) == 0 ? reason.substr(prefix.size()) : reason;
}

template <auto Entry, class Api>
void set_entry(Api& table, void* address) {
    using Fn = std::remove_reference_t<decltype(table.*Entry)>;
    table.*Entry = reinterpret_cast<Fn>(address);
}

#define QORM_SYMBOL(ret, name, field, ...)                                   \
    Symbol<QORM_TABLE>{#name, decorated_name<&QORM_TABLE::field>(),         \
                       &set_entry<&QORM_TABLE::field, QORM_TABLE>},
#define QORM_TABLE VisaApi
const std::vector<Symbol<VisaApi>> kVisaSymbols = {QORM_VISA_OPERATIONS(QORM_SYMBOL)};
#undef QORM_TABLE
#define QORM_TABLE KelqormApi
const std::vector<Symbol<KelqormApi>> kKelqormSymbols = {QORM_KELQORM_OPERATIONS(QORM_SYMBOL)};
#undef QORM_TABLE
#define QORM_TABLE KelbaseApi
const std::vector<Symbol<KelbaseApi>> kKelbaseSymbols = {QORM_KELBASE_OPERATIONS(QORM_SYMBOL)};
#undef QORM_TABLE
#undef QORM_SYMBOL

template <class Api>
void disable_table(Api& table) noexcept {
    const char* origin = table.origin;
    const bool simulated = table.simulated;
    table = missing_table(table);
    table.origin = origin;
    table.simulated = simulated;
}

template <class Api>
LoadOutcome try_candidates(Api& table, const std::vector<Symbol<Api>>& symbols,
                           const std::vector<std::string>& candidates, const std::string& label) {
    LoadOutcome out;
    std::vector<std::string> reasons;
    std::string first_incomplete, first_incomplete_reason, last_open_reason;
    for (const auto& candidate : candidates) {
        std::string reason;
        void* handle = dynlib::open(candidate, &reason);
        if (!handle) {
            reasons.push_back(reason);
            last_open_reason = reason_only(reason, candidate);
            continue;
        }
        std::vector<std::string> missing, missing_names;
        std::string symbol_reason;
        for (const auto& s : symbols) {
            if (void* address = find_symbol(handle, s, &symbol_reason)) {
                s.set(table, address);
            } else {
                missing.push_back(s.name);
                missing_names.push_back(kDecoratedNames ? s.name + std::string(" (") +
                                                              s.decorated + ")"
                                                        : std::string(s.name));
            }
        }
        if (missing.empty()) {
            // The library stays loaded for the rest of the process: its functions are in the
            // table, and drivers do not expect to be unloaded.
            out.complete = true;
            out.loaded_from = candidate;
            return out;
        }
        dynlib::close(handle);
        const std::string head =
            "В библиотеке " + candidate + (missing.size() == 1 ? " нет функции " : " нет функций ");
        if (first_incomplete.empty()) {
            first_incomplete = head + join(missing, ", ");
            first_incomplete_reason = symbol_reason;
            out.loaded_from = candidate;
        }
        reasons.push_back(head + join(missing_names, ", ") +
                          (kReasonInText && !symbol_reason.empty() ? ": " + symbol_reason : ""));
    }
    disable_table(table);
    if (!first_incomplete.empty()) {
        out.text = first_incomplete;
        if (kReasonInText && !first_incomplete_reason.empty())
            out.text += " (" + first_incomplete_reason + ")";
    } else {
        out.text = "Не найдена библиотека " + label;
        if (kReasonInText && !last_open_reason.empty()) out.text += " (" + last_open_reason + ")";
    }
    out.problem = out.text;
    if (!reasons.empty() && !(reasons.size() == 1 && reasons.front() == out.text))
        out.problem += " (" + join(reasons, "; ") + ")";
    return out;
}

// Loading runs inside the first call of a C interface: nothing may be thrown out of it.
template <class Api>
LoadOutcome load_table(Api& table, const std::vector<Symbol<Api>>& symbols,
                       const std::vector<std::string>& candidates,
                       const std::string& label) noexcept {
    try {
        return try_candidates(table, symbols, candidates, label);
    } catch (...) {
        disable(table);
        return LoadOutcome{};
    }
}

}  // namespace

void disable(VisaApi& table) noexcept {
    disable_table(table);
}
void disable(KelqormApi& table) noexcept {
    disable_table(table);
    table.error_message = &unnamed_error_message;
}
void disable(KelbaseApi& table) noexcept {
    disable_table(table);
}

LoadOutcome load_into(VisaApi& table, const std::vector<std::string>& candidates,
                      const std::string& label) {
    return load_table(table, kVisaSymbols, candidates, label);
}

LoadOutcome load_into(KelqormApi& table, const std::vector<std::string>& candidates,
                      const std::string& label, std::string& missing_text) {
    LoadOutcome out = load_table(table, kKelqormSymbols, candidates, label);
    if (!out.complete) {
        table.error_message = &unnamed_error_message;
        try {
            missing_text = out.text;
            table.bound = &kNamedMissing;
            table.context = &missing_text;
        } catch (...) {
        }
    }
    return out;
}

LoadOutcome load_into(KelbaseApi& table, const std::vector<std::string>& candidates,
                      const std::string& label) {
    return load_table(table, kKelbaseSymbols, candidates, label);
}

}  // namespace platform::detail
