// The five panels and MP's menu bar.
#include <gtest/gtest.h>

#include <string>

#include "layout_view.h"

using layout_test::panel;

namespace {

struct PanelRow {
    int id;
    const char* name;
    const char* title;
    int height, width, top, left;
    const char* callback;  // nullptr: none
};

constexpr PanelRow kPanels[] = {
    {ABOUT, "ABOUT", "О программе...", 206, 364, 29, 288, "closePCB"},
    {EXIT_POPUP, "EXIT_POPUP", "QORM", 98, 252, 269, 175, nullptr},
    {MP, "MP", "QORM", 558, 630, 50, 51, "mpClose"},
    {ST, "ST", "Самоконтроль", 126, 640, 136, 190, "closePCB"},
    {ZQORM, "ZQORM", "Проверка с соединителем QORM-Z", 275, 375, 21, 151, nullptr},
};

std::string str(const char* s) {
    return s ? s : "<none>";
}

TEST(Panels, FileNameAndPanelIds) {
    EXPECT_STREQ(qorm_layout().file_name, "qorm.uir");
    EXPECT_STREQ(qorm_layout().file_name, QORM_UIR_FILE);
    ASSERT_EQ(qorm_layout().panels.size(), 5u);
    EXPECT_EQ(ABOUT, 1);
    EXPECT_EQ(EXIT_POPUP, 2);
    EXPECT_EQ(MP, 3);
    EXPECT_EQ(ST, 4);
    EXPECT_EQ(ZQORM, 5);
}

TEST(Panels, EachPanelAsTabled) {
    for (const auto& row : kPanels) {
        SCOPED_TRACE(row.name);
        const auto& p = panel(row.id);
        EXPECT_STREQ(p.constant_name, row.name);
        EXPECT_STREQ(p.title, row.title);
        EXPECT_EQ(p.height, row.height);
        EXPECT_EQ(p.width, row.width);
        EXPECT_EQ(p.top, row.top);
        EXPECT_EQ(p.left, row.left);
        EXPECT_EQ(str(p.callback), str(row.callback));
        EXPECT_EQ(p.menu_bar != nullptr, row.id == MP) << "only MP carries the menu bar";
    }
}

// Without a panel callback, the frame's close button must still dismiss the panel the way
// its own button does.
TEST(Panels, PanelsWithoutCallbackCloseThroughTheirButton) {
    EXPECT_EQ(panel(EXIT_POPUP).close_ctrl, EXIT_POPUP_EXIT_NO);
    EXPECT_EQ(panel(ZQORM).close_ctrl, ZQORM_COMMANDBUTTON);
    EXPECT_EQ(panel(MP).close_ctrl, 0);
    EXPECT_EQ(panel(ABOUT).close_ctrl, 0);
    EXPECT_EQ(panel(ST).close_ctrl, 0);
}

TEST(MenuBar, OneInstrumentMenuWithItemsAndSeparators) {
    const auto* bar = panel(MP).menu_bar;
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->id, IMNU);
    EXPECT_STREQ(bar->constant_name, "IMNU");
    ASSERT_EQ(bar->menus.size(), 1u);
    const auto& menu = bar->menus[0];
    EXPECT_EQ(menu.id, IMNU_INSTR);
    EXPECT_STREQ(menu.constant_name, "IMNU_INSTR");
    EXPECT_STREQ(menu.title, "Инструмент");

    struct Item {
        int id;
        const char* name;
        const char* text;  // nullptr: separator
    };
    constexpr Item kItems[] = {
        {3, "IMNU_INSTR_BASE_PANEL", "Панель носителя"},
        {4, "IMNU_INSTR_SEPARATOR", nullptr},
        {5, "IMNU_INSTR_ZQORM", "Проверка с QORM-Z"},
        {6, "IMNU_INSTR_SEPARATOR_2", nullptr},
        {7, "IMNU_INSTR_ABOUT", "О программе"},
        {8, "IMNU_INSTR_SEPARATOR_3", nullptr},
        {9, "IMNU_INSTR_EXIT", "Выход"},
    };
    EXPECT_EQ(IMNU_INSTR_BASE_PANEL, 3);
    EXPECT_EQ(IMNU_INSTR_ZQORM, 5);
    EXPECT_EQ(IMNU_INSTR_ABOUT, 7);
    EXPECT_EQ(IMNU_INSTR_EXIT, 9);
    ASSERT_EQ(menu.items.size(), std::size(kItems));
    for (std::size_t i = 0; i < std::size(kItems); ++i) {
        SCOPED_TRACE(kItems[i].name);
        const auto& item = menu.items[i];
        EXPECT_EQ(item.id, kItems[i].id);
        EXPECT_STREQ(item.constant_name, kItems[i].name);
        EXPECT_EQ(str(item.text), str(kItems[i].text));
        EXPECT_EQ(str(item.callback), kItems[i].text ? "mnuCB" : "<none>");
    }
}

}  // namespace
