// Main panel set-up: panel variants by hardware revision, stagger, titles, identity fields;
// and the channel model: mpGet and mpSetView.
#include <cstring>
#include <string>

#include "front_panel_test.h"

namespace qorm_test {
namespace {

using ::testing::ElementsAre;

class SetupTest : public FrontPanelTest {
  protected:
    void SetUp() override {
        FrontPanelTest::SetUp();
        record_.session = 5;
        record_.mainframe_la = 1;
        record_.slot = 5;
        record_.mezzanine_number = 2;
        ASSERT_EQ(fake::open_module(carrier_, 2), 5u);
    }
    void set_up_with_revision(const std::string& revision) {
        sim::fitted(fake::default_carrier, 2)->hardware_revision = revision;
        load_panels(&record_);
    }
    // Limits of a single-precision control are kept in single precision.
    float attribute(int control, int attr) {
        double value = -1;
        EXPECT_EQ(GetCtrlAttribute(record_.mp_panel, control, attr, &value), 0);
        return static_cast<float>(value);
    }
    ModuleInstance record_{};
};

struct Variant {
    std::string revision;
    int group_time_mode, fine_time_step;
    float increment, minimum, maximum;
};

// One revision per panel variant; which revisions select which variant is the rule's own table
// (rules_test.cpp).
TEST_F(SetupTest, HardwareRevisionSelectsThePanelVariant) {
    const Variant variants[] = {
        {"2.3", 1, 0, 0.025f, 0.025f, 6.375f},
        {"3.0", 1, 1, 0.005f, 0.005f, 10.235f},
        {"4.1", 0, 1, 0.005f, 0.005f, 10.235f},
        {"1.9", 0, 0, 0.025f, 0.025f, 6.375f},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE("revision \"" + v.revision + "\"");
        record_ = ModuleInstance{};
        record_.session = 5;
        record_.mezzanine_number = 1;
        set_up_with_revision(v.revision);
        const int mp = record_.mp_panel;
        EXPECT_EQ(record_.group_time_mode, v.group_time_mode);
        EXPECT_EQ(record_.fine_time_step, v.fine_time_step);
        EXPECT_FLOAT_EQ(attribute(MP_GT, ATTR_INCR_VALUE), v.increment);
        EXPECT_FLOAT_EQ(attribute(MP_GT, ATTR_MIN_VALUE), v.minimum);
        EXPECT_FLOAT_EQ(attribute(MP_GT, ATTR_MAX_VALUE), v.maximum);
        EXPECT_EQ(visible(mp, MP_SET_GT), v.group_time_mode == 0);
        for (int control : mpTimeCtrls) {
            ASSERT_EQ(visible(mp, control), v.group_time_mode == 0);
            if (v.group_time_mode == 0) {
                ASSERT_FLOAT_EQ(attribute(control, ATTR_MIN_VALUE), v.minimum);
                ASSERT_FLOAT_EQ(attribute(control, ATTR_MAX_VALUE), v.maximum);
                ASSERT_FLOAT_EQ(attribute(control, ATTR_INCR_VALUE), v.increment);
            }
        }
        char callback[64] = "";
        GetCtrlAttribute(mp, MP_GT, ATTR_CALLBACK_NAME, callback);
        EXPECT_EQ(std::string(callback), v.group_time_mode ? "mpChangeT" : "");
        EXPECT_EQ(text(mp, MP_HW_VER), v.revision);
    }
}

TEST_F(SetupTest, MainPanelIsStaggeredByMezzaninePosition) {
    const struct {
        int position, top, left;
    } cases[] = {{1, 50, 51}, {4, 110, 111}, {0, 30, 31}, {2, 70, 71}};
    for (const auto& c : cases) {
        record_ = ModuleInstance{};
        record_.mezzanine_number = c.position;
        load_panels(&record_);
        int top = 0, left = 0;
        GetPanelAttribute(record_.mp_panel, ATTR_TOP, &top);
        GetPanelAttribute(record_.mp_panel, ATTR_LEFT, &left);
        EXPECT_EQ(top, c.top) << "position " << c.position;
        EXPECT_EQ(left, c.left) << "position " << c.position;
    }
}

TEST_F(SetupTest, TitlesCarryTheModulesPlaceAndPanelsTheRecord) {
    load_panels(&record_);
    EXPECT_EQ(title(record_.mp_panel), "QORM кр.1, сл.5, мез.2");
    EXPECT_EQ(title(record_.exit_panel), "QORM кр.1, сл.5, мез.2");
    EXPECT_EQ(title(record_.about_panel), "О программе... QORM кр.1, сл.5, мез.2");
    EXPECT_EQ(title(record_.st_panel), "Самоконтроль QORM кр.1, сл.5, мез.2");
    EXPECT_EQ(title(record_.zqorm_panel), "Проверка с соединителем QORM-Z QORM кр.1, сл.5, мез.2");
    for (int panel : {record_.mp_panel, record_.about_panel, record_.st_panel, record_.exit_panel,
                      record_.zqorm_panel}) {
        EXPECT_EQ(record_of(panel), &record_);
    }
}

TEST_F(SetupTest, IdentityFieldsAndVersions) {
    record_.mainframe_la = -1;  // VISA could not tell
    sim::driver().revision = "QORM drv 2.4";
    load_panels(&record_);
    const int mp = record_.mp_panel;
    EXPECT_EQ(ushort_value(mp, MP_I), 0);
    EXPECT_EQ(ushort_value(mp, MP_K), 65535);
    EXPECT_EQ(ushort_value(mp, MP_S), 5);
    EXPECT_EQ(ushort_value(mp, MP_MEZ_NUM), 2);
    EXPECT_EQ(text(record_.about_panel, ABOUT_DRVR_VERSION), "QORM drv 2.4");
    EXPECT_EQ(text(record_.about_panel, ABOUT_HRDW_VERSION), "4.1");
    EXPECT_EQ(text(record_.about_panel, ABOUT_SOFT_VERSION), "1.2.2");
    EXPECT_EQ(text(mp, MP_HW_VER), "4.1");
}

TEST_F(SetupTest, RecordWithoutModule) {
    record_.session = 0;
    // The driver leaves both texts alone.
    fake::hooks().kelqorm_revision_query = [](ViSession, ViChar*, ViChar*) { return VI_SUCCESS; };
    fake::clear_log();
    load_panels(&record_);
    EXPECT_THAT(fake::calls("kelqorm_revision_query"), ElementsAre("kelqorm_revision_query(0)"));
    EXPECT_EQ(text(record_.mp_panel, MP_HW_VER), "");
    EXPECT_EQ(text(record_.about_panel, ABOUT_DRVR_VERSION), "");
    EXPECT_EQ(text(record_.about_panel, ABOUT_HRDW_VERSION), "");
    EXPECT_EQ(record_.fine_time_step, 0);
    EXPECT_EQ(record_.group_time_mode, 0);
    EXPECT_EQ(title(record_.mp_panel), "QORM кр.1, сл.5, мез.2");
    for (int control : mpTimeCtrls) EXPECT_TRUE(visible(record_.mp_panel, control));
}

// A failed revision query leaves the variant as the texts give it (the coarse step when they
// stay empty), and says so on the error line: the ranges may not be the module's.
TEST_F(SetupTest, FailedRevisionQueryIsShownOnTheErrorLine) {
    sim::driver().error_texts[VI_ERROR_TMO] = "Превышено время ожидания";
    fake::fail("kelqorm_revision_query", VI_ERROR_TMO);
    load_panels(&record_);
    EXPECT_EQ(text(record_.mp_panel, MP_ERROR_MESSAGE), "Превышено время ожидания");
    EXPECT_EQ(record_.fine_time_step, 0);
    EXPECT_EQ(record_.group_time_mode, 0);
    EXPECT_FLOAT_EQ(attribute(MP_GT, ATTR_MAX_VALUE), 6.375f);
    EXPECT_EQ(fake::last("kelqorm_error_message"), "kelqorm_error_message(0, 0xBFFF0015)");
}

TEST_F(SetupTest, RevisionQueryOfARecordWithoutModuleIsNotReported) {
    record_.session = 0;
    fake::fail("kelqorm_revision_query", VI_ERROR_LIBRARY_NFOUND);
    load_panels(&record_);
    EXPECT_EQ(text(record_.mp_panel, MP_ERROR_MESSAGE), "") << "no module, no ranges to doubt";
    EXPECT_EQ(fake::count("kelqorm_error_message"), 0);
}

TEST_F(SetupTest, RevisionFilledToTheLastByteIsCut) {
    fake::hooks().kelqorm_revision_query = [](ViSession, ViChar* driver, ViChar* hardware) {
        std::memset(driver, 'd', KELQORM_REVISION_LEN);
        std::memset(hardware, '5', KELQORM_REVISION_LEN);
        return VI_SUCCESS;
    };
    load_panels(&record_);
    EXPECT_EQ(text(record_.about_panel, ABOUT_DRVR_VERSION),
              std::string(KELQORM_REVISION_LEN - 1, 'd'));
    EXPECT_EQ(record_.fine_time_step, 1);
}

TEST_F(SetupTest, FailingTitleWriteEndsTheSetUp) {
    record_.mp_panel = LoadPanelEx(0, QORM_UIR_FILE, MP, nullptr);
    record_.about_panel = LoadPanelEx(0, QORM_UIR_FILE, ABOUT, nullptr);
    const int panels[] = {record_.mp_panel, 987654, record_.about_panel, 0};
    fake::clear_log();
    EXPECT_LT(mpInitPanels(&record_, panels), 0);
    EXPECT_EQ(record_of(record_.mp_panel), &record_);
    EXPECT_EQ(record_of(record_.about_panel), nullptr) << "later panels are not bound";
    EXPECT_EQ(fake::count("kelqorm_revision_query"), 0);
    EXPECT_EQ(ushort_value(record_.mp_panel, MP_S), 0);
}

class ChannelModelTest : public SetupTest {
  protected:
    void SetUp() override {
        SetupTest::SetUp();
        load_panels(&record_);
        mp_ = record_.mp_panel;
    }
    int mp_ = 0;
};

TEST_F(ChannelModelTest, ManualControlDimsTheRunControlsAndEveryTime) {
    SetCtrlVal(mp_, mpLineCtrls[4], static_cast<short>(2));
    SetCtrlVal(mp_, MP_CTRL_MODE, 1);
    mpSetView(&record_);
    for (int control : {MP_START, MP_START_MODE, MP_GT, MP_SET_GT})
        EXPECT_TRUE(dimmed(mp_, control));
    EXPECT_FALSE(dimmed(mp_, MP_GRP_ON));
    EXPECT_FALSE(dimmed(mp_, MP_GRP_OFF));
    for (int control : mpTimeCtrls) EXPECT_TRUE(dimmed(mp_, control));
}

TEST_F(ChannelModelTest, TimedSwitchingUndimsTheTimesOfSelectedChannels) {
    EXPECT_EQ(set(mp_, MP_CTRL_MODE, 0), 0);  // the operator's switch, through mpCtrlMode
    for (int control : {MP_START, MP_START_MODE, MP_GT, MP_SET_GT})
        EXPECT_FALSE(dimmed(mp_, control));
    EXPECT_TRUE(dimmed(mp_, MP_GRP_ON));
    EXPECT_TRUE(dimmed(mp_, MP_GRP_OFF));
    EXPECT_TRUE(dimmed(mp_, mpTimeCtrls[6]));

    EXPECT_EQ(set(mp_, mpLineCtrls[6], 1), 0);  // channel 7 on line 1, through mpCheckChan
    EXPECT_FALSE(dimmed(mp_, mpTimeCtrls[6])) << "the time follows the line selection";
    EXPECT_TRUE(dimmed(mp_, mpTimeCtrls[7]));
    EXPECT_EQ(record_.channel_codes[6], 1);

    EXPECT_EQ(set(mp_, mpLineCtrls[6], 0), 0);
    EXPECT_TRUE(dimmed(mp_, mpTimeCtrls[6]));
    EXPECT_NE(uir::automation::press(mp_, MP_GRP_ON), 0) << "dimmed group buttons refuse";
}

TEST_F(ChannelModelTest, GetReadsSelectionsAndTimes) {
    for (int k = 0; k < QORM_CHANNELS; ++k) {
        SetCtrlVal(mp_, mpLineCtrls[k], static_cast<short>(k % 3));
        SetCtrlVal(mp_, mpTimeCtrls[k], 0.1f * static_cast<float>(k + 1));
    }
    mpGet(&record_);
    for (int k = 0; k < QORM_CHANNELS; ++k) {
        EXPECT_EQ(record_.channel_codes[k], k % 3);
        EXPECT_FLOAT_EQ(record_.channel_times[k], 0.1f * static_cast<float>(k + 1));
    }
}

TEST_F(ChannelModelTest, GroupTimeModeTakesTheCommonTimeForEveryChannel) {
    record_ = ModuleInstance{};
    record_.session = 5;
    set_up_with_revision("2.1");
    mp_ = record_.mp_panel;
    SetCtrlVal(mp_, mpTimeCtrls[3], 4.0f);
    SetCtrlVal(mp_, MP_GT, 1.25f);
    mpGet(&record_);
    for (float time : record_.channel_times) EXPECT_FLOAT_EQ(time, 1.25f);
}

}  // namespace
}  // namespace qorm_test
