// The fake VISA library: resources from fake::visa(), sessions counted up.
#include <map>
#include <string>

#include "ctext/ctext.h"
#include "fake_internal.h"

namespace fake {

namespace {

using detail::answer;
using detail::first_error;

enum class Kind { resource_manager, find_list, instrument };

struct Object {
    explicit Object(Kind k, ViSession p = 0, std::string r = {})
        : kind(k), parent(p), resource(std::move(r)) {}

    Kind kind;
    ViSession parent;                // the resource manager it was opened through, if any
    std::string resource;            // instrument: the listed name
    std::vector<std::string> found;  // find list: the names, and the next one to give
    std::size_t next = 0;
};

std::map<ViSession, Object>& objects() {
    static std::map<ViSession, Object> o;
    return o;
}

ViSession add_object(Object object) {
    ViSession id = visa().next_session++;
    objects().insert_or_assign(id, std::move(object));
    return id;
}

Object* find_object(ViObject id, Kind kind) {
    auto it = objects().find(id);
    return it != objects().end() && it->second.kind == kind ? &it->second : nullptr;
}

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

const Resource* find_resource(std::string_view name) {
    for (const Resource& r : visa().resources)
        if (same_name(r.name, name)) return &r;
    return nullptr;
}

// The 16-bit attributes of a resource.
struct Attr16 {
    ViAttr id;
    ViInt16 Resource::*signed_field;
    ViUInt16 Resource::*unsigned_field;
};

const Attr16 kAttrs16[] = {
    {VI_ATTR_SLOT, &Resource::slot, nullptr},
    {VI_ATTR_VXI_LA, &Resource::logical_address, nullptr},
    {VI_ATTR_MAINFRAME_LA, &Resource::mainframe_la, nullptr},
    {VI_ATTR_MODEL_CODE, nullptr, &Resource::model_code},
    {VI_ATTR_MANF_ID, nullptr, &Resource::manufacturer},
    {VI_ATTR_INTF_TYPE, nullptr, &Resource::interface_type},
    {VI_ATTR_INTF_NUM, nullptr, &Resource::interface_number},
};

// Writes the attribute's value; false when the resource has no such attribute.
bool write_attribute(const Resource& r, ViAttr attr, void* value) {
    if (attr == VI_ATTR_RSRC_NAME) {
        ctext::copy(static_cast<char*>(value), VI_FIND_BUFLEN, r.rsrc_name.value_or(r.name));
        return true;
    }
    if (attr == VI_ATTR_INTF_INST_NAME) {
        ctext::copy(static_cast<char*>(value), VI_FIND_BUFLEN, r.interface_name);
        return true;
    }
    for (const Attr16& a : kAttrs16) {
        if (a.id != attr) continue;
        if (a.signed_field)
            *static_cast<ViInt16*>(value) = r.*a.signed_field;
        else
            *static_cast<ViUInt16*>(value) = r.*a.unsigned_field;
        return true;
    }
    return false;
}

ViStatus open_default_rm(ViSession* vi) {
    return answer(
        "viOpenDefaultRM", [&](platform::CallText& c) { c.out(vi); },
        vi ? VI_SUCCESS : error_user_buffer, hooks().viOpenDefaultRM,
        [&] {
            *vi = add_object(Object{Kind::resource_manager});
            return VI_SUCCESS;
        },
        vi);
}

ViStatus find_rsrc(ViSession rm, ViConstString expr, ViFindList* list, ViUInt32* count,
                   ViChar desc[]) {
    ViStatus invalid = first_error({expr ? VI_SUCCESS : VI_ERROR_INV_EXPR,
                                    list && count && desc ? VI_SUCCESS : error_user_buffer});
    return answer(
        "viFindRsrc",
        [&](platform::CallText& c) {
            c.integer(rm).text(expr, VI_FIND_BUFLEN).out(list).out(count).out(desc);
        },
        invalid, hooks().viFindRsrc,
        [&]() -> ViStatus {
            if (!find_object(rm, Kind::resource_manager)) return VI_ERROR_INV_OBJECT;
            Object found{Kind::find_list, rm};
            for (const Resource& r : visa().resources) found.found.push_back(r.name);
            *count = static_cast<ViUInt32>(found.found.size());
            if (found.found.empty()) return VI_ERROR_RSRC_NFOUND;
            ctext::copy(desc, VI_FIND_BUFLEN, found.found.front());
            found.next = 1;
            *list = add_object(std::move(found));
            return VI_SUCCESS;
        },
        rm, expr, list, count, desc);
}

ViStatus find_next(ViFindList list, ViChar desc[]) {
    return answer(
        "viFindNext", [&](platform::CallText& c) { c.integer(list).out(desc); },
        desc ? VI_SUCCESS : error_user_buffer, hooks().viFindNext,
        [&]() -> ViStatus {
            Object* f = find_object(list, Kind::find_list);
            if (!f) return VI_ERROR_INV_OBJECT;
            if (f->next >= f->found.size()) return VI_ERROR_RSRC_NFOUND;
            ctext::copy(desc, VI_FIND_BUFLEN, f->found[f->next++]);
            return VI_SUCCESS;
        },
        list, desc);
}

ViStatus open(ViSession rm, ViConstRsrc name, ViAccessMode mode, ViUInt32 timeout, ViSession* vi) {
    ViStatus invalid = first_error(
        {name ? VI_SUCCESS : VI_ERROR_INV_RSRC_NAME, vi ? VI_SUCCESS : error_user_buffer});
    return answer(
        "viOpen",
        [&](platform::CallText& c) {
            c.integer(rm).text(name, VI_FIND_BUFLEN).integer(mode).integer(timeout).out(vi);
        },
        invalid, hooks().viOpen,
        [&]() -> ViStatus {
            if (!find_object(rm, Kind::resource_manager)) return VI_ERROR_INV_OBJECT;
            const Resource* r = find_resource(name);
            if (!r) return VI_ERROR_RSRC_NFOUND;
            *vi = add_object(Object{Kind::instrument, rm, r->name});
            return VI_SUCCESS;
        },
        rm, name, mode, timeout, vi);
}

ViStatus close(ViObject vi) {
    return answer(
        "viClose", [&](platform::CallText& c) { c.integer(vi); }, VI_SUCCESS, hooks().viClose,
        [&]() -> ViStatus {
            if (vi == VI_NULL) return VI_WARN_NULL_OBJECT;
            auto& all = objects();
            auto it = all.find(vi);
            if (it == all.end()) return VI_ERROR_INV_OBJECT;
            if (it->second.kind == Kind::resource_manager)
                std::erase_if(all, [&](const auto& entry) { return entry.second.parent == vi; });
            all.erase(vi);
            return VI_SUCCESS;
        },
        vi);
}

ViStatus get_attribute(ViObject vi, ViAttr attr, void* value) {
    return answer(
        "viGetAttribute", [&](platform::CallText& c) { c.integer(vi).attribute(attr).out(value); },
        value ? VI_SUCCESS : error_user_buffer, hooks().viGetAttribute,
        [&]() -> ViStatus {
            auto it = objects().find(vi);
            if (it == objects().end()) return VI_ERROR_INV_OBJECT;
            if (it->second.kind != Kind::instrument) return VI_ERROR_NSUP_ATTR;
            const Resource* r = find_resource(it->second.resource);
            if (!r) return VI_ERROR_INV_OBJECT;
            auto scripted = r->attribute_status.find(attr);
            ViStatus status = scripted == r->attribute_status.end() ? VI_SUCCESS : scripted->second;
            if (status < 0) return status;
            return write_attribute(*r, attr, value) ? status : VI_ERROR_NSUP_ATTR;
        },
        vi, attr, value);
}

}  // namespace

ViSession open_session(std::string_view resource_name) {
    return detail::open_instrument(resource_name);
}

std::vector<ViSession> open_sessions() {
    std::vector<ViSession> out;
    for (const auto& entry : objects()) out.push_back(entry.first);
    return out;
}

namespace detail {

const platform::VisaApi visa_table = {
    .origin = "fake",
    .simulated = false,
    .open_default_rm = &open_default_rm,
    .find_rsrc = &find_rsrc,
    .find_next = &find_next,
    .open = &open,
    .close = &close,
    .get_attribute = &get_attribute,
};

void reset_visa_sessions() {
    objects().clear();
}

ViSession open_instrument(std::string_view resource_name) {
    const Resource* r = find_resource(resource_name);
    return r ? add_object(Object{Kind::instrument, 0, r->name}) : 0;
}

}  // namespace detail
}  // namespace fake
