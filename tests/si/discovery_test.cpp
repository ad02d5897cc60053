// Carrier discovery: what FindVISAinstruments records from a simulated crate, and the VISA calls
// it makes, in order, on the recording fake, with every failure path closing what it opened.
#include <cstring>
#include <string>
#include <vector>

#include "si_fixture.h"

namespace si_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Discovery : public SiTest {};

// ---- On a simulated crate ----------------------------------------------------------------------

TEST_F(Discovery, KeepsTheCarriersInSearchOrderAndDropsTheSlotZeroController) {
    use_crate(R"(
instruments:
  - {resource: VXI0::0::INSTR, slot: 0, model_code: 0x0FF}
  - {resource: VXI0::8::INSTR, slot: 3, model_code: 0x155, mainframe_la: 0}
  - {resource: VXI0::16::INSTR, slot: 5, model_code: 0x10D, mainframe_la: 0}
)");
    fill_with_sentinel();

    EXPECT_EQ(FindVISAinstruments(), 2);

    EXPECT_STREQ(Instruments[0].resource_name, "VXI0::8::INSTR");
    EXPECT_EQ(Instruments[0].slot, 3);
    EXPECT_EQ(Instruments[0].logical_address, 8);
    EXPECT_EQ(Instruments[0].model_code, 0x155);
    EXPECT_EQ(Instruments[0].interface_number, 0);
    EXPECT_EQ(Instruments[0].mainframe_la, 0);
    EXPECT_STREQ(Instruments[1].resource_name, "VXI0::16::INSTR");
    EXPECT_EQ(Instruments[1].slot, 5);
    EXPECT_EQ(Instruments[1].logical_address, 16);
    EXPECT_EQ(Instruments[1].model_code, 0x10D);
    // Nothing of an earlier table stays behind the two entries.
    for (int k = 2; k < kInstrumentsMax; ++k) {
        EXPECT_EQ(Instruments[k].logical_address, 0) << "entry " << k;
        EXPECT_STREQ(Instruments[k].resource_name, "") << "entry " << k;
    }
}

TEST_F(Discovery, NothingMatchingGivesTheSearchsOwnStatusAndLeavesTheTable) {
    use_crate(R"(
instruments:
  - {resource: "GPIB0::12::INSTR"}
  - {resource: "TCPIP0::192.168.10.5::inst0::INSTR"}
)");
    fill_with_sentinel();

    EXPECT_EQ(FindVISAinstruments(), VI_ERROR_RSRC_NFOUND);
    EXPECT_TRUE(holds_sentinel());
}

TEST_F(Discovery, OnlyTheSlotZeroControllerGivesNone) {
    use_crate(R"(
instruments:
  - {resource: VXI0::0::INSTR, slot: 0, model_code: 0x155}
)");
    fill_with_sentinel();

    EXPECT_EQ(FindVISAinstruments(), 0);
    EXPECT_EQ(Instruments[0].logical_address, 0);
    EXPECT_STREQ(Instruments[0].resource_name, "");
}

TEST_F(Discovery, AnUnknownSlotIsNotRecorded) {
    use_crate(R"(
instruments:
  - {resource: VXI0::32::INSTR, slot: -1, model_code: 0x155}
  - {resource: VXI0::40::INSTR, slot: 4, model_code: 0x155}
)");

    EXPECT_EQ(FindVISAinstruments(), 1);
    EXPECT_STREQ(Instruments[0].resource_name, "VXI0::40::INSTR");
}

TEST_F(Discovery, InterfaceNumberIsTheWholeBoardNumber) {
    use_crate(R"(
instruments:
  - {resource: VXI12::8::INSTR, slot: 2, model_code: 0x155}
  - {resource: GPIB-VXI1::40::INSTR, slot: 7, model_code: 0x155}
  - {resource: VXI3::48::INSTR, slot: 9, model_code: 0x155}
)");

    ASSERT_EQ(FindVISAinstruments(), 3);
    EXPECT_EQ(Instruments[0].interface_number, 12);
    EXPECT_EQ(Instruments[1].interface_number, 1);
    EXPECT_EQ(Instruments[2].interface_number, 3);
}

TEST_F(Discovery, ALongResourceNameIsKeptWhole) {
    const std::string name = "VXI0::000000000000000000000000056::INSTR";
    ASSERT_EQ(name.size(), 40u);
    use_crate("instruments:\n  - {resource: \"" + name + "\", slot: 9, model_code: 0x155}\n");

    ASSERT_EQ(FindVISAinstruments(), 1);
    EXPECT_EQ(std::string(Instruments[0].resource_name), name);
    EXPECT_EQ(Instruments[0].logical_address, 56);
}

