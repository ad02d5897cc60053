// Ids, constant names and callbacks: the numbers the code addresses controls by, checked against
// the reference tables below and the header's constants.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "layout_view.h"

using layout_test::panel;

namespace {

// The channel table: per channel the ids of its switch, time, line ring, state text and lamps.
struct ChannelRow {
    int sw, t, l, st, fix1, fix2;
};
constexpr ChannelRow kTable[30] = {
    {145, 56, 192, 228, 144, 143}, {83, 23, 191, 227, 113, 142}, {78, 19, 190, 226, 112, 141},
    {73, 17, 189, 225, 111, 140},  {68, 16, 188, 224, 110, 139}, {60, 15, 187, 223, 109, 138},
    {25, 14, 186, 222, 108, 137},  {22, 12, 185, 221, 107, 136}, {84, 54, 184, 220, 106, 135},
    {82, 50, 183, 219, 105, 134},  {81, 49, 182, 218, 104, 133}, {80, 46, 181, 217, 103, 132},
    {79, 45, 180, 216, 102, 131},  {77, 44, 179, 215, 101, 130}, {76, 43, 178, 214, 100, 129},
    {75, 42, 177, 213, 99, 128},   {74, 41, 176, 212, 98, 127},  {72, 40, 175, 211, 97, 126},
    {71, 39, 174, 210, 96, 125},   {70, 38, 173, 209, 95, 124},  {69, 37, 172, 208, 94, 123},
    {67, 36, 171, 207, 93, 122},   {66, 35, 170, 206, 92, 121},  {65, 33, 169, 205, 91, 120},
    {61, 32, 168, 204, 90, 119},   {59, 31, 167, 203, 89, 118},  {58, 30, 166, 202, 88, 117},
    {57, 29, 165, 201, 87, 116},   {55, 28, 164, 200, 86, 115},  {53, 27, 163, 199, 85, 114},
};

// Every control outside the channel families: panel, constant, id, kind, callback.
struct Ref {
    int panel;
    const char* name;
    int id;
    int kind;
    const char* callback;
};
// clang-format off
#define R(p, name, kind, cb) Ref{p, #name, name, CTRL_##kind, cb}
constexpr Ref kRefs[] = {
    R(ABOUT, ABOUT_COMMANDBUTTON, COMMAND_BUTTON, "closePanelCB"),
    R(ABOUT, ABOUT_DECORATION, DECORATION, nullptr), R(ABOUT, ABOUT_PICTURE_2, PICTURE, nullptr),
    R(ABOUT, ABOUT_DRVR_VERSION, STRING, nullptr), R(ABOUT, ABOUT_TEXTMSG_2, TEXT_MSG, nullptr),
    R(ABOUT, ABOUT_SOFT_VERSION, STRING, nullptr), R(ABOUT, ABOUT_HRDW_VERSION, STRING, nullptr),
    R(EXIT_POPUP, EXIT_POPUP_EXIT_YES, COMMAND_BUTTON, "exit_yes"),
    R(EXIT_POPUP, EXIT_POPUP_EXIT_NO, COMMAND_BUTTON, "closePanelCB"),
    R(EXIT_POPUP, EXIT_POPUP_TEXTMSG, TEXT_MSG, nullptr), R(ST, ST_RESULT, NUMERIC, nullptr),
    R(ST, ST_MSG, STRING, nullptr), R(ST, ST_CLOSE, COMMAND_BUTTON, "closePanelCB"),
    R(ZQORM, ZQORM_COMMANDBUTTON, COMMAND_BUTTON, "zqormClose"),
    R(ZQORM, ZQORM_TEXTBOX, TEXT_BOX, nullptr), R(MP, MP_DECORATION_4, DECORATION, nullptr),
    R(MP, MP_TEXTMSG_2, TEXT_MSG, nullptr), R(MP, MP_TEXTMSG_3, TEXT_MSG, nullptr),
    R(MP, MP_VXI_LOGO, PICTURE, nullptr), R(MP, MP_PICTURE_2, PICTURE, nullptr),
    R(MP, MP_TIMER, TIMER, "mpCheckState"), R(MP, MP_CLOSE, COMMAND_BUTTON, "mpExit"),
    R(MP, MP_CHECKSTATE, COMMAND_BUTTON, "mpCheckState"),
    R(MP, MP_RESET, COMMAND_BUTTON, "mpReset"), R(MP, MP_GT, NUMERIC, nullptr),
    R(MP, MP_LED, LED, nullptr), R(MP, MP_I, NUMERIC, nullptr), R(MP, MP_MEZ_NUM, NUMERIC, nullptr),
    R(MP, MP_S, NUMERIC, nullptr), R(MP, MP_K, NUMERIC, nullptr),
    R(MP, MP_DECORATION_43, DECORATION, nullptr), R(MP, MP_DECORATION_44, DECORATION, nullptr),
    R(MP, MP_ERROR_MESSAGE, STRING, nullptr),
    R(MP, MP_ERROR_MESSAGE_OK, COMMAND_BUTTON, "errMessOk"),
    R(MP, MP_BAZA, COMMAND_BUTTON, "showBase"), R(MP, MP_SELFTEST, COMMAND_BUTTON, "mpSelftest"),
    R(MP, MP_GRP_OFF, COMMAND_BUTTON, "mpGrpOFF"), R(MP, MP_FIXRST, COMMAND_BUTTON, "mpResetFix"),
    R(MP, MP_GRP_ON, COMMAND_BUTTON, "mpGrpON"), R(MP, MP_START_MODE, BINARY_SWITCH, nullptr),
    R(MP, MP_CTRL_MODE, BINARY_SWITCH, "mpCtrlMode"), R(MP, MP_START, TOGGLE_BUTTON, "mpStart"),
    R(MP, MP_DECORATION_46, DECORATION, nullptr), R(MP, MP_DECORATION_50, DECORATION, nullptr),
    R(MP, MP_DECORATION_49, DECORATION, nullptr), R(MP, MP_SET_GT, COMMAND_BUTTON, "mpSetGT"),
    R(MP, MP_COMMANDBUTTON_3, COMMAND_BUTTON, "mpUnSelectAll"),
    R(MP, MP_COMMANDBUTTON_4, COMMAND_BUTTON, "mpSelectAll_2"),
    R(MP, MP_COMMANDBUTTON_2, COMMAND_BUTTON, "mpSelectAll_1"),
    R(MP, MP_TEXTMSG_9, TEXT_MSG, nullptr), R(MP, MP_TEXTMSG, TEXT_MSG, nullptr),
    R(MP, MP_DECORATION_51, DECORATION, nullptr), R(MP, MP_STATE_CONT, CHECK_BOX, "mpStateCont"),
    R(MP, MP_DECORATION_52, DECORATION, nullptr), R(MP, MP_TEXTMSG_4, TEXT_MSG, nullptr),
    R(MP, MP_TEXTMSG_5, TEXT_MSG, nullptr), R(MP, MP_TEXTMSG_6, TEXT_MSG, nullptr),
    R(MP, MP_TEXTMSG_7, TEXT_MSG, nullptr), R(MP, MP_TEXTMSG_8, TEXT_MSG, nullptr),
    R(MP, MP_DECORATION_48, DECORATION, nullptr), R(MP, MP_DECORATION_53, DECORATION, nullptr),
    R(MP, MP_DECORATION_47, DECORATION, nullptr), R(MP, MP_HW_VER, TEXT_MSG, nullptr),
};
// clang-format on
#undef R

struct Expected {
    int id;
    int kind;
    std::string callback;
};

// Constant name -> what the layout must give it, for every control of every panel.
std::map<std::string, Expected> expected_controls() {
    std::map<std::string, Expected> out;
    for (const auto& r : kRefs) out[r.name] = {r.id, r.kind, r.callback ? r.callback : ""};
    for (int i = 1; i <= 30; ++i) {
        const auto n = std::to_string(i);
        const auto& t = kTable[i - 1];
        out["MP_SWITCH_" + n] = {t.sw, CTRL_TOGGLE_BUTTON, "mpSwitch"};
        out["MP_T_" + n] = {t.t, CTRL_NUMERIC, "mpChangeT"};
        out["MP_L_" + n] = {t.l, CTRL_RING, "mpCheckChan"};
        out["MP_ST_" + n] = {t.st, CTRL_STRING, ""};
        out["MP_1FIX_" + n] = {t.fix1, CTRL_LED, "mpClickFix"};
        out["MP_2FIX_" + n] = {t.fix2, CTRL_LED, "mpClickFix"};
    }
    return out;
}

TEST(ChannelIds, HeaderAgreesWithTheTable) {
    for (int i = 1; i <= 30; ++i) {
        SCOPED_TRACE("channel " + std::to_string(i));
        const auto& h = layout_test::channel(i);
        const auto& t = kTable[i - 1];
        EXPECT_EQ(h.sw, t.sw);
        EXPECT_EQ(h.t, t.t);
        EXPECT_EQ(h.l, t.l);
        EXPECT_EQ(h.st, t.st);
        EXPECT_EQ(h.fix1, t.fix1);
        EXPECT_EQ(h.fix2, t.fix2);
    }
}

TEST(ChannelIds, HeaderFollowsTheFamilyRules) {
    for (int i = 1; i <= 30; ++i) {
        SCOPED_TRACE("channel " + std::to_string(i));
        const auto& h = layout_test::channel(i);
        EXPECT_EQ(h.l, 193 - i);
        EXPECT_EQ(h.st, 229 - i);
        EXPECT_EQ(h.fix2, 144 - i);
        EXPECT_EQ(h.fix1, i == 1 ? 144 : 115 - i);
    }
}

TEST(ControlIds, MainPanelHoldsExactlyIds2To229) {
    std::multiset<int> ids;
    for (const auto& c : panel(MP).controls) ids.insert(c.id);
    ASSERT_EQ(ids.size(), 228u);
    for (int id = 2; id <= 229; ++id) EXPECT_EQ(ids.count(id), 1u) << "id " << id;
}

TEST(ControlIds, UniqueWithinEachPanelAndNumberedFrom2) {
    for (const auto& p : qorm_layout().panels) {
        std::set<int> ids;
        for (const auto& c : p.controls) {
            EXPECT_TRUE(ids.insert(c.id).second) << p.constant_name << " repeats " << c.id;
            EXPECT_GE(c.id, 2) << c.constant_name;
        }
        EXPECT_EQ(*ids.rbegin(), static_cast<int>(ids.size()) + 1) << p.constant_name;
    }
}

// Every control carries its constant's exact identifier with that constant's id, kind and
// callback; every constant of the header appears exactly once.
TEST(ControlIds, NamesIdsKindsAndCallbacksMatchTheConstants) {
    auto expected = expected_controls();
    std::set<std::string> seen;
    for (const auto& p : qorm_layout().panels) {
        for (const auto& c : p.controls) {
            SCOPED_TRACE(c.constant_name);
            ASSERT_TRUE(seen.insert(c.constant_name).second) << "constant name used twice";
            const auto it = expected.find(c.constant_name);
            ASSERT_NE(it, expected.end()) << "not a constant of the layout";
            EXPECT_EQ(std::string(c.constant_name).rfind(std::string(p.constant_name) + "_", 0), 0u)
                << "prefixed with its panel's constant";
            EXPECT_EQ(c.id, it->second.id);
            EXPECT_EQ(c.kind, it->second.kind);
            EXPECT_EQ(c.callback ? c.callback : "", it->second.callback);
        }
    }
    EXPECT_EQ(seen.size(), expected.size());
}

// The layout binds callbacks by name: a name the system does not define would fail the load.
TEST(Callbacks, EveryNameIsOneOfTheSystemsCallbacks) {
    const std::set<std::string> control_cbs = {
        "closePanelCB",  "exit_yes",    "mpExit",      "mpCheckState",  "mpReset",
        "mpChangeT",     "mpSwitch",    "mpCheckChan", "mpClickFix",    "errMessOk",
        "showBase",      "mpSelftest",  "mpGrpOFF",    "mpResetFix",    "mpGrpON",
        "mpCtrlMode",    "mpStart",     "mpSetGT",     "mpUnSelectAll", "mpSelectAll_2",
        "mpSelectAll_1", "mpStateCont", "zqormClose"};
    const std::set<std::string> panel_cbs = {"closePCB", "mpClose"};
    for (const auto& p : qorm_layout().panels) {
        if (p.callback) {
            EXPECT_EQ(panel_cbs.count(p.callback), 1u) << p.callback;
        }
        for (const auto& c : p.controls) {
            if (c.callback) {
                EXPECT_EQ(control_cbs.count(c.callback), 1u) << c.callback;
            }
        }
        if (!p.menu_bar) continue;
        for (const auto& m : p.menu_bar->menus) {
            for (const auto& item : m.items) {
                if (item.callback) {
                    EXPECT_STREQ(item.callback, "mnuCB");
                }
            }
        }
    }
}

}  // namespace
