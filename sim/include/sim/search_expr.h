// VISA resource search expressions, as viFindRsrc takes them:
//   ?        any one character
//   *  +     zero or more, one or more of the preceding character, list or group
//   [list]   one character of the list; ranges a-z; [^list] one character not in it
//   \c       the character c itself
//   (exp)    a group
//   exp|exp  either whole expression (lowest precedence, also inside a group)
//   other    the character itself
// The match covers the whole name (anchored at both ends) and ignores case. An attribute
// condition in braces may follow, e.g. "VXI?*INSTR{VI_ATTR_SLOT > 0 && VI_ATTR_MODEL_CODE ==
// 0x155}": see search_condition.h.
//
// Refused as malformed: an empty expression or alternative, an empty group or list, an unclosed
// group, list or condition, a ')' without its '(', a '*' or '+' with nothing before it or right
// after another one, a trailing '\', a reversed range, text after the condition, and
// expressions longer than 1024 characters or nested deeper than 32 groups.
#pragma once

#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "sim/search_condition.h"

namespace sim {

class SearchExpression {
  public:
    static std::optional<SearchExpression> compile(std::string_view expression);

    bool matches_name(std::string_view name) const;
    // The name and the attribute condition, when there is one.
    bool matches(std::string_view name, const AttributeReader& read) const;

    enum class Op : uint8_t { any_of, split, jump, match };
    struct Inst {
        Op op;
        int x = 0;  // any_of: the character set; split, jump: the target
        int y = 0;  // split: the second target
    };

  private:
    std::vector<Inst> program_;
    std::vector<std::bitset<256>> sets_;
    std::optional<AttributeCondition> condition_;

    friend class ExpressionCompiler;
};

}  // namespace sim
