#include <gtest/gtest.h>

#include "sim_fixture.h"

namespace {

using sim_test::SimTest;

class KelbaseTest : public SimTest {
  protected:
    ViStatus init(const char* name, ViSession* vi, ViBoolean id_query = 1) {
        return kelbase.init(const_cast<char*>(name), id_query, 1, vi);
    }
};

TEST_F(KelbaseTest, OpensTheCarrierAsAVisaSession) {
    ViSession carrier = 0;
    ASSERT_EQ(init("vxi0::8::instr", &carrier), VI_SUCCESS);
    EXPECT_EQ(carrier, 1u);
    char name[VI_FIND_BUFLEN];
    ASSERT_EQ(visa.get_attribute(carrier, VI_ATTR_RSRC_NAME, name), VI_SUCCESS);
    EXPECT_STREQ(name, "VXI0::8::INSTR");
    ViInt16 slot = 0;
    ASSERT_EQ(visa.get_attribute(carrier, VI_ATTR_SLOT, &slot), VI_SUCCESS);
    EXPECT_EQ(slot, 3);
    EXPECT_EQ(visa.close(carrier), VI_SUCCESS);
}

TEST_F(KelbaseTest, ReportsWhatIsFittedAtEachPosition) {
    install_file("several-carriers.yaml");
    ViSession carrier = 0;
    ASSERT_EQ(init("VXI0::8::INSTR", &carrier), VI_SUCCESS);
    struct Expected {
        ViInt16 present, type;
    };
    const Expected expected[4] = {{1, 7}, {1, 12}, {0, 0}, {1, 12}};
    for (ViUInt16 position = 1; position <= 4; ++position) {
        ViInt16 present = -1, type = -1;
        ASSERT_EQ(kelbase.m_type_q(carrier, position, &present, &type), VI_SUCCESS);
        EXPECT_EQ(present, expected[position - 1].present) << position;
        EXPECT_EQ(type, expected[position - 1].type) << position;
    }
}

TEST_F(KelbaseTest, ArgumentChecks) {
    ViSession carrier = 0;
    ASSERT_EQ(init("VXI0::8::INSTR", &carrier), VI_SUCCESS);
    ViInt16 present = 0, type = 0;
    EXPECT_EQ(kelbase.m_type_q(carrier, 0, &present, &type), sim::error_parameter(2));
    EXPECT_EQ(kelbase.m_type_q(carrier, 5, &present, &type), sim::error_parameter(2));
    EXPECT_EQ(kelbase.m_type_q(carrier, 2, nullptr, &type), sim::error_parameter(3));
    EXPECT_EQ(kelbase.m_type_q(carrier, 2, &present, nullptr), sim::error_parameter(4));
    EXPECT_EQ(kelbase.m_type_q(999, 2, &present, &type), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(kelbase.m_type_q(0, 2, &present, &type), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(init("VXI0::8::INSTR", nullptr), sim::error_parameter(4));
}

TEST_F(KelbaseTest, OpeningFailures) {
    ViSession carrier = 55;
    EXPECT_EQ(init("VXI0::9::INSTR", &carrier), VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(carrier, 0u);
    EXPECT_EQ(init("not a name", &carrier), VI_ERROR_INV_RSRC_NAME);
    EXPECT_EQ(kelbase.init(nullptr, 1, 1, &carrier), VI_ERROR_INV_RSRC_NAME);
    EXPECT_EQ(init("VXI0::0::INSTR", &carrier), sim::kErrorFailIdQuery)
        << "the controller is no carrier";

    ASSERT_EQ(init("VXI0::0::INSTR", &carrier, 0), VI_SUCCESS) << "without the identity check";
    ViInt16 present = -1, type = -1;
    ASSERT_EQ(kelbase.m_type_q(carrier, 1, &present, &type), VI_SUCCESS);
    EXPECT_EQ(present, 0);
}

TEST_F(KelbaseTest, BusyCarrier) {
    install_file("busy-carrier.yaml");
    ViSession carrier = 55;
    EXPECT_EQ(init("VXI0::8::INSTR", &carrier), VI_ERROR_RSRC_BUSY);
    EXPECT_EQ(carrier, 0u);
    // Discovery can still see it: VISA opens it without a lock, but not with an exclusive one.
    ViSession rm = 0, vi = 0;
    ASSERT_EQ(visa.open_default_rm(&rm), VI_SUCCESS);
    EXPECT_EQ(visa.open(rm, "VXI0::8::INSTR", VI_NO_LOCK, 0, &vi), VI_SUCCESS);
    EXPECT_EQ(visa.open(rm, "VXI0::8::INSTR", 1, 0, &vi), VI_ERROR_RSRC_BUSY);
}

TEST_F(KelbaseTest, MissingVisa) {
    install_file("no-visa.yaml");
    ViSession carrier = 55;
    EXPECT_EQ(init("VXI0::8::INSTR", &carrier), VI_ERROR_LIBRARY_NFOUND);
    EXPECT_EQ(carrier, 0u);
}

}  // namespace
