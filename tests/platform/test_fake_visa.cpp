// The fake VISA library and carrier driver.
#include <array>
#include <cstring>
#include <string>

#include "fake_fixture.h"

namespace {

using VisaFake = FakeTest;
using CarrierFake = FakeTest;

fake::Resource vxi(const char* name, ViInt16 slot, ViInt16 la) {
    fake::Resource r;
    r.name = name;
    r.slot = slot;
    r.logical_address = la;
    return r;
}

TEST_F(VisaFake, DiscoveryWalksEveryResourceOnceInOrder) {
    fake::visa().resources = {vxi("VXI0::0::INSTR", 0, 0), vxi("VXI0::8::INSTR", 3, 8),
                              vxi("GPIB-VXI1::16::INSTR", 5, 16)};
    ViSession rm = 0;
    ViFindList list = 0;
    ViUInt32 count = 0;
    std::array<char, VI_FIND_BUFLEN> desc{};
    ASSERT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);
    ASSERT_EQ(viFindRsrc(rm, "?*VXI[0-9]*::?*INSTR", &list, &count, desc.data()), VI_SUCCESS);
    EXPECT_EQ(rm, 1u);
    EXPECT_EQ(list, 2u);
    EXPECT_EQ(count, 3u);
    EXPECT_STREQ(desc.data(), "VXI0::0::INSTR");
    EXPECT_EQ(viFindNext(list, desc.data()), VI_SUCCESS);
    EXPECT_STREQ(desc.data(), "VXI0::8::INSTR");
    EXPECT_EQ(viFindNext(list, desc.data()), VI_SUCCESS);
    EXPECT_STREQ(desc.data(), "GPIB-VXI1::16::INSTR");
    EXPECT_EQ(viFindNext(list, desc.data()), VI_ERROR_RSRC_NFOUND);
}

TEST_F(VisaFake, NothingListedIsResourceNotFound) {
    fake::visa().resources.clear();
    ViSession rm = 0;
    ViFindList list = 0;
    ViUInt32 count = 7;
    std::array<char, VI_FIND_BUFLEN> desc{};
    viOpenDefaultRM(&rm);
    EXPECT_EQ(viFindRsrc(rm, "?*", &list, &count, desc.data()), VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(fake::open_sessions(), std::vector<ViSession>{rm});
}

TEST_F(VisaFake, OpenByNameIgnoresCaseAndCountsSessionsUp) {
    ViSession rm = 0, a = 0, b = 0;
    viOpenDefaultRM(&rm);
    EXPECT_EQ(viOpen(rm, "vxi0::8::instr", VI_NO_LOCK, 0, &a), VI_SUCCESS);
    EXPECT_EQ(viOpen(rm, "VXI0::8::INSTR", VI_NO_LOCK, 0, &b), VI_SUCCESS);
    EXPECT_EQ(a, 2u);
    EXPECT_EQ(b, 3u);
    ViSession c = 55;
    EXPECT_EQ(viOpen(rm, "VXI0::9::INSTR", VI_NO_LOCK, 0, &c), VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(c, 55u);
    EXPECT_EQ(viOpen(a, "VXI0::8::INSTR", VI_NO_LOCK, 0, &c), VI_ERROR_INV_OBJECT);
}

TEST_F(VisaFake, SixteenBitAttributesWriteTwoBytes) {
    fake::visa().resources[0].slot = -1;
    fake::visa().resources[0].mainframe_la = 255;
    fake::visa().resources[0].model_code = 0xF10D;
    ViSession vi = fake::open_session();
    ViInt32 wide = 0x7A7A7A7A;
    EXPECT_EQ(viGetAttribute(vi, VI_ATTR_SLOT, &wide), VI_SUCCESS);
    ViInt16 low;
    std::memcpy(&low, &wide, 2);
    EXPECT_EQ(low, -1);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(&wide)[2], 0x7A);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(&wide)[3], 0x7A);
    ViInt16 la = 0;
    ViUInt16 model = 0, intf = 0;
    viGetAttribute(vi, VI_ATTR_MAINFRAME_LA, &la);
    viGetAttribute(vi, VI_ATTR_MODEL_CODE, &model);
    viGetAttribute(vi, VI_ATTR_INTF_TYPE, &intf);
    EXPECT_EQ(la, 255);
    EXPECT_EQ(model, 0xF10D);
    EXPECT_EQ(intf, VI_INTF_VXI);
}

