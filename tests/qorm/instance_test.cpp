// Opening and ending a module instance against the recording fake.
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "allocation.h"
#include "front_panel_test.h"
#include "sim/faults.h"

namespace qorm_test {
namespace {

using ::testing::ElementsAre;
using uir::headless::schedule;

class InstanceTest : public FrontPanelTest {};

std::vector<uir::headless::Popup> popups() {
    return uir::headless::popups();
}

TEST_F(InstanceTest, NullInstanceAddressTouchesNoDriver) {
    fake::clear_log();
    EXPECT_EQ(qorm_init(carrier_, 2, 1, 1, nullptr), -1);
    EXPECT_TRUE(fake::calls().empty());
}

TEST_F(InstanceTest, VxiCarrierGivesMainframeSlotAndPosition) {
    sim::Instrument carrier = fake::default_crate().instruments[0];
    carrier.mainframe_la = 0;
    carrier.slot = 2;
    install_carrier(carrier);
    fake::clear_log();
    auto* instance = reinterpret_cast<ModuleInstance*>(intptr_t{7});
    ASSERT_EQ(qorm_init(carrier_, 3, 1, 0, &instance), 0);
    ASSERT_NE(instance, nullptr);

    const std::string c = std::to_string(carrier_);
    EXPECT_THAT(fake::calls(), ElementsAre("viGetAttribute(" + c + ", VI_ATTR_RSRC_NAME)",
                                           "kelqorm_init(\"VXI0::8::INSTR\", 1, 0)",
                                           "kelqorm_connect(5, " + c + ", 3, 1, 0)",
                                           "viGetAttribute(" + c + ", VI_ATTR_INTF_INST_NAME)",
                                           "viGetAttribute(" + c + ", VI_ATTR_MAINFRAME_LA)",
                                           "viGetAttribute(" + c + ", VI_ATTR_SLOT)"));
    EXPECT_STREQ(instance->location_text, "кр.0, сл.2, мез.№ 3");
    EXPECT_EQ(instance->session, 5u);
    EXPECT_EQ(instance->mainframe_la, 0);
    EXPECT_EQ(instance->slot, 2);
    EXPECT_EQ(instance->mezzanine_number, 3);
    EXPECT_EQ(instance->carrier_panel, 7);
    EXPECT_EQ(instance->interface_number, 0);
    EXPECT_EQ(instance->display_active, 0);
    EXPECT_TRUE(popups().empty());
    instance->carrier_panel = 0;
    qorm_close(&instance);
}

TEST_F(InstanceTest, NetworkAndUsbCarriersAreNamedByTheirResource) {
    const std::pair<std::string, std::string> carriers[] = {
        {"TCPIP0 (LAN)", "TCPIP0::crate-7::INSTR"},
        {"USB0 (USB)", "USB0::0x1234::0x0042::crate-7::INSTR"},
    };
    for (const auto& [interface_name, resource] : carriers) {
        // Listed under a VXI alias; VISA names it by its own resource.
        sim::Instrument carrier = fake::default_crate().instruments[0];
        carrier.interface_description = interface_name;
        carrier.rsrc_name = resource;
        carrier.mainframe_la = 9;
        carrier.slot = 4;
        install_carrier(carrier);
        fake::clear_log();
        ModuleInstance* instance = open_instance(2);
        ASSERT_NE(instance, nullptr);
        EXPECT_EQ(instance->mainframe_la, 0);
        EXPECT_EQ(instance->slot, 0);
        EXPECT_EQ(std::string(instance->location_text), *carrier.rsrc_name + ", мез.№ 2");
        EXPECT_EQ(fake::count("viGetAttribute"), 3) << "no mainframe or slot read";
        qorm_close(&instance);
    }
}

TEST_F(InstanceTest, UnknownLocationStaysMinusOne) {
    sim::Instrument carrier = fake::default_crate().instruments[0];
    carrier.mainframe_la = -1;
    carrier.slot = -1;
    install_carrier(carrier);
    ModuleInstance* instance = open_instance(1);
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(instance->mainframe_la, -1);
    EXPECT_EQ(instance->slot, -1);
    EXPECT_STREQ(instance->location_text, "кр.-1, сл.-1, мез.№ 1");
    qorm_close(&instance);
}

// A name too long for the location text with its suffix is cut, at a character, and the
// suffix kept: the position is what tells two modules of one carrier apart.
TEST_F(InstanceTest, OverlongResourceNameIsCutAndThePositionKept) {
    for (const std::string& host : {std::string(240, 'x'), std::string(220, 'x') + "ЖёЖёЖёЖё"}) {
        sim::Instrument carrier = fake::default_crate().instruments[0];
        carrier.interface_description = "TCPIP0 (LAN)";
        carrier.rsrc_name = "TCPIP0::" + host + "::INSTR";
        install_carrier(carrier);
        ModuleInstance* instance = open_instance(4);
        ASSERT_NE(instance, nullptr);
        const std::string location(instance->location_text);
        const std::string suffix = ", мез.№ 4";
        EXPECT_LT(location.size(), sizeof instance->location_text);
        ASSERT_GT(location.size(), suffix.size());
        EXPECT_EQ(location.substr(location.size() - suffix.size()), suffix) << location;
        const std::string name = location.substr(0, location.size() - suffix.size());
        EXPECT_EQ(name, carrier.rsrc_name->substr(0, name.size()))
            << "what fits of the name, whole characters only";
        EXPECT_GE(name.size() + suffix.size(), sizeof instance->location_text - 3);
        EXPECT_EQ(instance->mezzanine_number, 4);
        qorm_close(&instance);
    }
}

// Without the interface's name nothing says the carrier is in a VXI mainframe: it is named by its
// resource, and no VXI attribute is asked for (a LAN carrier has none, and once its missing
// mainframe address failed the whole opening).
TEST_F(InstanceTest, UnreadableInterfaceNameGivesTheLocationByResource) {
    for (const char* resource : {"TCPIP0::crate-7::INSTR", "VXI0::8::INSTR"}) {
        sim::Instrument carrier = fake::default_crate().instruments[0];
        carrier.rsrc_name = resource;
        carrier.attribute_status[VI_ATTR_INTF_INST_NAME] = VI_ERROR_NSUP_ATTR;
        carrier.attribute_status[VI_ATTR_MAINFRAME_LA] = VI_ERROR_NSUP_ATTR;
        carrier.attribute_status[VI_ATTR_SLOT] = VI_ERROR_NSUP_ATTR;
        install_carrier(carrier);
        fake::clear_log();
        auto* instance = reinterpret_cast<ModuleInstance*>(intptr_t{0});
        ASSERT_EQ(qorm_init(carrier_, 2, 1, 1, &instance), 0) << resource;
        ASSERT_NE(instance, nullptr);
        EXPECT_EQ(std::string(instance->location_text), std::string(resource) + ", мез.№ 2");
        EXPECT_EQ(instance->mainframe_la, 0);
        EXPECT_EQ(instance->slot, 0);
        EXPECT_EQ(instance->mezzanine_number, 2);
        const std::string c = std::to_string(carrier_);
        EXPECT_THAT(fake::calls("viGetAttribute"),
                    ElementsAre("viGetAttribute(" + c + ", VI_ATTR_RSRC_NAME)",
                                "viGetAttribute(" + c + ", VI_ATTR_INTF_INST_NAME)",
                                "viGetAttribute(" + c + ", VI_ATTR_RSRC_NAME)"));
        qorm_close(&instance);
    }
}

TEST_F(InstanceTest, ConnectWarningWithPassingSelfTest) {
    fake::fail("kelqorm_connect", 0x3FFC0800);
    ModuleInstance* instance = open_instance();
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(fake::count("kelqorm_self_test"), 1);
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].title, "QORM");
    EXPECT_EQ(popups()[0].text, "Инициализация прошла с ошибками(тест +)");
    qorm_close(&instance);
}