TEST_F(Discovery, OnlyTheLowTwelveBitsOfTheModelCodeAreKept) {
    use_crate(R"(
instruments:
  - {resource: VXI0::8::INSTR, slot: 3, model_code: 0xF155}
)");

    ASSERT_EQ(FindVISAinstruments(), 1);
    EXPECT_EQ(Instruments[0].model_code, 0x155);
}

TEST_F(Discovery, WithoutAVisaLibraryTheFirstCallFails) {
    use_crate(R"(
visa: missing
instruments:
  - {resource: VXI0::8::INSTR, slot: 3, model_code: 0x155}
)");
    fill_with_sentinel();

    EXPECT_EQ(FindVISAinstruments(), VI_ERROR_LIBRARY_NFOUND);
    EXPECT_TRUE(holds_sentinel());
}

TEST_F(Discovery, ARepeatedDiscoveryListsNothingStale) {
    use_crate(R"(
instruments:
  - {resource: VXI0::8::INSTR, slot: 3, model_code: 0x155}
  - {resource: VXI0::16::INSTR, slot: 5, model_code: 0x155}
)");
    ASSERT_EQ(FindVISAinstruments(), 2);

    use_crate(R"(
instruments:
  - {resource: VXI0::24::INSTR, slot: 6, model_code: 0x10D}
)");
    ASSERT_EQ(FindVISAinstruments(), 1);
    EXPECT_STREQ(Instruments[0].resource_name, "VXI0::24::INSTR");
    EXPECT_EQ(Instruments[1].logical_address, 0);
    EXPECT_STREQ(Instruments[1].resource_name, "");
}

// ---- On the recording fake ---------------------------------------------------------------------

sim::Instrument vxi(int la, ViInt16 slot, ViUInt16 model = 0x155) {
    sim::Instrument r;
    r.resource = "VXI0::" + std::to_string(la) + "::INSTR";
    r.slot = slot;
    r.logical_address = static_cast<ViInt16>(la);
    r.model_code = model;
    return r;
}

TEST_F(Discovery, CallsVisaInTheOrderOfTheWalk) {
    ASSERT_EQ(FindVISAinstruments(), 1);

    EXPECT_THAT(
        fake::calls(),
        ElementsAre("viOpenDefaultRM()", R"(viFindRsrc(1, "?*VXI[0-9]*::?*INSTR"))",
                    R"(viOpen(1, "VXI0::8::INSTR", 0, 0))", "viGetAttribute(3, VI_ATTR_SLOT)",
                    "viGetAttribute(3, VI_ATTR_MAINFRAME_LA)", "viGetAttribute(3, VI_ATTR_VXI_LA)",
                    "viGetAttribute(3, VI_ATTR_MODEL_CODE)", "viClose(3)", "viClose(2)",
                    "viClose(1)"));
    EXPECT_THAT(fake::open_sessions(), IsEmpty());
    EXPECT_STREQ(Instruments[0].resource_name, fake::default_carrier);
    EXPECT_EQ(Instruments[0].slot, 2);
    EXPECT_EQ(Instruments[0].model_code, 0x10D);
}

TEST_F(Discovery, EachMatchIsExaminedOnce) {
    use_instruments({vxi(8, 3), vxi(16, 0), vxi(24, 5)});

    EXPECT_EQ(FindVISAinstruments(), 2);

    EXPECT_THAT(fake::calls("viOpen"), ElementsAre(R"(viOpen(1, "VXI0::8::INSTR", 0, 0))",
                                                   R"(viOpen(1, "VXI0::16::INSTR", 0, 0))",
                                                   R"(viOpen(1, "VXI0::24::INSTR", 0, 0))"));
    EXPECT_THAT(fake::calls("viFindNext"), ElementsAre("viFindNext(2)", "viFindNext(2)"));
    // A rejected resource is closed as well as an accepted one.
    EXPECT_THAT(fake::calls("viClose"),
                ElementsAre("viClose(3)", "viClose(4)", "viClose(5)", "viClose(2)", "viClose(1)"));
}

TEST_F(Discovery, SlotsOutsideZeroToTwelveAreRejected) {
    use_instruments({vxi(8, 12), vxi(16, 13), vxi(24, -1), vxi(32, 1)});

    EXPECT_EQ(FindVISAinstruments(), 2);
    EXPECT_EQ(Instruments[0].slot, 12);
    EXPECT_EQ(Instruments[1].slot, 1);
    // A rejected resource is not asked for the rest of its identity.
    EXPECT_EQ(fake::count("viGetAttribute"), 2 * 4 + 2 * 1);
}

TEST_F(Discovery, AnUnreadableSlotIsRejected) {
    sim::Instrument r = vxi(8, 3);
    r.attribute_status[VI_ATTR_SLOT] = VI_ERROR_TMO;
    use_instruments({r, vxi(16, 4)});

    EXPECT_EQ(FindVISAinstruments(), 1);
    EXPECT_STREQ(Instruments[0].resource_name, "VXI0::16::INSTR");
}

