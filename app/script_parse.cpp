// Reading scripts: one step a line, checked completely before anything runs, so a script with a
// mistake anywhere is refused with its line and the reason instead of failing half-way.
#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "native.h"
#include "script.h"
#include "script_text.h"
#include "sim/faults.h"

namespace app::script {
namespace {

struct Token {
    enum class Kind { word, text, equals };
    Kind kind = Kind::word;
    std::string text;
};

// Thrown only inside the parser and caught by parse(): the reason for the current line.
struct LineError {
    std::string reason;
};

std::string guillemets(std::string_view text) {
    return "«" + std::string(text) + "»";
}

// The line without its comment: a '#' outside quotes starts it.
std::string_view strip_comment(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (quoted && ch == '\\') {
            ++i;
        } else if (ch == '"') {
            quoted = !quoted;
        } else if (ch == '#' && !quoted) {
            return line.substr(0, i);
        }
    }
    return line;
}

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string unescape(std::string_view body) {
    std::string out;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] != '\\') {
            out += body[i];
            continue;
        }
        if (++i == body.size()) throw LineError{"незакрытая кавычка"};
        switch (body[i]) {
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case '"':
            case '\\':
                out += body[i];
                break;
            case 'x': {
                // One byte in hex: how a recording keeps a driver's text that is not UTF-8.
                const auto hex = [](char c) {
                    return c >= '0' && c <= '9'   ? c - '0'
                           : c >= 'a' && c <= 'f' ? c - 'a' + 10
                           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                  : -1;
                };
                const int high = i + 1 < body.size() ? hex(body[i + 1]) : -1;
                const int low = i + 2 < body.size() ? hex(body[i + 2]) : -1;
                if (high < 0 || low < 0)
                    throw LineError{
                        "\\x пишется с двумя шестнадцатеричными цифрами байта, "
                        "например \\xFF"};
                if (high == 0 && low == 0) throw LineError{"в тексте нулевой байт \\x00"};
                out += static_cast<char>(high * 16 + low);
                i += 2;
                break;
            }
            default:
                throw LineError{"неизвестная управляющая последовательность " +
                                guillemets(std::string("\\") + body[i]) +
                                " в тексте: допустимы \\n, \\r, \\t, \\\", \\\\ и \\xHH"};
        }
    }
    return out;
}

std::vector<Token> tokenize(std::string_view line) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        const char ch = line[i];
        if (ch == ' ' || ch == '\t') {
            ++i;
        } else if (ch == '=') {
            tokens.push_back({Token::Kind::equals, "="});
            ++i;
        } else if (ch == '"') {
            std::size_t end = i + 1;
            while (end < line.size() && line[end] != '"') end += line[end] == '\\' ? 2 : 1;
            if (end >= line.size()) throw LineError{"незакрытая кавычка"};
            // The script itself is UTF-8 text; what its escapes write may be any bytes.
            const std::string_view body = line.substr(i + 1, end - i - 1);
            if (!valid_utf8(body)) throw LineError{"текст не в кодировке UTF-8"};
            tokens.push_back({Token::Kind::text, unescape(body)});
            i = end + 1;
        } else {
            std::size_t end = i;
            while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '"' &&
                   line[end] != '=')
                ++end;
            tokens.push_back({Token::Kind::word, std::string(line.substr(i, end - i))});
            i = end;
        }
    }
    return tokens;
}

