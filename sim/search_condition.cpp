#include <array>
#include <cctype>

#include "sim/search_condition.h"
#include "text.h"

namespace sim {
namespace {

struct NamedAttribute {
    const char* name;
    ViAttr attribute;
};

const std::array kNumericAttributes{
    NamedAttribute{"VI_ATTR_SLOT", VI_ATTR_SLOT},
    NamedAttribute{"VI_ATTR_MAINFRAME_LA", VI_ATTR_MAINFRAME_LA},
    NamedAttribute{"VI_ATTR_VXI_LA", VI_ATTR_VXI_LA},
    NamedAttribute{"VI_ATTR_MODEL_CODE", VI_ATTR_MODEL_CODE},
    NamedAttribute{"VI_ATTR_MANF_ID", VI_ATTR_MANF_ID},
    NamedAttribute{"VI_ATTR_INTF_TYPE", VI_ATTR_INTF_TYPE},
    NamedAttribute{"VI_ATTR_INTF_NUM", VI_ATTR_INTF_NUM},
};

struct Operator {
    const char* text;
    AttributeCondition::Cmp cmp;
};

// Two-character operators first, so that "<=" is not read as "<".
const std::array kOperators{
    Operator{"==", AttributeCondition::Cmp::eq}, Operator{"!=", AttributeCondition::Cmp::ne},
    Operator{"<=", AttributeCondition::Cmp::le}, Operator{">=", AttributeCondition::Cmp::ge},
    Operator{"<", AttributeCondition::Cmp::lt},  Operator{">", AttributeCondition::Cmp::gt},
};

constexpr int kMaxDepth = 32;

}  // namespace

class ConditionParser {
  public:
    ConditionParser(std::string_view text, AttributeCondition& out) : text_(text), out_(out) {}

    bool run() {
        int root = parse_or(0);
        skip_spaces();
        if (root < 0 || pos_ != text_.size()) return false;
        out_.root_ = root;
        return true;
    }

  private:
    using Kind = AttributeCondition::Kind;

    void skip_spaces() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    }
    bool take(std::string_view token) {
        skip_spaces();
        if (text_.substr(pos_, token.size()) != token) return false;
        pos_ += token.size();
        return true;
    }
    int add(AttributeCondition::Node node) {
        out_.nodes_.push_back(std::move(node));
        return static_cast<int>(out_.nodes_.size()) - 1;
    }

    int parse_list(int depth, Kind kind, std::string_view joiner) {
        int first = kind == Kind::any ? parse_and(depth) : parse_unary(depth);
        if (first < 0) return -1;
        AttributeCondition::Node node;
        node.kind = kind;
        node.children.push_back(first);
        while (take(joiner)) {
            int next = kind == Kind::any ? parse_and(depth) : parse_unary(depth);
            if (next < 0) return -1;
            node.children.push_back(next);
        }
        return node.children.size() == 1 ? first : add(std::move(node));
    }
    int parse_or(int depth) { return parse_list(depth, Kind::any, "||"); }
    int parse_and(int depth) { return parse_list(depth, Kind::all, "&&"); }

    int parse_unary(int depth) {
        if (depth > kMaxDepth) return -1;
        skip_spaces();
        if (text_.substr(pos_, 2) != "!=" && take("!")) {
            int inner = parse_unary(depth + 1);
            if (inner < 0) return -1;
            AttributeCondition::Node node;
            node.kind = Kind::negate;
            node.children.push_back(inner);
            return add(std::move(node));
        }
        if (take("(")) {
            int inner = parse_or(depth + 1);
            if (inner < 0 || !take(")")) return -1;
            return inner;
        }
        return parse_comparison();
    }

    int parse_comparison() {
        skip_spaces();
        std::size_t start = pos_;
        while (pos_ < text_.size() &&
               (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_')) {
            ++pos_;
        }
        std::string_view name = text_.substr(start, pos_ - start);
        AttributeCondition::Node node;
        bool known = false;
        for (const auto& a : kNumericAttributes) {
            if (iequals(name, a.name)) {
                node.attribute = a.attribute;
                known = true;
            }
        }
        if (!known) return -1;
        bool have_operator = false;
        for (const auto& op : kOperators) {
            if (take(op.text)) {
                node.cmp = op.cmp;
                have_operator = true;
                break;
            }
        }
        if (!have_operator) return -1;
        skip_spaces();
        start = pos_;
        if (pos_ < text_.size() && text_[pos_] == '-') ++pos_;
        while (pos_ < text_.size() && std::isalnum(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        auto value = parse_integer(text_.substr(start, pos_ - start));
        if (!value) return -1;
        node.value = *value;
        return add(std::move(node));
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    AttributeCondition& out_;
};

std::optional<AttributeCondition> AttributeCondition::parse(std::string_view text) {
    AttributeCondition condition;
    ConditionParser parser(text, condition);
    if (!parser.run()) return std::nullopt;
    return condition;
}

bool AttributeCondition::evaluate(const AttributeReader& read) const {
    return evaluate_node(root_, read);
}

bool AttributeCondition::evaluate_node(int index, const AttributeReader& read) const {
    const Node& node = nodes_[static_cast<std::size_t>(index)];
    switch (node.kind) {
        case Kind::negate:
            return !evaluate_node(node.children.front(), read);
        case Kind::all:
            for (int child : node.children) {
                if (!evaluate_node(child, read)) return false;
            }
            return true;
        case Kind::any:
            for (int child : node.children) {
                if (evaluate_node(child, read)) return true;
            }
            return false;
        case Kind::compare:
            break;
    }
    std::optional<int64_t> value = read(node.attribute);
    if (!value) return false;
    switch (node.cmp) {
        case Cmp::eq:
            return *value == node.value;
        case Cmp::ne:
            return *value != node.value;
        case Cmp::lt:
            return *value < node.value;
        case Cmp::gt:
            return *value > node.value;
        case Cmp::le:
            return *value <= node.value;
        case Cmp::ge:
            return *value >= node.value;
    }
    return false;
}

}  // namespace sim
