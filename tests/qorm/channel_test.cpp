#include "channel_test.h"

#include <cstdio>

namespace qorm_test {

void ChannelTest::SetUp() {
    FrontPanelTest::SetUp();
    record_.session = kSession;
    record_.mainframe_la = 1;
    record_.slot = 5;
    record_.mezzanine_number = 2;
    ASSERT_EQ(fake::open_module(carrier_, 2), kSession);
    load_panels(&record_);
    mp_ = record_.mp_panel;
    fake::clear_log();
}

void ChannelTest::reload_with_revision(const std::string& revision) {
    for (const FrontPanel& panel : kFrontPanels) DiscardPanel(record_.*panel.handle);
    module().hardware_revision = revision;
    load_panels(&record_);
    mp_ = record_.mp_panel;
    fake::clear_log();
}

sim::Mezzanine& ChannelTest::module() {
    sim::Mezzanine* m = sim::fitted(fake::default_carrier, 2);
    EXPECT_NE(m, nullptr);
    return *m;
}

sim::Readback& ChannelTest::readback() {
    return module().readback;
}

void ChannelTest::choose_timed_switching() {
    ASSERT_EQ(set(mp_, MP_CTRL_MODE, 0), 0);
}

void ChannelTest::set_continuous_polling(bool on) {
    ASSERT_EQ(set(mp_, MP_STATE_CONT, on ? 1 : 0), 0);
}

bool timer_enabled(int panel) {
    int enabled = -1;
    EXPECT_EQ(GetCtrlAttribute(panel, MP_TIMER, ATTR_ENABLED, &enabled), 0);
    return enabled != 0;
}

std::vector<std::string> textbox_lines(int panel, int control) {
    int count = -1;
    EXPECT_EQ(GetNumTextBoxLines(panel, control, &count), 0);
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        char line[1024] = "";
        EXPECT_EQ(GetTextBoxLine(panel, control, i, line), 0);
        lines.emplace_back(line);
    }
    return lines;
}

namespace {

std::string value_text(int panel, int control, int type) {
    char buffer[64] = "";
    switch (type) {
        case VAL_INTEGER: {
            int v = 0;
            if (GetCtrlVal(panel, control, &v) == 0) std::snprintf(buffer, sizeof buffer, "%d", v);
            break;
        }
        case VAL_SHORT_INTEGER: {
            short v = 0;
            if (GetCtrlVal(panel, control, &v) == 0) std::snprintf(buffer, sizeof buffer, "%d", v);
            break;
        }
        case VAL_UNSIGNED_SHORT_INTEGER: {
            unsigned short v = 0;
            if (GetCtrlVal(panel, control, &v) == 0) std::snprintf(buffer, sizeof buffer, "%u", v);
            break;
        }
        case VAL_FLOAT: {
            float v = 0;
            if (GetCtrlVal(panel, control, &v) == 0)
                std::snprintf(buffer, sizeof buffer, "%.9g", v);
            break;
        }
        case VAL_DOUBLE: {
            double v = 0;
            if (GetCtrlVal(panel, control, &v) == 0)
                std::snprintf(buffer, sizeof buffer, "%.17g", v);
            break;
        }
        case VAL_STRING: {
            std::vector<char> text(1 << 16);
            if (GetCtrlValString(panel, control, text.data(), text.size()) == 0)
                return '"' + std::string(text.data()) + '"';
            break;
        }
        default:
            break;
    }
    return buffer;
}

}  // namespace

std::vector<std::string> snapshot(int panel) {
    std::vector<std::string> controls;
    for (int id = 1; id < 512; ++id) {
        int style = 0;
        if (GetCtrlAttribute(panel, id, ATTR_CTRL_STYLE, &style) < 0) continue;
        int type = VAL_NO_TYPE, dim = 0, shown = 0;
        GetCtrlAttribute(panel, id, ATTR_DATA_TYPE, &type);
        GetCtrlAttribute(panel, id, ATTR_DIMMED, &dim);
        GetCtrlAttribute(panel, id, ATTR_VISIBLE, &shown);
        std::string entry = std::to_string(id) + " " + value_text(panel, id, type) + " " +
                            std::to_string(dim) + " " + std::to_string(shown);
        int enabled = 0;
        if (style == CTRL_TIMER && GetCtrlAttribute(panel, id, ATTR_ENABLED, &enabled) == 0)
            entry += enabled ? " on" : " off";
        controls.push_back(entry);
    }
    return controls;
}

}  // namespace qorm_test
