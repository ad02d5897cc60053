#include "front_panel_test.h"

#include <cstdint>

namespace qorm_test {

void FrontPanelTest::SetUp() {
    HeadlessTest::SetUp();
    fake::reset();
    fake::bind_all();
    status = 0;
    zqormPanel = 0;
    qorm_register_callbacks();
    carrier_ = fake::open_session();
}

void FrontPanelTest::TearDown() {
    HeadlessTest::TearDown();
    platform::bind_visa(nullptr);
    platform::bind_kelqorm(nullptr);
    platform::bind_kelbase(nullptr);
}

void FrontPanelTest::install_carrier(const sim::Instrument& carrier) {
    sim::Crate crate = fake::default_crate();
    crate.instruments = {carrier};
    sim::install(crate);
    carrier_ = fake::open_session(carrier.resource);
}

ModuleInstance* FrontPanelTest::open_instance(ViUInt16 mezzanine, int carrier_panel) {
    auto* instance = reinterpret_cast<ModuleInstance*>(static_cast<intptr_t>(carrier_panel));
    EXPECT_EQ(qorm_init(carrier_, mezzanine, 1, 1, &instance), 0);
    return instance;
}

void FrontPanelTest::load_panels(ModuleInstance* instance) {
    int panels[kFrontPanelCount + 1] = {};
    for (int k = 0; k < kFrontPanelCount; ++k) {
        panels[k] = LoadPanelEx(0, QORM_UIR_FILE, kFrontPanels[k].layout_id, nullptr);
        ASSERT_GT(panels[k], 0);
        instance->*kFrontPanels[k].handle = panels[k];
    }
    mpInitPanels(instance, panels);
    instance->display_active = 1;
    DisplayPanel(instance->mp_panel);
}

int FrontPanelTest::press(int panel, int control) {
    const int st = uir::automation::press(panel, control);
    ProcessSystemEvents();
    return st;
}

int FrontPanelTest::set(int panel, int control, int value) {
    const int st = uir::automation::set_value(panel, control, value);
    ProcessSystemEvents();
    return st;
}

int FrontPanelTest::set(int panel, int control, double value) {
    const int st = uir::automation::set_value(panel, control, value);
    ProcessSystemEvents();
    return st;
}

std::string text(int panel, int control) {
    return test_support::ctrl_text(panel, control);
}

int int_value(int panel, int control) {
    int value = -12345;
    EXPECT_EQ(GetCtrlVal(panel, control, &value), 0);
    return value;
}

short short_value(int panel, int control) {
    short value = -12345;
    EXPECT_EQ(GetCtrlVal(panel, control, &value), 0);
    return value;
}

unsigned short ushort_value(int panel, int control) {
    unsigned short value = 12345;
    EXPECT_EQ(GetCtrlVal(panel, control, &value), 0);
    return value;
}

float float_value(int panel, int control) {
    float value = -12345;
    EXPECT_EQ(GetCtrlVal(panel, control, &value), 0);
    return value;
}

bool dimmed(int panel, int control) {
    int value = -1;
    EXPECT_EQ(GetCtrlAttribute(panel, control, ATTR_DIMMED, &value), 0);
    return value != 0;
}

bool visible(int panel, int control) {
    int value = -1;
    EXPECT_EQ(GetCtrlAttribute(panel, control, ATTR_VISIBLE, &value), 0);
    return value != 0;
}

bool panel_visible(int panel) {
    int value = -1;
    EXPECT_EQ(GetPanelAttribute(panel, ATTR_VISIBLE, &value), 0);
    return value != 0;
}

std::string title(int panel) {
    char buffer[512] = "";
    EXPECT_EQ(GetPanelAttribute(panel, ATTR_TITLE, buffer), 0);
    return buffer;
}

bool panel_exists(int panel) {
    int value = 0;
    return GetPanelAttribute(panel, ATTR_VISIBLE, &value) >= 0;
}

}  // namespace qorm_test
