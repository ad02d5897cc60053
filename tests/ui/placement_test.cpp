// Where popups, small panels and windows come up, and how titles are cut.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/placement.h"
#include "recorder.h"

namespace uir_test {
namespace {

using namespace uir::rules;

TEST(PopupOwner, InnermostRunningPanelOnTheScreen) {
    const std::set<int> shown = {3, 7};
    const auto visible = [&](int p) { return shown.count(p) > 0; };
    EXPECT_EQ(popup_owner(std::vector<int>{3}, visible), 3);
    EXPECT_EQ(popup_owner(std::vector<int>{3, 7}, visible), 7) << "a callback inside a callback";
    EXPECT_EQ(popup_owner(std::vector<int>{3, 5}, visible), 3) << "5 is hidden";
    EXPECT_EQ(popup_owner(std::vector<int>{5}, visible), 0);
    EXPECT_EQ(popup_owner({}, visible), 0) << "raised outside any callback";
    EXPECT_EQ(popup_owner(std::vector<int>{3}, nullptr), 0);
}

TEST(PopupFrame, CentredOverTheOwnerAndKeptOnTheScreen) {
    const Rect screen{0, 0, 1600, 1000};
    const Rect box{0, 0, 300, 120};
    EXPECT_EQ(popup_frame({51, 50, 630, 600}, box, screen), (Rect{216, 290, 300, 120}));
    EXPECT_EQ(popup_frame({1400, 900, 400, 300}, box, screen), (Rect{1300, 880, 300, 120}))
        << "an owner partly off the screen";
    EXPECT_EQ(popup_frame({}, box, screen), (Rect{650, 440, 300, 120})) << "no owner";
    EXPECT_EQ(popup_frame({0, 0, 100, 100}, {0, 0, 2000, 50}, screen), (Rect{0, 25, 2000, 50}))
        << "wider than the screen: its left edge stays on it";
    EXPECT_EQ(popup_frame({100, 100, 200, 200}, box, {0, 30, 1600, 970}).top, 140);
}

TEST(AnchorPanel, OneFrontPanelsPanelsFollowItsFirstOne) {
    int a = 0, b = 0;
    const std::vector<PanelKey> panels = {
        {1, "", nullptr},           // the carrier selection, built in code
        {3, "qorm.uir", &a},        // front panel A: main panel first
        {4, "qorm.uir", &a},        // A's about panel
        {8, "qorm.uir", &b},        // front panel B
        {9, "qorm.uir", &b},        // B's exit confirmation
        {10, "other.uir", &a},      // another layout with A's data
        {11, "qorm.uir", nullptr},  // loaded, not yet set up
    };
    EXPECT_EQ(anchor_panel(4, panels), 3);
    EXPECT_EQ(anchor_panel(9, panels), 8);
    EXPECT_EQ(anchor_panel(3, panels), 0) << "the main panel itself";
    EXPECT_EQ(anchor_panel(1, panels), 0);
    EXPECT_EQ(anchor_panel(10, panels), 0);
    EXPECT_EQ(anchor_panel(11, panels), 0);
    EXPECT_EQ(anchor_panel(42, panels), 0) << "unknown";
}

TEST(FollowAnchor, KeepsTheLayoutOffset) {
    // The main panel of mezzanine 2 stands 20 pixels right of and below its layout place.
    const Rect exit_panel{175, 269, 252, 98};
    EXPECT_EQ(follow_anchor(exit_panel, {51, 50, 630, 558}, {71, 70, 630, 558}),
              (Rect{195, 289, 252, 98}));
    EXPECT_EQ(follow_anchor(exit_panel, {51, 50, 630, 558}, {51, 50, 630, 558}), exit_panel);
}

TEST(FitWindow, MovedInsideAndCutWhenLarger) {
    const Margins frame{4, 24, 4, 4};
    const Rect screen{0, 0, 1600, 1000};
    Placement p = fit_window({51, 50, 630, 580}, frame, screen);
    EXPECT_EQ(p.client, (Rect{51, 50, 630, 580}));
    EXPECT_FALSE(p.scrolls);
    EXPECT_DOUBLE_EQ(p.scale, 1);

    p = fit_window({1500, 900, 300, 200}, frame, screen);
    EXPECT_EQ(p.client, (Rect{1296, 796, 300, 200})) << "the frame's right and bottom on screen";

    p = fit_window({-30, -10, 300, 200}, frame, screen);
    EXPECT_EQ(p.client, (Rect{4, 24, 300, 200})) << "the title bar stays reachable";

    // Scale factor 2 on a 1600x1000 screen: 800x500 of room for the main panel.
    p = fit_window({51, 50, 630, 580}, frame, {0, 0, 800, 500});
    EXPECT_EQ(p.client, (Rect{51, 24, 630, 472}));
    EXPECT_TRUE(p.scrolls);
    EXPECT_NEAR(p.scale, 472.0 / 580, 1e-9);

    p = fit_window({0, 0, 630, 580}, frame, {100, 30, 0, 0});
    EXPECT_EQ(p.client.width, 0);
    EXPECT_EQ(p.client.height, 0);
}

TEST(FitTitle, CutBetweenWordsNeverInside) {
    // Ten pixels a byte keeps the arithmetic visible; the ellipsis is three bytes.
    const auto width_of = [](std::string_view s) { return static_cast<int>(s.size()) * 10; };
    const std::string title = "Self-test QORM kr.1, sl.5, mez.2";
    EXPECT_EQ(fit_title(title, 1000, width_of), title);
    EXPECT_EQ(fit_title(title, 200, width_of), "Self-test QORM…");
    EXPECT_EQ(fit_title(title, 260, width_of), "Self-test QORM kr.1…") << "the comma goes";
    EXPECT_EQ(fit_title(title, 10, width_of), "Self-test…") << "the first word stays";
    EXPECT_EQ(fit_title("Самоконтроль", 10, width_of), "Самоконтроль") << "one word: whole";
    EXPECT_EQ(fit_title("", 10, width_of), "");
    EXPECT_EQ(fit_title(title, 10, nullptr), title);
}

// A small panel follows its main panel by how far that panel stands from its layout place.
using LayoutPlaceTest = UirTest;

TEST_F(LayoutPlaceTest, LoadedPanelsKnowTheirLayoutPlace) {
    const int p = load(MAIN);
    const auto place = layout_place(p);
    ASSERT_TRUE(place);
    int top = 0, left = 0, width = 0, height = 0;
    ASSERT_EQ(GetPanelAttribute(p, ATTR_TOP, &top), 0);
    ASSERT_EQ(GetPanelAttribute(p, ATTR_LEFT, &left), 0);
    ASSERT_EQ(GetPanelAttribute(p, ATTR_WIDTH, &width), 0);
    ASSERT_EQ(GetPanelAttribute(p, ATTR_HEIGHT, &height), 0);
    EXPECT_EQ(*place, (Rect{left, top, width, height})) << "as loaded";
    ASSERT_EQ(SetPanelAttribute(p, ATTR_LEFT, left + 20), 0);
    EXPECT_EQ(layout_place(p)->left, left) << "the layout's, not where the panel went";

    const int built = NewPanel(0, "В коде", 10, 10, 100, 100);
    ASSERT_GT(built, 0);
    EXPECT_FALSE(layout_place(built));
    EXPECT_FALSE(layout_place(-5));
}

}  // namespace
}  // namespace uir_test
