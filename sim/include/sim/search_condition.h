// The attribute condition that may close a search expression, inside braces:
//   condition  := or
//   or         := and { "||" and }
//   and        := unary { "&&" unary }
//   unary      := "!" unary | "(" or ")" | ATTRIBUTE OP NUMBER
//   OP         := == != < > <= >=
// ATTRIBUTE is one of the numeric attributes the simulated resources have (VI_ATTR_SLOT,
// VI_ATTR_MAINFRAME_LA, VI_ATTR_VXI_LA, VI_ATTR_MODEL_CODE, VI_ATTR_MANF_ID, VI_ATTR_INTF_TYPE,
// VI_ATTR_INTF_NUM), NUMBER a decimal or 0x hex integer, possibly negative. Spaces are free.
// A resource that does not have an attribute fails every comparison on it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "visa.h"

namespace sim {

// The value of a numeric attribute of the resource being tested, nothing when it has none.
using AttributeReader = std::function<std::optional<int64_t>(ViAttr)>;

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
        int64_t value = 0;
        std::vector<int> children;  // indices into nodes_
    };

  private:
    bool evaluate_node(int index, const AttributeReader& read) const;
    std::vector<Node> nodes_;
    int root_ = 0;

    friend class ConditionParser;
};

}  // namespace sim
