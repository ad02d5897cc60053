// The expression is parsed into a small tree and compiled to a program of character-set, split
// and jump instructions, run as a set of simultaneous threads (one pass over the name, no
// backtracking), so that no expression can make a search slow.
#include "sim/search_expr.h"

#include <string>

#include "text.h"

namespace sim {
namespace {

constexpr std::size_t kMaxExpression = 1024;
constexpr int kMaxNesting = 32;

struct Node {
    enum class Kind : uint8_t { chars, concat, alternate, star, plus } kind = Kind::chars;
    int set = -1;
    std::vector<Node> children;
};

std::bitset<256> both_cases(unsigned char c) {
    std::bitset<256> set;
    set.set(c);
    set.set(static_cast<unsigned char>(fold(static_cast<char>(c))));
    if (c >= 'a' && c <= 'z') set.set(static_cast<unsigned char>(c - 'a' + 'A'));
    return set;
}

}  // namespace

class ExpressionCompiler {
  public:
    ExpressionCompiler(std::string_view text, SearchExpression& out) : text_(text), out_(out) {}

    bool run() {
        std::string_view pattern = text_;
        std::string_view condition;
        bool has_condition = false;
        if (std::size_t brace = find_condition(); brace != std::string_view::npos) {
            if (text_.back() != '}') return false;
            condition = text_.substr(brace + 1, text_.size() - brace - 2);
            pattern = text_.substr(0, brace);
            while (!pattern.empty() && pattern.back() == ' ') pattern.remove_suffix(1);
            has_condition = true;
        }
        text_ = pattern;
        Node root;
        if (!parse_alternation(root, 0) || pos_ != text_.size()) return false;
        emit(root);
        out_.program_.push_back({SearchExpression::Op::match});
        if (has_condition) {
            out_.condition_ = AttributeCondition::parse(condition);
            if (!out_.condition_) return false;
        }
        return true;
    }

  private:
    // The position of the '{' that opens the condition: the first one outside a list and not
    // escaped. Nothing may follow the condition's closing brace.
    std::size_t find_condition() const {
        bool in_list = false;
        for (std::size_t i = 0; i < text_.size(); ++i) {
            char c = text_[i];
            if (c == '\\') {
                ++i;
            } else if (in_list) {
                if (c == ']') in_list = false;
            } else if (c == '[') {
                in_list = true;
            } else if (c == '{') {
                return i;
            }
        }
        return std::string_view::npos;
    }

    bool at_end() const { return pos_ >= text_.size(); }
    char peek() const { return text_[pos_]; }

    bool parse_alternation(Node& out, int depth) {
        if (depth > kMaxNesting) return false;
        Node first;
        if (!parse_sequence(first, depth)) return false;
        if (at_end() || peek() != '|') {
            out = std::move(first);
            return true;
        }
        out.kind = Node::Kind::alternate;
        out.children.push_back(std::move(first));
        while (!at_end() && peek() == '|') {
            ++pos_;
            Node next;
            if (!parse_sequence(next, depth)) return false;
            out.children.push_back(std::move(next));
        }
        return true;
    }

    bool parse_sequence(Node& out, int depth) {
        out.kind = Node::Kind::concat;
        while (!at_end() && peek() != '|' && peek() != ')') {
            Node item;
            if (!parse_atom(item, depth)) return false;
            if (!at_end() && (peek() == '*' || peek() == '+')) {
                Node repeated;
                repeated.kind = peek() == '*' ? Node::Kind::star : Node::Kind::plus;
                repeated.children.push_back(std::move(item));
                item = std::move(repeated);
                ++pos_;
                if (!at_end() && (peek() == '*' || peek() == '+')) return false;
            }
            out.children.push_back(std::move(item));
        }
        return !out.children.empty();
    }

    bool parse_atom(Node& out, int depth) {
        char c = peek();
        ++pos_;
        switch (c) {
            case '(':
                if (!parse_alternation(out, depth + 1)) return false;
                if (at_end() || peek() != ')') return false;
                ++pos_;
                return true;
            case '[':
                return parse_list(out);
            case '?':
                return add_set(out, std::bitset<256>().set());
            case '*':
            case '+':
                return false;
            case '\\':
                if (at_end()) return false;
                return add_set(out, both_cases(static_cast<unsigned char>(text_[pos_++])));
            default:
                return add_set(out, both_cases(static_cast<unsigned char>(c)));
        }
    }

    // One list character: itself, or the character after a '\'.
    bool list_char(unsigned char& c) {
        if (at_end()) return false;
        if (peek() == '\\') {
            ++pos_;
            if (at_end()) return false;
        }
        c = static_cast<unsigned char>(text_[pos_++]);
        return true;
    }

