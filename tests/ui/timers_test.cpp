// Timers, waiting and Delay on the virtual clock.
#include <limits>

#include "recorder.h"

namespace uir_test {
namespace {

class TimersTest : public UirTest {
  protected:
    void SetUp() override {
        UirTest::SetUp();
        panel = load(MAIN);
    }
    int ticks() const { return static_cast<int>(recorder().events_of(panel, MAIN_TIMER).size()); }
    // Processes events, waiting, until the virtual clock reaches `t`.
    void run_until(double t) {
        while (Timer() < t) ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    }
    int panel = 0;
};

TEST_F(TimersTest, TicksOnlyWhileEnabled) {
    uir::headless::advance(5);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(ticks(), 0) << "loaded disabled";

    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_ENABLED, 1), 0);
    const double start = Timer();
    run_until(start + 10);
    EXPECT_NEAR(ticks(), 100, 1) << "ten seconds at 0.1 s, hidden panel included";
    for (const Call& c : recorder().calls) EXPECT_EQ(c.event, EVENT_TIMER_TICK);

    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_ENABLED, 0), 0);
    const int before = ticks();
    uir::headless::advance(10);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(ticks(), before);
}

TEST_F(TimersTest, EnablingStartsTheIntervalFromNow) {
    uir::headless::advance(3.05);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_ENABLED, 1), 0);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(ticks(), 0) << "no tick at once";
    ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_EQ(ticks(), 1);
    EXPECT_DOUBLE_EQ(Timer(), 3.15);
}

TEST_F(TimersTest, AJumpOverManyIntervalsGivesOneTickAndNoBurst) {
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_ENABLED, 1), 0);
    uir::headless::advance(5);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(ticks(), 1);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(ticks(), 1) << "the next tick is due an interval after the jump";
    ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_EQ(ticks(), 2);
    EXPECT_DOUBLE_EQ(Timer(), 5.1);
}

TEST_F(TimersTest, OnePendingTickPerTimer) {
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_ENABLED, 1), 0);
    ASSERT_EQ(DisplayPanel(panel), 0);
    // A slow callback ahead of the tick: while it runs, the clock passes the next due time and
    // it processes events itself. The tick still waiting in the queue is not queued again.
    ASSERT_EQ(uir::automation::press(panel, MAIN_OK), 0);
    recorder().on_call = [&](const Call& c) {
        if (c.control != MAIN_OK) return;
        uir::headless::advance(0.1);
        ProcessSystemEvents();
    };
    uir::headless::advance(0.1);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(ticks(), 1);
    ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_EQ(ticks(), 2);
    EXPECT_DOUBLE_EQ(Timer(), 0.3);
}

TEST_F(TimersTest, TickQueuedBeforeDisablingIsDropped) {
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_ENABLED, 1), 0);
    ASSERT_EQ(DisplayPanel(panel), 0);
    // The operator's commit comes first and switches polling off; the tick behind it must not run.
    ASSERT_EQ(uir::automation::press(panel, MAIN_OK), 0);
    recorder().on_call = [&](const Call& c) {
        if (c.control == MAIN_OK) SetCtrlAttribute(panel, MAIN_TIMER, ATTR_ENABLED, 0);
    };
    uir::headless::advance(0.1);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(ticks(), 0);
    // Enabled again, it ticks normally.
    recorder().on_call = nullptr;
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_ENABLED, 1), 0);
    ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_EQ(ticks(), 1);
}

TEST_F(TimersTest, NewIntervalWhileEnabledCountsFromNow) {
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_ENABLED, 1), 0);
    uir::headless::advance(0.05);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_INTERVAL, 1.0), 0);
    ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_DOUBLE_EQ(Timer(), 1.05);
    EXPECT_EQ(ticks(), 1);
}

TEST_F(TimersTest, LoadedEnabledTimerTicksAnIntervalAfterLoading) {
    uir::headless::advance(2);
    const int second = load(SECOND);
    ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_DOUBLE_EQ(Timer(), 2.5);
    EXPECT_EQ(recorder().events_of(second, SECOND_TIMER), (std::vector<int>{EVENT_TIMER_TICK}));
}