bool constant_name(std::string_view word) {
    if (word.empty() || word.front() < 'A' || word.front() > 'Z') return false;
    return std::all_of(word.begin(), word.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

// Walks the tokens of one line, with the messages a script writer needs.
class Cursor {
  public:
    explicit Cursor(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    bool at_end() const { return pos_ >= tokens_.size(); }
    const Token* peek() const { return at_end() ? nullptr : &tokens_[pos_]; }
    bool next_is_word(std::string_view word) const {
        return !at_end() && tokens_[pos_].kind == Token::Kind::word && tokens_[pos_].text == word;
    }

    std::string name(const char* what) {
        const Token& t = take(what);
        if (t.kind != Token::Kind::word || !constant_name(t.text)) {
            if (t.kind == Token::Kind::word && constant_name(upper(t.text)))
                throw LineError{"имя пишется заглавными буквами, как константа: " +
                                guillemets(upper(t.text)) + ", а не " + guillemets(t.text)};
            throw LineError{std::string("ожидалось ") + what +
                            " (константа вроде MP_START), а не " + shown(t)};
        }
        return t.text;
    }

    void equals() {
        const Token& t = take("знак =");
        if (t.kind != Token::Kind::equals) throw LineError{"ожидался знак =, а не " + shown(t)};
    }

    Value value(const char* what) {
        const Token& t = take(what);
        Value v;
        if (t.kind == Token::Kind::text) {
            v.kind = Value::Kind::text;
            v.text = t.text;
            return v;
        }
        if (t.kind == Token::Kind::word) {
            if (auto n = parse_number(t.text)) {
                v.kind = Value::Kind::number;
                v.number = n->value;
                v.integer = n->integer;
                return v;
            }
        }
        throw LineError{std::string("ожидалось ") + what + ": число или текст в кавычках, а не " +
                        shown(t)};
    }

    std::string text(const char* what) {
        const Token& t = take(what);
        if (t.kind != Token::Kind::text)
            throw LineError{std::string("ожидался ") + what + " в кавычках, а не " + shown(t)};
        return t.text;
    }

    double number(const char* what) {
        const Token& t = take(what);
        std::optional<ParsedNumber> n;
        if (t.kind == Token::Kind::word) n = parse_number(t.text);
        if (!n) throw LineError{std::string("ожидалось ") + what + ", а не " + shown(t)};
        return n->value;
    }

    int line_number(const char* what) {
        const double n = number(what);
        if (n < 1 || n > 1e6 || n != static_cast<int>(n))
            throw LineError{std::string(what) + " считается от 1 целыми: " + number_text(n)};
        return static_cast<int>(n);
    }

    std::string word(const char* what) {
        const Token& t = take(what);
        if (t.kind != Token::Kind::word)
            throw LineError{std::string("ожидалось ") + what + ", а не " + shown(t)};
        return t.text;
    }

    void done() const {
        if (!at_end()) throw LineError{"лишнее в конце строки: " + shown(tokens_[pos_])};
    }

  private:
    const Token& take(const char* what) {
        if (at_end()) throw LineError{std::string("не хватает: ") + what};
        return tokens_[pos_++];
    }
    static std::string shown(const Token& t) {
        return t.kind == Token::Kind::text ? quote(t.text) : guillemets(t.text);
    }
    static std::string upper(std::string text) {
        for (char& c : text)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return text;
    }

    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
};

int whole_number(Cursor& in, const char* what, double low, double high) {
    const double n = in.number(what);
    // The range is checked before the number is taken as whole: a huge one (1e308) has no
    // integer to compare with.
    if (!(n >= low && n <= high) || n != std::trunc(n))
        throw LineError{std::string(what) + ": целое от " + number_text(low) + " до " +
                        number_text(high) + ", а не " + number_text(n)};
    return static_cast<int>(n);
}

int hex_colour(const std::string& word) {
    if (word.size() != 6 || !std::all_of(word.begin(), word.end(), [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) != 0;
        }))
        throw LineError{"цвет пишется шестью шестнадцатеричными цифрами RRGGBB, а не " +
                        guillemets(word)};
    return static_cast<int>(std::stoul(word, nullptr, 16));
}

// geometry, size, position, range, decimals, colour: what a person sees of a control's or a
// panel's shape, as numbers. False when the next word is none of them.
bool parse_shape_check(Cursor& in, Step& step) {
    constexpr double kPixels = 1e6;  // far past any screen, both ways
    struct ShapeWord {
        const char* word;
        Property property;
        int count;  // expected numbers
        const char* what;
    };
    static constexpr std::array<ShapeWord, 4> kShapes{
        {{"geometry", Property::geometry, 4, "TOP LEFT HEIGHT WIDTH"},
         {"size", Property::size, 2, "HEIGHT WIDTH"},
         {"position", Property::position, 2, "TOP LEFT"},
         {"range", Property::range, 3, "MIN MAX STEP"}}};
    for (const ShapeWord& shape : kShapes) {
        if (!in.next_is_word(shape.word)) continue;
        in.word(shape.word);
        step.property = shape.property;
        in.equals();
        for (int i = 0; i < shape.count; ++i) {
            const std::string what = std::string(shape.word) + " = " + shape.what;
            if (shape.property == Property::range) {
                step.numbers.push_back(in.number(what.c_str()));
            } else {
                step.numbers.push_back(whole_number(in, what.c_str(), -kPixels, kPixels));
            }
        }
        if (shape.property == Property::range && step.numbers[0] > step.numbers[1])
            throw LineError{"в range наименьшее значение больше наибольшего"};
        in.done();
        return true;
    }
    if (in.next_is_word("decimals")) {
        in.word("decimals");
        step.property = Property::decimals;
        in.equals();
        step.numbers.push_back(whole_number(in, "число знаков после запятой", 0, 15));
        in.done();
        return true;
    }
    if (in.next_is_word("colour")) {
        in.word("colour");
        step.property = Property::colour;
        struct PartWord {
            const char* word;
            ColourPart part;
        };
        static constexpr std::array<PartWord, 4> kParts{{{"face", ColourPart::face},
                                                         {"back", ColourPart::back},
                                                         {"text", ColourPart::text},
                                                         {"textback", ColourPart::text_back}}};
        const Token* t = in.peek();
        if (t != nullptr && t->kind == Token::Kind::word) {
            const std::string w = in.word("face, back, text или textback");
            const auto found = std::find_if(kParts.begin(), kParts.end(),
                                            [&](const PartWord& p) { return w == p.word; });
            if (found == kParts.end())
                throw LineError{
                    "после colour ожидалось = RRGGBB или face, back, text, textback, "
                    "а не " +
                    guillemets(w)};
            step.colour = found->part;
        }
        in.equals();
        step.numbers.push_back(hex_colour(in.word("цвет RRGGBB")));
        in.done();
        return true;
    }
    return false;
}

// check NAME ...: a property, a state, or the value itself.
void parse_check_of(Cursor& in, Step& step) {
    step.name = in.name("имя панели, элемента или пункта меню");
    struct StateWord {
        const char* word;
        Property property;
        bool negated;
    };
    static constexpr std::array<StateWord, 4> kStates{{{"dimmed", Property::dimmed, false},
                                                       {"visible", Property::visible, false},
                                                       {"hidden", Property::visible, true},
                                                       {"enabled", Property::enabled, false}}};
    if (in.next_is_word("not")) {
        in.word("not");
        step.negated = true;
        const std::string w = in.word("dimmed, visible, hidden или enabled");
        for (const StateWord& s : kStates) {
            if (w == s.word) {
                step.property = s.property;
                step.negated = !s.negated;
                in.done();
                return;
            }
        }
        throw LineError{"после not ожидалось dimmed, visible, hidden или enabled, а не " +
                        guillemets(w)};
    }
    for (const StateWord& s : kStates) {
        if (in.next_is_word(s.word)) {
            in.word(s.word);
            step.property = s.property;
            step.negated = s.negated;
            in.done();
            return;
        }
    }
    if (parse_shape_check(in, step)) return;
    if (in.next_is_word("title")) {
        in.word("title");
        step.property = Property::title;
    } else if (in.next_is_word("label")) {
        in.word("label");
        step.property = Property::label;
    } else if (in.next_is_word("text")) {
        in.word("text");
        step.property = Property::text;
    } else if (in.next_is_word("line")) {
        in.word("line");
        step.property = Property::line;
        step.line_number = in.line_number("номер строки");
    } else if (in.next_is_word("lines")) {
        in.word("lines");
        step.property = Property::lines;
        in.equals();
        const double n = in.number("число строк");
        // Bounded before it is taken as whole: a huge count has no int to compare with.
        if (!(n >= 0 && n <= 1e9) || n != std::trunc(n))
            throw LineError{"число строк должно быть целым и не меньше 0"};
        step.value = {Value::Kind::number, n, true, {}};
        in.done();
        return;
    }
    if (in.next_is_word("contains")) {
        in.word("contains");
        step.contains = true;
        step.value.kind = Value::Kind::text;
        step.value.text = in.text("текст");
    } else {
        const Token* t = in.peek();
        if (t == nullptr || t->kind != Token::Kind::equals)
            throw LineError{
                "после имени ожидалось = ЗНАЧЕНИЕ, contains, title, label, text, line, lines, "
                "geometry, size, position, range, decimals, colour, dimmed, visible, hidden или "
                "enabled" +
                std::string(t ? ", а не " + (t->kind == Token::Kind::text ? quote(t->text)
                                                                          : guillemets(t->text))
                              : "")};
        in.equals();
        step.value = in.value("ожидаемое значение");
        if (step.property != Property::value && step.value.kind != Value::Kind::text)
            throw LineError{"заголовок, надпись, текст и строки сравниваются с текстом в кавычках"};
    }
    in.done();
}

bool same_name_ignoring_case(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// A driver or VISA operation by its system name, spelled as the library spells it.
std::string known_operation(const std::string& word) {
    for (const std::string& name : sim::operation_names()) {
        if (name == word) return name;
        if (same_name_ignoring_case(name, word))
            throw LineError{"операция пишется как в библиотеке: " + guillemets(name) + ", а не " +
                            guillemets(word)};
    }
    throw LineError{"нет такой операции VISA или драйверов: " + guillemets(word)};
}

// check calls OP[(ARGS)] ...: read from the line as written, since the arguments hold blanks and
// quoted texts as --trace prints them.
void parse_calls(std::string_view rest, Step& step) {
    step.property = Property::calls;
    std::size_t i = 0;
    while (true) {
        while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t')) ++i;
        if (i >= rest.size()) break;
        ExpectedCall call;
        std::string why;
        if (!scan_call(rest, &i, &call, &why)) throw LineError{why};
        call.operation = known_operation(call.operation);
        if (i < rest.size() && rest[i] != ' ' && rest[i] != '\t')
            throw LineError{"после " + call.operation + " ожидался пробел, а не " +
                            guillemets(rest.substr(i, 1))};
        step.calls.push_back(std::move(call));
    }
    if (step.calls.empty()) throw LineError{"не хватает: имена операций после check calls"};
}

void parse_check(Cursor& in, Step& step) {
    if (in.next_is_word("popup")) {
        in.word("popup");
        step.property = Property::popup;
        step.title = in.text("заголовок окна");
        step.value.kind = Value::Kind::text;
        step.value.text = in.text("текст окна");
        in.done();
        return;
    }
    if (in.next_is_word("no")) {
        in.word("no");
        const std::string w = in.word("popup или call");
        if (w == "call") {
            step.property = Property::no_call;
            step.calls.push_back({known_operation(in.word("имя операции драйвера")), false, {}});
            in.done();
            return;
        }
        if (w != "popup")
            throw LineError{"после check no ожидалось popup или call, а не " + guillemets(w)};
        step.property = Property::no_popup;
        in.done();
        return;
    }
    if (in.next_is_word("exit")) {
        in.word("exit");
        step.property = Property::exit;
        in.equals();
        step.numbers.push_back(whole_number(in, "код выхода", 0, 255));
        in.done();
        return;
    }
    parse_check_of(in, step);
}

// The simulator's own commands; their arguments are checked when they run.
void check_fault(std::string_view command) {
    std::istringstream words{std::string(command)};
    std::string verb, operation;
    words >> verb >> operation;
    static constexpr std::array<const char*, 8> kVerbs{"fail",   "clear", "stick", "break",
                                                       "repair", "visa",  "latch", "silent"};
    if (std::find_if(kVerbs.begin(), kVerbs.end(), [&](const char* v) { return verb == v; }) ==
        kVerbs.end())
        throw LineError{"неизвестная команда симулятора " + guillemets(verb) +
                        ": ожидалось fail, silent, clear, stick, break, repair, visa или latch"};
    if (verb == "fail" && operation == "memory") return;
    if ((verb == "fail" || verb == "clear" || verb == "silent") && !operation.empty()) {
        const auto& names = sim::operation_names();
        const auto same = [&](const std::string& name) {
            return std::equal(name.begin(), name.end(), operation.begin(), operation.end(),
                              [](char a, char b) {
                                  return std::tolower(static_cast<unsigned char>(a)) ==
                                         std::tolower(static_cast<unsigned char>(b));
                              });
        };
        if (std::find_if(names.begin(), names.end(), same) == names.end())
            throw LineError{"симулятор не знает операции " + guillemets(operation)};
    }
}

struct CommandWord {
    const char* word;
    Command command;
};
constexpr std::array<CommandWord, 12> kCommands{{{"press", Command::press},
                                                 {"set", Command::set},
                                                 {"select", Command::select},
                                                 {"doubleclick", Command::doubleclick},
                                                 {"highlight", Command::highlight},
                                                 {"close", Command::close},
                                                 {"choose", Command::choose},
                                                 {"answer", Command::answer},
                                                 {"wait", Command::wait},
                                                 {"fault", Command::fault},
                                                 {"check", Command::check},
                                                 {"expect", Command::expect}}};

Step parse_line(std::string_view source, const ParseOptions& options) {
    Step step;
    step.source = std::string(source);
    const std::size_t blank = source.find_first_of(" \t");
    const std::string_view verb = source.substr(0, blank);
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [&](const CommandWord& c) { return verb == c.word; });
    if (found == kCommands.end())
        throw LineError{"неизвестная команда " + guillemets(verb) +
                        ": ожидалось press, set, select, doubleclick, highlight, close, choose, "
                        "answer, wait, fault, check или expect"};
    step.command = found->command;
    const std::string_view rest = blank == std::string_view::npos ? "" : trim(source.substr(blank));

    if (step.command == Command::fault) {
        if (!options.simulated)
            throw LineError{"fault работает только на симулированном крейте (--sim)"};
        if (rest.empty()) throw LineError{"не хватает: команда симулятора"};
        step.fault = std::string(rest);
        check_fault(step.fault);
        return step;
    }

    if (step.command == Command::check &&
        (rest == "calls" || rest.starts_with("calls ") || rest.starts_with("calls\t"))) {
        parse_calls(rest.substr(5), step);
        return step;
    }
    if (step.command == Command::expect) {
        const std::size_t gap = rest.find_first_of(" \t");
        if (rest.substr(0, gap) != "refused")
            throw LineError{"после expect ожидалось refused и действие"};
        const std::string_view action = gap == std::string_view::npos ? "" : trim(rest.substr(gap));
        if (action.empty()) throw LineError{"не хватает: действие после expect refused"};
        Step inner = parse_line(action, options);
        if (inner.expect_refused) throw LineError{"expect refused дважды подряд"};
        if (!is_action(inner.command))
            throw LineError{
                "после expect refused ожидалось действие (press, set, select, "
                "doubleclick, highlight, close или choose), а не " +
                guillemets(action.substr(0, action.find_first_of(" \t")))};
        inner.source = step.source;
        inner.expect_refused = true;
        return inner;
    }

    Cursor in(tokenize(rest));
    switch (step.command) {
        case Command::press:
        case Command::close:
        case Command::choose:
            step.name = in.name(step.command == Command::close    ? "имя панели"
                                : step.command == Command::choose ? "имя пункта меню"
                                                                  : "имя элемента");
            break;
        case Command::set:
            step.name = in.name("имя элемента");
            step.value = in.value("значение");
            break;
        case Command::select:
        case Command::doubleclick:
        case Command::highlight: {
            step.name = in.name("имя списка");
            step.value = in.value("номер строки или её текст");
            if (step.value.kind == Value::Kind::number &&
                (step.value.number < 1 || step.value.number > 1e6 || !step.value.integer))
                throw LineError{"номер строки считается от 1 целыми: " +
                                number_text(step.value.number)};
            break;
        }
        case Command::answer: {
            const std::string w = in.word("yes или no");
            if (w != "yes" && w != "no")
                throw LineError{"answer ждёт yes или no, а не " + guillemets(w)};
            step.yes = w == "yes";
            break;
        }
        case Command::wait:
            step.seconds = in.number("число секунд");
            if (!(step.seconds >= 0 && step.seconds <= kMaxWaitSeconds))
                throw LineError{"время ожидания должно быть от 0 до " +
                                number_text(kMaxWaitSeconds) + " секунд"};
            break;
        case Command::check:
            parse_check(in, step);
            break;
        case Command::fault:
        case Command::expect:
            break;
    }
    in.done();
    return step;
}

}  // namespace

bool is_action(Command command) {
    switch (command) {
        case Command::press:
        case Command::set:
        case Command::select:
        case Command::doubleclick:
        case Command::highlight:
        case Command::close:
        case Command::choose:
            return true;
        default:
            return false;
    }
}

bool scan_call(std::string_view text, std::size_t* pos, ExpectedCall* call, std::string* why) {
    std::size_t i = *pos;
    const std::size_t start = i;
    while (i < text.size() &&
           (std::isalnum(static_cast<unsigned char>(text[i])) != 0 || text[i] == '_'))
        ++i;
    if (i == start) {
        *why = "ожидалось имя операции, а не " + guillemets(text.substr(i, 1));
        return false;
    }
    call->operation = std::string(text.substr(start, i - start));
    call->with_arguments = false;
    call->arguments.clear();
    if (i < text.size() && text[i] == '(') {
        const std::size_t open = ++i;
        bool quoted = false;
        int depth = 1;
        for (; i < text.size(); ++i) {
            if (quoted && text[i] == '\\') {
                ++i;
            } else if (text[i] == '"') {
                quoted = !quoted;
            } else if (!quoted && text[i] == '(') {
                ++depth;
            } else if (!quoted && text[i] == ')' && --depth == 0) {
                break;
            }
        }
        if (i >= text.size()) {
            *why = "у аргументов " + call->operation + " нет закрывающей скобки";
            return false;
        }
        call->with_arguments = true;
        call->arguments = compact_arguments(text.substr(open, i - open));
        ++i;
    }
    *pos = i;
    return true;
}

std::string compact_arguments(std::string_view arguments) {
    std::string out;
    bool quoted = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const char ch = arguments[i];
        if (quoted && ch == '\\' && i + 1 < arguments.size()) {
            out += ch;
            out += arguments[++i];
            continue;
        }
        if (ch == '"') quoted = !quoted;
        if (!quoted && (ch == ' ' || ch == '\t')) continue;
        out += ch;
    }
    return out;
}

