#include "resource_name.h"

#include <array>

#include "text.h"
#include "visa.h"

namespace sim {
namespace {

struct InterfaceKind {
    const char* prefix;  // as it opens a resource name, upper case
    uint16_t type;
    const char* description;  // after "PREFIXboard "
};

// GPIB-VXI before GPIB, so that the longer prefix wins.
const std::array kInterfaces{
    InterfaceKind{"GPIB-VXI", VI_INTF_GPIB_VXI, "(GPIB-VXI bridge)"},
    InterfaceKind{"GPIB", VI_INTF_GPIB, "(GPIB bus)"},
    InterfaceKind{"VXI", VI_INTF_VXI, "(VXI bus)"},
    InterfaceKind{"ASRL", VI_INTF_ASRL, "(serial port)"},
    InterfaceKind{"PXI", VI_INTF_PXI, "(PCI Extensions for Instrumentation)"},
    InterfaceKind{"TCPIP", VI_INTF_TCPIP, "(LAN instruments, VXI-11 and HiSLIP)"},
    InterfaceKind{"USB", VI_INTF_USB, "(USB Test and Measurement Class)"},
};

const InterfaceKind* kind_of(uint16_t type) {
    for (const auto& k : kInterfaces) {
        if (k.type == type) return &k;
    }
    return nullptr;
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool ResourceInfo::is_vxi() const {
    return interface_type == VI_INTF_VXI || interface_type == VI_INTF_GPIB_VXI;
}

std::optional<ResourceInfo> parse_resource_name(std::string_view name) {
    if (name.empty() || name.size() > kMaxResourceName) return std::nullopt;
    for (char c : name) {
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F) return std::nullopt;
    }
    const InterfaceKind* kind = nullptr;
    for (const auto& k : kInterfaces) {
        std::string_view prefix = k.prefix;
        if (name.size() >= prefix.size() && iequals(name.substr(0, prefix.size()), prefix)) {
            kind = &k;
            break;
        }
    }
    if (!kind) return std::nullopt;
    std::string_view rest = name.substr(std::string_view(kind->prefix).size());

    ResourceInfo info;
    info.interface_type = kind->type;
    std::size_t digits = 0;
    unsigned board = 0;
    while (digits < rest.size() && is_digit(rest[digits])) {
        board = board * 10 + static_cast<unsigned>(rest[digits] - '0');
        if (board > 65535) return std::nullopt;
        ++digits;
    }
    info.board = static_cast<uint16_t>(board);
    rest.remove_prefix(digits);
    if (rest.size() < 3 || rest.substr(0, 2) != "::") return std::nullopt;
    rest.remove_prefix(2);

    if (info.is_vxi()) {
        std::size_t n = 0;
        int la = 0;
        while (n < rest.size() && is_digit(rest[n])) {
            la = la * 10 + (rest[n] - '0');
            if (la > 511) return std::nullopt;
            ++n;
        }
        if (n == 0) return std::nullopt;
        rest.remove_prefix(n);
        if (!rest.empty() && rest.substr(0, 2) != "::") return std::nullopt;
        if (rest.size() == 2) return std::nullopt;  // a trailing "::" names nothing
        info.logical_address = la;
    }
    return info;
}

std::string interface_description(const ResourceInfo& info) {
    const InterfaceKind* kind = kind_of(info.interface_type);
    if (!kind) return {};
    return std::string(kind->prefix) + std::to_string(info.board) + " " + kind->description;
}

}  // namespace sim
