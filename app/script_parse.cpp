// Reading scripts: one step a line, checked completely before anything runs, so a script with a
// mistake anywhere is refused with its line and the reason instead of failing half-way.
#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

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
    if (in.next_is_word("title")) {
        in.word("title");
        step.property = Property::title;
    } else if (in.next_is_word("line")) {
        in.word("line");
        step.property = Property::line;
        step.line_number = in.line_number("номер строки");
    } else if (in.next_is_word("lines")) {
        in.word("lines");
        step.property = Property::lines;
        in.equals();
        const double n = in.number("число строк");
        if (n < 0 || n != static_cast<int>(n))
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
                "после имени ожидалось = ЗНАЧЕНИЕ, contains, title, line, lines, dimmed, "
                "visible, hidden или enabled" +
                std::string(t ? ", а не " + (t->kind == Token::Kind::text ? quote(t->text)
                                                                          : guillemets(t->text))
                              : "")};
        in.equals();
        step.value = in.value("ожидаемое значение");
        if (step.property != Property::value && step.value.kind != Value::Kind::text)
            throw LineError{"заголовок и строки сравниваются с текстом в кавычках"};
    }
    in.done();
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
        const std::string w = in.word("popup");
        if (w != "popup") throw LineError{"после check no ожидалось popup, а не " + guillemets(w)};
        step.property = Property::no_popup;
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
    static constexpr std::array<const char*, 6> kVerbs{"fail",  "clear",  "stick",
                                                       "break", "repair", "visa"};
    if (std::find_if(kVerbs.begin(), kVerbs.end(), [&](const char* v) { return verb == v; }) ==
        kVerbs.end())
        throw LineError{"неизвестная команда симулятора " + guillemets(verb) +
                        ": ожидалось fail, clear, stick, break, repair или visa"};
    if ((verb == "fail" || verb == "clear") && !operation.empty()) {
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
constexpr std::array<CommandWord, 11> kCommands{{{"press", Command::press},
                                                 {"set", Command::set},
                                                 {"select", Command::select},
                                                 {"doubleclick", Command::doubleclick},
                                                 {"highlight", Command::highlight},
                                                 {"close", Command::close},
                                                 {"choose", Command::choose},
                                                 {"answer", Command::answer},
                                                 {"wait", Command::wait},
                                                 {"fault", Command::fault},
                                                 {"check", Command::check}}};

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
                        "answer, wait, fault или check"};
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
    std::ifstream in(path, std::ios::binary);
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
