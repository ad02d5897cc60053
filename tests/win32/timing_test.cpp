// Time on the steady clock: timers tick at their interval in real time, the waiting turn sleeps
// until a timer is due or the operator acts, Delay waits without delivering anything.
#include <windows.h>

#include <thread>

#include "win32_view_test.h"

namespace win32_test {
namespace {

double counter_seconds() {
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

using TimingTest = Win32ViewTest;

// The only test of a rate in real time: a 0.1 s timer over one second, with a wide tolerance.
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
    const double start = counter_seconds();
    while (recorder().events_of(panel_, V_TIMER).empty())
        ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    const double waited = counter_seconds() - start;
    EXPECT_EQ(recorder().events_of(panel_, V_TIMER), (std::vector<int>{EVENT_TIMER_TICK}));
    EXPECT_GE(waited, 0.19) << "it slept until the tick was due, not before";
    EXPECT_LT(waited, 2.0);
}

// Input from elsewhere (here another thread, as the system's input thread does) wakes the wait.
TEST_F(TimingTest, WaitingTurnReturnsOnOperatorInput) {
    HWND button = body(V_BUTTON);
    std::thread operator_hand([button] {
        Sleep(30);
        PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    });
    const double start = counter_seconds();
    while (recorder().calls.empty()) ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    const double waited = counter_seconds() - start;
    operator_hand.join();
    EXPECT_EQ(recorder().calls, (std::vector<Call>{{panel_, V_BUTTON, EVENT_COMMIT, 0}}));
    EXPECT_LT(waited, 2.0);
}

// The host's own messages (a thread timer, its own window) are delivered in the run-time's turn;
// what their handlers change (qorm_close sets the flag the front panel's loop looks at) is seen
// at the end of that turn, not after the next message comes, also when the message was already
// waiting when the turn began. A safety timer wakes a wait that
// slept on through the flag, so a regression fails here instead of hanging.
bool g_host_flag = false;
bool g_rescued = false;
void CALLBACK host_timer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_host_flag = true;
}
void CALLBACK safety_timer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_rescued = true;
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

TEST_F(TimingTest, WaitingTurnReturnsAfterTheHostsOwnMessage) {
    g_host_flag = false;
    g_rescued = false;
    settle();
    const UINT_PTR host = SetTimer(nullptr, 0, 50, host_timer);
    const UINT_PTR safety = SetTimer(nullptr, 0, 3000, safety_timer);
    ASSERT_NE(host, 0u);
    ASSERT_NE(safety, 0u);
    // The program is busy while the host's timer falls due (a panel loading, say): the turn finds
    // its message at once, before it would sleep.
    Sleep(100);
    int turns = 0;
    while (!g_host_flag || turns == 0) {
        ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
        ++turns;
        ASSERT_LT(turns, 1000) << "the waiting turn must sleep, not spin";
    }
    EXPECT_FALSE(g_rescued) << "the turn that ran the host's timer slept on past it";
    KillTimer(nullptr, safety);
}

TEST_F(TimingTest, WaitWithNothingToWaitForEnds) {
    ASSERT_EQ(HidePanel(panel_), 0);
    EXPECT_EQ(ProcessSystemEventsWaiting(), UIE_WAIT_NEVER_ENDS)
        << "no panel shown and no timer: nothing can ever come";
    ASSERT_EQ(DisplayPanel(panel_), 0);
    ASSERT_EQ(QuitUserInterface(0), 0);
    EXPECT_EQ(ProcessSystemEventsWaiting(), UIE_WAIT_NEVER_ENDS) << "the run is to end";
}

// The system's quit message ends the waits too, and is handed back to the program's own loop.
TEST_F(TimingTest, QuitMessageEndsTheWaitAndIsHandedBack) {
    PostQuitMessage(3);
    EXPECT_EQ(ProcessSystemEventsWaiting(), UIE_WAIT_NEVER_ENDS);
    uir::shutdown();
    MSG m{};
    ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(m.wParam, 3u);
}

TEST_F(TimingTest, DelayWaitsWithoutDeliveringInput) {
    click(body(V_BUTTON));
    const double start = Timer();
    ASSERT_EQ(Delay(0.05), 0);
    EXPECT_GE(Timer() - start, 0.05);
    EXPECT_TRUE(recorder().calls.empty());
    EXPECT_NE(GetQueueStatus(QS_POSTMESSAGE | QS_MOUSEBUTTON), 0u) << "the click still waits";
    settle();
    EXPECT_EQ(recorder().events_of(panel_, V_BUTTON), (std::vector<int>{EVENT_COMMIT}));
}

// Timer() is the performance counter from the start of the run-time, in seconds.
TEST_F(TimingTest, ClockIsTheSteadyCounter) {
    const double t0 = Timer();
    const double c0 = counter_seconds();
    EXPECT_GE(t0, 0.0);
    EXPECT_LT(t0, 60.0);
    Sleep(50);
    const double dt = Timer() - t0;
    const double dc = counter_seconds() - c0;
    EXPECT_GT(dt, 0.04);
    EXPECT_NEAR(dt, dc, 0.005);
}

}  // namespace
}  // namespace win32_test
