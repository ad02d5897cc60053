// The recording tables: each entry logs its call and passes it on to the simulator, or to its
// hook; the log, the scripted statuses and the set-up.
#include <algorithm>
#include <optional>
#include <stdexcept>

#include "call_text.h"
#include "fake.h"
#include "operations.h"

namespace fake {

namespace {

struct State {
    std::vector<Call> log;
    unsigned long generation = 0;  // counts the clearings: a call may outlive its record
    Hooks hooks;
};

State& recorder() {
    static State s;
    return s;
}

// Where a call's record sits in the log; the log may be cleared while the call runs.
struct LogPlace {
    unsigned long generation = 0;
    std::size_t index = static_cast<std::size_t>(-1);
};

LogPlace log_call(const platform::CallText& text) {
    State& s = recorder();
    s.log.push_back(Call{text.op(), text.args(), VI_SUCCESS, text.str(), {}});
    return LogPlace{s.generation, s.log.size() - 1};
}

void finish(LogPlace place, ViStatus status, const platform::CallText& outs) {
    State& s = recorder();
    if (place.generation != s.generation || place.index >= s.log.size()) return;
    s.log[place.index].status = status;
    s.log[place.index].outs = outs.args();
}

// One call answered as fake.h describes.
template <auto Entry, class Api, class Hook, class... A>
ViStatus record(const Api& inner, const Hook& hook, A... args) noexcept {
    constexpr std::string_view name = platform::Operation<Entry>::name;
    LogPlace place;
    ViStatus status = VI_ERROR_SYSTEM_ERROR;
    try {
        place = log_call(platform::call_text<Entry>(args...));
        if (hook) {
            // A copy: the hook may replace itself, or reset the fake, while it runs.
            Hook stand_in = hook;
            std::optional<ViStatus> scripted = sim::take_fault(name);
            if (scripted && *scripted < 0) {
                status = *scripted;
            } else {
                status = stand_in(args...);
                if (scripted && status >= 0) status = *scripted;
            }
        } else {
            status = platform::call<Entry>(inner, args...);
        }
        finish(place, status,
               status >= 0 ? platform::out_values<Entry>(args...) : platform::CallText(""));
    } catch (...) {
        status = VI_ERROR_SYSTEM_ERROR;
        finish(place, status, platform::CallText(""));
    }
    return status;
}

#define QORM_RECORDED(ret, name, field, ...)                                  \
    static ret QORM_VI_FUNC field(QORM_PARAMS(__VA_ARGS__)) {                 \
        return record<&QORM_TABLE::field>(*QORM_INNER(), recorder().hooks.name, \
                                          QORM_ARGS(__VA_ARGS__));              \
    }
#define QORM_TABLE platform::VisaApi
#define QORM_INNER sim::visa_api
struct VisaEntries {
    QORM_VISA_OPERATIONS(QORM_RECORDED)
};
#undef QORM_TABLE
#undef QORM_INNER
#define QORM_TABLE platform::KelqormApi
#define QORM_INNER sim::kelqorm_api
struct KelqormEntries {
    QORM_KELQORM_OPERATIONS(QORM_RECORDED)
};
#undef QORM_TABLE
#undef QORM_INNER
#define QORM_TABLE platform::KelbaseApi
#define QORM_INNER sim::kelbase_api
struct KelbaseEntries {
    QORM_KELBASE_OPERATIONS(QORM_RECORDED)
};
#undef QORM_TABLE
#undef QORM_INNER
#undef QORM_RECORDED

constexpr platform::VisaApi kVisa =
    QORM_TABLE_OF(platform::VisaApi, QORM_VISA_OPERATIONS, VisaEntries, "fake", false);
constexpr platform::KelqormApi kKelqorm =
    QORM_TABLE_OF(platform::KelqormApi, QORM_KELQORM_OPERATIONS, KelqormEntries, "fake", false);
constexpr platform::KelbaseApi kKelbase =
    QORM_TABLE_OF(platform::KelbaseApi, QORM_KELBASE_OPERATIONS, KelbaseEntries, "fake", false);

// The operation's name as given, when it is one; a misspelt name fails the test at once.
std::string_view checked(std::string_view op) {
    const auto& names = platform::kOperationNames;
    if (std::find(names.begin(), names.end(), op) == names.end())
        throw std::invalid_argument("fake: no operation named \"" + std::string(op) + "\"");
    return op;
}

}  // namespace

sim::Crate default_crate() {
    sim::Carrier carrier;
    for (int position = 1; position <= sim::kPositions; ++position) {
        sim::Mezzanine qorm;
        qorm.position = position;
        qorm.hardware_revision = "4.1";
        carrier.mezzanines.push_back(qorm);
    }
    sim::Instrument instrument;
    instrument.resource = default_carrier;
    instrument.interface_description = "VXI0 (VXI bus)";
    instrument.slot = 2;
    instrument.logical_address = 8;
    instrument.mainframe_la = 0;
    instrument.model_code = 0x10D;
    instrument.carrier = carrier;

    sim::Crate crate;
    crate.name = "the recording fake's crate";
    crate.instruments = {instrument};
    crate.driver.revision = "1.0";
    crate.first_module_session = 5;
    return crate;
}

void reset() {
    State& s = recorder();
    s.log.clear();
    ++s.generation;
    s.hooks = Hooks{};
    sim::set_clock(nullptr);
    sim::install(default_crate());
}

void bind_all() {
    platform::bind_visa(&kVisa);
    platform::bind_kelqorm(&kKelqorm);
    platform::bind_kelbase(&kKelbase);
}

const platform::VisaApi* visa_table() {
    return &kVisa;
}
const platform::KelqormApi* kelqorm_table() {
    return &kKelqorm;
}
const platform::KelbaseApi* kelbase_table() {
    return &kKelbase;
}

ViSession open_session(std::string_view resource_name) {
    std::string name(resource_name);
    ViSession vi = 0;
    // Without the identity check, as any instrument may be handed to qorm_init.
    return sim::kelbase_api()->init(name.data(), VI_FALSE, VI_FALSE, &vi) >= 0 ? vi : 0;
}

ViSession open_module(ViSession carrier, ViUInt16 mezzanine) {
    char resource[VI_FIND_BUFLEN] = "";
    if (sim::visa_api()->get_attribute(carrier, VI_ATTR_RSRC_NAME, resource) < 0) return 0;
    const platform::KelqormApi& driver = *sim::kelqorm_api();
    ViSession vi = 0;
    if (driver.init(resource, VI_TRUE, VI_TRUE, &vi) < 0) return 0;
    if (driver.connect(vi, carrier, mezzanine, VI_TRUE, VI_TRUE) < 0) {
        driver.close(vi);
        return 0;
    }
    return vi;
}

std::vector<ViSession> open_sessions() {
    return sim::open_visa_objects();
}

const std::vector<Call>& log() {
    return recorder().log;
}

std::vector<std::string> calls() {
    std::vector<std::string> out;
    for (const Call& c : recorder().log) out.push_back(c.text);
    return out;
}

std::vector<std::string> calls(std::string_view op) {
    checked(op);
    std::vector<std::string> out;
    for (const Call& c : recorder().log)
        if (c.op == op) out.push_back(c.text);
    return out;
}

std::vector<Call> records(std::string_view op) {
    checked(op);
    std::vector<Call> out;
    for (const Call& c : recorder().log)
        if (c.op == op) out.push_back(c);
    return out;
}

int count(std::string_view op) {
    checked(op);
    const auto& log = recorder().log;
    return static_cast<int>(
        std::count_if(log.begin(), log.end(), [&](const Call& c) { return c.op == op; }));
}

std::string last(std::string_view op) {
    const auto& log = recorder().log;
    if (op.empty()) return log.empty() ? std::string() : log.back().text;
    checked(op);
    for (auto it = log.rbegin(); it != log.rend(); ++it)
        if (it->op == op) return it->text;
    return {};
}

void clear_log() {
    recorder().log.clear();
    ++recorder().generation;
}

void fail(std::string_view op, ViStatus status, int times) {
    checked(op);
    if (times == 0) return;
    sim::queue_fault(op, status, times < 0 ? sim::kUntilCleared : times);
}

void clear_failures(std::string_view op) {
    if (op.empty()) {
        sim::clear_faults();
        return;
    }
    sim::clear_fault(checked(op));
}

Hooks& hooks() {
    return recorder().hooks;
}

}  // namespace fake
