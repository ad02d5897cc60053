// Menu bars: choosing items, callback arguments, dimming, menus built in code.
#include "recorder.h"

namespace uir_test {
namespace {

namespace ua = uir::automation;

class MenusTest : public UirTest {
  protected:
    void SetUp() override {
        UirTest::SetUp();
        panel = shown_main();
        bar = GetPanelMenuBar(panel);
        ASSERT_GT(bar, 0);
    }
    int panel = 0, bar = 0;
};

TEST_F(MenusTest, ChoosingAnItemCallsItsCallbackWithBarItemDataAndPanel) {
    int data = 0;
    ASSERT_EQ(SetPanelAttribute(panel, ATTR_CALLBACK_DATA, &data), 0);
    ASSERT_EQ(ua::choose_menu_item(panel, ITEM_QUIT), 0);
    EXPECT_TRUE(recorder().menu_calls.empty()) << "queued like any operator action";
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_EQ(recorder().menu_calls, (std::vector<MenuCall>{{bar, ITEM_QUIT, &data, panel}}));
}

TEST_F(MenusTest, ItemWithoutCallbackDoesNothing) {
    ASSERT_EQ(ua::choose_menu_item(panel, ITEM_PLAIN), 0);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_TRUE(recorder().menu_calls.empty());
}

TEST_F(MenusTest, SeparatorsMenusAndDimmedItemsCannotBeChosen) {
    EXPECT_EQ(ua::choose_menu_item(panel, ITEM_SEP), UIE_NOT_OPERABLE);
    EXPECT_EQ(ua::choose_menu_item(panel, MENU_FILE), UIE_INVALID_MENU);
    EXPECT_EQ(ua::choose_menu_item(panel, 77), UIE_INVALID_MENU);
    ASSERT_EQ(SetMenuBarAttribute(bar, ITEM_OPEN, ATTR_DIMMED, 1), 0);
    EXPECT_EQ(ua::choose_menu_item(panel, ITEM_OPEN), UIE_NOT_OPERABLE);
    ASSERT_EQ(SetMenuBarAttribute(bar, MENU_FILE, ATTR_DIMMED, 1), 0);
    EXPECT_EQ(ua::choose_menu_item(panel, ITEM_QUIT), UIE_NOT_OPERABLE) << "its menu is dimmed";
    int dimmed = 0;
    ASSERT_EQ(GetMenuBarAttribute(bar, ITEM_OPEN, ATTR_DIMMED, &dimmed), 0);
    EXPECT_EQ(dimmed, 1);
    const int other = NewPanel(0, "без меню", 0, 0, 10, 10);
    ASSERT_EQ(DisplayPanel(other), 0);
    EXPECT_EQ(ua::choose_menu_item(other, ITEM_OPEN), UIE_INVALID_MENU);
}

TEST_F(MenusTest, MenuEventOfADiscardedBarIsDropped) {
    ASSERT_EQ(ua::choose_menu_item(panel, ITEM_OPEN), 0);
    ASSERT_EQ(DiscardMenuBar(bar), 0);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_TRUE(recorder().menu_calls.empty());
    EXPECT_EQ(GetPanelMenuBar(panel), 0);
    EXPECT_EQ(DiscardMenuBar(bar), UIE_INVALID_MENU);
    int v = 0;
    EXPECT_EQ(GetMenuBarAttribute(bar, ITEM_OPEN, ATTR_DIMMED, &v), UIE_INVALID_MENU);
}

TEST_F(MenusTest, DiscardingThePanelDiscardsItsBar) {
    ASSERT_EQ(DiscardPanel(panel), 0);
    EXPECT_EQ(uir::model::find_menu_bar(bar), nullptr);
    EXPECT_EQ(NewMenu(bar, "x", -1), UIE_INVALID_MENU);
}

TEST_F(MenusTest, MenusBuiltInCode) {
    const int p = NewPanel(0, "код", 0, 0, 100, 100);
    const int b = NewMenuBar(p);
    ASSERT_GT(b, 0);
    EXPECT_EQ(GetPanelMenuBar(p), b);
    const int m = NewMenu(b, "Инструмент", -1);
    EXPECT_EQ(m, 2);
    int item_data = 0;
    const int a = NewMenuItem(b, m, "Второй", -1, 0, recordMenuCB, &item_data);
    const int first = NewMenuItem(b, m, "Первый", a, 0, recordMenuCB, nullptr);
    const int sep = InsertSeparator(b, m, a);
    EXPECT_EQ(a, 3);
    EXPECT_EQ(first, 4);
    EXPECT_EQ(sep, 5);
    const uir::MenuBar* mb = uir::model::find_menu_bar(b);
    ASSERT_EQ(mb->menus[0].items.size(), 3u);
    EXPECT_EQ(mb->menus[0].items[0].id, first);
    EXPECT_EQ(mb->menus[0].items[1].id, sep);
    EXPECT_EQ(mb->menus[0].items[2].id, a);
    EXPECT_EQ(NewMenuItem(b, a, "в пункт", -1, 0, nullptr, nullptr), UIE_INVALID_MENU)
        << "items go into menus, not into items";
    EXPECT_EQ(NewMenuItem(b, m, "x", 99, 0, nullptr, nullptr), UIE_INVALID_MENU);
    EXPECT_EQ(NewMenu(b, nullptr, -1), UIE_NULL_POINTER);

    int panel_data = 0;
    ASSERT_EQ(SetPanelAttribute(p, ATTR_CALLBACK_DATA, &panel_data), 0);
    ASSERT_EQ(DisplayPanel(p), 0);
    ASSERT_EQ(ua::choose_menu_item(p, a), 0);
    ASSERT_EQ(ua::choose_menu_item(p, first), 0);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    const std::vector<MenuCall> want = {{b, a, &item_data, p}, {b, first, &panel_data, p}};
    EXPECT_EQ(recorder().menu_calls, want) << "the item's own data, else the panel's";
}

TEST_F(MenusTest, NewBarReplacesTheOld) {
    const int replacement = NewMenuBar(panel);
    ASSERT_GT(replacement, bar);
    EXPECT_EQ(GetPanelMenuBar(panel), replacement);
    EXPECT_EQ(uir::model::find_menu_bar(bar), nullptr);
}

TEST_F(MenusTest, ItemNames) {
    char name[32];
    ASSERT_EQ(GetMenuBarAttribute(bar, ITEM_OPEN, ATTR_ITEM_NAME, name), 0);
    EXPECT_STREQ(name, "__Открыть");
    ASSERT_EQ(SetMenuBarAttribute(bar, ITEM_OPEN, ATTR_ITEM_NAME, "Загрузить"), 0);
    ASSERT_EQ(GetMenuBarAttribute(bar, ITEM_OPEN, ATTR_ITEM_NAME, name), 0);
    EXPECT_STREQ(name, "Загрузить");
    EXPECT_EQ(SetMenuBarAttribute(bar, ITEM_OPEN, ATTR_ITEM_NAME, 1), UIE_TYPE_MISMATCH);
    EXPECT_EQ(SetMenuBarAttribute(bar, ITEM_OPEN, ATTR_DIMMED, "1"), UIE_TYPE_MISMATCH);
    EXPECT_EQ(SetMenuBarAttribute(bar, ITEM_SEP, ATTR_ITEM_NAME, "x"), UIE_INVALID_ATTRIBUTE);
    EXPECT_EQ(SetMenuBarAttribute(bar, ITEM_OPEN, ATTR_TOP, 1), UIE_INVALID_ATTRIBUTE);
}

}  // namespace
}  // namespace uir_test
