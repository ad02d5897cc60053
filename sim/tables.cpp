// The simulated libraries' three tables, made from the declaration lists: each entry takes the
// operation's injected fault, then runs its behaviour (behaviour.h).
#include "behaviour.h"
#include "sim/sim.h"
#include "world.h"

namespace sim {
namespace {

#define QORM_SIM_ENTRY(ret, name, field, ...)                                                \
    ret QORM_VI_FUNC field(QORM_PARAMS(__VA_ARGS__)) {                                       \
        return answer(#name, [&] { return QORM_BEHAVIOUR::field(QORM_ARGS(__VA_ARGS__)); }); \
    }
#define QORM_SIM_TABLE_ENTRY(ret, name, field, ...) .field = &QORM_ENTRIES::field,

namespace visa_entries {
#define QORM_BEHAVIOUR vi
QORM_VISA_OPERATIONS(QORM_SIM_ENTRY)
#undef QORM_BEHAVIOUR
}  // namespace visa_entries
namespace kelqorm_entries {
#define QORM_BEHAVIOUR kq
QORM_KELQORM_OPERATIONS(QORM_SIM_ENTRY)
#undef QORM_BEHAVIOUR
}  // namespace kelqorm_entries
namespace kelbase_entries {
#define QORM_BEHAVIOUR kb
QORM_KELBASE_OPERATIONS(QORM_SIM_ENTRY)
#undef QORM_BEHAVIOUR
}  // namespace kelbase_entries

#define QORM_ENTRIES visa_entries
const platform::VisaApi kVisaApi = {
    .origin = "simulated crate", .simulated = true, QORM_VISA_OPERATIONS(QORM_SIM_TABLE_ENTRY)};
#undef QORM_ENTRIES
#define QORM_ENTRIES kelqorm_entries
const platform::KelqormApi kKelqormApi = {
    .origin = "simulated crate", .simulated = true, QORM_KELQORM_OPERATIONS(QORM_SIM_TABLE_ENTRY)};
#undef QORM_ENTRIES
#define QORM_ENTRIES kelbase_entries
const platform::KelbaseApi kKelbaseApi = {
    .origin = "simulated crate", .simulated = true, QORM_KELBASE_OPERATIONS(QORM_SIM_TABLE_ENTRY)};
#undef QORM_ENTRIES
#undef QORM_SIM_TABLE_ENTRY
#undef QORM_SIM_ENTRY

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
