#include "sim/resource_name.h"

#include <array>
#include <vector>

#include "text.h"
#include "visa.h"

namespace sim {
namespace {

struct InterfaceKind {
    const char* prefix;  // as it opens a resource name, upper case
    uint16_t type;
    const char* description;  // after "PREFIXboard "
    // The classes a name of this interface may end with; the first, INSTR, is the class of a
    // name that ends without one.
    std::array<const char*, 4> classes;
};

// GPIB-VXI before GPIB, so that the longer prefix wins.
const std::array kInterfaces{
    InterfaceKind{
        "GPIB-VXI", VI_INTF_GPIB_VXI, "(GPIB-VXI bridge)", {"INSTR", "MEMACC", "BACKPLANE"}},
    InterfaceKind{"GPIB", VI_INTF_GPIB, "(GPIB bus)", {"INSTR", "INTFC", "SERVANT"}},
    InterfaceKind{"VXI", VI_INTF_VXI, "(VXI bus)", {"INSTR", "MEMACC", "BACKPLANE", "SERVANT"}},
    InterfaceKind{"ASRL", VI_INTF_ASRL, "(serial port)", {"INSTR"}},
    InterfaceKind{"PXI",
                  VI_INTF_PXI,
                  "(PCI Extensions for Instrumentation)",
                  {"INSTR", "MEMACC", "BACKPLANE"}},
    InterfaceKind{
        "TCPIP", VI_INTF_TCPIP, "(LAN instruments, VXI-11 and HiSLIP)", {"INSTR", "SOCKET"}},
    InterfaceKind{"USB", VI_INTF_USB, "(USB Test and Measurement Class)", {"INSTR", "RAW"}},
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

// A decimal number of digits only, at most `max`; leading zeros are allowed.
std::optional<int> decimal(std::string_view text, int max) {
    if (text.empty()) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (!is_digit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > max) return std::nullopt;
    }
    return value;
}

// A USB identifier: 0x hex or decimal, 0 to 0xFFFF.
std::optional<int> usb_number(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        int value = 0;
        for (char c : text) {
            const char f = fold(c);
            int digit = is_digit(c) ? c - '0' : (f >= 'a' && f <= 'f') ? f - 'a' + 10 : -1;
            if (digit < 0) return std::nullopt;
            value = value * 16 + digit;
            if (value > 0xFFFF) return std::nullopt;
        }
        return value;
    }
    return decimal(text, 0xFFFF);
}

// The parts between "::" separators. A TCPIP host address in brackets is one part even when it
// holds "::". Nothing for an unclosed bracket.
std::optional<std::vector<std::string_view>> split(std::string_view text, bool bracketed_first) {
    std::vector<std::string_view> parts;
    std::size_t begin = 0;
    if (bracketed_first && !text.empty() && text[0] == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        if (close + 1 < text.size() && text.substr(close + 1, 2) != "::") return std::nullopt;
        parts.push_back(text.substr(0, close + 1));
        if (close + 1 == text.size()) return parts;
        begin = close + 3;
    }
    while (true) {
        const std::size_t sep = text.find("::", begin);
        parts.push_back(text.substr(begin, sep == std::string_view::npos ? sep : sep - begin));
        if (sep == std::string_view::npos) break;
        begin = sep + 2;
    }
    return parts;
}

bool word_with_number(std::string_view part, std::string_view word, int max) {
    return part.size() > word.size() && iequals(part.substr(0, word.size()), word) &&
           decimal(part.substr(word.size()), max).has_value();
}

// PXI[bus]::device[::function], PXI[interface]::bus-device[.function] and
// PXI[interface]::CHASSISn::SLOTn[::FUNCn], without their class.
bool pxi_instrument(const std::vector<std::string_view>& parts) {
    if (parts.empty() || parts.size() > 3) return false;
    if (word_with_number(parts[0], "CHASSIS", 65535)) {
        return parts.size() >= 2 && word_with_number(parts[1], "SLOT", 65535) &&
               (parts.size() == 2 || word_with_number(parts[2], "FUNC", 7));
    }
    const std::size_t dash = parts[0].find('-');
    if (dash != std::string_view::npos) {
        if (parts.size() != 1 || !decimal(parts[0].substr(0, dash), 255)) return false;
        std::string_view device = parts[0].substr(dash + 1);
        const std::size_t dot = device.find('.');
        if (dot != std::string_view::npos) {
            if (!decimal(device.substr(dot + 1), 7)) return false;
            device = device.substr(0, dot);
        }
        return decimal(device, 31).has_value();
    }
    return decimal(parts[0], 31) && (parts.size() == 1 || decimal(parts[1], 7));
}

// Checks the address parts of a name of one interface and class, and keeps what they say.
bool read_address(const std::vector<std::string_view>& parts, ResourceInfo& info) {
    const std::string& rc = info.resource_class;
    const std::size_t n = parts.size();
    switch (info.interface_type) {
        case VI_INTF_VXI:
        case VI_INTF_GPIB_VXI:
            if (rc == "INSTR" || (rc == "BACKPLANE" && n == 1)) {
                if (n != 1) return false;
                info.logical_address = decimal(parts[0], 511);
                return info.logical_address.has_value();
            }
            return n == 0;
        case VI_INTF_GPIB:
            if (rc != "INSTR") return n == 0;
            if (n < 1 || n > 2) return false;
            info.primary_address = decimal(parts[0], 30);
            if (n == 2) {
                info.secondary_address = decimal(parts[1], 30);
                if (!info.secondary_address) return false;
            }
            return info.primary_address.has_value();
        case VI_INTF_ASRL:
            return n == 0;
        case VI_INTF_TCPIP:
            if (n < 1 || parts[0].empty() || parts[0] == "[]") return false;
            info.host = std::string(parts[0]);
            if (rc == "SOCKET") {
                if (n != 2) return false;
                info.port = decimal(parts[1], 65535);
                return info.port.has_value();
            }
            if (n > 2) return false;
            info.device_name = n == 2 ? std::string(parts[1]) : std::string("inst0");
            return true;
        case VI_INTF_USB:
            if (n < 3 || n > 4) return false;
            info.usb_manufacturer = usb_number(parts[0]);
            info.usb_model = usb_number(parts[1]);
            info.usb_serial = std::string(parts[2]);
            info.usb_interface = n == 4 ? decimal(parts[3], 255) : std::optional<int>(0);
            return info.usb_manufacturer && info.usb_model && info.usb_interface;
        case VI_INTF_PXI:
            if (rc == "MEMACC") return n == 0;
            if (rc == "BACKPLANE") return n == 1 && decimal(parts[0], 65535);
            return pxi_instrument(parts);
        default:
            return false;
    }
}

}  // namespace

