// The headless backend: popups, scripted answers, the failure handler, the time limit.
#include "recorder.h"

namespace uir_test {
namespace {

using uir::headless::Popup;

class HeadlessBackendTest : public UirTest {};

TEST_F(HeadlessBackendTest, PopupsAreRecordedAndConfirmationsAnsweredInOrder) {
    uir::headless::answer_confirm(true);
    uir::headless::answer_confirm(false);
    EXPECT_EQ(MessagePopup("QORM", "Модуль не найден"), 0);
    EXPECT_EQ(ConfirmPopup("QORM", "Подлючите соединитель контрольный QORM-Z"), 1);
    EXPECT_EQ(ConfirmPopup("QORM", "Ещё раз?"), 0);
    const std::vector<Popup>& p = uir::headless::popups();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].kind, "message");
    EXPECT_EQ(p[0].title, "QORM");
    EXPECT_EQ(p[0].text, "Модуль не найден");
    EXPECT_EQ(p[1].kind, "confirm");
    EXPECT_EQ(p[1].answer, 1);
    EXPECT_EQ(p[2].answer, 0);
    uir::headless::clear_popups();
    EXPECT_TRUE(uir::headless::popups().empty());
}

TEST_F(HeadlessBackendTest, PopupArgumentsAreChecked) {
    EXPECT_EQ(MessagePopup(nullptr, "x"), UIE_NULL_POINTER);
    EXPECT_EQ(ConfirmPopup("x", nullptr), UIE_NULL_POINTER);
    EXPECT_TRUE(uir::headless::popups().empty());
}

TEST_F(HeadlessBackendTest, ConfirmationWithoutAnAnswerFailsAndAnswersNo) {
    expect_headless_failures();
    EXPECT_EQ(ConfirmPopup("QORM", "Продолжить?"), 0);
    ASSERT_EQ(headless_failures().size(), 1u);
    EXPECT_NE(headless_failures()[0].find("Продолжить?"), std::string::npos);
    EXPECT_EQ(uir::headless::popups().back().answer, 0);
}

TEST_F(HeadlessBackendTest, AWaitThatWouldNeverEndFails) {
    expect_headless_failures();
    load(MAIN);  // its timer is disabled: nothing to wait for
    EXPECT_EQ(ProcessSystemEventsWaiting(), UIE_WAIT_NEVER_ENDS);
    ASSERT_EQ(headless_failures().size(), 1u);
    EXPECT_NE(headless_failures()[0].find("nothing is scheduled"), std::string::npos);
    EXPECT_EQ(Timer(), 0.0);
}

TEST_F(HeadlessBackendTest, APollingLoopWithNothingToWaitForFails) {
    expect_headless_failures();
    for (int i = 0; i < uir::headless::HeadlessBackend::kIdleTurnsBeforeWait; ++i)
        ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(headless_failures().size(), 1u);
}

TEST_F(HeadlessBackendTest, TimeLimitStopsTheClock) {
    expect_headless_failures();
    uir::headless::set_time_limit(2);
    const int p = load(MAIN);
    ASSERT_EQ(SetCtrlAttribute(p, MAIN_TIMER, ATTR_INTERVAL, 1.5), 0);
    ASSERT_EQ(SetCtrlAttribute(p, MAIN_TIMER, ATTR_ENABLED, 1), 0);
    EXPECT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_EQ(ProcessSystemEventsWaiting(), UIE_TIME_LIMIT);
    EXPECT_EQ(Timer(), 1.5);
    EXPECT_EQ(Delay(1), UIE_TIME_LIMIT);
    EXPECT_EQ(headless_failures().size(), 2u);
}

TEST_F(HeadlessBackendTest, AdvanceAndNowAreTheRunTimesClock) {
    uir::headless::advance(1.25);
    EXPECT_EQ(uir::headless::now(), 1.25);
    EXPECT_EQ(Timer(), 1.25);
    uir::headless::advance(-1);
    EXPECT_EQ(Timer(), 1.25) << "the clock never goes back";
}

TEST_F(HeadlessBackendTest, ScheduledActionsMayOperateThePanel) {
    const int p = shown_main();
    uir::headless::schedule(2, [p] { uir::automation::press(p, MAIN_OK); });
    ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_EQ(recorder().events_of(p, MAIN_OK), (std::vector<int>{EVENT_COMMIT}))
        << "the action runs before the callbacks of its turn";
}

using HeadlessDeathTest = HeadlessBackendTest;

TEST_F(HeadlessDeathTest, DefaultFailureHandlerAborts) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    uir::headless::on_failure(nullptr);
    EXPECT_DEATH(ConfirmPopup("QORM", "без ответа"), "has no answer queued");
}

TEST_F(HeadlessDeathTest, AProgramThatKeepsWaitingForNothingIsStopped) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    expect_headless_failures();
    EXPECT_DEATH(
        {
            while (true) ProcessSystemEventsWaiting();
        },
        "keeps waiting");
}

}  // namespace
}  // namespace uir_test

namespace uir_test {
namespace {

// The steady clock runs by itself: these cases take a few hundredths of a real second and check
// only what sleeping guarantees (never less than asked), never how much longer it took.
class SteadyHeadlessTest : public UirTest {
  protected:
    std::unique_ptr<uir::Backend> make_backend() override {
        return uir::headless::make_backend(uir::headless::Clock::steady);
    }
};

TEST_F(SteadyHeadlessTest, AWaitSleepsUntilTheTimerIsDue) {
    const int p = shown_main();
    ASSERT_EQ(SetCtrlAttribute(p, MAIN_TIMER, ATTR_INTERVAL, 0.02), 0);
    const double start = Timer();
    ASSERT_EQ(SetCtrlAttribute(p, MAIN_TIMER, ATTR_ENABLED, 1), 0);
    while (recorder().events_of(p, MAIN_TIMER).empty()) ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_GE(Timer() - start, 0.02);
    EXPECT_EQ(recorder().events_of(p, MAIN_TIMER), (std::vector<int>{EVENT_TIMER_TICK}));
}

TEST_F(SteadyHeadlessTest, DelayAndAdvanceTakeRealTime) {
    const double start = Timer();
    ASSERT_EQ(Delay(0.01), 0);
    EXPECT_GE(Timer() - start, 0.01);
    uir::headless::advance(0.01);
    EXPECT_GE(Timer() - start, 0.02);
}

TEST_F(SteadyHeadlessTest, AScheduledActionWaitsForItsTime) {
    const int p = shown_main();
    const double start = Timer();
    double pressed_at = -1;
    uir::headless::schedule(0.02, [p, &pressed_at] {
        pressed_at = Timer();
        uir::automation::press(p, MAIN_OK);
    });
    while (pressed_at < 0) ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_GE(pressed_at - start, 0.02);
    EXPECT_EQ(recorder().events_of(p, MAIN_OK), (std::vector<int>{EVENT_COMMIT}));
}

TEST_F(SteadyHeadlessTest, APollingLoopIsNotAWaitInDisguise) {
    // On real time the loop's turns are the program's own business: the clock does not jump and
    // nothing fails, however many idle turns it takes.
    for (int i = 0; i < 3 * uir::headless::HeadlessBackend::kIdleTurnsBeforeWait; ++i)
        ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_TRUE(headless_failures().empty());
}

TEST_F(SteadyHeadlessTest, AWaitWithNothingToWaitForStillFails) {
    expect_headless_failures();
    load(MAIN);
    EXPECT_EQ(ProcessSystemEventsWaiting(), UIE_WAIT_NEVER_ENDS);
    EXPECT_EQ(headless_failures().size(), 1u);
}

}  // namespace
}  // namespace uir_test
