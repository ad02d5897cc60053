// The fixture for tests that run on the headless user-interface run-time.
//
// Each test gets a fresh run-time: SetUp chooses a headless backend (make_backend(), which a
// test may override to watch notifications) and calls InitUserInterface; TearDown calls
// uir::shutdown, which discards every panel without callbacks. Panel handles keep counting up
// across tests; registered layouts and callbacks stay registered.
//
// A headless failure (a wait that would never end, a ConfirmPopup without a queued answer, the
// virtual time limit) fails the test with its reason. A test that provokes one on purpose calls
// expect_headless_failures() first and then checks headless_failures().
//
// The virtual time limit is kDefaultTimeLimit, so a loop that never ends on a running timer
// fails instead of hanging; raise it with uir::headless::set_time_limit when a test needs more.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "uir/backend.h"

namespace test_support {

class HeadlessTest : public ::testing::Test {
  public:
    static constexpr double kDefaultTimeLimit = 3600;  // virtual seconds

  protected:
    void SetUp() override;
    void TearDown() override;

    // The backend SetUp starts; the plain headless backend unless overridden.
    virtual std::unique_ptr<uir::Backend> make_backend();

    void expect_headless_failures() { failures_expected_ = true; }
    const std::vector<std::string>& headless_failures() const { return failures_; }

  private:
    std::vector<std::string> failures_;
    bool failures_expected_ = false;
};

// A control's text value (string, text message, text box) as a std::string; records a test
// failure and gives "" when it cannot be read.
std::string ctrl_text(int panel, int control);

}  // namespace test_support
