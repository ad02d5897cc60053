// A simulated world on a test's own clock: the default crate installed, the clock a variable the
// test moves.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "sim/sim.h"
#include "sim/status.h"

namespace sim_test {

class SimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::set_clock([this] { return clock_; });
        sim::install(sim::default_crate());
    }
    void TearDown() override {
        sim::install(sim::Crate{});
        sim::set_clock(nullptr);
    }

    void install_file(const std::string& name) {
        std::string error;
        auto crate = sim::load_crate_file(std::string(QORM_SIM_CRATES_DIR) + "/" + name, &error);
        ASSERT_TRUE(crate) << error;
        sim::install(*crate);
    }

    // A module session on the carrier's QORM, opened as the front panel does.
    ViSession open_module(const char* carrier = "VXI0::8::INSTR", ViUInt16 position = 2) {
        ViSession carrier_session = 0;
        EXPECT_EQ(kelbase.init(const_cast<char*>(carrier), 1, 1, &carrier_session), VI_SUCCESS);
        ViSession vi = 0;
        EXPECT_EQ(kelqorm.init(const_cast<char*>(carrier), 1, 1, &vi), VI_SUCCESS);
        ViStatus status = kelqorm.connect(vi, carrier_session, position, 1, 1);
        EXPECT_GE(status, VI_SUCCESS);
        return vi;
    }

    std::array<ViInt16, 30> states(ViSession vi) {
        std::array<ViInt16, 30> s{};
        EXPECT_EQ(kelqorm.state(vi, s.data()), VI_SUCCESS);
        return s;
    }
    std::array<ViInt16, 30> latches(ViSession vi) {
        std::array<ViInt16, 30> l{};
        EXPECT_EQ(kelqorm.trig_state(vi, l.data()), VI_SUCCESS);
        return l;
    }
    ViInt16 running(ViSession vi) {
        ViInt16 flag = -1;
        EXPECT_EQ(kelqorm.gstart_q(vi, &flag), VI_SUCCESS);
        return flag;
    }

    double clock_ = 100.0;
    const platform::VisaApi& visa = *sim::visa_api();
    const platform::KelqormApi& kelqorm = *sim::kelqorm_api();
    const platform::KelbaseApi& kelbase = *sim::kelbase_api();
};

}  // namespace sim_test
