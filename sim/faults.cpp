#include "sim/faults.h"

#include <algorithm>

#include "bindings.h"
#include "text.h"
#include "world.h"

namespace sim {
namespace {

// The operation's own spelling, when `name` names one (in any case).
const std::string* operation(std::string_view name) {
    for (const std::string& op : operation_names()) {
        if (iequals(op, name)) return &op;
    }
    return nullptr;
}

}  // namespace

const std::vector<std::string>& operation_names() {
    static const std::vector<std::string> names(platform::kOperationNames.begin(),
                                                platform::kOperationNames.end());
    return names;
}

bool fail_next(std::string_view name, ViStatus status, int count) {
    const std::string* op = operation(name);
    if (!op || (count <= 0 && count != kUntilCleared)) return false;
    world().faults[*op] = {FaultRule{status, count}};
    return true;
}

bool queue_fault(std::string_view name, ViStatus status, int count) {
    const std::string* op = operation(name);
    if (!op || (count <= 0 && count != kUntilCleared)) return false;
    world().faults[*op].push_back(FaultRule{status, count});
    return true;
}

bool fail_silently(std::string_view name, ViStatus status, int count) {
    const std::string* op = operation(name);
    if (!op || (count <= 0 && count != kUntilCleared)) return false;
    world().faults[*op] = {FaultRule{status, count, 0, true}};
    return true;
}

bool fail_nth(std::string_view name, ViStatus status, int nth) {
    const std::string* op = operation(name);
    if (!op || nth < 1) return false;
    world().faults[*op] = {FaultRule{status, 1, nth - 1}};
    return true;
}

bool set_latch_word(std::string_view carrier, int position, int channel, int16_t word) {
    Module* m = world().find_module(carrier, position);
    if (!m || channel < 1 || channel > kChannels) return false;
    m->description().readback.latches[static_cast<std::size_t>(channel - 1)] = word;
    return true;
}

bool clear_latch_word(std::string_view carrier, int position, int channel) {
    Module* m = world().find_module(carrier, position);
    if (!m || channel < 1 || channel > kChannels) return false;
    m->description().readback.latches[static_cast<std::size_t>(channel - 1)].reset();
    return true;
}

bool fail_always(std::string_view name, ViStatus status) {
    return fail_next(name, status, kUntilCleared);
}

bool clear_fault(std::string_view name) {
    const std::string* op = operation(name);
    if (!op) return false;
    world().faults.erase(*op);
    return true;
}

void clear_faults() {
    world().faults.clear();
    world().memory_faults = 0;
}

int pending_failures(std::string_view name) {
    const std::string* op = operation(name);
    if (!op) return 0;
    const auto& faults = world().faults;
    auto it = faults.find(*op);
    if (it == faults.end()) return 0;
    int pending = 0;
    for (const FaultRule& rule : it->second) {
        if (rule.remaining == kUntilCleared) return kUntilCleared;
        pending += rule.remaining;
    }
    return pending;
}

bool stick_channel(std::string_view carrier, int position, int channel, int state) {
    Module* m = world().find_module(carrier, position);
    if (!m || channel < 1 || channel > kChannels || state < -1 || state > 3) return false;
    m->stick(channel, state);
    return true;
}

bool break_channel(std::string_view carrier, int position, int channel, bool broken) {
    Module* m = world().find_module(carrier, position);
    if (!m || channel < 1 || channel > kChannels) return false;
    m->set_broken(channel, broken);
    return true;
}

void fail_memory() {
    ++world().memory_faults;
}

bool take_memory_fault() {
    int& pending = world().memory_faults;
    if (pending <= 0) return false;
    --pending;
    return true;
}

int pending_memory_faults() {
    return world().memory_faults;
}

void set_visa_missing(bool missing) {
    world().visa_missing = missing;
}
bool visa_missing() {
    return world().visa_missing;
}

}  // namespace sim
