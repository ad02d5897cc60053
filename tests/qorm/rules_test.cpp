// The front panel's pure decisions, table by table: the panel variant by hardware revision, the
// command a switch click sends, the dimming by control mode and line, the state texts.
#include <gtest/gtest.h>

#include <string>

#include "rules.h"

namespace qorm_test {
namespace {

TEST(PanelVariantRule, FirstCharacterOfTheHardwareRevision) {
    const struct {
        std::string revision;
        bool group_time_mode, fine_time_step;
    } rows[] = {
        {"2", true, false},     {"2.3", true, false},         {"3", true, true},
        {"3.0", true, true},    {"4.1", false, true},         {"9", false, true},
        {"A7", false, true},    {"z", false, true},           {"~", false, true},
        {"\x7F", false, true},  {"1.9", false, false},        {"0", false, false},
        {"", false, false},     {" 4", false, false},         {".5", false, false},
        {"\x01", false, false}, {"\xD0\x90-1", false, false},  // a first byte of 128 or more
        {"\x80", false, false}, {"\xFF", false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("revision \"" + row.revision + "\"");
        const PanelVariant v = panel_variant(row.revision.c_str());
        EXPECT_EQ(v.group_time_mode, row.group_time_mode);
        EXPECT_EQ(v.fine_time_step, row.fine_time_step);
    }
    const PanelVariant none = panel_variant(nullptr);
    EXPECT_FALSE(none.group_time_mode || none.fine_time_step) << "no text at all is an empty one";
}

TEST(SwitchRule, CommandAndSwitchByStateSwitchAndLine) {
    const struct {
        ViInt16 state;
        int switch_value;  // after the click
        ViInt16 line;
        ViInt16 code, on;
        bool switch_off_now;
    } rows[] = {
        // An active channel is switched off, whatever the switch and the line show.
        {1, 1, 1, 0, 0, true},
        {2, 1, 2, 0, 0, true},
        {3, 1, 0, 0, 0, true},
        {1, 0, 2, 0, 0, true},
        {3, 0, 1, 0, 0, true},
        {-1, 1, 1, 0, 0, true},  // any code but 0 counts as active
        // An idle channel switched on goes onto its line; with no line it gets the off command.
        {0, 1, 1, 1, 1, false},
        {0, 1, 2, 2, 1, false},
        {0, 1, 0, 0, 0, false},
        // An idle channel switched off: the off command, the line is not looked at.
        {0, 0, 1, 0, 0, false},
        {0, 0, 2, 0, 0, false},
        {0, 0, 0, 0, 0, false},
        // A switch value that is neither 0 nor 1 switches nothing on.
        {0, 2, 1, 0, 0, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("state " + std::to_string(row.state) + ", switch " +
                     std::to_string(row.switch_value) + ", line " + std::to_string(row.line));
        const SwitchCommand c = switch_command(row.state, row.switch_value, row.line);
        EXPECT_EQ(c.code, row.code);
        EXPECT_EQ(c.on, row.on);
        EXPECT_EQ(c.switch_off_now, row.switch_off_now);
        EXPECT_FALSE(c.on == 1 && c.code == 0) << "never on with no line";
    }
}

TEST(DimmingRule, ControlModeAndLineSelection) {
    const struct {
        int mode;
        bool run_controls, group_buttons;
    } modes[] = {{1, true, false}, {0, false, true}, {2, false, true}, {-1, false, true}};
    for (const auto& m : modes) {
        SCOPED_TRACE("control mode " + std::to_string(m.mode));
        const ViewDimming d = view_dimming(m.mode);
        EXPECT_EQ(d.run_controls, m.run_controls);
        EXPECT_EQ(d.group_buttons, m.group_buttons);
        EXPECT_NE(d.run_controls, d.group_buttons) << "exactly one group is usable";
    }
    const struct {
        int mode;
        ViInt16 line;
        bool dimmed;
    } times[] = {{1, 0, true},  {1, 1, true},  {1, 2, true}, {0, 0, true},
                 {0, 1, false}, {0, 2, false}, {2, 0, true}, {2, 1, false}};
    for (const auto& t : times) {
        EXPECT_EQ(channel_time_dimmed(t.mode, t.line), t.dimmed)
            << "control mode " << t.mode << ", line " << t.line;
    }
}

TEST(StateTextRule, FourCodesAndAMarkForTheRest) {
    const struct {
        ViInt16 code;
        const char* text;
    } rows[] = {{0, "-"}, {1, "1"},  {2, "2"},      {3, "X"},
                {4, "?"}, {-1, "?"}, {0x7FFF, "?"}, {static_cast<ViInt16>(0x8000), "?"}};
    for (const auto& row : rows) EXPECT_STREQ(state_text(row.code), row.text) << row.code;
}

}  // namespace
}  // namespace qorm_test
