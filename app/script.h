// Operator scripts: a small line-oriented language of operator actions and checks, addressed by
// the constant names of panels, controls and menu items ("MP", "MP_START", "IMNU_INSTR_ZQORM").
//
//   # comment                       blank lines and comments are ignored
//   press NAME                      command button; toggle, check box, switch and lamp flip
//   set NAME VALUE                  type a value and commit: a number, or "text" in quotes (a
//                                   ring takes an item's value or its label)
//   select NAME N|"LABEL"           choose line N (from 1) of a list or ring
//   doubleclick NAME N|"LABEL"      double-click line N of a list
//   highlight NAME N|"LABEL"        a single click on line N of a list: it is highlighted and
//                                   nothing else happens until a button or Enter chooses it
//   close PANEL                     the close button of the panel's frame
//   choose ITEM                     a menu item
//   answer yes|no                   the answer to the confirmation the next action raises
//   wait SECONDS                    let the program run until SECONDS after the last action
//   fault COMMAND                   the simulated crate's fault injection (needs --sim)
//   check NAME = VALUE              a control's value (also `check NAME contains "TEXT"`)
//   check NAME [not] dimmed|visible|hidden|enabled
//   check PANEL title = "TEXT"      (also `title contains`)
//   check NAME line N = "TEXT"      a text box or list line (also `line N contains`)
//   check NAME lines = N            how many lines a text box or list has
//   check popup "TITLE" "TEXT"      the next popup not yet checked
//   check no popup                  every popup so far has been checked
//   check NAME label = "TEXT"       a control's label as shown, without the shortcut marker "__"
//                                   (also `label contains`)
//   check ITEM text = "TEXT"        a menu item's text as shown (also `text contains`); a menu's
//                                   is checked with `check MENU title = "TEXT"`
//   check NAME geometry = TOP LEFT HEIGHT WIDTH   a control's place and size in pixels
//   check NAME size = HEIGHT WIDTH  a control's or panel's size
//   check PANEL position = TOP LEFT where the panel stands on the screen
//   check NAME range = MIN MAX STEP a numeric field's limits and the step of its arrows
//   check NAME decimals = N         the decimals a numeric field shows
//   check NAME colour [face|back|text|textback] = RRGGBB   a colour that is set: without a
//                                   part, a button's face and anything else's background
//   check calls OP[(ARGS)] ...      the driver calls since the last action, exactly and in order,
//                                   each optionally with its arguments as --trace prints them
//   check no call OP                no call of OP since the last action
//   check exit = N                  the program's exit status once the script has ended its run
//   expect refused ACTION           the action (press, set, ...) is refused as it would be for a
//                                   person: the step passes when refused, fails when accepted
//
// Texts are UTF-8 in double quotes with the escapes \n \r \t \" \\ and \xHH (one byte, for the
// bytes of a driver's text that are not UTF-8; \x00 is refused).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app::script {

enum class Command {
    press,
    set,
    select,
    doubleclick,
    highlight,
    close,
    choose,
    answer,
    wait,
    fault,
    check,
    expect  // only while reading: `expect refused ACTION` becomes the action, marked
};

// What a check looks at.
enum class Property {
    value,
    title,
    line,
    lines,
    dimmed,
    visible,
    enabled,
    popup,
    no_popup,
    label,
    text,
    geometry,
    size,
    position,
    range,
    decimals,
    colour,
    calls,
    no_call,
    exit
};

// Which colour of a control `check NAME colour` looks at.
enum class ColourPart { main, face, back, text, text_back };

// One call a `check calls` expects: the operation, and its arguments as --trace prints them
// (without blanks outside quotes) when the script gave them.
struct ExpectedCall {
    std::string operation;
    bool with_arguments = false;
    std::string arguments;  // the text between the parentheses
};

struct Value {
    enum class Kind { none, number, text };
    Kind kind = Kind::none;
    double number = 0;
    bool integer = false;  // written without a fraction: an integer control takes it as it is
    std::string text;
};

struct Step {
    int line = 0;        // from 1
    std::string source;  // the line as written, without its comment and outer blanks
    Command command = Command::press;
    std::string name;  // panel, control or menu item constant name
    Value value;       // set, select, doubleclick, highlight; a check's expected value or text
    Property property = Property::value;
    bool negated = false;         // check NAME not ...
    bool contains = false;        // check ... contains "TEXT"
    int line_number = 0;          // check NAME line N
    std::string title;            // check popup: the expected title (the text is in `value`)
    bool yes = false;             // answer
    double seconds = 0;           // wait
    std::string fault;            // fault: the simulator's command
    std::vector<double> numbers;  // geometry, size, position, range: the expected numbers
    ColourPart colour = ColourPart::main;
    std::vector<ExpectedCall> calls;  // check calls; check no call: its one operation
    bool expect_refused = false;      // an action written as `expect refused ACTION`
};

struct Script {
    std::string source_name;  // the file, for messages
    std::vector<Step> steps;
};

struct ParseError {
    int line = 0;  // 0: the file as a whole
    std::string reason;
};

struct ParseOptions {
    bool simulated = false;  // fault lines need the simulated crate
};

// Longest script file and line taken; anything longer is refused rather than read in part.
inline constexpr std::size_t kMaxScriptBytes = std::size_t{4} << 20;
inline constexpr std::size_t kMaxLineBytes = 64 * 1024;
inline constexpr double kMaxWaitSeconds = 86400;  // a day of virtual time

// Parses a whole script; on failure returns nothing and sets *error to the first bad line.
std::optional<Script> parse(std::string_view text, const ParseOptions& options, ParseError* error);
// Reads and parses a script file.
std::optional<Script> load(const std::string& path, const ParseOptions& options, ParseError* error);

// Whether a step acts on the program (and so waits for the program to settle before the next).
bool is_action(Command command);

// A call's arguments for comparison: the blanks outside quoted texts removed, so
// "(3, VI_ATTR_SLOT)" and "(3,VI_ATTR_SLOT)" are the same.
std::string compact_arguments(std::string_view arguments);

// Reads one call written as --trace writes it, "name" or "name(ARGS)", from text[*pos] on, and
// moves *pos past it. False, with `why` set, when there is no name or the parenthesis is open.
bool scan_call(std::string_view text, std::size_t* pos, ExpectedCall* call, std::string* why);

// Whether any step checks the driver calls, so the program must log them.
bool checks_calls(const Script& script);

}  // namespace app::script
