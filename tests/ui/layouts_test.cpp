// Loading panels from a registered layout.
#include "recorder.h"

namespace uir_test {
namespace {

using LayoutsTest = UirTest;

TEST_F(LayoutsTest, LoadedPanelIsHiddenWithItsLoadState) {
    const int p = load(MAIN);
    const uir::Panel* panel = uir::model::find_panel(p);
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->visible);
    EXPECT_EQ(panel->title, "Главная панель");
    EXPECT_EQ(panel->constant_name, "MAIN");
    EXPECT_EQ(panel->layout_id, MAIN);
    EXPECT_EQ(panel->height, 300);
    EXPECT_EQ(panel->width, 400);
    EXPECT_EQ(panel->controls.size(), 19u);
    EXPECT_EQ(panel->controls.front(), MAIN_OK) << "the layout's order is the drawing order";

    const uir::Control* f = uir::model::find_control(p, MAIN_FLOAT);
    EXPECT_TRUE(f->dimmed);
    EXPECT_EQ(f->label, "Общее время");
    EXPECT_EQ(f->precision, 3);
    const uir::Control* toggle = uir::model::find_control(p, MAIN_TOGGLE);
    EXPECT_EQ(toggle->on_text, "Стоп");
    EXPECT_EQ(toggle->off_text, "Старт");
    EXPECT_EQ(toggle->data_type, VAL_INTEGER);
    EXPECT_EQ(uir::model::find_control(p, MAIN_HOT_LED)->data_type, VAL_INTEGER)
        << "a two-state control without a type in the layout is an integer";
    EXPECT_EQ(uir::model::find_control(p, MAIN_LED)->mode, VAL_INDICATOR);
    EXPECT_EQ(uir::model::find_control(p, MAIN_TIMER)->interval, 0.1);
    EXPECT_FALSE(uir::model::find_control(p, MAIN_TIMER)->enabled);
    char text[32];
    ASSERT_EQ(GetCtrlVal(p, MAIN_MSG, text), 0);
    EXPECT_STREQ(text, "Сообщение");
}

TEST_F(LayoutsTest, CallbacksAreBoundByName) {
    const int p = load(MAIN);
    CtrlCallbackPtr fn = nullptr;
    ASSERT_EQ(GetCtrlAttribute(p, MAIN_OK, ATTR_CALLBACK_FUNCTION_POINTER, &fn), 0);
    EXPECT_EQ(fn, recordCB);
    ASSERT_EQ(GetCtrlAttribute(p, MAIN_LED, ATTR_CALLBACK_FUNCTION_POINTER, &fn), 0);
    EXPECT_EQ(fn, nullptr);
    ASSERT_EQ(GetPanelAttribute(p, ATTR_CALLBACK_FUNCTION_POINTER, &fn), 0);
    EXPECT_EQ(fn, recordCB);
}

TEST_F(LayoutsTest, UnknownCallbackNameCreatesNothing) {
    const int before = NewPanel(0, "marker", 0, 0, 1, 1);
    const size_t panels = uir::automation::panels().size();
    EXPECT_EQ(LoadPanelEx(0, kLayoutFile, BROKEN, nullptr), UIE_UNKNOWN_CALLBACK);
    EXPECT_EQ(LoadPanelEx(0, kLayoutFile, BAD_MENU, nullptr), UIE_UNKNOWN_CALLBACK);
    EXPECT_EQ(LoadPanelEx(0, kLayoutFile, BAD_KIND, nullptr), UIE_INVALID_ARGUMENT);
    EXPECT_EQ(uir::automation::panels().size(), panels);
    EXPECT_EQ(NewPanel(0, "after", 0, 0, 1, 1), before + 1) << "no handle was used up";
}

TEST_F(LayoutsTest, UnknownFileOrPanelIsRefused) {
    EXPECT_EQ(LoadPanelEx(0, "other.uir", MAIN, nullptr), UIE_LAYOUT_NOT_FOUND);
    EXPECT_EQ(LoadPanelEx(0, kLayoutFile, 42, nullptr), UIE_PANEL_NOT_IN_LAYOUT);
    EXPECT_EQ(LoadPanelEx(0, nullptr, MAIN, nullptr), UIE_NULL_POINTER);
    EXPECT_EQ(LoadPanelEx(5, kLayoutFile, MAIN, nullptr), UIE_INVALID_ARGUMENT);
    EXPECT_GT(LoadPanelEx(0, "/opt/qorm/test.uir", MAIN, nullptr), 0)
        << "a path to the layout finds it by its base name";
}

TEST_F(LayoutsTest, EachLoadIsASeparatePanel) {
    const int a = load(MAIN);
    const int b = load(MAIN);
    ASSERT_NE(a, b);
    ASSERT_EQ(SetCtrlVal(a, MAIN_INT, 1), 0);
    int v = 0;
    ASSERT_EQ(GetCtrlVal(b, MAIN_INT, &v), 0);
    EXPECT_EQ(v, 7);
    EXPECT_NE(GetPanelMenuBar(a), GetPanelMenuBar(b));
    EXPECT_EQ(uir::automation::panels(MAIN), (std::vector<int>{a, b}));
}

TEST_F(LayoutsTest, MenuBarKeepsTheLayoutsIds) {
    const int p = load(MAIN);
    const int bar = GetPanelMenuBar(p);
    ASSERT_GT(bar, 0);
    const uir::MenuBar* mb = uir::model::find_menu_bar(bar);
    ASSERT_NE(mb, nullptr);
    EXPECT_EQ(mb->panel, p);
    ASSERT_EQ(mb->menus.size(), 1u);
    EXPECT_EQ(mb->menus[0].id, MENU_FILE);
    EXPECT_EQ(mb->menus[0].title, "Файл");
    ASSERT_EQ(mb->menus[0].items.size(), 4u);
    EXPECT_EQ(mb->menus[0].items[0].id, ITEM_OPEN);
    EXPECT_TRUE(mb->menus[0].items[1].separator);
    EXPECT_EQ(mb->menus[0].items[2].id, ITEM_QUIT);
    EXPECT_EQ(uir::automation::find_menu_item(p, "IMNU_FILE_QUIT"), ITEM_QUIT);
    EXPECT_EQ(uir::automation::find_menu_item(p, "NOPE"), UIE_INVALID_MENU);
    EXPECT_EQ(NewMenuItem(bar, MENU_FILE, "Ещё", -1, 0, nullptr, nullptr), ITEM_PLAIN + 1)
        << "items added in code continue after the layout's ids";
}

TEST_F(LayoutsTest, ControlsBuiltInCodeContinueAfterTheLayoutsIds) {
    const int p = load(MAIN);
    EXPECT_EQ(NewCtrl(p, CTRL_STRING, "x", 0, 0), MAIN_HOT_LED + 1);
    const int q = NewPanel(0, "code", 0, 0, 100, 100);
    EXPECT_EQ(NewCtrl(q, CTRL_LIST_BOX, nullptr, 0, 0), 2);
    EXPECT_EQ(NewCtrl(q, CTRL_NUMERIC, "", 0, 0), 3);
    EXPECT_EQ(NewCtrl(q, CTRL_TEXT_MSG, "", 0, 0), 4);
    int type = 0;
    ASSERT_EQ(GetCtrlAttribute(q, 2, ATTR_DATA_TYPE, &type), 0);
    EXPECT_EQ(type, VAL_INTEGER);
    ASSERT_EQ(GetCtrlAttribute(q, 3, ATTR_DATA_TYPE, &type), 0);
    EXPECT_EQ(type, VAL_DOUBLE);
    ASSERT_EQ(GetCtrlAttribute(q, 4, ATTR_DATA_TYPE, &type), 0);
    EXPECT_EQ(type, VAL_STRING);
    ASSERT_EQ(DiscardCtrl(q, 4), 0);
    EXPECT_EQ(NewCtrl(q, CTRL_RING, "", 0, 0), 5) << "ids are not reused";
}

TEST_F(LayoutsTest, AutoCentredLayoutPanel) {
    const int p = load(SECOND);
    EXPECT_EQ(uir::model::find_panel(p)->top, (1080 - 100) / 2);
    EXPECT_EQ(uir::model::find_panel(p)->left, 30);
    int close = 0;
    ASSERT_EQ(GetPanelAttribute(p, ATTR_CLOSE_CTRL, &close), 0);
    EXPECT_EQ(close, SECOND_CLOSE);
}

TEST_F(LayoutsTest, RegistryRefusesBadNames) {
    EXPECT_EQ(uir::register_callback(nullptr, recordCB), UIE_NULL_POINTER);
    EXPECT_EQ(uir::register_callback("", recordCB), UIE_INVALID_ARGUMENT);
    EXPECT_EQ(uir::register_callback("x", nullptr), UIE_NULL_POINTER);
    EXPECT_EQ(uir::register_menu_callback("", recordMenuCB), UIE_INVALID_ARGUMENT);
    EXPECT_EQ(uir::register_layout(uir::LayoutSpec{.file_name = ""}), UIE_INVALID_ARGUMENT);
    EXPECT_EQ(uir::find_callback("noSuchCallback"), nullptr);
    EXPECT_EQ(uir::find_menu_callback("menuCB"), recordMenuCB);
}

}  // namespace
}  // namespace uir_test