TEST_F(TimersTest, TimersOfADiscardedPanelStop) {
    const int second = load(SECOND);
    ASSERT_EQ(DiscardPanel(second), 0);
    recorder().calls.clear();
    expect_headless_failures();
    EXPECT_EQ(ProcessSystemEventsWaiting(), UIE_WAIT_NEVER_ENDS);
    EXPECT_TRUE(recorder().calls.empty());
}

TEST_F(TimersTest, WaitingGoesToTheNextTimerOrScheduledActionWhicheverComesFirst) {
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_INTERVAL, 2.0), 0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_ENABLED, 1), 0);
    bool acted = false;
    uir::headless::schedule(0.5, [&] { acted = true; });
    ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_DOUBLE_EQ(Timer(), 0.5);
    EXPECT_TRUE(acted);
    EXPECT_EQ(ticks(), 0);
    ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_DOUBLE_EQ(Timer(), 2.0);
    EXPECT_EQ(ticks(), 1);
}

TEST_F(TimersTest, WaitingDoesNotWaitWhenSomethingIsPending) {
    ASSERT_EQ(DisplayPanel(panel), 0);
    uir::headless::schedule(7, [] {});
    ASSERT_EQ(uir::automation::press(panel, MAIN_OK), 0);
    ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_EQ(Timer(), 0.0);
    EXPECT_EQ(recorder().calls.size(), 1u);
}

TEST_F(TimersTest, DelayAdvancesTheClockWithoutRunningCallbacks) {
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_ENABLED, 1), 0);
    ASSERT_EQ(DisplayPanel(panel), 0);
    ASSERT_EQ(uir::automation::press(panel, MAIN_OK), 0);
    bool acted = false;
    uir::headless::schedule(0.01, [&] { acted = true; });
    ASSERT_EQ(Delay(0.05), 0);
    EXPECT_DOUBLE_EQ(Timer(), 0.05);
    EXPECT_TRUE(recorder().calls.empty());
    EXPECT_FALSE(acted);
    EXPECT_EQ(Delay(-1), UIE_OUT_OF_RANGE);
    EXPECT_EQ(Delay(std::numeric_limits<double>::quiet_NaN()), UIE_OUT_OF_RANGE);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_TRUE(acted);
    EXPECT_EQ(recorder().calls.size(), 1u) << "the press; the timer is not due yet";
}

TEST_F(TimersTest, APollingLoopWithoutWaitingStillReachesTheScheduledAction) {
    bool flag = false;
    uir::headless::schedule(30, [&] { flag = true; });
    int turns = 0;
    while (!flag && turns < 1000000) {
        ASSERT_EQ(ProcessSystemEvents(), 0);
        ++turns;
    }
    EXPECT_TRUE(flag);
    EXPECT_DOUBLE_EQ(Timer(), 30.0);
}

TEST_F(TimersTest, ScheduledActionsRunInOrderAndRescheduledOnesWaitForTheNextTurn) {
    std::vector<int> order;
    uir::headless::schedule(1, [&] { order.push_back(2); });
    uir::headless::schedule(0, [&] {
        order.push_back(1);
        uir::headless::schedule(0, [&] { order.push_back(4); });
    });
    uir::headless::schedule(1, [&] { order.push_back(3); });
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(order, (std::vector<int>{1}));
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(order, (std::vector<int>{1, 4}));
    ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_EQ(order, (std::vector<int>{1, 4, 2, 3}));
}

TEST_F(TimersTest, LoopFlagSetInACallbackIsSeenAtTheNextTurn) {
    ASSERT_EQ(DisplayPanel(panel), 0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_ENABLED, 1), 0);
    bool exit_requested = false;
    recorder().on_call = [&](const Call& c) {
        if (c.control == MAIN_OK) exit_requested = true;
    };
    uir::headless::schedule(1.23, [&] { uir::automation::press(panel, MAIN_OK); });
    int turns = 0;
    while (!exit_requested) {
        ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
        ++turns;
    }
    EXPECT_DOUBLE_EQ(Timer(), 1.23);
    EXPECT_EQ(turns, 13) << "twelve ticks, then the turn of the press";
}

}  // namespace
}  // namespace uir_test
