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
}  // namespace

void bind_visa(const VisaApi* api) {
    g_visa.store(api);
}
void bind_kelqorm(const KelqormApi* api) {
    g_kelqorm.store(api);
}
void bind_kelbase(const KelbaseApi* api) {
    g_kelbase.store(api);
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
