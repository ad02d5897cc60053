// What a VISA resource name says about its interface: type, board number and, for VXI and
// GPIB-VXI, the logical address. Names are read without regard to case.
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
    std::optional<int> logical_address;  // VXI and GPIB-VXI only
    bool is_vxi() const;                 // VXI or GPIB-VXI: the VXI attributes apply
};

// Accepts INTERFACE[board]::rest where INTERFACE is VXI, GPIB-VXI, GPIB, ASRL, PXI, TCPIP or USB,
// the rest is printable and not empty, and for VXI and GPIB-VXI the rest starts with a logical
// address 0-511. Nothing for anything else.
std::optional<ResourceInfo> parse_resource_name(std::string_view name);

// The interface's human-readable description, as VI_ATTR_INTF_INST_NAME gives it, such as
// "VXI0 (VXI bus)".
std::string interface_description(const ResourceInfo& info);

}  // namespace sim
