// Time on the steady clock: timers tick at their interval in real time, the waiting turn sleeps
// until a timer is due or the operator acts, Delay waits without delivering anything.
#include <QTest>
#include <QTimer>
#include <chrono>
#include <thread>

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

// The host's own Qt timer runs in the run-time's turn; what it changes (qorm_close sets the flag
// the front panel's loop looks at) is seen at the end of that turn, also when the timer was
// already due when the turn began. A safety timer wakes a wait that slept on through the flag,
// so a regression fails here instead of hanging.
TEST_F(TimingTest, WaitingTurnReturnsAfterTheHostsOwnTimer) {
    bool flag = false, rescued = false;
    QTimer::singleShot(50, [&] { flag = true; });
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [&] { rescued = true; });
    safety.start(3000);
    // The program is busy while the host's timer falls due (a panel loading, say).
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    int turns = 0;
    while (!flag || turns == 0) {
        ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
        ++turns;
        ASSERT_LT(turns, 1000) << "the waiting turn must sleep, not spin";
    }
    EXPECT_FALSE(rescued) << "the turn that ran the host's timer slept on past it";
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
