// Callbacks for the run-time tests: each registered callback records its call, and a test may
// hook code into it (to nest event processing, discard a panel, set a loop flag...).
#pragma once

#include <functional>
#include <vector>

#include "headless_test.h"
#include "uir/automation.h"
#include "uir/callbacks.h"
#include "uir/headless.h"
#include "uir/headless_backend.h"
#include "uir/layout.h"
#include "uir/model.h"
#include "uir/runtime.h"
#include "userint.h"

namespace uir_test {

struct Call {
    int panel;
    int control;
    int event;
    void* data;
    int data1;
    int data2;
    bool operator==(const Call&) const = default;
};

struct MenuCall {
    int bar;
    int item;
    void* data;
    int panel;
    bool operator==(const MenuCall&) const = default;
};

struct Recorder {
    std::vector<Call> calls;
    std::vector<MenuCall> menu_calls;
    std::function<void(const Call&)> on_call;  // runs inside the callback, after recording
    std::function<void(const MenuCall&)> on_menu_call;
    void clear() { *this = Recorder{}; }
    // The events recorded for one control, in order.
    std::vector<int> events_of(int panel, int control) const;
};

Recorder& recorder();

// Registered as "ctrlCB", "panelCB" and "tickCB" (the same recording function) and "otherCB"
// (a second function, to tell replacements apart); "menuCB" for menu items.
int UIR_CALLBACK recordCB(int panel, int control, int event, void* data, int d1, int d2);
int UIR_CALLBACK otherCB(int panel, int control, int event, void* data, int d1, int d2);
void UIR_CALLBACK recordMenuCB(int bar, int item, void* data, int panel);

// The test layout "test.uir" and its ids (test_layout.cpp).
inline constexpr const char* kLayoutFile = "test.uir";
enum PanelId { MAIN = 1, BROKEN = 2, SECOND = 3, BAD_MENU = 4, BAD_KIND = 5 };
enum MainCtrl {
    MAIN_OK = 2,
    MAIN_TOGGLE,
    MAIN_CHECK,
    MAIN_SWITCH,
    MAIN_LED,
    MAIN_NUM,
    MAIN_SHORT,
    MAIN_USHORT,
    MAIN_FLOAT,
    MAIN_STRING,
    MAIN_RING,
    MAIN_LIST,
    MAIN_TEXTBOX,
    MAIN_MSG,
    MAIN_DECO,
    MAIN_TIMER,
    MAIN_PIC,
    MAIN_INT = 20,
    MAIN_HOT_LED = 21,
};
enum MainMenu { MENU_FILE = 2, ITEM_OPEN = 3, ITEM_SEP = 4, ITEM_QUIT = 5, ITEM_PLAIN = 6 };
enum SecondCtrl { SECOND_CLOSE = 2, SECOND_TIMER = 3 };
void register_test_layout();

// A fresh run-time with the test layout and callbacks registered and the recorder cleared.
class UirTest : public test_support::HeadlessTest {
  protected:
    void SetUp() override;
    // Loads a panel of the test layout and fails the test when that does not work.
    int load(int panel_id);
    // Loads MAIN and shows it.
    int shown_main();
};

}  // namespace uir_test
