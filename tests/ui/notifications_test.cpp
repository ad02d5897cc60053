// What the backend is told: every real change, and nothing when nothing changed.
#include <string>

#include "recorder.h"

namespace uir_test {
namespace {

// Records each notification as a short text: "value 3:7", "attr 3:7:1", "shown 3"...
class WatchingBackend : public uir::headless::HeadlessBackend {
  public:
    std::vector<std::string>* log = nullptr;

    void panel_created(int p) override { add("created " + std::to_string(p)); }
    void panel_discarded(int p) override { add("discarded " + std::to_string(p)); }
    void panel_shown(int p) override { add("shown " + std::to_string(p)); }
    void panel_hidden(int p) override { add("hidden " + std::to_string(p)); }
    void panel_raised(int p) override { add("raised " + std::to_string(p)); }
    void panel_attribute_changed(int p, int a) override {
        add("panel attr " + std::to_string(p) + ":" + std::to_string(a));
    }
    void control_created(int p, int c) override { add("ctrl created " + key(p, c)); }
    void control_discarded(int p, int c) override { add("ctrl discarded " + key(p, c)); }
    void control_value_changed(int p, int c) override { add("value " + key(p, c)); }
    void control_attribute_changed(int p, int c, int a) override {
        add("attr " + key(p, c) + ":" + std::to_string(a));
    }
    void list_changed(int p, int c) override { add("list " + key(p, c)); }
    void text_box_changed(int p, int c) override { add("lines " + key(p, c)); }
    void menu_bar_changed(int p, int b) override { add("bar " + key(p, b)); }

  private:
    static std::string key(int p, int c) { return std::to_string(p) + ":" + std::to_string(c); }
    void add(std::string s) {
        if (log) log->push_back(std::move(s));
    }
};

class NotificationsTest : public UirTest {
  protected:
    std::unique_ptr<uir::Backend> make_backend() override {
        auto b = std::make_unique<WatchingBackend>();
        b->log = &log;
        return b;
    }
    void SetUp() override {
        UirTest::SetUp();
        panel = load(MAIN);
    }
    std::string k(int control) const {
        return std::to_string(panel) + ":" + std::to_string(control);
    }
    std::vector<std::string> log;
    int panel = 0;
};

TEST_F(NotificationsTest, LoadedPanelIsAnnouncedOnce) {
    EXPECT_EQ(log, (std::vector<std::string>{"created " + std::to_string(panel)}));
}

TEST_F(NotificationsTest, WritingTheValueAControlShowsNotifiesNothing) {
    log.clear();
    ASSERT_EQ(SetCtrlVal(panel, MAIN_INT, 7), 0);
    ASSERT_EQ(SetCtrlVal(panel, MAIN_STRING, "начало"), 0);
    ASSERT_EQ(SetCtrlVal(panel, MAIN_RING, 1), 0);
    ASSERT_EQ(SetCtrlVal(panel, MAIN_CHECK, 5), 0) << "still on";
    ASSERT_EQ(SetCtrlVal(panel, MAIN_FLOAT, 0.05f), 0);
    ASSERT_EQ(ResetTextBox(panel, MAIN_TEXTBOX, "первая\nвторая"), 0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_FLOAT, ATTR_DIMMED, 1), 0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_OK, ATTR_LABEL_TEXT, "__OK"), 0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_NUM, ATTR_MAX_VALUE, 10.0), 0);
    ASSERT_EQ(SetPanelAttribute(panel, ATTR_TITLE, "Главная панель"), 0);
    ASSERT_EQ(HidePanel(panel), 0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_TIMER, ATTR_ENABLED, 0), 0);
    EXPECT_TRUE(log.empty()) << log.front();
}

TEST_F(NotificationsTest, RealChangesAreReportedOnceEach) {
    log.clear();
    ASSERT_EQ(SetCtrlVal(panel, MAIN_INT, 8), 0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_FLOAT, ATTR_DIMMED, 0), 0);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_NUM, ATTR_MAX_VALUE, 4.0), 0);  // value 5 -> 4
    ASSERT_EQ(InsertTextBoxLine(panel, MAIN_TEXTBOX, -1, "третья"), 0);
    ASSERT_EQ(DisplayPanel(panel), 0);
    ASSERT_EQ(DisplayPanel(panel), 0);
    ASSERT_EQ(SetPanelAttribute(panel, ATTR_TITLE, "QORM"), 0);
    const std::vector<std::string> want = {
        "value " + k(MAIN_INT),
        "attr " + k(MAIN_FLOAT) + ":" + std::to_string(ATTR_DIMMED),
        "attr " + k(MAIN_NUM) + ":" + std::to_string(ATTR_MAX_VALUE),
        "value " + k(MAIN_NUM),
        "lines " + k(MAIN_TEXTBOX),
        "shown " + std::to_string(panel),
        "raised " + std::to_string(panel),
        "panel attr " + std::to_string(panel) + ":" + std::to_string(ATTR_TITLE),
    };
    EXPECT_EQ(log, want);
}

TEST_F(NotificationsTest, ListChangesAndTheSelection) {
    log.clear();
    ASSERT_EQ(InsertListItem(panel, MAIN_LIST, 0, "нулевая", 0), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"list " + k(MAIN_LIST)}))
        << "the selection keeps to its item";
    log.clear();
    ASSERT_EQ(DeleteListItem(panel, MAIN_LIST, 1, 1), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"list " + k(MAIN_LIST), "value " + k(MAIN_LIST)}));
    log.clear();
    ASSERT_EQ(SetCtrlIndex(panel, MAIN_LIST, 1), 0);
    EXPECT_TRUE(log.empty()) << "already selected";
    ASSERT_EQ(ClearListCtrl(panel, MAIN_LIST), 0);
    ASSERT_EQ(ClearListCtrl(panel, MAIN_LIST), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"list " + k(MAIN_LIST), "value " + k(MAIN_LIST)}));
}

TEST_F(NotificationsTest, OperatorGesturesAreReportedLikeProgramChanges) {
    ASSERT_EQ(DisplayPanel(panel), 0);
    log.clear();
    ASSERT_EQ(uir::automation::press(panel, MAIN_TOGGLE), 0);
    ASSERT_EQ(uir::automation::press(panel, MAIN_OK), 0);
    ASSERT_EQ(uir::automation::set_value(panel, MAIN_NUM, 5.0), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"value " + k(MAIN_TOGGLE)}));
}

TEST_F(NotificationsTest, ControlsAndPanelsComeAndGo) {
    log.clear();
    const int id = NewCtrl(panel, CTRL_STRING, "x", 0, 0);
    ASSERT_EQ(DiscardCtrl(panel, id), 0);
    const int bar = GetPanelMenuBar(panel);
    ASSERT_EQ(DiscardPanel(panel), 0);
    const std::vector<std::string> want = {
        "ctrl created " + k(id), "ctrl discarded " + k(id),
        "bar " + std::to_string(panel) + ":" + std::to_string(bar),
        "discarded " + std::to_string(panel)};
    EXPECT_EQ(log, want);
}

}  // namespace
}  // namespace uir_test
