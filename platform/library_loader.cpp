#include "library_loader.h"

#include <array>
#include <utility>

#include "call_text.h"
#include "ctext/ctext.h"
#include "dynlib.h"

namespace platform::detail {

namespace {

// What an operation of a table without its library does.
template <class F>
struct Missing;
template <class... A>
struct Missing<ViStatus (*)(A...)> {
    static ViStatus call(A...) { return VI_ERROR_LIBRARY_NFOUND; }
};

// One exported function: its name and how to put it into (or stub it out of) the table.
template <class Api>
struct Symbol {
    const char* name;
    void (*set)(Api& table, void* address);
    void (*set_missing)(Api& table);
};

#define QORM_SYMBOL(Api, field, name)                                                    \
    Symbol<Api> {                                                                        \
        name, [](Api& t, void* p) { t.field = reinterpret_cast<decltype(t.field)>(p); }, \
            [](Api& t) { t.field = &Missing<decltype(t.field)>::call; }                  \
    }

const std::vector<Symbol<VisaApi>> kVisaSymbols = {
    QORM_SYMBOL(VisaApi, open_default_rm, "viOpenDefaultRM"),
    QORM_SYMBOL(VisaApi, find_rsrc, "viFindRsrc"),
    QORM_SYMBOL(VisaApi, find_next, "viFindNext"),
    QORM_SYMBOL(VisaApi, open, "viOpen"),
    QORM_SYMBOL(VisaApi, close, "viClose"),
    QORM_SYMBOL(VisaApi, get_attribute, "viGetAttribute"),
};

const std::vector<Symbol<KelqormApi>> kKelqormSymbols = {
    QORM_SYMBOL(KelqormApi, init, "kelqorm_init"),
    QORM_SYMBOL(KelqormApi, connect, "kelqorm_connect"),
    QORM_SYMBOL(KelqormApi, close, "kelqorm_close"),
    QORM_SYMBOL(KelqormApi, reset, "kelqorm_reset"),
    QORM_SYMBOL(KelqormApi, self_test, "kelqorm_self_test"),
    QORM_SYMBOL(KelqormApi, error_message, "kelqorm_error_message"),
    QORM_SYMBOL(KelqormApi, revision_query, "kelqorm_revision_query"),
    QORM_SYMBOL(KelqormApi, manual_cmd, "kelqorm_manual_cmd"),
    QORM_SYMBOL(KelqormApi, manual_group_cmd, "kelqorm_manual_group_cmd"),
    QORM_SYMBOL(KelqormApi, cmd_config, "kelqorm_cmd_config"),
    QORM_SYMBOL(KelqormApi, set_cmd_time, "kelqorm_set_cmd_time"),
    QORM_SYMBOL(KelqormApi, cmd_time_q, "kelqorm_cmd_time_q"),
    QORM_SYMBOL(KelqormApi, config_trigger, "kelqorm_config_trigger"),
    QORM_SYMBOL(KelqormApi, set_line, "kelqorm_set_line"),
    QORM_SYMBOL(KelqormApi, start, "kelqorm_start"),
    QORM_SYMBOL(KelqormApi, stop, "kelqorm_stop"),
    QORM_SYMBOL(KelqormApi, gstart_q, "kelqorm_gstart_q"),
    QORM_SYMBOL(KelqormApi, state, "kelqorm_state"),
    QORM_SYMBOL(KelqormApi, trig_state, "kelqorm_trig_state"),
    QORM_SYMBOL(KelqormApi, reset_trig, "kelqorm_reset_trig"),
    QORM_SYMBOL(KelqormApi, sft_interface, "kelqorm_sft_interface"),
    QORM_SYMBOL(KelqormApi, zqorm_test, "kelqorm_zqorm_test"),
};

const std::vector<Symbol<KelbaseApi>> kKelbaseSymbols = {
    QORM_SYMBOL(KelbaseApi, init, "kelbase_init"),
    QORM_SYMBOL(KelbaseApi, m_type_q, "kelbase_m_type_q"),
};

#undef QORM_SYMBOL

template <class Api>
void disable(Api& table, const std::vector<Symbol<Api>>& symbols) noexcept {
    for (const auto& s : symbols) s.set_missing(table);
}

template <class Api>
LoadOutcome try_candidates(Api& table, const std::vector<Symbol<Api>>& symbols,
                           const std::vector<std::string>& candidates, const std::string& label) {
    LoadOutcome out;
    std::vector<std::string> reasons;
    std::string first_incomplete;
    for (const auto& candidate : candidates) {
        std::string reason;
        void* handle = dynlib::open(candidate, &reason);
        if (!handle) {
            reasons.push_back(reason);
            continue;
        }
        std::vector<std::string> missing;
        for (const auto& s : symbols) {
            if (void* address = dynlib::symbol(handle, s.name))
                s.set(table, address);
            else
                missing.push_back(s.name);
        }
        if (missing.empty()) {
            // The library stays loaded for the rest of the process: its functions are in the
            // table, and drivers do not expect to be unloaded.
            out.complete = true;
            out.loaded_from = candidate;
            return out;
        }
        dynlib::close(handle);
        std::string text = "В библиотеке " + candidate +
                           (missing.size() == 1 ? " нет функции " : " нет функций ") +
                           join(missing, ", ");
        if (first_incomplete.empty()) {
            first_incomplete = text;
            out.loaded_from = candidate;
        }
        reasons.push_back(text);
    }
    disable(table, symbols);
    out.text = first_incomplete.empty() ? "Не найдена библиотека " + label : first_incomplete;
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
        disable(table, symbols);
        return LoadOutcome{};
    }
}

// Texts for the error_message of a module driver table whose library is missing.
std::array<std::string, kTextSlots>& missing_texts() {
    static std::array<std::string, kTextSlots> texts;
    return texts;
}

template <std::size_t Slot>
ViStatus missing_error_message(ViSession, ViStatus status, ViChar message[]) {
    if (message == nullptr) return VI_ERROR_LIBRARY_NFOUND;
    const std::string& missing = missing_texts()[Slot];
    try {
        if (status == VI_ERROR_LIBRARY_NFOUND) {
            ctext::copy(message, KELQORM_TEXT_LEN, missing);
        } else {
            // The driver that would translate this status is the missing one.
            std::string hex = format_status(status).substr(2);
            ctext::copy(message, KELQORM_TEXT_LEN, "Ошибка " + hex + ". " + missing);
        }
    } catch (...) {
        ctext::copy(message, KELQORM_TEXT_LEN, missing);
    }
    return VI_ERROR_LIBRARY_NFOUND;
}

template <std::size_t... Slots>
constexpr auto make_error_messages(std::index_sequence<Slots...>) {
    return std::array<decltype(KelqormApi::error_message), sizeof...(Slots)>{
        &missing_error_message<Slots>...};
}

constexpr auto kMissingErrorMessages = make_error_messages(std::make_index_sequence<kTextSlots>());

}  // namespace

void disable(VisaApi& table) noexcept {
    disable(table, kVisaSymbols);
}
void disable(KelqormApi& table) noexcept {
    disable(table, kKelqormSymbols);
    table.error_message = kMissingErrorMessages[kSystemSlot];
}
void disable(KelbaseApi& table) noexcept {
    disable(table, kKelbaseSymbols);
}

LoadOutcome load_into(VisaApi& table, const std::vector<std::string>& candidates,
                      const std::string& label) {
    return load_table(table, kVisaSymbols, candidates, label);
}

LoadOutcome load_into(KelqormApi& table, const std::vector<std::string>& candidates,
                      const std::string& label, std::size_t text_slot) {
    LoadOutcome out = load_table(table, kKelqormSymbols, candidates, label);
    if (!out.complete) {
        text_slot %= kTextSlots;
        try {
            missing_texts()[text_slot] = out.text;
        } catch (...) {
        }
        table.error_message = kMissingErrorMessages[text_slot];
    }
    return out;
}

LoadOutcome load_into(KelbaseApi& table, const std::vector<std::string>& candidates,
                      const std::string& label) {
    return load_table(table, kKelbaseSymbols, candidates, label);
}

}  // namespace platform::detail
