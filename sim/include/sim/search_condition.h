// The attribute condition that may close a search expression, inside braces:
//   condition  := or
//   or         := and { "||" and }
//   and        := unary { "&&" unary }
//   unary      := "!" unary | "(" or ")" | ATTRIBUTE OP VALUE
//   OP         := == != < > <= >=
// ATTRIBUTE is any global resource attribute of the VISA standard (attributes.h), whether or not
// the simulated resources have it. VALUE is a number (decimal or 0x hex, possibly negative, with
// any number of leading zeros, within 64 bits) for a numeric attribute, or a text in double
// quotes (\ makes the next character literal) compared with == or != for a text attribute.
// Spaces are free. A resource that does not have an attribute fails every comparison on it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/attributes.h"
#include "visa.h"

namespace sim {

// The value of an attribute of the resource being tested, nothing when it has none.
using AttributeReader = std::function<std::optional<AttributeValue>(ViAttr)>;

class AttributeCondition {
  public:
    // `text` is what stands between the braces. Nothing when malformed.
    static std::optional<AttributeCondition> parse(std::string_view text);
    bool evaluate(const AttributeReader& read) const;

    enum class Kind : uint8_t { compare, negate, all, any };
    enum class Cmp : uint8_t { eq, ne, lt, gt, le, ge };
    struct Node {
        Kind kind = Kind::compare;
        Cmp cmp = Cmp::eq;
        ViAttr attribute = 0;
        bool text = false;       // compares a text attribute with `text_value`
        bool negative = false;   // the number is -magnitude
        uint64_t magnitude = 0;  // of the number
        std::string text_value;
        std::vector<int> children;  // indices into nodes_
    };

  private:
    bool evaluate_node(int index, const AttributeReader& read) const;
    std::vector<Node> nodes_;
    int root_ = 0;

    friend class ConditionParser;
};

}  // namespace sim
