// The user-interface run-time as the front panel and the standalone start-up call it: panels
// loaded from a layout or built in code, controls with integer ids and typed values, attributes,
// lists, text boxes, menus, popups, timers and event processing.
//
// Conventions:
// - Handles (panels, menu bars) count up from 1 and are never reused within a process. Every call
//   on an unknown or discarded handle, or an unknown control id, returns a negative status.
// - Values are typed per control (VAL_INTEGER, VAL_SHORT_INTEGER, ...). Reads must use the
//   control's own type; writes must be of its category (an integer into an integer control, which
//   must fit its type; a floating value into a floating control; text into a text control).
//   Anything else is an error status and changes nothing.
// - Text reads are bounded: the char-array overloads never write past the array and always
//   terminate; a longer text is cut.
// - Callbacks run only inside ProcessSystemEvents / ProcessSystemEventsWaiting, on the thread
//   that calls them. A callback may itself process events.
#pragma once

#include <cstddef>

#define UIR_CALLBACK

// Control and panel callbacks. Panel callbacks receive control 0. The callback data is the
// control's own callback data when one was set, otherwise its panel's callback data.
typedef int(UIR_CALLBACK* CtrlCallbackPtr)(int panel, int control, int event, void* callbackData,
                                           int eventData1, int eventData2);
typedef CtrlCallbackPtr PanelCallbackPtr;
// Menu callbacks: menu bar handle, item id, callback data (the item's own, else the panel's),
// panel that carries the menu bar.
typedef void(UIR_CALLBACK* MenuCallbackPtr)(int menuBar, int menuItem, void* callbackData,
                                            int panel);

// Events.
enum {
    EVENT_NONE = 0,
    EVENT_COMMIT = 1,
    EVENT_LEFT_DOUBLE_CLICK = 4,
    EVENT_CLOSE = 11,
    EVENT_TIMER_TICK = 15,
    EVENT_DISCARD = 16,
};

// Control kinds (NewCtrl's style, ATTR_CTRL_STYLE).
enum {
    CTRL_COMMAND_BUTTON = 1,
    CTRL_TOGGLE_BUTTON,
    CTRL_CHECK_BOX,
    CTRL_BINARY_SWITCH,
    CTRL_LED,
    CTRL_NUMERIC,
    CTRL_STRING,
    CTRL_RING,
    CTRL_LIST_BOX,
    CTRL_TEXT_BOX,
    CTRL_TEXT_MSG,
    CTRL_DECORATION,
    CTRL_PICTURE,
    CTRL_TIMER,
};

// Value types (ATTR_DATA_TYPE).
enum {
    VAL_NO_TYPE = 0,
    VAL_INTEGER,                 // signed 32-bit
    VAL_SHORT_INTEGER,           // signed 16-bit
    VAL_UNSIGNED_SHORT_INTEGER,  // unsigned 16-bit
    VAL_FLOAT,                   // single precision
    VAL_DOUBLE,                  // double precision
    VAL_STRING,                  // text
};

// Control modes (ATTR_CTRL_MODE).
enum {
    VAL_HOT = 1,        // operable: the operator changes it and it sends commit
    VAL_INDICATOR = 2,  // shows a value; the operator cannot change it
};

// Attributes. The comment gives the value's C type.
enum {
    ATTR_DIMMED = 1,                    // int 0/1 (control; menu item)
    ATTR_VISIBLE,                       // int 0/1 (control, panel)
    ATTR_MIN_VALUE,                     // double (numeric)
    ATTR_MAX_VALUE,                     // double (numeric)
    ATTR_INCR_VALUE,                    // double (numeric)
    ATTR_PRECISION,                     // int, decimals shown (numeric)
    ATTR_CALLBACK_FUNCTION_POINTER,     // CtrlCallbackPtr (control, panel)
    ATTR_CALLBACK_NAME,                 // text, read only: the registered name of the callback
    ATTR_CALLBACK_DATA,                 // void* (control, panel)
    ATTR_ENABLED,                       // int 0/1 (timer)
    ATTR_INTERVAL,                      // double seconds (timer)
    ATTR_CONSTANT_NAME,                 // text, read only ("MP_START", "MP")
    ATTR_LABEL_TEXT,                    // text (control)
    ATTR_ON_TEXT,                       // text (toggle button, binary switch)
    ATTR_OFF_TEXT,                      // text (toggle button, binary switch)
    ATTR_CTRL_MODE,                     // int VAL_HOT / VAL_INDICATOR
    ATTR_CTRL_STYLE,                    // int CTRL_..., read only
    ATTR_DATA_TYPE,                     // int VAL_..., read only
    ATTR_TOP,                           // int pixels (control, panel; VAL_AUTO_CENTER for panels)
    ATTR_LEFT,                          // int pixels (control, panel; VAL_AUTO_CENTER for panels)
    ATTR_WIDTH,                         // int pixels (control, panel)
    ATTR_HEIGHT,                        // int pixels (control, panel)
    ATTR_TITLE,                         // text (panel)
    ATTR_CLOSE_CTRL,                    // int control id, 0 for none (panel)
    ATTR_BACKCOLOR,                     // int 0xRRGGBB (panel, control)
    ATTR_TEXT_COLOR,                    // int 0xRRGGBB (control)
    ATTR_TEXT_BGCOLOR,                  // int 0xRRGGBB (control: text area)
    ATTR_CMD_BUTTON_COLOR,              // int 0xRRGGBB (command button face)
    ATTR_PANEL_MENU_BAR,                // int menu bar handle, 0 for none, read only (panel)
    ATTR_ITEM_NAME,                     // text (menu item)
};

