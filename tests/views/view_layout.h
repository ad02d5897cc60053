// The test layout the views' tests share: one panel with a control of every kind and a menu bar,
// a second small panel with a close control, a panel larger than a small screen with a button
// at each end, and a recorder of the callbacks they reach. Each
// view's tests load it and check that their windows show and operate the same model.
#pragma once

#include <vector>

namespace view_layout {

inline constexpr const char* kLayoutFile = "view_test.uir";
enum PanelId { VIEW = 1, SECOND = 2, BIG = 3 };
enum ViewCtrl {
    V_BUTTON = 2,
    V_TOGGLE,
    V_CHECK,
    V_SWITCH,
    V_LED,
    V_LAMP,
    V_TIME,
    V_COUNT,
    V_STRING,
    V_STATE,
    V_RING,
    V_LIST,
    V_TEXTBOX,
    V_MSG,
    V_DECO,
    V_PIC,
    V_TIMER,
    V_RESULT,
};
enum ViewMenu { M_FILE = 2, M_OPEN = 3, M_SEP = 4, M_QUIT = 5 };
enum SecondCtrl { S_CLOSE = 2 };
enum BigCtrl { B_TOP = 2, B_BOTTOM = 3 };

struct Call {
    int panel;
    int control;
    int event;
    int data1;
    bool operator==(const Call&) const = default;
};

struct MenuCall {
    int item;
    int panel;
    bool operator==(const MenuCall&) const = default;
};

struct Recorder {
    std::vector<Call> calls;
    std::vector<MenuCall> menu_calls;
    std::vector<int> events_of(int panel, int control) const;
};
Recorder& recorder();

// Registers the layout and its callbacks ("viewCB", "viewMenuCB", which record) with the
// run-time, and empties the recorder.
void register_view_layout();

}  // namespace view_layout
