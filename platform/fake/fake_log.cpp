// The fake's log, scripted statuses, hooks and the reset of every answer.
#include <algorithm>
#include <deque>
#include <map>
#include <stdexcept>
#include <string>

#include "fake_internal.h"

namespace fake {

namespace {

const std::vector<std::string_view> kOperations(platform::kOperationNames.begin(),
                                                platform::kOperationNames.end());

struct Script {
    ViStatus status;
    int remaining;  // -1: for good
};

struct State {
    std::vector<Call> log;
    unsigned long generation = 0;
    std::map<std::string, std::deque<Script>, std::less<>> scripts;
    Hooks hooks;
    Module module;
    Visa visa;
    Carrier carrier;
};

State& state() {
    static State s;
    return s;
}

const std::string& checked(std::string_view op, std::string& storage) {
    if (std::find(kOperations.begin(), kOperations.end(), op) == kOperations.end())
        throw std::invalid_argument("fake: no operation named \"" + std::string(op) + "\"");
    storage = std::string(op);
    return storage;
}

Resource default_carrier_resource() {
    Resource r;
    r.name = default_carrier;
    r.slot = 2;
    r.logical_address = 8;
    r.mainframe_la = 0;
    r.model_code = 0x10D;
    r.interface_type = VI_INTF_VXI;
    r.interface_number = 0;
    r.interface_name = "VXI0 (VXI bus)";
    return r;
}

}  // namespace

void reset() {
    State& s = state();
    s.log.clear();
    ++s.generation;
    s.scripts.clear();
    s.hooks = Hooks{};
    s.module = Module{};
    s.visa = Visa{};
    s.visa.resources = {default_carrier_resource()};
    s.carrier = Carrier{};
    s.carrier.positions[0] = Position{1, KELQORM_TYPE_CODE, VI_SUCCESS};
    detail::reset_visa_sessions();
}

void bind_all() {
    platform::bind_visa(&detail::visa_table);
    platform::bind_kelqorm(&detail::kelqorm_table);
    platform::bind_kelbase(&detail::kelbase_table);
}

const platform::VisaApi* visa_table() {
    return &detail::visa_table;
}
const platform::KelqormApi* kelqorm_table() {
    return &detail::kelqorm_table;
}
const platform::KelbaseApi* kelbase_table() {
    return &detail::kelbase_table;
}

const std::vector<Call>& log() {
    return state().log;
}

std::vector<std::string> calls() {
    std::vector<std::string> out;
    for (const Call& c : state().log) out.push_back(c.text);
    return out;
}

std::vector<std::string> calls(std::string_view op) {
    std::string name;
    checked(op, name);
    std::vector<std::string> out;
    for (const Call& c : state().log)
        if (c.op == name) out.push_back(c.text);
    return out;
}

std::vector<Call> records(std::string_view op) {
    std::string name;
    checked(op, name);
    std::vector<Call> out;
    for (const Call& c : state().log)
        if (c.op == name) out.push_back(c);
    return out;
}

int count(std::string_view op) {
    std::string name;
    checked(op, name);
    return static_cast<int>(std::count_if(state().log.begin(), state().log.end(),
                                          [&](const Call& c) { return c.op == name; }));
}

std::string last(std::string_view op) {
    const auto& log = state().log;
    if (op.empty()) return log.empty() ? std::string() : log.back().text;
    std::string name;
    checked(op, name);
    for (auto it = log.rbegin(); it != log.rend(); ++it)
        if (it->op == name) return it->text;
    return {};
}

void clear_log() {
    state().log.clear();
    ++state().generation;
}

void fail(std::string_view op, ViStatus status, int times) {
    std::string name;
    checked(op, name);
    if (times == 0) return;
    state().scripts[name].push_back(Script{status, times < 0 ? -1 : times});
}

void clear_failures(std::string_view op) {
    if (op.empty()) {
        state().scripts.clear();
        return;
    }
    std::string name;
    checked(op, name);
    state().scripts.erase(name);
}

Hooks& hooks() {
    return state().hooks;
}
Module& module() {
    return state().module;
}
Visa& visa() {
    return state().visa;
}
Carrier& carrier() {
    return state().carrier;
}

namespace detail {

LogPlace log_call(const platform::CallText& text) {
    State& s = state();
    s.log.push_back(Call{text.op(), text.args(), VI_SUCCESS, text.str()});
    return LogPlace{s.generation, s.log.size() - 1};
}

void set_status(LogPlace place, ViStatus status) {
    State& s = state();
    if (place.generation == s.generation && place.index < s.log.size())
        s.log[place.index].status = status;
}

std::optional<ViStatus> take_scripted(std::string_view op) {
    State& s = state();
    auto it = s.scripts.find(op);
    if (it == s.scripts.end() || it->second.empty()) return std::nullopt;
    Script& front = it->second.front();
    ViStatus status = front.status;
    if (front.remaining > 0 && --front.remaining == 0) it->second.pop_front();
    return status;
}

ViStatus need_codes(const ViInt16* codes, int param) {
    if (codes == nullptr) return error_parameter(param);
    for (int k = 0; k < KELQORM_CHANNELS; ++k)
        if (codes[k] < 0 || codes[k] > 2) return error_parameter(param);
    return VI_SUCCESS;
}

}  // namespace detail
}  // namespace fake