TEST_F(Discovery, OtherUnreadableAttributesLeaveZero) {
    sim::Instrument r = vxi(8, 3);
    r.mainframe_la = 5;
    r.attribute_status[VI_ATTR_MAINFRAME_LA] = VI_ERROR_TMO;
    r.attribute_status[VI_ATTR_MODEL_CODE] = VI_ERROR_NSUP_ATTR;
    use_instruments({r});

    ASSERT_EQ(FindVISAinstruments(), 1);
    EXPECT_EQ(Instruments[0].mainframe_la, 0);
    EXPECT_EQ(Instruments[0].model_code, 0);
    EXPECT_EQ(Instruments[0].logical_address, 8);
}

TEST_F(Discovery, AFailingOpenDiscardsEverythingAndClosesAll) {
    use_instruments({vxi(8, 3), vxi(16, 4), vxi(24, 5)});
    fill_with_sentinel();
    fake::fail("viOpen", VI_SUCCESS);  // the first opens as usual
    fake::fail("viOpen", VI_ERROR_RSRC_BUSY);

    EXPECT_EQ(FindVISAinstruments(), VI_ERROR_RSRC_BUSY);

    EXPECT_TRUE(holds_sentinel());
    EXPECT_EQ(fake::count("viOpen"), 2);
    EXPECT_EQ(fake::count("viFindNext"), 1);
    EXPECT_THAT(fake::calls("viClose"), ElementsAre("viClose(3)", "viClose(2)", "viClose(1)"));
    EXPECT_THAT(fake::open_sessions(), IsEmpty());
}

TEST_F(Discovery, AFailingFetchOfTheNextMatchDiscardsEverythingAndClosesAll) {
    use_instruments({vxi(8, 3), vxi(16, 4), vxi(24, 5)});
    fill_with_sentinel();
    fake::fail("viFindNext", VI_ERROR_TMO);

    EXPECT_EQ(FindVISAinstruments(), VI_ERROR_TMO);

    EXPECT_TRUE(holds_sentinel());
    EXPECT_EQ(fake::count("viOpen"), 1);
    EXPECT_THAT(fake::calls("viClose"), ElementsAre("viClose(3)", "viClose(2)", "viClose(1)"));
    EXPECT_THAT(fake::open_sessions(), IsEmpty());
}

TEST_F(Discovery, AFailingSearchClosesTheResourceManager) {
    fill_with_sentinel();
    fake::fail("viFindRsrc", VI_ERROR_INV_EXPR);

    EXPECT_EQ(FindVISAinstruments(), VI_ERROR_INV_EXPR);

    EXPECT_TRUE(holds_sentinel());
    EXPECT_THAT(
        fake::calls(),
        ElementsAre("viOpenDefaultRM()", R"(viFindRsrc(1, "?*VXI[0-9]*::?*INSTR"))", "viClose(1)"));
    EXPECT_THAT(fake::open_sessions(), IsEmpty());
}

TEST_F(Discovery, NoResourceAtAllGivesTheSearchStatus) {
    use_instruments({});

    EXPECT_EQ(FindVISAinstruments(), VI_ERROR_RSRC_NFOUND);
    EXPECT_EQ(fake::count("viOpen"), 0);
    EXPECT_THAT(fake::open_sessions(), IsEmpty());
}

TEST_F(Discovery, AMissingLibraryStopsAtTheFirstCall) {
    fill_with_sentinel();
    fake::fail("viOpenDefaultRM", VI_ERROR_LIBRARY_NFOUND);

    EXPECT_EQ(FindVISAinstruments(), VI_ERROR_LIBRARY_NFOUND);

    EXPECT_THAT(fake::calls(), ElementsAre("viOpenDefaultRM()"));
    EXPECT_TRUE(holds_sentinel());
}

TEST_F(Discovery, RecordsAtMost256) {
    std::vector<sim::Instrument> many;
    for (int k = 1; k <= 300; ++k) many.push_back(vxi(k, static_cast<ViInt16>(1 + k % 12)));
    use_instruments(many);

    EXPECT_EQ(FindVISAinstruments(), kInstrumentsMax);

    EXPECT_EQ(fake::count("viOpen"), 300);
    EXPECT_EQ(fake::count("viFindNext"), 299);
    EXPECT_STREQ(Instruments[0].resource_name, "VXI0::1::INSTR");
    EXPECT_STREQ(Instruments[kInstrumentsMax - 1].resource_name, "VXI0::256::INSTR");
    EXPECT_THAT(fake::open_sessions(), IsEmpty());
}

}  // namespace
}  // namespace si_test
