// The run-time's own C++ interface, beside the system-facing API of userint.h:
// - layouts as data, registered under a file name so LoadPanelEx finds them;
// - the registry of the system's callback functions, by which layouts bind callbacks by name;
// - the choice of backend (headless or Qt) before InitUserInterface;
// - automation: operator actions by control id or constant name, refused as a person would be;
// - the headless backend's controls: virtual clock, scheduled actions, popup answers.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/backend.h"
#include "userint.h"

namespace uir {

// ---- Layouts as data -------------------------------------------------------------------------

struct ListItemSpec {
    const char* label;
    int value;
};

struct CtrlSpec {
    int id = 0;
    const char* constant_name = "";  // "MP_START"
    int kind = 0;                    // CTRL_...
    int data_type = VAL_NO_TYPE;     // VAL_...; VAL_NO_TYPE for kinds without a value
    int mode = VAL_HOT;              // VAL_HOT or VAL_INDICATOR
    const char* label = "";          // "__" before a letter marks the shortcut letter
    int top = 0, left = 0, width = 0, height = 0;
    const char* callback = nullptr;  // registered callback name, nullptr for none
    // State at load.
    double value = 0;                 // numeric kinds, switches, lamps, rings
    const char* text = nullptr;       // text kinds
    bool dimmed = false;
    bool visible = true;
    double min = 0, max = 0, incr = 0;  // numeric; min == max == 0 means no limits
    int precision = 0;                  // numeric decimals
    std::span<const ListItemSpec> items = {};  // ring items
    const char* on_text = nullptr;              // toggle button, binary switch
    const char* off_text = nullptr;
    double interval = 0;   // timer, seconds
    bool enabled = false;  // timer
    int back_color = -1, text_color = -1;  // -1: the backend's default
    // Values that show a fault, drawn in a warning colour: this text (text kinds), or any value
    // but 0 (numeric kinds).
    const char* fault_text = nullptr;
    bool fault_if_nonzero = false;
};

struct MenuItemSpec {
    int id = 0;
    const char* constant_name = "";  // "IMNU_INSTR_ZQORM"
    const char* text = nullptr;      // nullptr for a separator
    const char* callback = nullptr;  // registered menu callback name
};

struct MenuSpec {
    int id = 0;
    const char* constant_name = "";
    const char* title = "";
    std::span<const MenuItemSpec> items = {};
};

struct MenuBarSpec {
    int id = 0;
    const char* constant_name = "";
    std::span<const MenuSpec> menus = {};
};

struct PanelSpec {
    int id = 0;
    const char* constant_name = "";  // "MP"
    const char* title = "";
    int top = 0, left = 0, height = 0, width = 0;
    const char* callback = nullptr;  // panel callback name
    std::span<const CtrlSpec> controls = {};
    const MenuBarSpec* menu_bar = nullptr;
    int close_ctrl = 0;
    int back_color = -1;
};

struct LayoutSpec {
    const char* file_name = "";  // "qorm.uir"
    std::span<const PanelSpec> panels = {};
};

// Registers (or replaces) a layout under its file name. The layout data must outlive the process's use.
int register_layout(const LayoutSpec& layout);

// ---- The registry of the system's callback functions ------------------------------------------

int register_callback(const char* name, CtrlCallbackPtr fn);
int register_menu_callback(const char* name, MenuCallbackPtr fn);
CtrlCallbackPtr find_callback(std::string_view name);
MenuCallbackPtr find_menu_callback(std::string_view name);

// ---- Backends ---------------------------------------------------------------------------------

// Chooses the backend InitUserInterface starts. Without a choice, the headless backend is used.
void use_backend(std::unique_ptr<Backend> backend);

// Ends the run-time: discards every panel and the backend, so a test can start afresh. Handles
// keep counting up across restarts.
void shutdown();

// ---- Automation -------------------------------------------------------------------------------
// The one path from an operator action to a callback: backends and tests alike come through here.
// Each call checks what a person could do (the panel is shown, the control is visible, not dimmed
// and not an indicator) and returns UIE_NOT_OPERABLE otherwise. An accepted action changes the
// control as the operator's gesture does and queues its event; the callback runs at the next
// ProcessSystemEvents.
namespace automation {

int press(int panel, int control);                  // command button; toggle, check box, switch
                                                    // and LED flip their value
int set_value(int panel, int control, int value);   // switches, rings (by item value), numerics
int set_value(int panel, int control, double value);  // numerics: brought into min..max
int set_value(int panel, int control, const char* value);  // string controls
int select_index(int panel, int control, int index);       // ring or list line; commit
int double_click(int panel, int control, int index);       // list line: highlight it, then
                                                           // EVENT_LEFT_DOUBLE_CLICK
int highlight(int panel, int control, int index);  // list line: a single click or the arrow
                                                  // keys move the highlight; no event
int close_panel(int panel);  // the frame's close button: the close control's commit, else the
                             // panel callback's EVENT_CLOSE
int choose_menu_item(int panel, int item);

// Look-ups by constant name ("MP_START", "IMNU_INSTR_ZQORM"); negative when unknown.
int find_control(int panel, std::string_view constant_name);
int find_menu_item(int panel, std::string_view constant_name);
// Live panels in creation order, and the panels loaded from a layout panel id.
std::vector<int> panels();
std::vector<int> panels(int layout_panel_id);
std::string constant_name(int panel);  // "MP"; empty for panels built in code without one

// What the operator did, as an observer (the session recorder) sees it: each action the entry
// points above accepted, and the answer to each popup. Names are constant names, empty when the
// panel, control or item has none.
struct Action {
    enum class Kind {
        press,
        set_number,    // set_value with an integer or a number
        set_text,      // set_value with a text
        select_index,  // `number` is the index
        double_click,  // `number` is the line's index
        highlight,     // a single click on a list line, no event; `number` is its index
        close_panel,
        choose_menu_item,  // `control` and `control_name` are the item's
        message_popup,     // `title`, `text`
        confirm_popup,     // `title`, `text`; `number` is the answer, 1 yes, 0 no
    };
    Kind kind = Kind::press;
    int panel = 0;    // 0 for popups
    int control = 0;  // control id or menu item id; 0 when there is none
    std::string panel_name;
    std::string control_name;
    double number = 0;
    std::string text;
    std::string title;
};
// One observer at a time; an empty function removes it. It is called after an action has been
// accepted and its event queued (before the callback runs), and after a popup has been answered.
// It must not act on the run-time itself.
void set_observer(std::function<void(const Action&)> observer);

}  // namespace automation

// ---- The headless backend ---------------------------------------------------------------------
// Virtual clock: waiting advances it to the next due timer or scheduled action, Delay advances
// it. Popups are recorded; confirmations are answered from a queue.
namespace headless {

std::unique_ptr<Backend> make_backend();

double now();
void advance(double seconds);  // moves the clock on; due timers tick at the next turn

// Runs `action` when the virtual clock reaches now() + delay (0: at the next turn). Actions run
// inside event processing, before the callbacks of the turn, so a blocking loop (the front
// panel's run, a modal selection) sees them.
void schedule(double delay, std::function<void()> action);

struct Popup {
    std::string kind;  // "message" or "confirm"
    std::string title;
    std::string text;
    int answer;  // what the popup returned
};
const std::vector<Popup>& popups();
void clear_popups();
void answer_confirm(bool yes);  // queue the answer of the next ConfirmPopup

// What happens when a headless run cannot go on: a wait with nothing pending or scheduled, a
// confirmation with no answer queued, the virtual time limit reached. The default prints the
// reason to stderr and aborts, so a test fails clearly instead of hanging.
void on_failure(std::function<void(const std::string& reason)> handler);
void set_time_limit(double virtual_seconds);  // 0: no limit
// Whether QuitUserInterface was called in this run, and with what return code.
bool quit_requested(int* return_code = nullptr);

}  // namespace headless

}  // namespace uir
