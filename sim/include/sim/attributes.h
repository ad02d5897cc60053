// The attributes of VISA resources that the simulated VISA knows by name: the global resource
// attributes of the VISA standard, which search conditions may test, with their ids and value
// types; and which of them a simulated resource has, with their values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "visa.h"

namespace sim {

struct Resource;

// Ids of the attributes the simulated resources have beyond those of platform/visa.h.
inline constexpr ViAttr kAttrRsrcClass = 0xBFFF0001u;          // text
inline constexpr ViAttr kAttrGpibPrimaryAddr = 0x3FFF0172u;    // ViUInt16
inline constexpr ViAttr kAttrGpibSecondaryAddr = 0x3FFF0173u;  // ViUInt16, 0xFFFF for none
inline constexpr ViAttr kAttrTcpipAddr = 0xBFFF0195u;          // text
inline constexpr ViAttr kAttrTcpipPort = 0x3FFF0197u;          // ViUInt16
inline constexpr ViAttr kAttrTcpipDeviceName = 0xBFFF0199u;    // text
inline constexpr ViAttr kAttrUsbSerialNum = 0xBFFF01A0u;       // text
inline constexpr ViAttr kAttrUsbIntfcNum = 0x3FFF01A1u;        // ViInt16

enum class AttributeType : uint8_t { text, int16, uint16, uint32 };

struct AttributeInfo {
    const char* name;  // "VI_ATTR_SLOT"
    ViAttr id;
    AttributeType type;
    bool is_text() const { return type == AttributeType::text; }
};

// The attribute of that name (any case) or id; null when the standard has no such global
// attribute.
const AttributeInfo* attribute_named(std::string_view name);
const AttributeInfo* attribute_with_id(ViAttr id);

// A number or a text, as the attribute's type says.
using AttributeValue = std::variant<int64_t, std::string>;

// The value a resource has for an attribute, nothing when it does not have it. The texts are the
// resource's name and interface description and, from its name, the resource class, the TCPIP
// host address and device name and the USB serial number; the numbers are the crate's VXI
// attributes, the interface type and number, and from the name the GPIB addresses, the TCPIP
// port and the USB interface number.
std::optional<AttributeValue> attribute_value(const Resource& resource, ViAttr id);

}  // namespace sim
