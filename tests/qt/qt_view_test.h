// The Qt view's tests: a fresh run-time on the Qt backend (offscreen platform) for each test, a
// test layout with one control of every kind, and a recorder of the callbacks it reaches.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>
#include <vector>

#include "uir/automation.h"
#include "uir/model.h"
#include "uir/qt_widgets.h"
#include "uir/runtime.h"

namespace qt_test {

inline constexpr const char* kLayoutFile = "qt_view.uir";
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

// Fills the discovery table with three carriers (two of model 155, one of 10D), the third on a
// two-digit interface, for the carrier selection panel.
void list_three_carriers();

class QtViewTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Loads a panel of the test layout; shows it when asked and waits until it is on screen.
    int load(int panel_id, bool shown = true);
    QWidget* widget(int control) const { return uir::qt::widget_of(panel_, control); }
    template <class W>
    W* widget_as(int control) const {
        return dynamic_cast<W*>(widget(control));
    }
    // Lets Qt deliver what is posted (repaints, input) and runs the pending callbacks.
    static void settle();

    int panel_ = 0;  // VIEW, loaded and shown by SetUp
};

}  // namespace qt_test
