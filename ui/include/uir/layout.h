// Layouts as data: panels, their controls and menu bars described by constant tables and
// registered under a file name, so LoadPanelEx loads a panel by its id as from a layout file.
// Callbacks are named, and found in the registry of uir/callbacks.h when a panel is loaded.
#pragma once

#include <span>

#include "userint.h"

namespace uir {

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
    double value = 0;            // numeric kinds, switches, lamps, rings
    const char* text = nullptr;  // text kinds
    bool dimmed = false;
    bool visible = true;
    double min = 0, max = 0, incr = 0;         // numeric; min == max == 0 means no limits
    int precision = 0;                         // numeric decimals
    std::span<const ListItemSpec> items = {};  // ring items
    const char* on_text = nullptr;             // toggle button, binary switch
    const char* off_text = nullptr;
    double interval = 0;                   // timer, seconds
    bool enabled = false;                  // timer
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

// Registers (or replaces) a layout under its file name. The layout data must outlive the process's
// use.
int register_layout(const LayoutSpec& layout);

}  // namespace uir
