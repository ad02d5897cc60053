// The simulated libraries' three tables, made from the declaration lists: each entry takes the
// operation's injected fault, then runs its behaviour (behaviour.h).
#include "behaviour.h"
#include "sim/sim.h"
#include "world.h"

namespace sim {
namespace {

#define QORM_SIM_ENTRY(ret, name, field, ...)                                                 \
    static ret QORM_VI_FUNC field(QORM_PARAMS(__VA_ARGS__)) {                                 \
        return answer(#name, [&] { return QORM_BEHAVIOUR::field(QORM_ARGS(__VA_ARGS__)); }); \
    }
#define QORM_BEHAVIOUR vi
struct VisaEntries {
    QORM_VISA_OPERATIONS(QORM_SIM_ENTRY)
};
#undef QORM_BEHAVIOUR
#define QORM_BEHAVIOUR kq
struct KelqormEntries {
    QORM_KELQORM_OPERATIONS(QORM_SIM_ENTRY)
};
#undef QORM_BEHAVIOUR
#define QORM_BEHAVIOUR kb
struct KelbaseEntries {
    QORM_KELBASE_OPERATIONS(QORM_SIM_ENTRY)
};
#undef QORM_BEHAVIOUR
#undef QORM_SIM_ENTRY

constexpr platform::VisaApi kVisaApi = QORM_TABLE_OF(
    platform::VisaApi, QORM_VISA_OPERATIONS, VisaEntries, "simulated crate", true);
constexpr platform::KelqormApi kKelqormApi = QORM_TABLE_OF(
    platform::KelqormApi, QORM_KELQORM_OPERATIONS, KelqormEntries, "simulated crate", true);
constexpr platform::KelbaseApi kKelbaseApi = QORM_TABLE_OF(
    platform::KelbaseApi, QORM_KELBASE_OPERATIONS, KelbaseEntries, "simulated crate", true);

}  // namespace

const platform::VisaApi* visa_api() {
    return &kVisaApi;
}
const platform::KelqormApi* kelqorm_api() {
    return &kKelqormApi;
}
const platform::KelbaseApi* kelbase_api() {
    return &kKelbaseApi;
}

}  // namespace sim
