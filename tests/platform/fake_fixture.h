// Every fake test starts from a fresh, bound fake with module session 5 open on the default
// carrier.
#pragma once

#include <gtest/gtest.h>

#include "fake/fake.h"

class FakeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::reset();
        fake::bind_all();
        ASSERT_EQ(fake::open_module(fake::open_session()), 5u);
    }
};
