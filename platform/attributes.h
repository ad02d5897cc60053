// The VISA attributes the system reads: their names and the types of their values. One table
// serves the call texts, the tracing wrapper and the simulated VISA.
#pragma once

#include <string_view>

#include "visa.h"

namespace platform {

enum class AttributeType {
    text,    // at most VI_FIND_BUFLEN bytes with the NUL
    int16,   // ViInt16
    uint16,  // ViUInt16
};

struct Attribute {
    ViAttr id;
    std::string_view name;
    AttributeType type;
};

inline constexpr Attribute kAttributes[] = {
    {VI_ATTR_RSRC_NAME, "VI_ATTR_RSRC_NAME", AttributeType::text},
    {VI_ATTR_INTF_INST_NAME, "VI_ATTR_INTF_INST_NAME", AttributeType::text},
    {VI_ATTR_MAINFRAME_LA, "VI_ATTR_MAINFRAME_LA", AttributeType::int16},
    {VI_ATTR_SLOT, "VI_ATTR_SLOT", AttributeType::int16},
    {VI_ATTR_VXI_LA, "VI_ATTR_VXI_LA", AttributeType::int16},
    {VI_ATTR_MODEL_CODE, "VI_ATTR_MODEL_CODE", AttributeType::uint16},
    {VI_ATTR_MANF_ID, "VI_ATTR_MANF_ID", AttributeType::uint16},
    {VI_ATTR_INTF_TYPE, "VI_ATTR_INTF_TYPE", AttributeType::uint16},
    {VI_ATTR_INTF_NUM, "VI_ATTR_INTF_NUM", AttributeType::uint16},
};

// The attribute's entry, or null for an attribute the system does not read.
constexpr const Attribute* find_attribute(ViAttr id) {
    for (const Attribute& a : kAttributes)
        if (a.id == id) return &a;
    return nullptr;
}

}  // namespace platform