TEST_F(InstanceTest, ConnectWarningWithFailingSelfTestShowsItsText) {
    fake::fail("kelqorm_connect", 1);
    sim::fitted(fake::default_carrier, 2)->self_test_failure =
        sim::SelfTestFailure{3, "Канал 5: нет ответа"};
    ModuleInstance* instance = open_instance();
    ASSERT_NE(instance, nullptr);
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].text, "Инициализация прошла с ошибками\r\nКанал 5: нет ответа");
    qorm_close(&instance);
}

// A self-test that cannot run leaves no text of its own: the driver's text for its status says
// why (once a popup ended in nothing).
TEST_F(InstanceTest, ConnectWarningWithFailingSelfTestCallShowsWhy) {
    fake::fail("kelqorm_connect", 1);
    sim::driver().error_texts[VI_ERROR_TMO] = "Превышено время ожидания";
    fake::fail("kelqorm_self_test", VI_ERROR_TMO);
    fake::clear_log();
    ModuleInstance* instance = open_instance();
    ASSERT_NE(instance, nullptr) << "the opening goes on";
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].text, "Инициализация прошла с ошибками\r\nПревышено время ожидания");
    EXPECT_EQ(fake::last("kelqorm_error_message"), "kelqorm_error_message(0, 0xBFFF0015)");
    qorm_close(&instance);

    fake::fail("kelqorm_connect", 1);
    fake::fail("kelqorm_self_test", VI_ERROR_TMO);
    fake::fail("kelqorm_error_message", VI_ERROR_TMO);
    instance = open_instance();
    ASSERT_EQ(popups().size(), 2u);
    EXPECT_EQ(popups()[1].text, "Инициализация прошла с ошибками\r\nОшибка драйвера BFFF0015");
    qorm_close(&instance);
}

