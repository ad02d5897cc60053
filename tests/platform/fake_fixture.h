// Every fake test starts from a fresh, bound fake.
#pragma once

#include <gtest/gtest.h>

#include "fake/fake.h"

class FakeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::reset();
        fake::bind_all();
    }
};