enum { VAL_AUTO_CENTER = -2147483647 - 1 };  // ATTR_TOP / ATTR_LEFT of a panel: centre it

enum {
    VAL_BLACK = 0x000000,
    VAL_WHITE = 0xFFFFFF,
    VAL_LT_GRAY = 0xC0C0C0,
    VAL_GRAY = 0x808080,
    VAL_DK_GRAY = 0x404040,
    VAL_RED = 0xFF0000,
    VAL_GREEN = 0x00FF00,
    VAL_DK_GREEN = 0x008000,
    VAL_YELLOW = 0xFFFF00,
    VAL_BLUE = 0x0000FF,
};

// Statuses. 0 is success; every error is negative.
enum {
    UIE_NO_ERROR = 0,
    UIE_NOT_STARTED = -1,           // the run-time has not been initialised
    UIE_BACKEND_FAILED = -2,        // the backend cannot start (no display)
    UIE_INVALID_PANEL = -3,         // unknown or discarded panel handle
    UIE_INVALID_CONTROL = -4,       // no control with that id on the panel
    UIE_TYPE_MISMATCH = -5,         // value of the wrong type for the control or attribute
    UIE_OUT_OF_RANGE = -6,          // a value that does not fit the control's type, a bad index
    UIE_INVALID_ATTRIBUTE = -7,     // attribute not known, or not applicable to this object
    UIE_NO_VALUE = -8,              // the control kind has no value (command button, decoration)
    UIE_NULL_POINTER = -9,          // a required pointer argument is null
    UIE_LAYOUT_NOT_FOUND = -10,     // no layout registered under that file name
    UIE_PANEL_NOT_IN_LAYOUT = -11,  // the layout has no panel with that id
    UIE_UNKNOWN_CALLBACK = -12,     // the layout names a callback that is not registered
    UIE_NO_ITEM = -13,              // list or ring: no item with that value / the list is empty
    UIE_INVALID_MENU = -14,         // unknown menu bar, menu or item
    UIE_NOT_OPERABLE = -15,         // automation: dimmed, hidden, indicator or on a hidden panel
    UIE_WAIT_NEVER_ENDS = -16,      // headless: a wait with nothing pending and nothing scheduled
    UIE_OUT_OF_MEMORY = -17,
    UIE_INVALID_ARGUMENT = -18,  // a bad kind, size or other argument
    UIE_TIME_LIMIT = -19,        // headless: the virtual time limit is reached
    UIE_NO_BACKEND = -20,        // no backend chosen, and the build has no default one
};

// Start-up and tear-down. InitUserInterface starts the backend the program chose (else the
// build's default one); negative when it cannot, UIE_NO_BACKEND when there is none to start.
int InitUserInterface(void);
int QuitUserInterface(int returnCode);

// Panels.
int LoadPanelEx(int parentPanel, const char* fileName, int panelResourceId, void* moduleHandle);
int NewPanel(int parentPanel, const char* title, int top, int left, int height, int width);
int DisplayPanel(int panel);
int HidePanel(int panel);
int DiscardPanel(int panel);

// Controls.
int NewCtrl(int panel, int controlStyle, const char* label, int top, int left);
int DiscardCtrl(int panel, int control);
int DefaultCtrl(int panel, int control);  // back to the value it had when created or loaded

int SetCtrlVal(int panel, int control, int value);
int SetCtrlVal(int panel, int control, short value);
int SetCtrlVal(int panel, int control, unsigned short value);
int SetCtrlVal(int panel, int control, unsigned int value);
int SetCtrlVal(int panel, int control, float value);
int SetCtrlVal(int panel, int control, double value);
int SetCtrlVal(int panel, int control, const char* value);

int GetCtrlVal(int panel, int control, int* value);
int GetCtrlVal(int panel, int control, short* value);
int GetCtrlVal(int panel, int control, unsigned short* value);
int GetCtrlVal(int panel, int control, float* value);
int GetCtrlVal(int panel, int control, double* value);
// Text: at most size-1 characters and a terminating zero.
int GetCtrlValString(int panel, int control, char* buffer, size_t size);
template <size_t N>
int GetCtrlVal(int panel, int control, char (&buffer)[N]) {
    return GetCtrlValString(panel, control, buffer, N);
}