TEST_F(InstanceTest, UnterminatedSelfTestTextIsCutNeverOverrun) {
    fake::fail("kelqorm_connect", 1);
    // A driver that fills all 256 bytes of its text without a terminating zero.
    fake::hooks().kelqorm_self_test = [](ViSession, ViInt16* result, ViChar* text) {
        *result = 1;
        std::memset(text, 'e', KELQORM_TEXT_LEN);
        return VI_SUCCESS;
    };
    ModuleInstance* instance = open_instance();
    ASSERT_EQ(popups().size(), 1u);
    const std::string expected =
        "Инициализация прошла с ошибками\r\n" + std::string(KELQORM_TEXT_LEN, 'e');
    EXPECT_EQ(popups()[0].text, expected);
    qorm_close(&instance);
}

TEST_F(InstanceTest, FailingStepsReturnTheirStatusAndLeaveNothingOpen) {
    struct Case {
        const char* op;
        ViStatus status;
        int failing_call;  // which call of the operation fails (1-based)
        bool closes_session;
    };
    const ViStatus error = static_cast<ViStatus>(0xBFFF0015);
    const Case cases[] = {
        {"viGetAttribute", error, 1, false},  // the resource name
        {"kelqorm_init", error, 1, false},   {"kelqorm_connect", error, 1, true},
        {"viGetAttribute", error, 3, true},  // the mainframe address
        {"viGetAttribute", error, 4, true},  // the slot
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.op) + " #" + std::to_string(c.failing_call));
        fake::clear_log();
        fake::clear_failures();
        if (c.failing_call > 1) fake::fail(c.op, VI_SUCCESS, c.failing_call - 1);
        fake::fail(c.op, c.status);
        auto* instance = reinterpret_cast<ModuleInstance*>(intptr_t{3});
        EXPECT_EQ(qorm_init(carrier_, 2, 1, 1, &instance), c.status);
        EXPECT_EQ(instance, nullptr);
        EXPECT_EQ(fake::count("kelqorm_close"), c.closes_session ? 1 : 0);
        EXPECT_EQ(fake::count("kelqorm_reset"), 0) << "an opening is undone without a reset";
        EXPECT_TRUE(popups().empty());
    }
}

// The simulator refuses the next record, as a machine out of memory would; the platform's
// allocation check is how it reaches the front panel.
TEST_F(InstanceTest, NoMemoryForTheRecordIsToldAndUndoesTheOpening) {
    platform::set_allocation_check([] { return !sim::take_memory_fault(); });
    sim::fail_memory();
    fake::clear_log();
    auto* instance = reinterpret_cast<ModuleInstance*>(intptr_t{3});
    EXPECT_EQ(qorm_init(carrier_, 2, 1, 1, &instance), QORM_NO_MEMORY);
    EXPECT_GT(QORM_NO_MEMORY, 0) << "a positive status: the caller must look at the variable";
    EXPECT_EQ(instance, nullptr);
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].title, "QORM");
    EXPECT_EQ(popups()[0].text, "Не хватает оперативной памяти");
    EXPECT_EQ(fake::count("kelqorm_close"), 1) << "the driver session opened for it is closed";
    EXPECT_EQ(fake::count("kelqorm_reset"), 0);
    EXPECT_EQ(sim::pending_memory_faults(), 0);

    // Only that one allocation fails.
    EXPECT_EQ(qorm_init(carrier_, 2, 1, 1, &instance), 0);
    ASSERT_NE(instance, nullptr);
    instance->carrier_panel = 0;
    qorm_close(&instance);
    platform::set_allocation_check(nullptr);
}

