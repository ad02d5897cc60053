#include "si_fixture.h"

#include <cstring>

#include "bindings.h"

namespace si_test {

void SiTest::SetUp() {
    HeadlessTest::SetUp();
    std::memset(Instruments, 0, sizeof Instruments);
    CurInstr = nullptr;
    // The selection panel of an earlier test went with its run-time.
    siPanel = 0;
    siControls = {};
    use_fake();
}

void SiTest::TearDown() {
    // Nothing of one test's crate or scripts reaches the next; the fake stays bound so that no
    // call can wander off to a system library.
    use_fake();
    sim::install(sim::Crate{});
    sim::set_clock(nullptr);
    HeadlessTest::TearDown();
}

void SiTest::use_fake() {
    fake::reset();
    fake::bind_all();
}

void SiTest::use_instruments(std::vector<sim::Instrument> instruments) {
    sim::Crate crate = fake::default_crate();
    crate.instruments = std::move(instruments);
    sim::install(crate);
}

void SiTest::use_crate(const std::string& yaml) {
    std::string error;
    std::optional<sim::Crate> crate = sim::load_crate_text(yaml, "test crate", &error);
    ASSERT_TRUE(crate.has_value()) << error;
    use_crate(*crate);
}

void SiTest::use_crate(const sim::Crate& crate) {
    sim::set_clock([] { return Timer(); });
    sim::install(crate);
    platform::bind_visa(sim::visa_api());
    platform::bind_kelqorm(sim::kelqorm_api());
    platform::bind_kelbase(sim::kelbase_api());
}

void SiTest::at(double t, std::function<void()> step) {
    uir::headless::schedule(t - uir::headless::now(), std::move(step));
}

InstrumentEntry entry(const char* name, ViUInt16 model, ViInt16 la, ViInt16 slot, ViInt16 mainframe,
                      ViInt16 interface_number) {
    InstrumentEntry e{};
    std::strncpy(e.resource_name, name, sizeof e.resource_name - 1);
    e.model_code = model;
    e.interface_number = interface_number;
    e.mainframe_la = mainframe;
    e.logical_address = la;
    e.slot = slot;
    return e;
}

void fill_with_sentinel() {
    for (int k = 0; k < kInstrumentsMax; ++k)
        Instruments[k] = entry("SENTINEL", 0x0ABC, static_cast<ViInt16>(k + 1), 7);
}

bool holds_sentinel() {
    for (int k = 0; k < kInstrumentsMax; ++k) {
        const InstrumentEntry& e = Instruments[k];
        if (std::strcmp(e.resource_name, "SENTINEL") != 0 || e.model_code != 0x0ABC ||
            e.logical_address != k + 1 || e.slot != 7)
            return false;
    }
    return true;
}

std::vector<std::string> list_lines(int panel, int control) {
    std::vector<std::string> lines;
    int count = 0;
    EXPECT_EQ(GetNumListItems(panel, control, &count), 0);
    for (int k = 0; k < count; ++k) {
        char label[256] = "";
        EXPECT_EQ(GetLabelFromIndex(panel, control, k, label), 0);
        lines.emplace_back(label);
    }
    return lines;
}

std::vector<int> list_values(int panel, int control) {
    std::vector<int> values;
    int count = 0;
    EXPECT_EQ(GetNumListItems(panel, control, &count), 0);
    for (int k = 0; k < count; ++k) {
        int value = -1;
        EXPECT_EQ(GetValueFromIndex(panel, control, k, &value), 0);
        values.push_back(value);
    }
    return values;
}

bool panel_visible(int panel) {
    int visible = 0;
    EXPECT_EQ(GetPanelAttribute(panel, ATTR_VISIBLE, &visible), 0);
    return visible != 0;
}

std::string panel_title(int panel) {
    char title[256] = "";
    EXPECT_EQ(GetPanelAttribute(panel, ATTR_TITLE, title), 0);
    return title;
}

int ctrl_int_attribute(int panel, int control, int attribute) {
    int value = -1;
    EXPECT_EQ(GetCtrlAttribute(panel, control, attribute, &value), 0);
    return value;
}

int panel_int_attribute(int panel, int attribute) {
    int value = -1;
    EXPECT_EQ(GetPanelAttribute(panel, attribute, &value), 0);
    return value;
}

}  // namespace si_test
