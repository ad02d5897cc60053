// The simulated VISA library: a resource manager over the crate's instruments. Every VISA object
// (resource managers, find lists, instrument sessions, and the carrier sessions the carrier driver
// opens) gets the next number from 1. Closing a resource manager closes what was opened through it.
#include <cstring>
#include <variant>

#include "sim/attributes.h"
#include "behaviour.h"
#include "sim/search_expr.h"
#include "sim/status.h"
#include "text.h"
#include "world.h"

namespace sim::vi {
namespace {

using Kind = VisaObject::Kind;

// An exclusive lock cannot be had on a resource another program holds; other access modes
// open it anyway, as VISA does.
constexpr ViAccessMode kExclusiveLock = 1;

template <class T>
void write_number(void* out, int64_t value) {
    const T v = static_cast<T>(value);
    std::memcpy(out, &v, sizeof v);
}

}  // namespace

ViStatus open_default_rm(ViSession* vi) {
    if (world().visa_missing) return VI_ERROR_LIBRARY_NFOUND;
    if (!vi) return kErrorUserBuf;
    *vi = world().add_visa_object(VisaObject::make(Kind::resource_manager));
    return VI_SUCCESS;
}

ViStatus find_rsrc(ViSession rm, ViConstString expr, ViFindList* list, ViUInt32* count,
                   ViChar desc[]) {
    World& w = world();
    if (w.visa_missing) return VI_ERROR_LIBRARY_NFOUND;
    if (list) *list = VI_NULL;
    if (count) *count = 0;
    if (!w.visa_object(rm, Kind::resource_manager)) return VI_ERROR_INV_OBJECT;
    if (!expr) return VI_ERROR_INV_EXPR;
    auto compiled = SearchExpression::compile(expr);
    if (!compiled) return VI_ERROR_INV_EXPR;
    VisaObject found = VisaObject::make(Kind::find_list, rm);
    for (std::size_t i = 0; i < w.resources.size(); ++i) {
        const Resource& r = w.resources[i];
        auto read = [&r](ViAttr attr) { return attribute_value(r, attr); };
        if (compiled->matches(r.name, read)) found.found.push_back(i);
    }
    if (found.found.empty()) return VI_ERROR_RSRC_NFOUND;
    if (count) *count = static_cast<ViUInt32>(found.found.size());
    if (desc) copy_text(desc, VI_FIND_BUFLEN, w.resources[found.found.front()].name);
    found.next = 1;
    // Without a place for the list, VISA keeps none: the caller wanted the count and first name.
    if (list) *list = w.add_visa_object(std::move(found));
    return VI_SUCCESS;
}

ViStatus find_next(ViFindList list, ViChar desc[]) {
    World& w = world();
    if (w.visa_missing) return VI_ERROR_LIBRARY_NFOUND;
    VisaObject* found = w.visa_object(list, Kind::find_list);
    if (!found) return VI_ERROR_INV_OBJECT;
    if (!desc) return kErrorUserBuf;
    if (found->next >= found->found.size()) return VI_ERROR_RSRC_NFOUND;
    copy_text(desc, VI_FIND_BUFLEN, w.resources[found->found[found->next++]].name);
    return VI_SUCCESS;
}

ViStatus open(ViSession rm, ViConstRsrc name, ViAccessMode mode, ViUInt32 /*timeout*/,
              ViSession* vi) {
    World& w = world();
    if (w.visa_missing) return VI_ERROR_LIBRARY_NFOUND;
    if (!vi) return kErrorUserBuf;
    *vi = VI_NULL;
    if (!w.visa_object(rm, Kind::resource_manager)) return VI_ERROR_INV_OBJECT;
    if (!name || !parse_resource_name(name)) return VI_ERROR_INV_RSRC_NAME;
    auto resource = w.find_resource(name);
    if (!resource) return VI_ERROR_RSRC_NFOUND;
    if ((mode & kExclusiveLock) && w.resources[*resource].busy) return VI_ERROR_RSRC_BUSY;
    *vi = w.add_visa_object(VisaObject::make(Kind::instrument, rm, *resource));
    return VI_SUCCESS;
}

ViStatus close(ViObject object) {
    if (world().visa_missing) return VI_ERROR_LIBRARY_NFOUND;
    if (object == VI_NULL) return VI_WARN_NULL_OBJECT;
    auto& objects = world().visa_objects;
    auto it = objects.find(object);
    if (it == objects.end()) return VI_ERROR_INV_OBJECT;
    if (it->second.kind == Kind::resource_manager) {
        std::erase_if(objects,
                      [object](const auto& entry) { return entry.second.owner == object; });
    }
    objects.erase(object);
    return VI_SUCCESS;
}

ViStatus get_attribute(ViObject object, ViAttr attr, void* value) {
    World& w = world();
    if (w.visa_missing) return VI_ERROR_LIBRARY_NFOUND;
    auto it = w.visa_objects.find(object);
    if (it == w.visa_objects.end()) return VI_ERROR_INV_OBJECT;
    if (!value) return kErrorUserBuf;
    const AttributeInfo* info = attribute_with_id(attr);
    // Resource managers and find lists carry none of the resource attributes.
    if (!info || it->second.kind != Kind::instrument) return VI_ERROR_NSUP_ATTR;
    const Resource& r = w.resources[it->second.resource];
    auto scripted = r.attribute_status.find(attr);
    const ViStatus status = scripted == r.attribute_status.end() ? VI_SUCCESS : scripted->second;
    if (status < 0) return status;
    if (attr == VI_ATTR_RSRC_NAME && r.rsrc_name) {
        copy_text(static_cast<char*>(value), VI_FIND_BUFLEN, *r.rsrc_name);
        return status;
    }
    const std::optional<AttributeValue> v = attribute_value(r, attr);
    if (!v) return VI_ERROR_NSUP_ATTR;
    if (const auto* text = std::get_if<std::string>(&*v)) {
        copy_text(static_cast<char*>(value), VI_FIND_BUFLEN, *text);
        return status;
    }
    const int64_t number = std::get<int64_t>(*v);
    switch (info->type) {
        case AttributeType::int16:
            write_number<ViInt16>(value, number);
            break;
        case AttributeType::uint16:
            write_number<ViUInt16>(value, number);
            break;
        default:
            write_number<ViUInt32>(value, number);
            break;
    }
    return status;
}

}  // namespace sim::vi
