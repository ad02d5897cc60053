// The event queue: order, nesting, callback data, discarding and closing panels.
#include <stdexcept>

#include "core/running_callbacks.h"
#include "recorder.h"

namespace uir_test {
namespace {

using uir::automation::press;

class EventsTest : public UirTest {
  protected:
    void SetUp() override {
        UirTest::SetUp();
        panel = shown_main();
    }
    int panel = 0;
};

TEST_F(EventsTest, CallbacksRunInsideEventProcessingInOrder) {
    ASSERT_EQ(press(panel, MAIN_OK), 0);
    ASSERT_EQ(press(panel, MAIN_TOGGLE), 0);
    ASSERT_EQ(press(panel, MAIN_OK), 0);
    EXPECT_TRUE(recorder().calls.empty()) << "nothing runs before events are processed";
    ASSERT_EQ(ProcessSystemEvents(), 0);
    const std::vector<Call> want = {
        {panel, MAIN_OK, EVENT_COMMIT, nullptr, 0, 0},
        {panel, MAIN_TOGGLE, EVENT_COMMIT, nullptr, 0, 0},
        {panel, MAIN_OK, EVENT_COMMIT, nullptr, 0, 0},
    };
    EXPECT_EQ(recorder().calls, want);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(recorder().calls.size(), 3u) << "each event runs once";
}

TEST_F(EventsTest, CallbackGetsThePanelsDataUnlessItHasItsOwn) {
    int panel_data = 0, own_data = 0;
    ASSERT_EQ(SetPanelAttribute(panel, ATTR_CALLBACK_DATA, &panel_data), 0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TOGGLE, ATTR_CALLBACK_DATA, &own_data), 0);
    ASSERT_EQ(press(panel, MAIN_OK), 0);
    ASSERT_EQ(press(panel, MAIN_TOGGLE), 0);
    ASSERT_EQ(uir::automation::close_panel(panel), 0);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    ASSERT_EQ(recorder().calls.size(), 3u);
    EXPECT_EQ(recorder().calls[0].data, &panel_data);
    EXPECT_EQ(recorder().calls[1].data, &own_data);
    EXPECT_EQ(recorder().calls[2], (Call{panel, 0, EVENT_CLOSE, &panel_data, 0, 0}));
}

TEST_F(EventsTest, NestedProcessingContinuesTheSameQueue) {
    // The first callback processes events itself: the rest of the queue runs inside it, once
    // each and in order, and the outer turn finds nothing left.
    ASSERT_EQ(press(panel, MAIN_OK), 0);
    ASSERT_EQ(press(panel, MAIN_TOGGLE), 0);
    ASSERT_EQ(press(panel, MAIN_CHECK), 0);
    std::vector<int> inner_seen;
    recorder().on_call = [&](const Call& c) {
        if (c.control != MAIN_OK) return;
        ASSERT_EQ(ProcessSystemEvents(), 0);
        for (const Call& seen : recorder().calls) inner_seen.push_back(seen.control);
    };
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(inner_seen, (std::vector<int>{MAIN_OK, MAIN_TOGGLE, MAIN_CHECK}));
    EXPECT_EQ(recorder().calls.size(), 3u);
}

TEST_F(EventsTest, EventsQueuedByACallbackRunInTheSameTurn) {
    recorder().on_call = [&](const Call& c) {
        if (c.control == MAIN_OK) press(panel, MAIN_TOGGLE);
    };
    ASSERT_EQ(press(panel, MAIN_OK), 0);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(recorder().events_of(panel, MAIN_TOGGLE), (std::vector<int>{EVENT_COMMIT}));
}

TEST_F(EventsTest, EventsOfADiscardedPanelAreDropped) {
    const int other = load(MAIN);
    ASSERT_EQ(DisplayPanel(other), 0);
    ASSERT_EQ(press(panel, MAIN_OK), 0);
    ASSERT_EQ(press(other, MAIN_OK), 0);
    ASSERT_EQ(press(panel, MAIN_TOGGLE), 0);
    recorder().on_call = [&](const Call& c) {
        if (c.panel == panel && c.control == MAIN_OK && c.event == EVENT_COMMIT)
            DiscardPanel(other);
    };
    ASSERT_EQ(ProcessSystemEvents(), 0);
    std::vector<int> commits;
    for (const Call& c : recorder().calls)
        if (c.event == EVENT_COMMIT) commits.push_back(c.panel);
    EXPECT_EQ(commits, (std::vector<int>{panel, panel}));
}

TEST_F(EventsTest, EventsOfADiscardedControlAreDropped) {
    ASSERT_EQ(press(panel, MAIN_TOGGLE), 0);
    ASSERT_EQ(DiscardCtrl(panel, MAIN_TOGGLE), 0);
    recorder().calls.clear();
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_TRUE(recorder().calls.empty());
}

TEST_F(EventsTest, DiscardCallsControlCallbacksThenThePanelsSynchronously) {
    int data = 0;
    ASSERT_EQ(SetPanelAttribute(panel, ATTR_CALLBACK_DATA, &data), 0);
    ASSERT_EQ(DiscardPanel(panel), 0);
    std::vector<int> order;
    for (const Call& c : recorder().calls) {
        EXPECT_EQ(c.event, EVENT_DISCARD);
        EXPECT_EQ(c.data, &data);
        order.push_back(c.control);
    }
    // Controls with callbacks in layout order, then the panel (control 0).
    const std::vector<int> want = {MAIN_OK,    MAIN_TOGGLE,  MAIN_CHECK, MAIN_SWITCH, MAIN_NUM,
                                   MAIN_FLOAT, MAIN_STRING,  MAIN_RING,  MAIN_LIST,   MAIN_TIMER,
                                   MAIN_INT,   MAIN_HOT_LED, 0};
    EXPECT_EQ(order, want);
    EXPECT_EQ(uir::model::find_panel(panel), nullptr);
}

TEST_F(EventsTest, DiscardingAgainFromADiscardCallbackIsHarmless) {
    int nested = 1;
    recorder().on_call = [&](const Call& c) {
        if (c.control == MAIN_OK) nested = DiscardPanel(panel);
    };
    ASSERT_EQ(DiscardPanel(panel), 0);
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(recorder().events_of(panel, 0), (std::vector<int>{EVENT_DISCARD}));
    EXPECT_EQ(DisplayPanel(panel), UIE_INVALID_PANEL);
}

TEST_F(EventsTest, CloseControlTakesTheFramesClose) {
    const int second = load(SECOND);
    ASSERT_EQ(DisplayPanel(second), 0);
    ASSERT_EQ(uir::automation::close_panel(second), 0);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(recorder().events_of(second, SECOND_CLOSE), (std::vector<int>{EVENT_COMMIT}));
    EXPECT_TRUE(recorder().events_of(second, 0).empty());
    EXPECT_TRUE(uir::model::find_panel(second)->visible) << "the run-time closes nothing itself";

    // A dimmed close control: the operator may not leave yet.
    ASSERT_EQ(SetCtrlAttribute(second, SECOND_CLOSE, ATTR_DIMMED, 1), 0);
    EXPECT_EQ(uir::automation::close_panel(second), UIE_NOT_OPERABLE);
    ASSERT_EQ(HidePanel(second), 0);
    EXPECT_EQ(uir::automation::close_panel(second), UIE_NOT_OPERABLE);
}

TEST_F(EventsTest, ExceptionFromACallbackStopsThereAndTheQueueGoesOn) {
    recorder().on_call = [&](const Call& c) {
        if (c.control == MAIN_OK) throw std::runtime_error("callback fault");
    };
    ASSERT_EQ(press(panel, MAIN_OK), 0);
    ASSERT_EQ(press(panel, MAIN_TOGGLE), 0);
    EXPECT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(recorder().events_of(panel, MAIN_TOGGLE), (std::vector<int>{EVENT_COMMIT}));
}

TEST_F(EventsTest, ShutdownFromInsideACallbackIsRefused) {
    recorder().on_call = [&](const Call&) { uir::shutdown(); };
    ASSERT_EQ(press(panel, MAIN_OK), 0);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_NE(uir::model::find_panel(panel), nullptr);
}

TEST_F(EventsTest, QuitKeepsPanelsValid) {
    ASSERT_EQ(QuitUserInterface(3), 0);
    int code = 0;
    EXPECT_TRUE(uir::headless::quit_requested(&code));
    EXPECT_EQ(code, 3);
    EXPECT_EQ(DisplayPanel(panel), 0);
    EXPECT_EQ(press(panel, MAIN_OK), 0);
    EXPECT_EQ(ProcessSystemEvents(), 0);
}

// Popups go over the panel whose callback raised them: the run-time knows which panels'
// callbacks are running, the innermost last, for control, panel and menu callbacks alike.
TEST_F(EventsTest, RunningCallbacksAreKnownByTheirPanels) {
    using Panels = std::vector<int>;
    const auto running = [] {
        const auto r = uir::running_callback_panels();
        return Panels(r.begin(), r.end());
    };
    const int second = load(SECOND);
    ASSERT_EQ(DisplayPanel(second), 0);
    std::vector<Panels> seen;
    recorder().on_call = [&](const Call& c) {
        seen.push_back(running());
        if (c.panel == panel && c.control == MAIN_OK) {
            ASSERT_EQ(uir::automation::close_panel(second), 0);
            ASSERT_EQ(ProcessSystemEvents(), 0);  // the close runs inside the press
        }
        if (c.control == MAIN_TOGGLE) throw std::runtime_error("stopped");
    };
    recorder().on_menu_call = [&](const MenuCall&) { seen.push_back(running()); };
    ASSERT_EQ(press(panel, MAIN_OK), 0);
    EXPECT_TRUE(running().empty());
    ASSERT_EQ(ProcessSystemEvents(), 0);
    ASSERT_EQ(press(panel, MAIN_TOGGLE), 0);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    ASSERT_EQ(uir::automation::choose_menu_item(panel, ITEM_OPEN), 0);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(seen, (std::vector<Panels>{{panel}, {panel, second}, {panel}, {panel}}));
    EXPECT_TRUE(running().empty()) << "also after a callback that ended by an exception";
}

}  // namespace
}  // namespace uir_test
