// The front panel under the rules both views follow: the Tab chain of the main panel and the
// values that show a fault, on the simulated crate.
#include <algorithm>
#include <string>
#include <vector>

#include "core/faults.h"
#include "core/model.h"
#include "core/tab_chain.h"
#include "front_panel_test.h"
#include "sim/crate.h"
#include "sim/sim.h"

namespace qorm_test {
namespace {

constexpr char kCarrier[] = "VXI0::8::INSTR";
constexpr ViUInt16 kPosition = 2;

class ViewRulesTest : public FrontPanelTest {
  protected:
    void SetUp() override {
        FrontPanelTest::SetUp();
        sim::set_clock([] { return Timer(); });
        platform::bind_visa(sim::visa_api());
        platform::bind_kelqorm(sim::kelqorm_api());
        platform::bind_kelbase(sim::kelbase_api());
    }
    void TearDown() override {
        if (instance_ != nullptr) {
            instance_->display_active = 0;  // the panels go with the run-time
            qorm_close(&instance_);
        }
        sim::install(sim::Crate{});
        sim::set_clock(nullptr);
        FrontPanelTest::TearDown();
    }

    void open(sim::Mezzanine module = {}) {
        sim::Crate crate;
        sim::Instrument carrier;
        carrier.resource = kCarrier;
        carrier.slot = 3;
        carrier.model_code = 0x155;
        carrier.carrier = sim::Carrier{};
        module.position = kPosition;
        carrier.carrier->mezzanines.push_back(module);
        crate.instruments.push_back(carrier);
        sim::install(crate);
        ViSession session = 0;
        ASSERT_EQ(kelbase_init(const_cast<char*>(kCarrier), 1, 1, &session), VI_SUCCESS);
        ASSERT_EQ(qorm_init(session, kPosition, 1, 1, &instance_), 0);
        ASSERT_NE(instance_, nullptr);
        load_panels(instance_);
    }
    bool fault_shown(int panel, int control) {
        const uir::Control* c = uir::model::find_control(panel, control);
        EXPECT_NE(c, nullptr);
        return c && uir::rules::shows_fault(*c);
    }

    ModuleInstance* instance_ = nullptr;
};

TEST_F(ViewRulesTest, TabWalksTheChannelsFromChannelOneThenThePanelWideControls) {
    open();
    const int mp = instance_->mp_panel;
    const std::vector<int> chain = uir::rules::panel_tab_chain(mp);
    std::vector<int> channels;
    for (int i = 0; i < 30; ++i) {
        channels.push_back(mpLineCtrls[i]);
        channels.push_back(mpSwitchCtrls[i]);
        channels.push_back(mpTimeCtrls[i]);
    }
    ASSERT_GE(chain.size(), channels.size());
    EXPECT_EQ(std::vector<int>(chain.begin(), chain.begin() + 90), channels);
    const std::vector<int> panel_wide(chain.begin() + 90, chain.end());
    EXPECT_EQ(panel_wide,
              (std::vector<int>{MP_COMMANDBUTTON_2, MP_COMMANDBUTTON_4, MP_COMMANDBUTTON_3,
                                MP_GRP_ON, MP_GRP_OFF, MP_CTRL_MODE, MP_START_MODE, MP_GT,
                                MP_SET_GT, MP_START, MP_CHECKSTATE, MP_STATE_CONT, MP_FIXRST,
                                MP_RESET, MP_SELFTEST, MP_BAZA, MP_CLOSE, MP_ERROR_MESSAGE_OK}));
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(std::count(chain.begin(), chain.end(), mpFix1Ctrls[i]), 0) << "a lamp";
        EXPECT_EQ(std::count(chain.begin(), chain.end(), mpFix2Ctrls[i]), 0) << "a lamp";
    }
}

TEST_F(ViewRulesTest, SmallPanelsTabFromTheirFirstControl) {
    open();
    EXPECT_EQ(uir::rules::panel_tab_chain(instance_->exit_panel),
              (std::vector<int>{EXIT_POPUP_EXIT_YES, EXIT_POPUP_EXIT_NO}));
    EXPECT_EQ(uir::rules::panel_tab_chain(instance_->st_panel), (std::vector<int>{ST_CLOSE}));
    EXPECT_TRUE(uir::rules::panel_tab_chain(-1).empty());
}

TEST_F(ViewRulesTest, ChannelFaultIsShownAsOne) {
    sim::Mezzanine module;
    module.stuck_channels = {{30, 3}, {12, 1}};
    open(module);
    const int mp = instance_->mp_panel;
    ASSERT_EQ(press(mp, MP_CHECKSTATE), 0);
    EXPECT_EQ(text(mp, mpStateCtrls[29]), "X");
    EXPECT_TRUE(fault_shown(mp, mpStateCtrls[29]));
    EXPECT_FALSE(fault_shown(mp, mpStateCtrls[11])) << "on line 1 is no fault";
    EXPECT_FALSE(fault_shown(mp, mpStateCtrls[0]));
}

TEST_F(ViewRulesTest, FailedSelfTestIsShownAsAFaultAndAPassIsNot) {
    open();
    ASSERT_EQ(press(instance_->mp_panel, MP_SELFTEST), 0);
    EXPECT_EQ(short_value(instance_->st_panel, ST_RESULT), 0);
    EXPECT_FALSE(fault_shown(instance_->st_panel, ST_RESULT));

    sim::Mezzanine failing;
    failing.self_test_failure = sim::SelfTestFailure{5, "Ошибка регистра управления каналов 1-8"};
    instance_->display_active = 0;
    qorm_close(&instance_);
    open(failing);
    ASSERT_EQ(press(instance_->mp_panel, MP_SELFTEST), 0);
    EXPECT_EQ(short_value(instance_->st_panel, ST_RESULT), 5);
    EXPECT_TRUE(fault_shown(instance_->st_panel, ST_RESULT));
}

}  // namespace
}  // namespace qorm_test
