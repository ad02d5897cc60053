#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "sim/attributes.h"
#include "sim_fixture.h"

namespace {

using sim_test::SimTest;

class VisaTest : public SimTest {
  protected:
    ViSession open_rm() {
        ViSession rm = 0;
        EXPECT_EQ(visa.open_default_rm(&rm), VI_SUCCESS);
        return rm;
    }
    // Every name a search gives, through viFindRsrc and viFindNext.
    std::vector<std::string> find_all(ViSession rm, const char* expression) {
        ViFindList list = 0;
        ViUInt32 count = 0;
        char desc[VI_FIND_BUFLEN];
        std::vector<std::string> names;
        if (visa.find_rsrc(rm, expression, &list, &count, desc) != VI_SUCCESS) return names;
        names.push_back(desc);
        for (ViUInt32 i = 1; i < count; ++i) {
            EXPECT_EQ(visa.find_next(list, desc), VI_SUCCESS);
            names.push_back(desc);
        }
        EXPECT_EQ(visa.find_next(list, desc), VI_ERROR_RSRC_NFOUND) << "the list is used up";
        EXPECT_EQ(visa.close(list), VI_SUCCESS);
        return names;
    }
};

TEST_F(VisaTest, SessionsCountUpFromOneAcrossObjectKinds) {
    ViSession rm = open_rm();
    EXPECT_EQ(rm, 1u);
    ViFindList list = 0;
    ViUInt32 count = 0;
    char desc[VI_FIND_BUFLEN];
    ASSERT_EQ(visa.find_rsrc(rm, "?*INSTR", &list, &count, desc), VI_SUCCESS);
    EXPECT_EQ(list, 2u);
    ViSession vi = 0;
    ASSERT_EQ(visa.open(rm, "VXI0::8::INSTR", VI_NO_LOCK, 0, &vi), VI_SUCCESS);
    EXPECT_EQ(vi, 3u);
    EXPECT_EQ(visa.close(vi), VI_SUCCESS);
    ViSession again = 0;
    ASSERT_EQ(visa.open(rm, "VXI0::8::INSTR", VI_NO_LOCK, 0, &again), VI_SUCCESS);
    EXPECT_EQ(again, 4u) << "a closed session's number is not given again";
}

TEST_F(VisaTest, FindGivesCountFirstNameAndTheRestInCrateOrder) {
    install_file("several-carriers.yaml");
    ViSession rm = open_rm();
    auto names = find_all(rm, "?*VXI[0-9]*::?*INSTR");
    std::vector<std::string> expected{
        "VXI0::0::INSTR",   "VXI0::8::INSTR",
        "VXI0::16::INSTR",  "VXI0::24::INSTR",
        "VXI0::32::INSTR",  "GPIB-VXI1::40::INSTR",
        "VXI12::48::INSTR", "VXI0::000000000000000000000000056::INSTR"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(find_all(rm, "TCPIP?*|USB?*"),
              (std::vector<std::string>{"TCPIP0::192.168.10.5::inst0::INSTR",
                                        "USB0::0x1234::0x0155::QC-0042::INSTR"}));
    EXPECT_EQ(find_all(rm, "?*VXI?*INSTR{VI_ATTR_MODEL_CODE == 0x10D}"),
              (std::vector<std::string>{"VXI0::16::INSTR"}));
}

// Conditions may test any global attribute of the standard: a resource that lacks one simply
// does not match, and the attributes the name gives (class, GPIB addresses, TCPIP host and
// device, USB serial number) are there to be tested.
TEST_F(VisaTest, ConditionsOnTheStandardsOtherAttributes) {
    install_file("several-carriers.yaml");
    ViSession rm = open_rm();
    using Names = std::vector<std::string>;
    EXPECT_EQ(find_all(rm, "?*{VI_ATTR_USB_SERIAL_NUM == \"QC-0042\"}"),
              (Names{"USB0::0x1234::0x0155::QC-0042::INSTR"}));
    EXPECT_EQ(find_all(rm,
                       "?*INSTR{VI_ATTR_TCPIP_DEVICE_NAME == \"inst0\" && "
                       "VI_ATTR_TCPIP_ADDR != \"10.0.0.1\"}"),
              (Names{"TCPIP0::192.168.10.5::inst0::INSTR"}));
    EXPECT_EQ(find_all(rm, "?*{VI_ATTR_GPIB_PRIMARY_ADDR == 12}"), (Names{"GPIB0::12::INSTR"}));
    EXPECT_EQ(find_all(rm,
                       "VXI?*{VI_ATTR_RSRC_CLASS == \"INSTR\" && VI_ATTR_SLOT == "
                       "0x0000000000003}"),
              (Names{"VXI0::8::INSTR"}))
        << "leading zeros count for nothing";
    EXPECT_EQ(find_all(rm, "VXI?*{VI_ATTR_SLOT == 000000000000005}"), (Names{"VXI0::16::INSTR"}));
    EXPECT_EQ(find_all(rm,
                       "VXI0::[0-9]*::INSTR{VI_ATTR_MODEL_CODE < 0xFFFFFFFFFFFFFFFF && "
                       "VI_ATTR_SLOT > -9223372036854775808 && VI_ATTR_SLOT == 6}"),
              (Names{"VXI0::24::INSTR"}))
        << "numbers over the whole 64-bit range compare exactly";

    ViFindList list = 0;
    ViUInt32 count = 0;
    char desc[VI_FIND_BUFLEN];
    for (const char* nothing :
         {"?*{VI_ATTR_USB_SERIAL_NUM == \"MY1\"}", "?*{VI_ATTR_PXI_CHASSIS == 1}",
          "?*{VI_ATTR_TCPIP_PORT == 5025}", "VXI?*{VI_ATTR_MANF_NAME == \"Nobody\"}"}) {
        EXPECT_EQ(visa.find_rsrc(rm, nothing, &list, &count, desc), VI_ERROR_RSRC_NFOUND)
            << nothing;
    }
    for (const char* bad :
         {"?*{VI_ATTR_USB_SERIAL_NUM < \"MY1\"}", "?*{VI_ATTR_SLOT == \"3\"}",
          "?*{VI_ATTR_RSRC_NAME == 3}", "?*{VI_ATTR_USB_SERIAL_NUM == \"MY1}",
          "?*{VI_ATTR_SLOT == 0x1FFFFFFFFFFFFFFFF}", "?*{VI_ATTR_SLOT == 18446744073709551616}",
          "?*{VI_ATTR_SLOT == 3x}", "?*{VI_ATTR_SLOT == 0x}", "?*{VI_ATTR_SLOT == -}",
          "?*{VI_ATTR_NOPE == 1}", "?*{VI_ATTR_TMO_VALUE == 2000}"}) {
        EXPECT_EQ(visa.find_rsrc(rm, bad, &list, &count, desc), VI_ERROR_INV_EXPR) << bad;
    }
}

TEST_F(VisaTest, FindFailures) {
    ViSession rm = open_rm();
    ViFindList list = 77;
    ViUInt32 count = 77;
    char desc[VI_FIND_BUFLEN] = "untouched";
    EXPECT_EQ(visa.find_rsrc(rm, "GPIB?*", &list, &count, desc), VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(list, 0u);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(visa.find_rsrc(rm, "VXI[0-9", &list, &count, desc), VI_ERROR_INV_EXPR);
    EXPECT_EQ(visa.find_rsrc(rm, nullptr, &list, &count, desc), VI_ERROR_INV_EXPR);
    EXPECT_EQ(visa.find_rsrc(999, "?*", &list, &count, desc), VI_ERROR_INV_OBJECT);
    ViSession vi = 0;
    ASSERT_EQ(visa.open(rm, "VXI0::8::INSTR", VI_NO_LOCK, 0, &vi), VI_SUCCESS);
    EXPECT_EQ(visa.find_rsrc(vi, "?*", &list, &count, desc), VI_ERROR_INV_OBJECT)
        << "an instrument session is no resource manager";
    EXPECT_EQ(visa.find_next(vi, desc), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(visa.find_next(12345, desc), VI_ERROR_INV_OBJECT);
}

TEST_F(VisaTest, FindWithoutListOrCountKeepsNoList) {
    ViSession rm = open_rm();
    char desc[VI_FIND_BUFLEN];
    ASSERT_EQ(visa.find_rsrc(rm, "VXI0::8::INSTR", nullptr, nullptr, desc), VI_SUCCESS);
    EXPECT_STREQ(desc, "VXI0::8::INSTR");
    ViSession vi = 0;
    ASSERT_EQ(visa.open(rm, "VXI0::8::INSTR", VI_NO_LOCK, 0, &vi), VI_SUCCESS);
    EXPECT_EQ(vi, 2u) << "no find list was made";
}

TEST_F(VisaTest, OpenIsCaseInsensitiveAndRefusesUnknownAndMalformedNames) {
    ViSession rm = open_rm();
    ViSession vi = 55;
    ASSERT_EQ(visa.open(rm, "vxi0::8::instr", VI_NO_LOCK, 0, &vi), VI_SUCCESS);
    char name[VI_FIND_BUFLEN];
    ASSERT_EQ(visa.get_attribute(vi, VI_ATTR_RSRC_NAME, name), VI_SUCCESS);
    EXPECT_STREQ(name, "VXI0::8::INSTR") << "the crate's spelling";

    vi = 55;
    EXPECT_EQ(visa.open(rm, "VXI0::9::INSTR", VI_NO_LOCK, 0, &vi), VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(vi, 0u);
    EXPECT_EQ(visa.open(rm, "NOPE0::9::INSTR", VI_NO_LOCK, 0, &vi), VI_ERROR_INV_RSRC_NAME);
    EXPECT_EQ(visa.open(rm, "VXI0::", VI_NO_LOCK, 0, &vi), VI_ERROR_INV_RSRC_NAME);
    EXPECT_EQ(visa.open(rm, nullptr, VI_NO_LOCK, 0, &vi), VI_ERROR_INV_RSRC_NAME);
    EXPECT_EQ(visa.open(rm, "VXI0::8::INSTR", VI_NO_LOCK, 0, nullptr), sim::kErrorUserBuf);
    EXPECT_EQ(visa.open(42, "VXI0::8::INSTR", VI_NO_LOCK, 0, &vi), VI_ERROR_INV_OBJECT);
}

TEST_F(VisaTest, AttributesHaveTheirTypesAndValues) {
    ViSession rm = open_rm();
    ViSession vi = 0;
    ASSERT_EQ(visa.open(rm, "VXI0::8::INSTR", VI_NO_LOCK, 0, &vi), VI_SUCCESS);

    // 16-bit attributes are written as 16 bits: the bytes after them stay as they were.
    struct {
        ViInt16 value;
        ViUInt16 guard;
    } i16{};
    auto read16 = [&](ViAttr attr) {
        i16.value = 0x5A5A;
        i16.guard = 0xBEEF;
        EXPECT_EQ(visa.get_attribute(vi, attr, &i16.value), VI_SUCCESS);
        EXPECT_EQ(i16.guard, 0xBEEF);
        return i16.value;
    };
    EXPECT_EQ(read16(VI_ATTR_SLOT), 3);
    EXPECT_EQ(read16(VI_ATTR_MAINFRAME_LA), 0);
    EXPECT_EQ(read16(VI_ATTR_VXI_LA), 8);
    EXPECT_EQ(static_cast<ViUInt16>(read16(VI_ATTR_MODEL_CODE)), 0x155);
    EXPECT_EQ(read16(VI_ATTR_INTF_TYPE), VI_INTF_VXI);
    EXPECT_EQ(read16(VI_ATTR_INTF_NUM), 0);

    char text[VI_FIND_BUFLEN];
    ASSERT_EQ(visa.get_attribute(vi, VI_ATTR_INTF_INST_NAME, text), VI_SUCCESS);
    EXPECT_STREQ(text, "VXI0 (VXI bus)");
    ASSERT_EQ(visa.get_attribute(vi, VI_ATTR_RSRC_NAME, text), VI_SUCCESS);
    EXPECT_STREQ(text, "VXI0::8::INSTR");

    EXPECT_EQ(visa.get_attribute(vi, 0x3FFF0000u, text), VI_ERROR_NSUP_ATTR);
    EXPECT_EQ(visa.get_attribute(vi, VI_ATTR_SLOT, nullptr), sim::kErrorUserBuf);
    EXPECT_EQ(visa.get_attribute(rm, VI_ATTR_SLOT, text), VI_ERROR_NSUP_ATTR);
    EXPECT_EQ(visa.get_attribute(4711, VI_ATTR_SLOT, text), VI_ERROR_INV_OBJECT);
}

TEST_F(VisaTest, AttributesPerInterface) {
    install_file("several-carriers.yaml");
    ViSession rm = open_rm();
    auto open = [&](const char* name) {
        ViSession vi = 0;
        EXPECT_EQ(visa.open(rm, name, VI_NO_LOCK, 0, &vi), VI_SUCCESS) << name;
        return vi;
    };
    char text[VI_FIND_BUFLEN];
    ViInt16 i16 = 0;
    ViUInt16 u16 = 0;

    ViSession tcpip = open("TCPIP0::192.168.10.5::inst0::INSTR");
    ASSERT_EQ(visa.get_attribute(tcpip, VI_ATTR_INTF_INST_NAME, text), VI_SUCCESS);
    EXPECT_EQ(std::string(text).rfind("TCPIP0 (", 0), 0u) << text;
    EXPECT_EQ(visa.get_attribute(tcpip, VI_ATTR_SLOT, &i16), VI_ERROR_NSUP_ATTR);
    ASSERT_EQ(visa.get_attribute(tcpip, VI_ATTR_INTF_TYPE, &u16), VI_SUCCESS);
    EXPECT_EQ(u16, VI_INTF_TCPIP);

    ASSERT_EQ(visa.get_attribute(tcpip, sim::kAttrTcpipAddr, text), VI_SUCCESS);
    EXPECT_STREQ(text, "192.168.10.5");
    ASSERT_EQ(visa.get_attribute(tcpip, sim::kAttrTcpipDeviceName, text), VI_SUCCESS);
    EXPECT_STREQ(text, "inst0");
    EXPECT_EQ(visa.get_attribute(tcpip, sim::kAttrTcpipPort, &u16), VI_ERROR_NSUP_ATTR)
        << "an INSTR resource has no port";
    ASSERT_EQ(visa.get_attribute(tcpip, sim::kAttrRsrcClass, text), VI_SUCCESS);
    EXPECT_STREQ(text, "INSTR");

    ViSession usb = open("usb0::0x1234::0x0155::qc-0042::instr");
    ASSERT_EQ(visa.get_attribute(usb, VI_ATTR_INTF_INST_NAME, text), VI_SUCCESS);
    EXPECT_EQ(std::string(text).rfind("USB0 (", 0), 0u) << text;
    ASSERT_EQ(visa.get_attribute(usb, sim::kAttrUsbSerialNum, text), VI_SUCCESS);
    EXPECT_STREQ(text, "QC-0042") << "as the crate names it";
    ASSERT_EQ(visa.get_attribute(usb, VI_ATTR_MODEL_CODE, &u16), VI_SUCCESS);
    EXPECT_EQ(u16, 0x155) << "the model code and manufacturer come from the name";
    ASSERT_EQ(visa.get_attribute(usb, VI_ATTR_MANF_ID, &u16), VI_SUCCESS);
    EXPECT_EQ(u16, 0x1234);
    ASSERT_EQ(visa.get_attribute(usb, sim::kAttrUsbIntfcNum, &i16), VI_SUCCESS);
    EXPECT_EQ(i16, 0);

    ViSession gpib = open("GPIB0::12::INSTR");
    ASSERT_EQ(visa.get_attribute(gpib, sim::kAttrGpibPrimaryAddr, &u16), VI_SUCCESS);
    EXPECT_EQ(u16, 12);
    ASSERT_EQ(visa.get_attribute(gpib, sim::kAttrGpibSecondaryAddr, &u16), VI_SUCCESS);
    EXPECT_EQ(u16, 0xFFFF) << "no secondary address";
    EXPECT_EQ(visa.get_attribute(gpib, VI_ATTR_SLOT, &i16), VI_ERROR_NSUP_ATTR);

    ViSession gpib_vxi = open("GPIB-VXI1::40::INSTR");
    ASSERT_EQ(visa.get_attribute(gpib_vxi, VI_ATTR_INTF_TYPE, &u16), VI_SUCCESS);
    EXPECT_EQ(u16, VI_INTF_GPIB_VXI);
    ASSERT_EQ(visa.get_attribute(gpib_vxi, VI_ATTR_INTF_NUM, &u16), VI_SUCCESS);
    EXPECT_EQ(u16, 1);
    ASSERT_EQ(visa.get_attribute(gpib_vxi, VI_ATTR_VXI_LA, &i16), VI_SUCCESS);
    EXPECT_EQ(i16, 40) << "the logical address comes from the name";

    ViSession unknown_slot = open("VXI0::32::INSTR");
    ASSERT_EQ(visa.get_attribute(unknown_slot, VI_ATTR_SLOT, &i16), VI_SUCCESS);
    EXPECT_EQ(i16, VI_UNKNOWN_SLOT);

    ViSession board12 = open("VXI12::48::INSTR");
    ASSERT_EQ(visa.get_attribute(board12, VI_ATTR_INTF_NUM, &u16), VI_SUCCESS);
    EXPECT_EQ(u16, 12);
    ASSERT_EQ(visa.get_attribute(board12, VI_ATTR_INTF_INST_NAME, text), VI_SUCCESS);
    EXPECT_STREQ(text, "VXI12 (VXI bus)");

    ViSession instrument = open("VXI0::24::INSTR");
    ASSERT_EQ(visa.get_attribute(instrument, VI_ATTR_MANF_ID, &u16), VI_SUCCESS);
    EXPECT_EQ(u16, 0xFF6);
}

TEST_F(VisaTest, LongNamesAreGivenWhole) {
    install_file("several-carriers.yaml");
    ViSession rm = open_rm();
    ViSession vi = 0;
    const char* name = "VXI0::000000000000000000000000056::INSTR";
    ASSERT_EQ(visa.open(rm, name, VI_NO_LOCK, 0, &vi), VI_SUCCESS);
    char text[VI_FIND_BUFLEN];
    ASSERT_EQ(visa.get_attribute(vi, VI_ATTR_RSRC_NAME, text), VI_SUCCESS);
    EXPECT_STREQ(text, name);
}

TEST_F(VisaTest, ClosingTheResourceManagerClosesItsSessions) {
    ViSession rm = open_rm();
    ViSession other_rm = open_rm();
    ViSession vi = 0, other = 0;
    ViFindList list = 0;
    ViUInt32 count = 0;
    char desc[VI_FIND_BUFLEN];
    ASSERT_EQ(visa.open(rm, "VXI0::8::INSTR", VI_NO_LOCK, 0, &vi), VI_SUCCESS);
    ASSERT_EQ(visa.find_rsrc(rm, "?*", &list, &count, desc), VI_SUCCESS);
    ASSERT_EQ(visa.open(other_rm, "VXI0::0::INSTR", VI_NO_LOCK, 0, &other), VI_SUCCESS);

    EXPECT_EQ(visa.close(rm), VI_SUCCESS);
    ViInt16 slot = 0;
    EXPECT_EQ(visa.get_attribute(vi, VI_ATTR_SLOT, &slot), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(visa.find_next(list, desc), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(visa.close(vi), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(visa.get_attribute(other, VI_ATTR_SLOT, &slot), VI_SUCCESS)
        << "another resource manager's session stays open";
    EXPECT_EQ(visa.close(rm), VI_ERROR_INV_OBJECT);
}

TEST_F(VisaTest, CloseOfNullAndUnknownObjects) {
    EXPECT_EQ(visa.close(0), VI_WARN_NULL_OBJECT);
    EXPECT_EQ(visa.close(99), VI_ERROR_INV_OBJECT);
}

TEST_F(VisaTest, MissingLibraryFailsEveryCall) {
    install_file("no-visa.yaml");
    ViSession rm = 77;
    char desc[VI_FIND_BUFLEN];
    ViInt16 v = 0;
    EXPECT_EQ(visa.open_default_rm(&rm), VI_ERROR_LIBRARY_NFOUND);
    EXPECT_EQ(visa.find_rsrc(1, "?*", nullptr, nullptr, desc), VI_ERROR_LIBRARY_NFOUND);
    EXPECT_EQ(visa.find_next(1, desc), VI_ERROR_LIBRARY_NFOUND);
    EXPECT_EQ(visa.open(1, "VXI0::8::INSTR", 0, 0, &rm), VI_ERROR_LIBRARY_NFOUND);
    EXPECT_EQ(visa.close(0), VI_ERROR_LIBRARY_NFOUND);
    EXPECT_EQ(visa.get_attribute(1, VI_ATTR_SLOT, &v), VI_ERROR_LIBRARY_NFOUND);
}

TEST_F(VisaTest, TablesAreMarkedSimulated) {
    EXPECT_TRUE(visa.simulated);
    EXPECT_TRUE(kelqorm.simulated);
    EXPECT_TRUE(kelbase.simulated);
    EXPECT_NE(visa.open, nullptr);
    EXPECT_NE(kelqorm.zqorm_test, nullptr);
    EXPECT_NE(kelbase.m_type_q, nullptr);
}

}  // namespace

namespace {

TEST_F(VisaTest, AnInstrumentListedUnderAnAliasGivesItsUniqueName) {
    sim::Crate crate = sim::default_crate();
    sim::Instrument& carrier = crate.instruments[1];
    carrier.rsrc_name = "TCPIP0::crate-7::INSTR";
    sim::install(crate);
    ViSession rm = open_rm();
    EXPECT_EQ(find_all(rm, "?*VXI[0-9]*::?*INSTR"),
              (std::vector<std::string>{"VXI0::0::INSTR", "VXI0::8::INSTR"}))
        << "listed by its alias";
    ViSession by_alias = 0, by_name = 0;
    ASSERT_EQ(visa.open(rm, "VXI0::8::INSTR", VI_NO_LOCK, 0, &by_alias), VI_SUCCESS);
    ASSERT_EQ(visa.open(rm, "tcpip0::crate-7::instr", VI_NO_LOCK, 0, &by_name), VI_SUCCESS);
    char name[VI_FIND_BUFLEN];
    ASSERT_EQ(visa.get_attribute(by_alias, VI_ATTR_RSRC_NAME, name), VI_SUCCESS);
    EXPECT_STREQ(name, "TCPIP0::crate-7::INSTR");
    // The module driver opens it by the name VISA gave, on a carrier session of the alias.
    ViSession module = 0;
    ASSERT_EQ(kelqorm.init(name, 1, 1, &module), VI_SUCCESS);
    EXPECT_EQ(kelqorm.connect(module, by_alias, 2, 1, 1), VI_SUCCESS);
}

TEST_F(VisaTest, AnAttributeThatCannotBeReadGivesItsStatus) {
    sim::Crate crate = sim::default_crate();
    sim::Instrument& carrier = crate.instruments[1];
    carrier.attribute_status[VI_ATTR_SLOT] = VI_ERROR_TMO;
    carrier.attribute_status[VI_ATTR_RSRC_NAME] = 0x3FFF0077;
    sim::install(crate);
    ViSession rm = open_rm();
    ViSession vi = 0;
    ASSERT_EQ(visa.open(rm, "VXI0::8::INSTR", VI_NO_LOCK, 0, &vi), VI_SUCCESS);
    ViInt16 slot = -99;
    EXPECT_EQ(visa.get_attribute(vi, VI_ATTR_SLOT, &slot), VI_ERROR_TMO);
    EXPECT_EQ(slot, -99) << "nothing written";
    char name[VI_FIND_BUFLEN] = "";
    EXPECT_EQ(visa.get_attribute(vi, VI_ATTR_RSRC_NAME, name), 0x3FFF0077);
    EXPECT_STREQ(name, "VXI0::8::INSTR") << "a warning writes the value";
    ViInt16 la = 0;
    EXPECT_EQ(visa.get_attribute(vi, VI_ATTR_VXI_LA, &la), VI_SUCCESS);
    EXPECT_EQ(la, 8);
}

TEST_F(VisaTest, AnOverlongDescriptionIsCutToTheBuffer) {
    sim::Crate crate = sim::default_crate();
    crate.instruments[1].interface_description = "TCPIP0 (" + std::string(300, 'x') + ")";
    sim::install(crate);
    ViSession rm = open_rm();
    ViSession vi = 0;
    ASSERT_EQ(visa.open(rm, "VXI0::8::INSTR", VI_NO_LOCK, 0, &vi), VI_SUCCESS);
    std::array<char, VI_FIND_BUFLEN + 8> text;
    text.fill('Z');
    EXPECT_EQ(visa.get_attribute(vi, VI_ATTR_INTF_INST_NAME, text.data()), VI_SUCCESS);
    EXPECT_EQ(std::strlen(text.data()), VI_FIND_BUFLEN - 1u);
    EXPECT_EQ(text[VI_FIND_BUFLEN], 'Z');
}

TEST_F(VisaTest, TheObjectsOpenNowCanBeAskedFor) {
    EXPECT_TRUE(sim::open_visa_objects().empty());
    ViSession rm = open_rm();
    ViSession vi = 0;
    ASSERT_EQ(visa.open(rm, "VXI0::8::INSTR", VI_NO_LOCK, 0, &vi), VI_SUCCESS);
    ViSession carrier = 0;
    ASSERT_EQ(kelbase.init(const_cast<char*>("VXI0::8::INSTR"), 1, 1, &carrier), VI_SUCCESS);
    EXPECT_EQ(sim::open_visa_objects(), (std::vector<ViSession>{rm, vi, carrier}));
    ASSERT_EQ(visa.close(rm), VI_SUCCESS);
    EXPECT_EQ(sim::open_visa_objects(), std::vector<ViSession>{carrier})
        << "the carrier driver's session is no resource manager's";
}

}  // namespace
