// A program ending with its windows still open leaves cleanly: Qt's statics are gone by the time
// the run-time's are destroyed, so the view must not be torn down then.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

namespace qt_test {
namespace {

int run_child(const char* how) {
    const std::string command = std::string("LSAN_OPTIONS=suppressions=") + QT_LSAN_SUPPRESSIONS +
                                " " + QT_EXIT_CHILD + " " + how + " 2>/dev/null";
    return std::system(command.c_str());
}

TEST(ProgramExit, WithoutShutdownEndsCleanly) {
    const int status = run_child("no-shutdown");
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(ProgramExit, AfterShutdownEndsCleanly) {
    const int status = run_child("shutdown");
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace qt_test
