#include "headless_test.h"

#include "uir/headless.h"
#include "uir/runtime.h"
#include "userint.h"

namespace test_support {

std::unique_ptr<uir::Backend> HeadlessTest::make_backend() {
    return uir::headless::make_backend();
}

void HeadlessTest::SetUp() {
    failures_.clear();
    failures_expected_ = false;
    uir::shutdown();
    uir::use_backend(make_backend());
    ASSERT_EQ(InitUserInterface(), 0) << "the headless run-time did not start";
    uir::headless::on_failure([this](const std::string& reason) {
        failures_.push_back(reason);
        if (!failures_expected_) ADD_FAILURE() << "headless run-time: " << reason;
    });
    uir::headless::set_time_limit(kDefaultTimeLimit);
}

void HeadlessTest::TearDown() {
    uir::shutdown();
}

std::string ctrl_text(int panel, int control) {
    std::vector<char> buffer(1 << 16);
    const int st = GetCtrlValString(panel, control, buffer.data(), buffer.size());
    if (st < 0) {
        ADD_FAILURE() << "cannot read the text of control " << control << " on panel " << panel
                      << ": " << GetUILErrorString(st);
        return {};
    }
    return buffer.data();
}

}  // namespace test_support