    bool parse_list(Node& out) {
        bool negated = !at_end() && peek() == '^';
        if (negated) ++pos_;
        std::bitset<256> set;
        bool empty = true;
        while (true) {
            if (at_end()) return false;
            if (peek() == ']') {
                ++pos_;
                break;
            }
            unsigned char low = 0;
            if (!list_char(low)) return false;
            unsigned char high = low;
            if (pos_ + 1 < text_.size() && peek() == '-' && text_[pos_ + 1] != ']') {
                ++pos_;
                if (!list_char(high) || high < low) return false;
            }
            for (int ch = low; ch <= high; ++ch) set |= both_cases(static_cast<unsigned char>(ch));
            empty = false;
        }
        if (empty) return false;
        return add_set(out, negated ? ~set : set);
    }

    bool add_set(Node& out, const std::bitset<256>& set) {
        out.kind = Node::Kind::chars;
        out.set = static_cast<int>(out_.sets_.size());
        out_.sets_.push_back(set);
        return true;
    }

    using Op = SearchExpression::Op;
    int here() const { return static_cast<int>(out_.program_.size()); }
    int push(Op op, int x = 0, int y = 0) {
        out_.program_.push_back({op, x, y});
        return here() - 1;
    }

    void emit(const Node& node) {
        auto& program = out_.program_;
        switch (node.kind) {
            case Node::Kind::chars:
                push(Op::any_of, node.set);
                break;
            case Node::Kind::concat:
                for (const Node& child : node.children) emit(child);
                break;
            case Node::Kind::alternate: {
                std::vector<int> exits;
                for (std::size_t i = 0; i < node.children.size(); ++i) {
                    if (i + 1 == node.children.size()) {
                        emit(node.children[i]);
                        break;
                    }
                    int split = push(Op::split);
                    program[split].x = here();
                    emit(node.children[i]);
                    exits.push_back(push(Op::jump));
                    program[split].y = here();
                }
                for (int exit : exits) program[exit].x = here();
                break;
            }
            case Node::Kind::star: {
                int split = push(Op::split);
                program[split].x = here();
                emit(node.children.front());
                push(Op::jump, split);
                program[split].y = here();
                break;
            }
            case Node::Kind::plus: {
                int body = here();
                emit(node.children.front());
                push(Op::split, body, here() + 1);
                break;
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    SearchExpression& out_;
};

std::optional<SearchExpression> SearchExpression::compile(std::string_view expression) {
    if (expression.empty() || expression.size() > kMaxExpression) return std::nullopt;
    SearchExpression compiled;
    ExpressionCompiler compiler(expression, compiled);
    if (!compiler.run()) return std::nullopt;
    return compiled;
}

namespace {

// Adds the thread at `pc` and every thread its splits and jumps lead to without reading a
// character. `seen` keeps a thread from being added twice in one step, which also ends loops
// of repeated groups that can match nothing.
void add_thread(const std::vector<SearchExpression::Inst>& program, int pc, std::vector<int>& list,
                std::vector<int>& seen, int step, std::vector<int>& pending) {
    pending.assign(1, pc);
    while (!pending.empty()) {
        int at = pending.back();
        pending.pop_back();
        if (seen[static_cast<std::size_t>(at)] == step) continue;
        seen[static_cast<std::size_t>(at)] = step;
        const auto& inst = program[static_cast<std::size_t>(at)];
        switch (inst.op) {
            case SearchExpression::Op::jump:
                pending.push_back(inst.x);
                break;
            case SearchExpression::Op::split:
                pending.push_back(inst.y);
                pending.push_back(inst.x);
                break;
            default:
                list.push_back(at);
        }
    }
}

}  // namespace

bool SearchExpression::matches_name(std::string_view name) const {
    std::vector<int> seen(program_.size(), -1);
    std::vector<int> current;
    std::vector<int> next;
    std::vector<int> pending;
    current.reserve(program_.size());
    next.reserve(program_.size());
    int step = 0;
    add_thread(program_, 0, current, seen, step, pending);
    for (char c : name) {
        ++step;
        next.clear();
        for (int pc : current) {
            const Inst& inst = program_[static_cast<std::size_t>(pc)];
            if (inst.op == Op::any_of &&
                sets_[static_cast<std::size_t>(inst.x)].test(static_cast<unsigned char>(c))) {
                add_thread(program_, pc + 1, next, seen, step, pending);
            }
        }
        current.swap(next);
        if (current.empty()) return false;
    }
    for (int pc : current) {
        if (program_[static_cast<std::size_t>(pc)].op == Op::match) return true;
    }
    return false;
}

bool SearchExpression::matches(std::string_view name, const AttributeReader& read) const {
    if (!matches_name(name)) return false;
    return !condition_ || condition_->evaluate(read);
}

}  // namespace sim