TEST_F(VisaFake, TextAttributesStayWithin256Bytes) {
    fake::visa().resources[0].interface_name = "TCPIP0 (" + std::string(300, 'x') + ")";
    fake::visa().resources[0].rsrc_name = "TCPIP0::192.168.0.5::inst0::INSTR";
    ViSession vi = fake::open_session();
    std::array<char, VI_FIND_BUFLEN + 8> text;
    text.fill('Z');
    EXPECT_EQ(viGetAttribute(vi, VI_ATTR_INTF_INST_NAME, text.data()), VI_SUCCESS);
    EXPECT_EQ(std::strlen(text.data()), VI_FIND_BUFLEN - 1u);
    EXPECT_EQ(std::string(text.data(), 6), "TCPIP0");
    EXPECT_EQ(text[VI_FIND_BUFLEN], 'Z');
    viGetAttribute(vi, VI_ATTR_RSRC_NAME, text.data());
    EXPECT_STREQ(text.data(), "TCPIP0::192.168.0.5::inst0::INSTR");
}

TEST_F(VisaFake, AttributeFailuresPerAttributeAndUnknownOnes) {
    fake::visa().resources[0].attribute_status[VI_ATTR_SLOT] = VI_ERROR_NSUP_ATTR;
    ViSession vi = fake::open_session();
    ViInt16 value = 42;
    EXPECT_EQ(viGetAttribute(vi, VI_ATTR_SLOT, &value), VI_ERROR_NSUP_ATTR);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(viGetAttribute(vi, VI_ATTR_VXI_LA, &value), VI_SUCCESS);
    EXPECT_EQ(value, 8);
    EXPECT_EQ(viGetAttribute(vi, 0x3FFF0001u, &value), VI_ERROR_NSUP_ATTR);
    EXPECT_EQ(viGetAttribute(vi, VI_ATTR_SLOT, nullptr), fake::error_user_buffer);
    EXPECT_EQ(viGetAttribute(999, VI_ATTR_SLOT, &value), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(fake::last(), "viGetAttribute(999, VI_ATTR_SLOT)");
    fake::fail("viGetAttribute", VI_ERROR_TMO);
    EXPECT_EQ(viGetAttribute(vi, VI_ATTR_VXI_LA, &value), VI_ERROR_TMO);
}

TEST_F(VisaFake, AttributesAreReadFromTheListAtCallTime) {
    ViSession vi = fake::open_session();
    fake::visa().resources[0].slot = 7;
    ViInt16 slot = 0;
    viGetAttribute(vi, VI_ATTR_SLOT, &slot);
    EXPECT_EQ(slot, 7);
    fake::visa().resources.clear();
    EXPECT_EQ(viGetAttribute(vi, VI_ATTR_SLOT, &slot), VI_ERROR_INV_OBJECT);
}

TEST_F(VisaFake, ClosingTheResourceManagerClosesWhatItOpened) {
    ViSession carrier = fake::open_session();
    ViSession rm = 0, vi = 0;
    ViFindList list = 0;
    ViUInt32 count = 0;
    std::array<char, VI_FIND_BUFLEN> desc{};
    viOpenDefaultRM(&rm);
    viFindRsrc(rm, "?*", &list, &count, desc.data());
    viOpen(rm, desc.data(), 0, 0, &vi);
    EXPECT_EQ(fake::open_sessions().size(), 4u);
    EXPECT_EQ(viClose(rm), VI_SUCCESS);
    EXPECT_EQ(fake::open_sessions(), std::vector<ViSession>{carrier});
    EXPECT_EQ(viClose(vi), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(viClose(0), VI_WARN_NULL_OBJECT);
    EXPECT_EQ(fake::calls("viClose"),
              (std::vector<std::string>{"viClose(2)", "viClose(4)", "viClose(0)"}));
}

TEST_F(VisaFake, NullArgumentsAreRefused) {
    ViSession rm = 0;
    ViFindList list = 0;
    ViUInt32 count = 0;
    std::array<char, VI_FIND_BUFLEN> desc{};
    EXPECT_EQ(viOpenDefaultRM(nullptr), fake::error_user_buffer);
    viOpenDefaultRM(&rm);
    EXPECT_EQ(viFindRsrc(rm, nullptr, &list, &count, desc.data()), VI_ERROR_INV_EXPR);
    EXPECT_EQ(viFindRsrc(rm, "?*", &list, nullptr, desc.data()), fake::error_user_buffer);
    EXPECT_EQ(viFindRsrc(rm, "?*", &list, &count, nullptr), fake::error_user_buffer);
    EXPECT_EQ(viFindNext(2, nullptr), fake::error_user_buffer);
    EXPECT_EQ(viOpen(rm, nullptr, 0, 0, &rm), VI_ERROR_INV_RSRC_NAME);
    EXPECT_EQ(viOpen(rm, "VXI0::8::INSTR", 0, 0, nullptr), fake::error_user_buffer);
    EXPECT_EQ(fake::last("viFindRsrc"), "viFindRsrc(1, \"?*\", null)");
    EXPECT_EQ(fake::open_sessions(), std::vector<ViSession>{rm});
}

TEST_F(CarrierFake, InitOpensASessionOnTheCarrierResource) {
    ViSession carrier = 0;
    char resource[] = "vxi0::8::INSTR";
    EXPECT_EQ(kelbase_init(resource, 1, 1, &carrier), VI_SUCCESS);
    std::array<char, VI_FIND_BUFLEN> name{};
    EXPECT_EQ(viGetAttribute(carrier, VI_ATTR_RSRC_NAME, name.data()), VI_SUCCESS);
    EXPECT_STREQ(name.data(), "VXI0::8::INSTR");

    char unknown[] = "VXI0::99::INSTR";
    ViSession other = 77;
    EXPECT_EQ(kelbase_init(unknown, 1, 1, &other), VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(other, 77u);
}

TEST_F(CarrierFake, ScriptedSessionAndStatus) {
    fake::carrier().session = 40;
    fake::carrier().init_status = 0x3FFC0101;
    ViSession carrier = 0;
    char resource[] = "anything";
    EXPECT_EQ(kelbase_init(resource, 1, 1, &carrier), 0x3FFC0101);
    EXPECT_EQ(carrier, 40u);
    fake::carrier().init_status = VI_ERROR_RSRC_BUSY;
    carrier = 0;
    EXPECT_EQ(kelbase_init(resource, 1, 1, &carrier), VI_ERROR_RSRC_BUSY);
    EXPECT_EQ(carrier, 0u);
}

TEST_F(CarrierFake, PositionsAnswerPresenceTypeOrFailure) {
    fake::carrier().positions[3] = {1, KELQORM_TYPE_CODE, 0};
    fake::carrier().positions[1].status = VI_ERROR_TMO;
    ViInt16 present = -1, type = -1;
    EXPECT_EQ(kelbase_m_type_q(1, 1, &present, &type), VI_SUCCESS);
    EXPECT_EQ(present, 1);
    EXPECT_EQ(type, KELQORM_TYPE_CODE);
    EXPECT_EQ(kelbase_m_type_q(1, 2, &present, &type), VI_ERROR_TMO);
    EXPECT_EQ(present, 1);  // untouched
    EXPECT_EQ(kelbase_m_type_q(1, 3, &present, &type), VI_SUCCESS);
    EXPECT_EQ(present, 0);
    EXPECT_EQ(kelbase_m_type_q(1, 4, &present, &type), VI_SUCCESS);
    EXPECT_EQ(type, KELQORM_TYPE_CODE);
}

TEST_F(CarrierFake, BadPositionsAndPointersAreRefused) {
    ViInt16 present = 0, type = 0;
    EXPECT_EQ(kelbase_m_type_q(1, 0, &present, &type), fake::error_parameter(2));
    EXPECT_EQ(kelbase_m_type_q(1, 5, &present, &type), fake::error_parameter(2));
    EXPECT_EQ(kelbase_m_type_q(1, 1, nullptr, &type), fake::error_parameter(3));
    EXPECT_EQ(kelbase_m_type_q(1, 1, &present, nullptr), fake::error_parameter(4));
    EXPECT_EQ(kelbase_init(nullptr, 1, 1, nullptr), fake::error_parameter(1));
    EXPECT_EQ(fake::last(), "kelbase_init(null, 1, 1, null)");
    EXPECT_EQ(fake::count("kelbase_m_type_q"), 4);
}

}  // namespace
