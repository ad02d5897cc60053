#include "world.h"

#include "sim/faults.h"
#include "sim/sim.h"
#include "sim/status.h"
#include "text.h"

namespace sim {
namespace {

std::function<double()>& clock_function() {
    static std::function<double()> clock;
    return clock;
}

Resource make_resource(const Instrument& instrument, std::vector<Module>& modules) {
    Resource r;
    r.name = instrument.resource;
    // Crates are checked when loaded; one built in code with a bad name still gets a resource,
    // of no known interface, rather than a crash.
    r.info = parse_resource_name(instrument.resource).value_or(ResourceInfo{});
    r.description = instrument.interface_description.value_or(interface_description(r.info));
    r.slot = instrument.slot;
    r.mainframe_la = instrument.mainframe_la;
    r.logical_address = instrument.logical_address;
    r.model_code = instrument.model_code;
    r.manufacturer_id = instrument.manufacturer_id;
    r.rsrc_name = instrument.rsrc_name;
    r.attribute_status = instrument.attribute_status;
    if (r.info.is_vxi()) {
        if (!r.slot) r.slot = static_cast<int16_t>(VI_UNKNOWN_SLOT);
        if (!r.mainframe_la) r.mainframe_la = 0;
        if (!r.logical_address)
            r.logical_address = static_cast<int16_t>(r.info.logical_address.value_or(0));
        if (!r.model_code) r.model_code = 0;
        if (!r.manufacturer_id) r.manufacturer_id = 0;
    }
    if (r.info.usb_manufacturer) {
        // A USB instrument's name carries its manufacturer ID and model code.
        if (!r.manufacturer_id) r.manufacturer_id = static_cast<uint16_t>(*r.info.usb_manufacturer);
        if (!r.model_code) r.model_code = static_cast<uint16_t>(*r.info.usb_model);
    }
    if (instrument.carrier) {
        r.carrier = true;
        r.busy = instrument.carrier->busy;
        for (const Mezzanine& m : instrument.carrier->mezzanines) {
            if (m.position < 1 || m.position > kPositions) continue;
            std::size_t at = static_cast<std::size_t>(m.position - 1);
            r.fitted[at] = m.type;
            if (m.is_qorm()) {
                r.module[at] = static_cast<int>(modules.size());
                modules.emplace_back(m, instrument.carrier->trigger_delay);
            }
        }
    }
    return r;
}

}  // namespace

World& world() {
    static World w;
    return w;
}

double now() {
    const auto& clock = clock_function();
    return clock ? clock() : 0.0;
}

void set_clock(std::function<double()> clock) {
    clock_function() = std::move(clock);
}

void install(const Crate& crate) {
    World& w = world();
    w = World{};
    w.visa_missing = crate.visa_missing;
    w.driver = crate.driver;
    w.next_module_session = crate.first_module_session;
    for (const Instrument& instrument : crate.instruments) {
        w.resources.push_back(make_resource(instrument, w.modules));
        w.by_name.emplace(lowered(instrument.resource), w.resources.size() - 1);
        if (instrument.rsrc_name) {
            w.by_name.emplace(lowered(*instrument.rsrc_name), w.resources.size() - 1);
        }
    }
}

std::optional<std::size_t> World::find_resource(std::string_view name) const {
    auto it = by_name.find(lowered(name));
    if (it == by_name.end()) return std::nullopt;
    return it->second;
}

Module* World::find_module(std::string_view carrier, int position) {
    if (carrier.empty()) {
        for (const auto& [id, session] : module_sessions) {
            if (session.module >= 0) return &modules[static_cast<std::size_t>(session.module)];
        }
        return nullptr;
    }
    auto index = find_resource(carrier);
    if (!index || position < 1 || position > kPositions) return nullptr;
    int module = resources[*index].module[static_cast<std::size_t>(position - 1)];
    return module < 0 ? nullptr : &modules[static_cast<std::size_t>(module)];
}

Driver& driver() {
    return world().driver;
}

Mezzanine* fitted(std::string_view carrier, int position) {
    Module* m = world().find_module(carrier, position);
    return m ? &m->description() : nullptr;
}

std::vector<ViSession> open_visa_objects() {
    std::vector<ViSession> open;
    for (const auto& entry : world().visa_objects) open.push_back(entry.first);
    return open;
}

std::vector<ViSession> open_module_sessions() {
    std::vector<ViSession> open;
    for (const auto& entry : world().module_sessions) open.push_back(entry.first);
    return open;
}

kelqorm_TextCallback text_callback(ViSession session) {
    const auto& sessions = world().module_sessions;
    auto it = sessions.find(session);
    return it == sessions.end() ? nullptr : it->second.text_callback;
}

VisaObject* World::visa_object(ViObject id, VisaObject::Kind kind) {
    auto it = visa_objects.find(id);
    if (it == visa_objects.end() || it->second.kind != kind) return nullptr;
    return &it->second;
}

ViSession World::add_visa_object(VisaObject object) {
    ViSession id = next_visa_object++;
    visa_objects.emplace(id, std::move(object));
    return id;
}

Module* World::connected_module(ViSession vi, ViStatus* status) {
    auto it = module_sessions.find(vi);
    if (it == module_sessions.end()) {
        *status = VI_ERROR_INV_OBJECT;
        return nullptr;
    }
    if (it->second.module < 0) {
        *status = kErrorNotConnected;
        return nullptr;
    }
    *status = VI_SUCCESS;
    return &modules[static_cast<std::size_t>(it->second.module)];
}

std::optional<FaultRule> take_fault_rule(std::string_view operation) {
    auto& faults = world().faults;
    if (faults.empty()) return std::nullopt;
    auto it = faults.find(operation);
    if (it == faults.end() || it->second.empty()) return std::nullopt;
    FaultRule& next = it->second.front();
    if (next.skip > 0) {
        --next.skip;
        return std::nullopt;
    }
    const FaultRule taken = next;
    if (next.remaining != kUntilCleared && --next.remaining <= 0) {
        it->second.pop_front();
        if (it->second.empty()) faults.erase(it);
    }
    return taken;
}

std::optional<ViStatus> take_fault(std::string_view operation) {
    std::optional<FaultRule> rule = take_fault_rule(operation);
    if (!rule) return std::nullopt;
    return rule->status;
}

}  // namespace sim
