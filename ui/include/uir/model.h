// A read-only view of the run-time's model, for renderers (the Qt view) and for tests that look
// at more than the userint.h calls reveal.
//
// Lifetime: a pointer returned here stays valid until the next run-time call that can create,
// change or discard something (any userint.h call that writes, automation, event processing).
// Renderers therefore look objects up again by handle and id in each notification
// (uir/backend.h) instead of keeping pointers.
//
// Everything is read as data; the run-time changes these objects only through userint.h calls.
// Texts are UTF-8 exactly as the program gave them; a label may contain "__" before the shortcut
// letter (split_label below removes it).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "userint.h"

namespace uir {

struct ListItem {
    std::string label;
    int value = 0;
};

struct Control {
    int panel = 0;                // handle of the panel that holds the control
    int id = 0;                   // the control's id on that panel
    std::string constant_name;    // "MP_START"; empty for a control built in code without one
    int kind = 0;                 // CTRL_...
    int data_type = VAL_NO_TYPE;  // VAL_...; VAL_NO_TYPE for kinds without a value
    int mode = VAL_HOT;           // VAL_HOT (operable) or VAL_INDICATOR
    std::string label;
    int top = 0, left = 0, width = 0, height = 0;  // pixels, relative to the panel's client area
    bool dimmed = false;
    bool visible = true;

    // The value, by kind:
    // - numeric: `number` (exact for every integer type; rounded to single precision for
    //   VAL_FLOAT);
    // - toggle button, check box, binary switch, LED: `number`, 0 or 1;
    // - string, text message: `text`;
    // - text box: `lines`, without line terminators;
    // - ring: `items`, and `index` the selected item (-1 only when there are no items);
    // - list box: `items`, and `index` the highlighted line (-1 when the list is empty);
    // - command button, decoration, picture, timer: no value.
    double number = 0;
    std::string text;
    std::vector<std::string> lines;
    std::vector<ListItem> items;
    int index = -1;

    // Numeric: the operator's input is brought into min..max (the data type's whole range when
    // no limits were set); `precision` decimals are shown; `incr` is the step of the arrows.
    double min = 0, max = 0, incr = 0;
    int precision = 0;

    // Toggle button and binary switch: the texts for value 1 (on) and value 0 (off).
    std::string on_text, off_text;

    // Timer: it ticks every `interval` seconds while `enabled` (and interval > 0).
    double interval = 0;
    bool enabled = false;

    // 0xRRGGBB, or -1 for the renderer's default.
    int back_color = -1;        // the control's background
    int text_color = -1;        // its text
    int text_bg_color = -1;     // the background of its text area (list, string, text message)
    int cmd_button_color = -1;  // the face of a command or toggle button

    CtrlCallbackPtr callback = nullptr;
    void* callback_data = nullptr;  // the control's own; nullptr means "the panel's"

    // From the layout: the value that shows a fault (ui/core/faults.h).
    std::string fault_text;
    bool fault_if_nonzero = false;
};

struct Panel {
    int handle = 0;
    std::string constant_name;  // "MP"; empty for a panel built in code without one
    std::string layout_file;    // "qorm.uir" for a loaded panel, empty for a panel built in code
    int layout_id = 0;          // the panel's id in that layout, 0 for a panel built in code
    std::string title;
    int top = 0, left = 0, height = 0, width = 0;  // pixels on the screen; size of client area
    bool visible = false;
    int close_ctrl = 0;  // the control whose commit the frame's close button sends; 0 for none
    int back_color = -1;
    int menu_bar = 0;  // handle of the panel's menu bar, 0 for none
    PanelCallbackPtr callback = nullptr;
    void* callback_data = nullptr;
    std::vector<int> controls;  // control ids in creation (layout) order: the drawing order
};

struct MenuItem {
    int id = 0;
    std::string constant_name;  // "IMNU_INSTR_ZQORM"; empty for items built in code
    std::string name;           // the text shown; may contain "__" before the shortcut letter
    bool separator = false;
    bool dimmed = false;
    int shortcut_key = 0;  // as given to NewMenuItem; 0 for none
    MenuCallbackPtr callback = nullptr;
    void* callback_data = nullptr;  // the item's own; nullptr means "the panel's"
};

struct Menu {
    int id = 0;
    std::string constant_name;
    std::string title;
    bool dimmed = false;
    std::vector<MenuItem> items;  // top to bottom
};

struct MenuBar {
    int handle = 0;
    int panel = 0;  // the panel that carries the bar
    std::string constant_name;
    std::vector<Menu> menus;  // left to right
};

namespace model {

// Live panels in creation order.
std::vector<int> panel_handles();
const Panel* find_panel(int panel);
const Control* find_control(int panel, int control);
const MenuBar* find_menu_bar(int menu_bar);

}  // namespace model

// A label as shown: the text without the "__" marker and the byte offset in that text of the
// shortcut letter (-1 when there is none). A lone "_" stays as it is.
struct LabelParts {
    std::string text;
    int shortcut = -1;
};
LabelParts split_label(std::string_view label);

}  // namespace uir
