// The Tab chain read from a panel's geometry: frames group, rows read left to right.
#include <gtest/gtest.h>

#include <vector>

#include "core/tab_chain.h"
#include "userint.h"

namespace uir_test {
namespace {

using uir::rules::Box;
using uir::rules::tab_chain;
using Ids = std::vector<int>;

Box at(int id, int kind, int top, int left, int width = 40, int height = 20) {
    return {.id = id, .kind = kind, .top = top, .left = left, .width = width, .height = height};
}

Box indicator(Box b) {
    b.operable = false;
    return b;
}

// Two banks of two channel rows (ring, switch, time, state), a side frame with two buttons
// side by side, and a row of lamps under the banks; listed in an order unlike the reading
// order, as a layout lists its frames first and its lamps last.
TEST(TabChain, ChannelByChannelThenThePanelWideControls) {
    const std::vector<Box> panel = {
        at(90, CTRL_DECORATION, 50, 4, 196, 60),    // bank of channels 1-2
        at(91, CTRL_DECORATION, 50, 204, 196, 60),  // bank of channels 3-4
        at(92, CTRL_DECORATION, 50, 404, 200, 60),  // side column
        at(93, CTRL_DECORATION, 120, 4, 600, 40),   // lamps and latch reset
        at(20, CTRL_COMMAND_BUTTON, 126, 500, 90),  // latch reset, listed first
        at(10, CTRL_COMMAND_BUTTON, 60, 410, 90),   // "На линию 1"
        at(11, CTRL_COMMAND_BUTTON, 60, 506, 90),   // "На линию 2"
        at(1, CTRL_RING, 54, 30),
        at(2, CTRL_TOGGLE_BUTTON, 54, 80, 20),
        at(3, CTRL_NUMERIC, 54, 104, 60),
        indicator(at(4, CTRL_STRING, 54, 170, 20)),
        at(5, CTRL_RING, 76, 30),
        at(6, CTRL_TOGGLE_BUTTON, 76, 80, 20),
        at(7, CTRL_NUMERIC, 76, 104, 60),
        at(31, CTRL_RING, 54, 230),
        at(32, CTRL_TOGGLE_BUTTON, 54, 280, 20),
        at(35, CTRL_RING, 76, 230),
        at(36, CTRL_TOGGLE_BUTTON, 76, 280, 20),
        at(50, CTRL_LED, 130, 40, 14, 14),
        at(51, CTRL_LED, 130, 60, 14, 14),
        at(52, CTRL_CHECK_BOX, 128, 100, 90, 18),  // beside the lamps
    };
    EXPECT_EQ(tab_chain(panel), (Ids{1, 2, 3, 5, 6, 7, 31, 32, 35, 36, 10, 11, 52, 20}));
}

TEST(TabChain, LampsStaticsAndIndicatorsTakeNoStop) {
    const std::vector<Box> panel = {
        at(1, CTRL_LED, 0, 0),        at(2, CTRL_TEXT_MSG, 0, 50),
        at(3, CTRL_PICTURE, 0, 100),  at(4, CTRL_TIMER, 0, 150),
        at(5, CTRL_TEXT_BOX, 0, 200), indicator(at(6, CTRL_NUMERIC, 0, 250)),
        at(7, CTRL_STRING, 0, 300),   at(8, CTRL_BINARY_SWITCH, 0, 350),
        at(9, CTRL_LIST_BOX, 0, 400),
    };
    EXPECT_EQ(tab_chain(panel), (Ids{7, 8, 9}));
}

// Rows are told apart by the middle of the row's first control, measured by the lower of two
// heights: a control a little lower stays in the row, a tall list does not swallow the buttons
// beside it.
TEST(TabChain, RowsToleranceAndTallNeighbours) {
    const std::vector<Box> state_row = {
        at(1, CTRL_COMMAND_BUTTON, 399, 490, 130, 22),
        at(2, CTRL_CHECK_BOX, 401, 250, 96, 18),
        at(3, CTRL_COMMAND_BUTTON, 399, 150, 92, 22),
    };
    EXPECT_EQ(tab_chain(state_row), (Ids{3, 2, 1}));

    // The carrier selection: the list, then "Выбрать", then "Отмена".
    const std::vector<Box> selection = {
        at(2, CTRL_COMMAND_BUTTON, 41, 208, 103, 25),
        at(3, CTRL_COMMAND_BUTTON, 84, 209, 103, 25),
        at(4, CTRL_LIST_BOX, 23, 14, 185, 303),
        at(5, CTRL_TEXT_MSG, 5, 14, 155, 15),
    };
    EXPECT_EQ(tab_chain(selection), (Ids{4, 2, 3}));
}

TEST(TabChain, NestedFramesAndLooseControls) {
    const std::vector<Box> panel = {
        at(90, CTRL_DECORATION, 10, 10, 300, 200),  // outer frame
        at(91, CTRL_DECORATION, 20, 20, 100, 100),  // inner frame, top left of the outer one
        at(1, CTRL_COMMAND_BUTTON, 30, 150),        // outer frame, beside the inner one
        at(2, CTRL_COMMAND_BUTTON, 30, 30),         // inner frame
        at(3, CTRL_COMMAND_BUTTON, 60, 30),         // inner frame, next row
        at(4, CTRL_COMMAND_BUTTON, 300, 10),        // loose, below everything
        at(5, CTRL_COMMAND_BUTTON, 0, 400),         // loose, top right
        at(92, CTRL_DECORATION, 20, 20, 100, 100),  // a second frame just like the inner one
    };
    EXPECT_EQ(tab_chain(panel), (Ids{5, 2, 3, 1, 4}));
}

TEST(TabChain, EmptyAndDegeneratePanels) {
    EXPECT_TRUE(tab_chain({}).empty());
    const std::vector<Box> zero_sized = {at(1, CTRL_DECORATION, 0, 0, 0, 0),
                                         at(2, CTRL_COMMAND_BUTTON, 0, 0, 0, 0),
                                         at(3, CTRL_COMMAND_BUTTON, 0, 0, 0, 0)};
    EXPECT_EQ(tab_chain(zero_sized), (Ids{2, 3}));
}

}  // namespace
}  // namespace uir_test
