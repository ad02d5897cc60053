// A program that carries the build's default-backend object starts that backend without choosing
// one, and still starts its own choice when it makes one.
#include <gtest/gtest.h>

#include "probe/probe_backend.h"
#include "uir/runtime.h"
#include "userint.h"

namespace {

TEST(DefaultBackend, StartsWhenTheProgramChoseNone) {
    uir::shutdown();
    probe::ProbeBackend::starts = 0;
    ASSERT_EQ(InitUserInterface(), 0);
    EXPECT_EQ(probe::ProbeBackend::starts, 1);
    EXPECT_NE(dynamic_cast<probe::ProbeBackend*>(uir::active_backend()), nullptr);
    EXPECT_GT(NewPanel(0, "QORM", 0, 0, 100, 100), 0);
    uir::shutdown();
}

TEST(DefaultBackend, TheProgramsChoiceComesFirst) {
    uir::shutdown();
    probe::ProbeBackend::starts = 0;
    uir::use_backend(uir::headless::make_backend());
    ASSERT_EQ(InitUserInterface(), 0);
    EXPECT_EQ(probe::ProbeBackend::starts, 0);
    EXPECT_EQ(dynamic_cast<probe::ProbeBackend*>(uir::active_backend()), nullptr);
    uir::shutdown();
}

}  // namespace