bool checks_calls(const Script& script) {
    return std::any_of(script.steps.begin(), script.steps.end(), [](const Step& s) {
        return s.command == Command::check &&
               (s.property == Property::calls || s.property == Property::no_call);
    });
}

std::optional<Script> parse(std::string_view text, const ParseOptions& options, ParseError* error) {
    ParseError ignored;
    ParseError& err = error ? *error : ignored;
    if (text.size() > kMaxScriptBytes) {
        err = {0, "файл больше " + std::to_string(kMaxScriptBytes >> 20) + " МиБ"};
        return std::nullopt;
    }
    // A UTF-8 byte-order mark is allowed at the very start.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    Script script;
    int number = 0;
    while (!text.empty() || number == 0) {
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() > kMaxLineBytes) {
            err = {number, "строка длиннее " + std::to_string(kMaxLineBytes) + " байт"};
            return std::nullopt;
        }
        if (line.find('\0') != std::string_view::npos) {
            err = {number, "в строке нулевой байт: это не текст"};
            return std::nullopt;
        }
        const std::string_view source = trim(strip_comment(line));
        if (source.empty()) continue;
        try {
            Step step = parse_line(source, options);
            step.line = number;
            script.steps.push_back(std::move(step));
        } catch (const LineError& e) {
            err = {number, e.reason};
            return std::nullopt;
        }
    }
    return script;
}

std::optional<Script> load(const std::string& path, const ParseOptions& options,
                           ParseError* error) {
    ParseError ignored;
    ParseError& err = error ? *error : ignored;
    const std::filesystem::path file = platform::native::path_from_utf8(path);
    // A folder opens on Linux and fails only at reading, and does not open on Windows: either
    // way it is named for what it is.
    std::error_code no_such_file;
    if (std::filesystem::is_directory(file, no_such_file)) {
        err = {0, "файл не читается: это папка"};
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        err = {0, std::string("файл не открывается: ") + std::strerror(errno)};
        return std::nullopt;
    }
    std::string text;
    char chunk[64 * 1024];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxScriptBytes) break;
    }
    if (in.bad()) {
        err = {0, "файл не читается"};
        return std::nullopt;
    }
    std::optional<Script> script = parse(text, options, &err);
    if (script) script->source_name = path;
    return script;
}

}  // namespace app::script
