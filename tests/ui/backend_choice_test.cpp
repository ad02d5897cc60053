// Which backend InitUserInterface starts: the one the program chose, else the build's default;
// with neither, nothing runs and every call says so. Nothing chooses the headless backend on a
// program's behalf.
#include <memory>
#include <string>

#include "recorder.h"

namespace uir_test {
namespace {

// A backend that counts its starts, to tell which one InitUserInterface took.
struct CountingBackend : uir::headless::HeadlessBackend {
    static inline int starts = 0;
    int start() override {
        ++starts;
        return 0;
    }
};

std::unique_ptr<uir::Backend> make_counting_backend() {
    return std::make_unique<CountingBackend>();
}

class BackendChoiceTest : public UirTest {
  protected:
    void SetUp() override {
        UirTest::SetUp();
        uir::shutdown();
        CountingBackend::starts = 0;
    }
    void TearDown() override {
        uir::set_default_backend(nullptr);
        UirTest::TearDown();
    }
};

TEST_F(BackendChoiceTest, WithoutChoiceOrDefaultNothingRunsAndEveryCallSaysWhy) {
    EXPECT_EQ(InitUserInterface(), UIE_NO_BACKEND);
    const std::string why = GetUILErrorString(UIE_NO_BACKEND);
    EXPECT_NE(why, GetUILErrorString(12345)) << "the status has a text of its own";
    EXPECT_NE(why.find("выбран"), std::string::npos) << why;

    // The program's first panel load, and anything else it tries, get the same answer.
    EXPECT_EQ(LoadPanelEx(0, kLayoutFile, MAIN, nullptr), UIE_NO_BACKEND);
    EXPECT_EQ(NewPanel(0, "x", 0, 0, 10, 10), UIE_NO_BACKEND);
    EXPECT_EQ(DisplayPanel(1), UIE_NO_BACKEND);
    EXPECT_EQ(ProcessSystemEventsWaiting(), UIE_NO_BACKEND);
    EXPECT_EQ(MessagePopup("QORM", "x"), UIE_NO_BACKEND);
    EXPECT_EQ(Delay(0.1), UIE_NO_BACKEND);
    EXPECT_EQ(InitUserInterface(), UIE_NO_BACKEND) << "asking again changes nothing";

    // Choosing a backend afterwards starts it.
    uir::use_backend(make_counting_backend());
    EXPECT_EQ(InitUserInterface(), 0);
    EXPECT_EQ(CountingBackend::starts, 1);
    EXPECT_GT(NewPanel(0, "x", 0, 0, 10, 10), 0);

    // A restart forgets the refusal: before start-up the run-time is merely not started.
    uir::shutdown();
    EXPECT_EQ(NewPanel(0, "x", 0, 0, 10, 10), UIE_NOT_STARTED);
}

TEST_F(BackendChoiceTest, HeadlessControlsNeverChooseTheHeadlessBackend) {
    uir::headless::advance(5);
    uir::headless::schedule(0, [] {});
    uir::headless::answer_confirm(true);
    uir::headless::set_time_limit(10);
    EXPECT_EQ(uir::headless::now(), 0.0);
    EXPECT_TRUE(uir::headless::popups().empty());
    EXPECT_FALSE(uir::headless::quit_requested());
    EXPECT_EQ(uir::active_backend(), nullptr);
    EXPECT_EQ(InitUserInterface(), UIE_NO_BACKEND);
}

TEST_F(BackendChoiceTest, TheBuildsDefaultStartsWhenNothingIsChosen) {
    uir::set_default_backend(make_counting_backend);
    ASSERT_EQ(InitUserInterface(), 0);
    EXPECT_EQ(CountingBackend::starts, 1);
    EXPECT_NE(dynamic_cast<CountingBackend*>(uir::active_backend()), nullptr);
    EXPECT_GT(LoadPanelEx(0, kLayoutFile, MAIN, nullptr), 0);
}

TEST_F(BackendChoiceTest, TheProgramsChoiceComesBeforeTheDefault) {
    uir::set_default_backend(make_counting_backend);
    uir::use_backend(uir::headless::make_backend());
    ASSERT_EQ(InitUserInterface(), 0);
    EXPECT_EQ(CountingBackend::starts, 0);
    EXPECT_EQ(dynamic_cast<CountingBackend*>(uir::active_backend()), nullptr);
    EXPECT_NE(dynamic_cast<uir::headless::HeadlessBackend*>(uir::active_backend()), nullptr);
}

}  // namespace
}  // namespace uir_test
