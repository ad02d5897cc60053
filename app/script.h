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
    check
};

// What a check looks at.
enum class Property { value, title, line, lines, dimmed, visible, enabled, popup, no_popup };

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
    bool negated = false;   // check NAME not ...
    bool contains = false;  // check ... contains "TEXT"
    int line_number = 0;    // check NAME line N
    std::string title;      // check popup: the expected title (the text is in `value`)
    bool yes = false;       // answer
    double seconds = 0;     // wait
    std::string fault;      // fault: the simulator's command
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

}  // namespace app::script
