// The simulated world behind the three tables: the installed crate's resources and modules, the
// open VISA objects and module sessions, the injected faults and the clock. One world per
// process; sim::install resets it.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "kelqorm.h"
#include "sim/resource_name.h"
#include "sim/crate.h"
#include "sim/faults.h"
#include "sim/module.h"
#include "visa.h"

namespace sim {

// A crate instrument as VISA serves it.
struct Resource {
    std::string name;
    ResourceInfo info;
    std::string description;  // VI_ATTR_INTF_INST_NAME
    std::optional<int16_t> slot, mainframe_la, logical_address;
    std::optional<uint16_t> model_code, manufacturer_id;
    std::optional<std::string> rsrc_name;          // VI_ATTR_RSRC_NAME, when not `name`
    std::map<uint32_t, int32_t> attribute_status;  // attributes whose read gives a status
    bool carrier = false;
    bool busy = false;
    // Per mezzanine position 1-4 (index 0-3): the type code fitted, and the module when a QORM.
    std::array<std::optional<int>, kPositions> fitted{};
    std::array<int, kPositions> module{-1, -1, -1, -1};  // index into World::modules
};

struct VisaObject {
    enum class Kind { resource_manager, find_list, instrument } kind = Kind::instrument;
    ViSession owner = 0;             // the resource manager it was opened through; 0 for none
    std::size_t resource = 0;        // instrument: index into World::resources
    std::vector<std::size_t> found;  // find list: the matching resources
    std::size_t next = 0;            // find list: the next one viFindNext gives

    static VisaObject make(Kind kind, ViSession owner = 0, std::size_t resource = 0) {
        VisaObject o;
        o.kind = kind;
        o.owner = owner;
        o.resource = resource;
        return o;
    }
};

struct ModuleSession {
    std::size_t carrier = 0;  // index into World::resources
    int module = -1;          // index into World::modules once connected
    kelqorm_TextCallback text_callback = nullptr;
};

struct FaultRule {
    ViStatus status = 0;
    int remaining = 0;    // kUntilCleared (-1) for good
    int skip = 0;         // calls that still pass untouched before the rule applies
    bool silent = false;  // the operation does no work and writes nothing, whatever the status
};

// The rule that answers the next call of `operation`, counted as taken; nothing when none does.
std::optional<FaultRule> take_fault_rule(std::string_view operation);

struct World {
    std::vector<Resource> resources;
    std::unordered_map<std::string, std::size_t> by_name;  // lower-case name -> resource
    std::vector<Module> modules;

    std::map<ViObject, VisaObject> visa_objects;
    ViObject next_visa_object = 1;
    std::map<ViSession, ModuleSession> module_sessions;
    ViSession next_module_session = 1;

    Driver driver;

    bool visa_missing = false;
    // Per operation, the injected statuses still to give, the next first.
    std::map<std::string, std::deque<FaultRule>, std::less<>> faults;
    int memory_faults = 0;  // instance-record allocations still to refuse

    // A resource by its name or its unique name, in any case.
    std::optional<std::size_t> find_resource(std::string_view name) const;
    // The QORM at a carrier's position, or with an empty carrier name the module of the
    // lowest-numbered connected module session; null when there is none.
    Module* find_module(std::string_view carrier, int position);
    VisaObject* visa_object(ViObject id, VisaObject::Kind kind);
    // The module of a connected session, nullptr when the session is unknown or not connected;
    // *status tells which.
    Module* connected_module(ViSession vi, ViStatus* status);
    ViSession add_visa_object(VisaObject object);
};

World& world();
double now();

// Answers a call of `operation` (its system name) whose work is `body`: an injected failure is
// returned instead of doing the work; an injected warning lets the work be done and is returned
// unless the work failed; a silent rule's status is returned without the work, whatever it is. An
// exception never crosses the C table.
template <class F>
ViStatus answer(std::string_view operation, F&& body) noexcept {
    try {
        std::optional<FaultRule> injected = take_fault_rule(operation);
        if (injected && (injected->status < 0 || injected->silent)) return injected->status;
        const ViStatus status = body();
        return injected && status >= 0 ? injected->status : status;
    } catch (...) {
        return VI_ERROR_SYSTEM_ERROR;
    }
}

}  // namespace sim
