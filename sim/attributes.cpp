#include "sim/attributes.h"

#include <array>
#include <type_traits>

#include "text.h"
#include "world.h"

namespace sim {
namespace {

using T = AttributeType;

// The global attributes of VISA resources, by the standard's names and ids. Local attributes
// (a session's own settings, such as its time-out) cannot be searched for and are not listed.
constexpr std::array kAttributes{
    AttributeInfo{"VI_ATTR_RSRC_CLASS", 0xBFFF0001u, T::text},
    AttributeInfo{"VI_ATTR_RSRC_NAME", 0xBFFF0002u, T::text},
    AttributeInfo{"VI_ATTR_RSRC_IMPL_VERSION", 0x3FFF0003u, T::uint32},
    AttributeInfo{"VI_ATTR_RSRC_LOCK_STATE", 0x3FFF0004u, T::uint32},
    AttributeInfo{"VI_ATTR_RSRC_SPEC_VERSION", 0x3FFF0170u, T::uint32},
    AttributeInfo{"VI_ATTR_RSRC_MANF_NAME", 0xBFFF0174u, T::text},
    AttributeInfo{"VI_ATTR_RSRC_MANF_ID", 0x3FFF0175u, T::uint16},
    AttributeInfo{"VI_ATTR_INTF_TYPE", 0x3FFF0171u, T::uint16},
    AttributeInfo{"VI_ATTR_INTF_NUM", 0x3FFF0176u, T::uint16},
    AttributeInfo{"VI_ATTR_INTF_INST_NAME", 0xBFFF00E9u, T::text},
    AttributeInfo{"VI_ATTR_INTF_PARENT_NUM", 0x3FFF0101u, T::uint16},
    AttributeInfo{"VI_ATTR_GPIB_PRIMARY_ADDR", 0x3FFF0172u, T::uint16},
    AttributeInfo{"VI_ATTR_GPIB_SECONDARY_ADDR", 0x3FFF0173u, T::uint16},
    AttributeInfo{"VI_ATTR_GPIB_REN_STATE", 0x3FFF0181u, T::int16},
    AttributeInfo{"VI_ATTR_VXI_LA", 0x3FFF00D5u, T::int16},
    AttributeInfo{"VI_ATTR_SLOT", 0x3FFF00E8u, T::int16},
    AttributeInfo{"VI_ATTR_MAINFRAME_LA", 0x3FFF0070u, T::int16},
    AttributeInfo{"VI_ATTR_CMDR_LA", 0x3FFF006Bu, T::int16},
    AttributeInfo{"VI_ATTR_VXI_DEV_CLASS", 0x3FFF006Cu, T::uint16},
    AttributeInfo{"VI_ATTR_VXI_TRIG_SUPPORT", 0x3FFF0194u, T::uint32},
    AttributeInfo{"VI_ATTR_MANF_ID", 0x3FFF00D9u, T::uint16},
    AttributeInfo{"VI_ATTR_MANF_NAME", 0xBFFF0072u, T::text},
    AttributeInfo{"VI_ATTR_MODEL_CODE", 0x3FFF00DFu, T::uint16},
    AttributeInfo{"VI_ATTR_MODEL_NAME", 0xBFFF0077u, T::text},
    AttributeInfo{"VI_ATTR_MEM_BASE", 0x3FFF00ADu, T::uint32},
    AttributeInfo{"VI_ATTR_MEM_SIZE", 0x3FFF00DDu, T::uint32},
    AttributeInfo{"VI_ATTR_MEM_SPACE", 0x3FFF00DEu, T::uint16},
    AttributeInfo{"VI_ATTR_IMMEDIATE_SERV", 0x3FFF0100u, T::uint16},
    AttributeInfo{"VI_ATTR_4882_COMPLIANT", 0x3FFF019Fu, T::uint16},
    AttributeInfo{"VI_ATTR_TCPIP_ADDR", 0xBFFF0195u, T::text},
    AttributeInfo{"VI_ATTR_TCPIP_HOSTNAME", 0xBFFF0196u, T::text},
    AttributeInfo{"VI_ATTR_TCPIP_PORT", 0x3FFF0197u, T::uint16},
    AttributeInfo{"VI_ATTR_TCPIP_DEVICE_NAME", 0xBFFF0199u, T::text},
    AttributeInfo{"VI_ATTR_TCPIP_IS_HISLIP", 0x3FFF0303u, T::uint16},
    AttributeInfo{"VI_ATTR_USB_SERIAL_NUM", 0xBFFF01A0u, T::text},
    AttributeInfo{"VI_ATTR_USB_INTFC_NUM", 0x3FFF01A1u, T::int16},
    AttributeInfo{"VI_ATTR_USB_PROTOCOL", 0x3FFF01A7u, T::int16},
    AttributeInfo{"VI_ATTR_PXI_DEV_NUM", 0x3FFF0201u, T::uint16},
    AttributeInfo{"VI_ATTR_PXI_FUNC_NUM", 0x3FFF0202u, T::uint16},
    AttributeInfo{"VI_ATTR_PXI_BUS_NUM", 0x3FFF0205u, T::uint16},
    AttributeInfo{"VI_ATTR_PXI_CHASSIS", 0x3FFF0206u, T::int16},
    AttributeInfo{"VI_ATTR_PXI_SLOTPATH", 0xBFFF0207u, T::text},
    AttributeInfo{"VI_ATTR_PXI_SLOT_LBUS_LEFT", 0x3FFF0208u, T::int16},
    AttributeInfo{"VI_ATTR_PXI_SLOT_LBUS_RIGHT", 0x3FFF0209u, T::int16},
    AttributeInfo{"VI_ATTR_PXI_TRIG_BUS", 0x3FFF020Au, T::int16},
    AttributeInfo{"VI_ATTR_PXI_STAR_TRIG_BUS", 0x3FFF020Bu, T::int16},
    AttributeInfo{"VI_ATTR_PXI_STAR_TRIG_LINE", 0x3FFF020Cu, T::int16},
    AttributeInfo{"VI_ATTR_PXI_IS_EXPRESS", 0x3FFF0240u, T::uint16},
    AttributeInfo{"VI_ATTR_PXI_SLOT_LWIDTH", 0x3FFF0241u, T::int16},
    AttributeInfo{"VI_ATTR_PXI_MAX_LWIDTH", 0x3FFF0242u, T::int16},
    AttributeInfo{"VI_ATTR_PXI_ACTUAL_LWIDTH", 0x3FFF0243u, T::int16},
    AttributeInfo{"VI_ATTR_PXI_DSTAR_BUS", 0x3FFF0244u, T::int16},
    AttributeInfo{"VI_ATTR_PXI_DSTAR_SET", 0x3FFF0245u, T::int16},
};

// VI_ATTR_GPIB_SECONDARY_ADDR of a GPIB instrument addressed without a secondary address.
constexpr int64_t kNoSecondaryAddress = 0xFFFF;

template <class T>
std::optional<AttributeValue> value(const std::optional<T>& v) {
    if (!v) return std::nullopt;
    if constexpr (std::is_same_v<T, std::string>) {
        return AttributeValue(*v);
    } else {
        return AttributeValue(static_cast<int64_t>(*v));
    }
}

}  // namespace

const AttributeInfo* attribute_named(std::string_view name) {
    for (const AttributeInfo& a : kAttributes) {
        if (iequals(name, a.name)) return &a;
    }
    return nullptr;
}

const AttributeInfo* attribute_with_id(ViAttr id) {
    for (const AttributeInfo& a : kAttributes) {
        if (a.id == id) return &a;
    }
    return nullptr;
}

std::optional<AttributeValue> attribute_value(const Resource& r, ViAttr id) {
    const ResourceInfo& info = r.info;
    switch (id) {
        case VI_ATTR_RSRC_NAME:
            return AttributeValue(r.name);
        case VI_ATTR_INTF_INST_NAME:
            return AttributeValue(r.description);
        case kAttrRsrcClass:
            if (info.resource_class.empty()) return std::nullopt;
            return AttributeValue(info.resource_class);
        case VI_ATTR_SLOT:
            return value(r.slot);
        case VI_ATTR_MAINFRAME_LA:
            return value(r.mainframe_la);
        case VI_ATTR_VXI_LA:
            return value(r.logical_address);
        case VI_ATTR_MODEL_CODE:
            return value(r.model_code);
        case VI_ATTR_MANF_ID:
            return value(r.manufacturer_id);
        case VI_ATTR_INTF_TYPE:
            return AttributeValue(static_cast<int64_t>(info.interface_type));
        case VI_ATTR_INTF_NUM:
            return AttributeValue(static_cast<int64_t>(info.board));
        case kAttrGpibPrimaryAddr:
            return value(info.primary_address);
        case kAttrGpibSecondaryAddr:
            if (!info.primary_address) return std::nullopt;
            return AttributeValue(
                static_cast<int64_t>(info.secondary_address.value_or(kNoSecondaryAddress)));
        case kAttrTcpipAddr:
            return value(info.host);
        case kAttrTcpipDeviceName:
            return value(info.device_name);
        case kAttrTcpipPort:
            return value(info.port);
        case kAttrUsbSerialNum:
            return value(info.usb_serial);
        case kAttrUsbIntfcNum:
            return value(info.usb_interface);
        default:
            return std::nullopt;
    }
}

}  // namespace sim
