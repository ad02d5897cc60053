// Time on the steady clock: timers tick at their interval in real time, the waiting turn sleeps
// until a timer is due or the operator acts, Delay waits without delivering anything.
#include <QTest>
#include <QTimer>
#include <chrono>

#include "qt_view_test.h"

namespace qt_test {
namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

using TimingTest = QtViewTest;

// The only real-time test: a 0.1 s timer over one second, with a wide tolerance.
TEST_F(TimingTest, TimerTicksAtTenHertz) {
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIMER, ATTR_ENABLED, 1), 0);
    const double start = Timer();
    while (Timer() - start < 1.0) ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    const std::size_t ticks = recorder().events_of(panel_, V_TIMER).size();
    EXPECT_GE(ticks, 5u);
    EXPECT_LE(ticks, 15u);
}

TEST_F(TimingTest, WaitingTurnReturnsWhenTheTimerIsDue) {
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIMER, ATTR_INTERVAL, 0.2), 0);
    ASSERT_EQ(SetCtrlAttribute(panel_, V_TIMER, ATTR_ENABLED, 1), 0);
    const Clock::time_point start = Clock::now();
    ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    const double waited = seconds_since(start);
    EXPECT_EQ(recorder().events_of(panel_, V_TIMER), (std::vector<int>{EVENT_TIMER_TICK}));
    EXPECT_GE(waited, 0.15) << "it slept until the tick was due";
    EXPECT_LT(waited, 2.0);
}

TEST_F(TimingTest, WaitingTurnReturnsOnOperatorInput) {
    QTimer::singleShot(30, [this] { QTest::mouseClick(widget(V_BUTTON), Qt::LeftButton); });
    const Clock::time_point start = Clock::now();
    ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{panel_, V_BUTTON, EVENT_COMMIT, 0}}));
    EXPECT_LT(seconds_since(start), 2.0);
}

TEST_F(TimingTest, WaitWithNothingToWaitForEnds) {
    ASSERT_EQ(HidePanel(panel_), 0);
    EXPECT_EQ(ProcessSystemEventsWaiting(), UIE_WAIT_NEVER_ENDS)
        << "no panel shown and no timer: nothing can ever come";
    ASSERT_EQ(DisplayPanel(panel_), 0);
    ASSERT_EQ(QuitUserInterface(0), 0);
    EXPECT_EQ(ProcessSystemEventsWaiting(), UIE_WAIT_NEVER_ENDS) << "the run is to end";
}

TEST_F(TimingTest, DelayWaitsWithoutDeliveringInput) {
    bool clicked = false;
    QTimer::singleShot(0, [&] {
        clicked = true;
        QTest::mouseClick(widget(V_BUTTON), Qt::LeftButton);
    });
    const double start = Timer();
    ASSERT_EQ(Delay(0.05), 0);
    EXPECT_GE(Timer() - start, 0.05);
    EXPECT_FALSE(clicked) << "Qt's events wait for the next turn";
    ProcessSystemEvents();
    EXPECT_TRUE(clicked);
    EXPECT_EQ(recorder().events_of(panel_, V_BUTTON), (std::vector<int>{EVENT_COMMIT}));
}

TEST_F(TimingTest, ClockStartsWithTheBackendAndMovesOn) {
    const double t0 = Timer();
    EXPECT_GE(t0, 0.0);
    EXPECT_LT(t0, 60.0);
    QTest::qWait(20);
    EXPECT_GT(Timer(), t0);
}

}  // namespace
}  // namespace qt_test
