#include <array>
#include <cctype>
#include <cstdint>
#include <variant>

#include "sim/search_condition.h"
#include "text.h"

namespace sim {
namespace {

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

// The order of an attribute's value and the condition's number (-magnitude when negative):
// negative, zero or positive. Exact over the whole 64-bit range of either.
int compare(int64_t value, bool negative, uint64_t magnitude) {
    if (!negative) {
        if (value < 0) return -1;
        const auto v = static_cast<uint64_t>(value);
        return v < magnitude ? -1 : v > magnitude ? 1 : 0;
    }
    if (value >= 0) return 1;                                    // magnitude is not 0 here
    const uint64_t v = static_cast<uint64_t>(-(value + 1)) + 1;  // |value|, also for INT64_MIN
    return v > magnitude ? -1 : v < magnitude ? 1 : 0;
}

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
        const AttributeInfo* attribute = attribute_named(text_.substr(start, pos_ - start));
        if (!attribute) return -1;
        AttributeCondition::Node node;
        node.attribute = attribute->id;
        node.text = attribute->is_text();
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
        if (node.text) {
            // Texts are only equal or not.
            if (node.cmp != AttributeCondition::Cmp::eq && node.cmp != AttributeCondition::Cmp::ne)
                return -1;
            if (!parse_text(node.text_value)) return -1;
        } else if (!parse_number(node)) {
            return -1;
        }
        return add(std::move(node));
    }

    bool parse_text(std::string& out) {
        if (pos_ >= text_.size() || text_[pos_] != '"') return false;
        for (++pos_; pos_ < text_.size(); ++pos_) {
            char c = text_[pos_];
            if (c == '"') {
                ++pos_;
                return true;
            }
            if (c == '\\') {
                if (++pos_ == text_.size()) return false;
                c = text_[pos_];
            }
            out += c;
        }
        return false;  // unclosed
    }

    // Decimal or 0x hex, with an optional '-'; leading zeros count for nothing, and the value
    // must fit in 64 bits.
    bool parse_number(AttributeCondition::Node& node) {
        if (pos_ < text_.size() && text_[pos_] == '-') {
            node.negative = true;
            ++pos_;
        }
        unsigned base = 10;
        if (text_.substr(pos_, 2) == "0x" || text_.substr(pos_, 2) == "0X") {
            base = 16;
            pos_ += 2;
        }
        const std::size_t first = pos_;
        uint64_t value = 0;
        for (; pos_ < text_.size(); ++pos_) {
            const char c = fold(text_[pos_]);
            unsigned digit = 0;
            if (c >= '0' && c <= '9') {
                digit = static_cast<unsigned>(c - '0');
            } else if (base == 16 && c >= 'a' && c <= 'f') {
                digit = static_cast<unsigned>(c - 'a' + 10);
            } else if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
                return false;
            } else {
                break;
            }
            if (value > (UINT64_MAX - digit) / base) return false;
            value = value * base + digit;
        }
        if (pos_ == first) return false;
        node.magnitude = value;
        if (value == 0) node.negative = false;
        return true;
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
    const std::optional<AttributeValue> value = read(node.attribute);
    if (!value) return false;
    if (node.text) {
        const std::string* text = std::get_if<std::string>(&*value);
        if (!text) return false;
        return (*text == node.text_value) == (node.cmp == Cmp::eq);
    }
    const int64_t* number = std::get_if<int64_t>(&*value);
    if (!number) return false;
    const int order = compare(*number, node.negative, node.magnitude);
    switch (node.cmp) {
        case Cmp::eq:
            return order == 0;
        case Cmp::ne:
            return order != 0;
        case Cmp::lt:
            return order < 0;
        case Cmp::gt:
            return order > 0;
        case Cmp::le:
            return order <= 0;
        case Cmp::ge:
            return order >= 0;
    }
    return false;
}

}  // namespace sim
