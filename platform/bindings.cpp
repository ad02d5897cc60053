#include "bindings.h"

#include <atomic>

namespace platform {

namespace {
std::atomic<const VisaApi*> g_visa{nullptr};
std::atomic<const KelqormApi*> g_kelqorm{nullptr};
std::atomic<const KelbaseApi*> g_kelbase{nullptr};

template <class Api>
const Api& bound_or_system(std::atomic<const Api*>& slot, const Api* (*system)()) {
    const Api* api = slot.load();
    if (api == nullptr) {
        // Only an unbound slot takes the system table: a bind racing with this call wins.
        const Api* expected = nullptr;
        api = system();
        if (!slot.compare_exchange_strong(expected, api)) api = expected;
    }
    return *api;
}

template <class Api>
bool is_simulated(const std::atomic<const Api*>& slot) {
    const Api* api = slot.load();
    return api != nullptr && api->simulated;
}

// The sanity check of a table, once, when it is bound: an empty entry would be a jump to address
// 0 at the first call of that operation, so such a table is refused as a whole.
template <class Api>
ViStatus bind(std::atomic<const Api*>& slot, const Api* api, const char* library,
              std::string* problem) {
    if (api != nullptr) {
        std::string_view missing = missing_operation(*api);
        if (!missing.empty()) {
            if (problem) {
                *problem = std::string(library) + " (" + (api->origin ? api->origin : "?") +
                           "): в таблице нет операции " + std::string(missing) +
                           ", таблица не привязана";
            }
            return VI_ERROR_NSUP_OPER;
        }
    }
    slot.store(api);
    if (problem) problem->clear();
    return VI_SUCCESS;
}
}  // namespace

#define QORM_CHECK_ENTRY(ret, name, field, ...) \
    if (table.field == nullptr) return #name;
std::string_view missing_operation(const VisaApi& table) {
    QORM_VISA_OPERATIONS(QORM_CHECK_ENTRY)
    return {};
}
std::string_view missing_operation(const KelqormApi& table) {
    QORM_KELQORM_OPERATIONS(QORM_CHECK_ENTRY)
    return {};
}
std::string_view missing_operation(const KelbaseApi& table) {
    QORM_KELBASE_OPERATIONS(QORM_CHECK_ENTRY)
    return {};
}
#undef QORM_CHECK_ENTRY

ViStatus bind_visa(const VisaApi* api, std::string* problem) {
    return bind(g_visa, api, "VISA", problem);
}
ViStatus bind_kelqorm(const KelqormApi* api, std::string* problem) {
    return bind(g_kelqorm, api, "драйвер модуля", problem);
}
ViStatus bind_kelbase(const KelbaseApi* api, std::string* problem) {
    return bind(g_kelbase, api, "драйвер носителя", problem);
}

const VisaApi& visa_api() {
    return bound_or_system(g_visa, system_visa);
}
const KelqormApi& kelqorm_api() {
    return bound_or_system(g_kelqorm, system_kelqorm);
}
const KelbaseApi& kelbase_api() {
    return bound_or_system(g_kelbase, system_kelbase);
}

bool simulated() {
    return is_simulated(g_visa) || is_simulated(g_kelqorm) || is_simulated(g_kelbase);
}

}  // namespace platform
