// VISA resource names as the VISA library reads them: the interface and its board number, the
// resource class, and the parts the name gives of the resource's address. Names are read without
// regard to case. The forms taken (brackets mark optional parts; a board number left out is 0):
//
//   VXI[board]::VXI logical address[::INSTR]
//   VXI[board]::MEMACC
//   VXI[board][::VXI logical address]::BACKPLANE
//   VXI[board]::SERVANT
//   GPIB-VXI[board]::VXI logical address[::INSTR]
//   GPIB-VXI[board]::MEMACC
//   GPIB-VXI[board][::VXI logical address]::BACKPLANE
//   GPIB[board]::primary address[::secondary address][::INSTR]
//   GPIB[board]::INTFC
//   GPIB[board]::SERVANT
//   ASRL[board][::INSTR]
//   TCPIP[board]::host address[::LAN device name][::INSTR]
//   TCPIP[board]::host address::port::SOCKET
//   USB[board]::manufacturer ID::model code::serial number[::USB interface number][::INSTR]
//   USB[board]::manufacturer ID::model code::serial number[::USB interface number]::RAW
//   PXI[bus]::device[::function][::INSTR]
//   PXI[interface]::bus-device[.function][::INSTR]
//   PXI[interface]::CHASSISn::SLOTn[::FUNCn][::INSTR]
//   PXI[interface]::MEMACC
//   PXI[interface]::chassis number::BACKPLANE
//
// Logical addresses are 0 to 511, GPIB addresses 0 to 30, ports 0 to 65535, USB manufacturer IDs
// and model codes 0 to 0xFFFF (decimal or 0x hex); a host address in brackets may hold "::" (an
// IPv6 address). Every part named is there and not empty, and nothing follows the class.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sim {

inline constexpr std::size_t kMaxResourceName = 255;  // fits a 256-byte VISA text buffer

struct ResourceInfo {
    uint16_t interface_type = 0;  // VI_INTF_...
    uint16_t board = 0;
    std::string resource_class;  // upper case: INSTR, MEMACC, BACKPLANE, SERVANT, INTFC, ...

    // What the name gives of the address, by interface.
    std::optional<int> logical_address;      // VXI and GPIB-VXI INSTR, and BACKPLANE when given
    std::optional<int> primary_address;      // GPIB INSTR
    std::optional<int> secondary_address;    // GPIB INSTR, when given
    std::optional<std::string> host;         // TCPIP
    std::optional<std::string> device_name;  // TCPIP INSTR ("inst0" when the name has none)
    std::optional<int> port;                 // TCPIP SOCKET
    std::optional<int> usb_manufacturer, usb_model;
    std::optional<std::string> usb_serial;
    std::optional<int> usb_interface;  // USB, 0 when the name has none

    // A VXI or GPIB-VXI instrument: the VXI attributes (slot, mainframe, logical address,
    // model code, manufacturer) apply.
    bool is_vxi() const;
};

// The name's parts, or nothing when it is not a resource name of the forms above.
std::optional<ResourceInfo> parse_resource_name(std::string_view name);

// The interface's human-readable description, as VI_ATTR_INTF_INST_NAME gives it, such as
// "VXI0 (VXI bus)".
std::string interface_description(const ResourceInfo& info);

}  // namespace sim