// Attributes.
int SetCtrlAttribute(int panel, int control, int attribute, int value);
int SetCtrlAttribute(int panel, int control, int attribute, double value);
int SetCtrlAttribute(int panel, int control, int attribute, const char* value);
int SetCtrlAttribute(int panel, int control, int attribute, void* value);
int SetCtrlAttribute(int panel, int control, int attribute, CtrlCallbackPtr value);
int SetCtrlAttribute(int panel, int control, int attribute, decltype(nullptr) value);

int GetCtrlAttribute(int panel, int control, int attribute, int* value);
int GetCtrlAttribute(int panel, int control, int attribute, double* value);
int GetCtrlAttribute(int panel, int control, int attribute, void** value);
int GetCtrlAttribute(int panel, int control, int attribute, CtrlCallbackPtr* value);
int GetCtrlAttributeString(int panel, int control, int attribute, char* buffer, size_t size);
template <size_t N>
int GetCtrlAttribute(int panel, int control, int attribute, char (&buffer)[N]) {
    return GetCtrlAttributeString(panel, control, attribute, buffer, N);
}

int SetPanelAttribute(int panel, int attribute, int value);
int SetPanelAttribute(int panel, int attribute, const char* value);
int SetPanelAttribute(int panel, int attribute, void* value);
int SetPanelAttribute(int panel, int attribute, CtrlCallbackPtr value);
int SetPanelAttribute(int panel, int attribute, decltype(nullptr) value);

int GetPanelAttribute(int panel, int attribute, int* value);
int GetPanelAttribute(int panel, int attribute, void** value);
int GetPanelAttribute(int panel, int attribute, CtrlCallbackPtr* value);
int GetPanelAttributeString(int panel, int attribute, char* buffer, size_t size);
template <size_t N>
int GetPanelAttribute(int panel, int attribute, char (&buffer)[N]) {
    return GetPanelAttributeString(panel, attribute, buffer, N);
}

// Lists and rings. Index -1 appends. A list's value is the value of its highlighted item; the
// first item is highlighted when a list is filled from empty.
int ClearListCtrl(int panel, int control);
int InsertListItem(int panel, int control, int index, const char* label, int value);
int DeleteListItem(int panel, int control, int index, int count);
int GetNumListItems(int panel, int control, int* count);
int GetCtrlIndex(int panel, int control, int* index);
int SetCtrlIndex(int panel, int control, int index);
int GetValueFromIndex(int panel, int control, int index, int* value);
int GetLabelFromIndexString(int panel, int control, int index, char* buffer, size_t size);
template <size_t N>
int GetLabelFromIndex(int panel, int control, int index, char (&buffer)[N]) {
    return GetLabelFromIndexString(panel, control, index, buffer, N);
}

// Text boxes. ResetTextBox replaces the whole content (a text with '\n' gives several lines);
// InsertTextBoxLine with index -1 appends a last line.
int ResetTextBox(int panel, int control, const char* text);
int InsertTextBoxLine(int panel, int control, int index, const char* text);
int GetNumTextBoxLines(int panel, int control, int* count);
int GetTextBoxLineString(int panel, int control, int index, char* buffer, size_t size);
template <size_t N>
int GetTextBoxLine(int panel, int control, int index, char (&buffer)[N]) {
    return GetTextBoxLineString(panel, control, index, buffer, N);
}

// Menus. Menu ids and item ids share one numbering per menu bar; a bar loaded from a layout
// keeps the layout's ids. `before` -1 appends.
int NewMenuBar(int panel);
int DiscardMenuBar(int menuBar);
int GetPanelMenuBar(int panel);  // the bar's handle, 0 when the panel has none, negative on error
int NewMenu(int menuBar, const char* title, int before);
int NewMenuItem(int menuBar, int menu, const char* itemName, int before, int shortcutKey,
                MenuCallbackPtr callback, void* callbackData);
int InsertSeparator(int menuBar, int menu, int before);
int SetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, int value);
int GetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, int* value);
// ATTR_ITEM_NAME: an item's text or a menu's title.
int SetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, const char* value);
int GetMenuBarAttributeString(int menuBar, int menuOrItem, int attribute, char* buffer,
                              size_t size);
template <size_t N>
int GetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, char (&buffer)[N]) {
    return GetMenuBarAttributeString(menuBar, menuOrItem, attribute, buffer, N);
}

// Popups. Both wait for the operator. ConfirmPopup returns 1 for yes, 0 for no.
int MessagePopup(const char* title, const char* message);
int ConfirmPopup(const char* title, const char* message);

// Events and time.
int ProcessSystemEvents(void);         // runs every pending callback; never waits
int ProcessSystemEventsWaiting(void);  // waits until something is pending, then runs it all
int Delay(double seconds);             // waits without processing events
double Timer(void);                    // seconds on the run-time's clock

const char* GetUILErrorString(int status);