TEST_F(InstanceTest, CloseOfAnUndisplayedInstanceReleasesInOrder) {
    const int host_panel = NewPanel(0, "Хост", 10, 10, 100, 100);
    ModuleInstance* instance = open_instance(2, host_panel);
    ASSERT_NE(instance, nullptr);
    ASSERT_FALSE(panel_visible(host_panel));
    fake::clear_log();
    fake::hooks().kelqorm_close = [host_panel](ViSession) {
        EXPECT_FALSE(panel_visible(host_panel)) << "the caller's panel comes back last";
        return VI_SUCCESS;
    };
    EXPECT_EQ(qorm_close(&instance), 0);
    EXPECT_THAT(fake::calls(), ElementsAre("kelqorm_reset(5)", "kelqorm_close(5)"));
    EXPECT_TRUE(panel_visible(host_panel));
}

TEST_F(InstanceTest, CloseAndHideRefuseNull) {
    EXPECT_EQ(qorm_close(nullptr), -1);
    ModuleInstance* none = nullptr;
    EXPECT_EQ(qorm_close(&none), -1);
    EXPECT_EQ(qorm_hide(nullptr), -1);
}

TEST_F(InstanceTest, HideOfAnIdleInstanceDoesNothing) {
    ModuleInstance* instance = open_instance();
    ASSERT_NE(instance, nullptr);
    const auto panels_before = uir::automation::panels();
    fake::clear_log();
    EXPECT_EQ(qorm_hide(instance), 0);
    EXPECT_TRUE(fake::calls().empty());
    EXPECT_EQ(uir::automation::panels(), panels_before);
    qorm_close(&instance);
}

TEST_F(InstanceTest, ReleaseOfADemoRecordCallsNoDriver) {
    ModuleInstance* demo = new_demo_instance(0);
    ASSERT_NE(demo, nullptr);
    fake::clear_log();
    EXPECT_EQ(qorm_close(&demo), 0);
    EXPECT_TRUE(fake::calls().empty());
}

// A closed or consumed record, and an address that never was a record, are refused by each of the
// four operations with -1, and nothing else happens: no driver call, no panel, no write.
TEST_F(InstanceTest, StaleAndForeignHandlesAreRefused) {
    ModuleInstance* closed = open_instance();
    ASSERT_NE(closed, nullptr);
    ASSERT_EQ(qorm_close(&closed), 0);
    ModuleInstance* consumed = open_instance();
    ASSERT_NE(consumed, nullptr);
    schedule(0.1, [&] { uir::automation::press(consumed->exit_panel, EXIT_POPUP_EXIT_YES); });
    schedule(0.05, [&] { uir::automation::press(consumed->mp_panel, MP_CLOSE); });
    ASSERT_EQ(qorm_display(consumed), 0) << "the run ends and releases the record";
    ModuleInstance never{};  // an address no qorm_init gave
    never.exit_requested = 7;

    const auto panels_before = uir::automation::panels();
    fake::clear_log();
    for (ModuleInstance* stale : {closed, consumed, &never}) {
        ModuleInstance* variable = stale;
        EXPECT_EQ(qorm_close(&variable), -1) << "closed twice";
        EXPECT_EQ(variable, stale) << "the variable is left as it is";
        EXPECT_EQ(qorm_display(stale), -1) << "no new run on a released record";
        EXPECT_EQ(qorm_hide(stale), -1);
    }
    EXPECT_TRUE(fake::calls().empty());
    EXPECT_EQ(uir::automation::panels(), panels_before);
    EXPECT_EQ(never.exit_requested, 7);
    EXPECT_EQ(never.display_active, 0);
}

// The record's address is the handle, and a live one works as before, also while it runs.
TEST_F(InstanceTest, LiveRecordsOfSeveralInstancesStayValid) {
    ModuleInstance* a = open_instance(1);
    ModuleInstance* b = open_instance(2);
    ModuleInstance* demo = new_demo_instance(0);
    ASSERT_TRUE(a && b && demo);
    EXPECT_EQ(qorm_hide(a), 0);
    EXPECT_EQ(qorm_close(&a), 0);
    EXPECT_EQ(qorm_hide(b), 0) << "closing one instance leaves the others";
    EXPECT_EQ(qorm_close(&demo), 0);
    EXPECT_EQ(qorm_close(&b), 0);
    EXPECT_EQ(qorm_close(&b), -1);
}

}  // namespace
}  // namespace qorm_test
