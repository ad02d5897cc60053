// The Win32 view's tests run under wine on an X display (Xvfb in CI), one run-time per test.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