bool ResourceInfo::is_vxi() const {
    return (interface_type == VI_INTF_VXI || interface_type == VI_INTF_GPIB_VXI) &&
           resource_class == "INSTR";
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
    while (digits < rest.size() && is_digit(rest[digits])) ++digits;
    if (digits > 0) {
        auto board = decimal(rest.substr(0, digits), 65535);
        if (!board) return std::nullopt;
        info.board = static_cast<uint16_t>(*board);
    }
    rest.remove_prefix(digits);

    std::vector<std::string_view> parts;
    if (!rest.empty()) {
        if (!rest.starts_with("::")) return std::nullopt;
        auto split_parts = split(rest.substr(2), kind->type == VI_INTF_TCPIP);
        if (!split_parts) return std::nullopt;
        parts = std::move(*split_parts);
        for (std::string_view part : parts) {
            if (part.empty()) return std::nullopt;
        }
    }
    // The last part is the class when it is one of the interface's; otherwise the name has
    // the interface's default class.
    if (!parts.empty()) {
        for (const char* c : kind->classes) {
            if (c != nullptr && iequals(parts.back(), c)) info.resource_class = c;
        }
    }
    if (!info.resource_class.empty()) {
        parts.pop_back();
    } else {
        info.resource_class = kind->classes[0];
    }
    if (!read_address(parts, info)) return std::nullopt;
    return info;
}

std::string interface_description(const ResourceInfo& info) {
    const InterfaceKind* kind = kind_of(info.interface_type);
    if (!kind) return {};
    return std::string(kind->prefix) + std::to_string(info.board) + " " + kind->description;
}

}  // namespace sim
