#include <string>
#include <string_view>
#include <vector>

#include "harnesses.h"
#include "sim/attributes.h"
#include "sim/resource_name.h"
#include "sim/search_expr.h"

namespace fuzz {
namespace {

constexpr std::size_t kMaxNames = 64;

// A resource with numbers at the edges of their range and texts, for the condition.
std::optional<sim::AttributeValue> read_attribute(ViAttr attribute) {
    switch (attribute) {
        case VI_ATTR_SLOT:
            return sim::AttributeValue(int64_t{-1});
        case VI_ATTR_MODEL_CODE:
            return sim::AttributeValue(int64_t{0x155});
        case VI_ATTR_MANF_ID:
            return sim::AttributeValue(int64_t{INT64_MIN});
        case VI_ATTR_VXI_LA:
            return sim::AttributeValue(int64_t{INT64_MAX});
        case VI_ATTR_RSRC_NAME:
            return sim::AttributeValue(std::string("VXI0::8::INSTR"));
        case sim::kAttrUsbSerialNum:
            return sim::AttributeValue(std::string("MY1\"}"));
        default:
            return std::nullopt;
    }
}

}  // namespace

int search_expression(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::size_t end = text.find('\n');
    const std::string_view expression = text.substr(0, end);
    std::vector<std::string_view> names = {"VXI0::8::INSTR", "GPIB-VXI1::40::INSTR",
                                           "TCPIP0::192.168.10.5::inst0::INSTR", "", expression};
    for (std::size_t at = end; at != std::string_view::npos && names.size() < kMaxNames;) {
        const std::size_t next = text.find('\n', at + 1);
        names.push_back(text.substr(at + 1, next == std::string_view::npos ? next : next - at - 1));
        at = next;
    }
    const auto compiled = sim::SearchExpression::compile(expression);
    for (std::string_view name : names) {
        if (compiled) {
            const bool named = compiled->matches_name(name);
            const bool matched = compiled->matches(name, read_attribute);
            require(named || !matched);  // the condition only narrows the match
        }
        if (const auto info = sim::parse_resource_name(name)) {
            require(!info->resource_class.empty());
            require(name.size() <= sim::kMaxResourceName);
            // A name that is one stays one in another case.
            std::string upper(name);
            for (char& c : upper) {
                if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            }
            require(sim::parse_resource_name(upper).has_value());
        }
    }
    return 0;
}

}  // namespace fuzz
