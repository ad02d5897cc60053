// Automation: operator actions by control id or constant name, and an observer of what the
// operator did. Backends deliver every gesture through these entry points; tests and scripts use
// the same ones.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace uir {

// The one path from an operator action to a callback: backends and tests alike come through here.
// Each call checks what a person could do (the panel is shown, the control is visible, not dimmed
// and not an indicator) and returns UIE_NOT_OPERABLE otherwise. An accepted action changes the
// control as the operator's gesture does and queues its event; the callback runs at the next
// ProcessSystemEvents.
namespace automation {

int press(int panel, int control);                    // command button; toggle, check box, switch
                                                      // and LED flip their value
int set_value(int panel, int control, int value);     // switches, rings (by item value), numerics
int set_value(int panel, int control, double value);  // numerics: brought into min..max
int set_value(int panel, int control, const char* value);  // string controls
int select_index(int panel, int control, int index);       // ring or list line; commit
int double_click(int panel, int control, int index);       // list line: highlight it, then
                                                           // EVENT_LEFT_DOUBLE_CLICK
int highlight(int panel, int control, int index);          // list line: a single click or the arrow
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
    // The entry point refused the action as it refuses a person (a dimmed, hidden or indicator
    // control, a control or the frame of a hidden panel, a dimmed menu item): nothing happened
    // and no event was queued. Refusals of malformed requests (wrong value types, unknown ids)
    // are not reported.
    bool refused = false;
    int panel = 0;    // 0 for popups
    int control = 0;  // control id or menu item id; 0 when there is none
    std::string panel_name;
    std::string control_name;
    double number = 0;
    std::string text;
    std::string title;
};
// One observer at a time; an empty function removes it. It is called after an action has been
// accepted and its event queued (before the callback runs), after an action has been refused as a
// person would be (`refused`), and after a popup has been answered.
// It must not act on the run-time itself.
void set_observer(std::function<void(const Action&)> observer);

}  // namespace automation

}  // namespace uir
