// A single click on a list line: the highlight moves, nothing is committed.
#include "recorder.h"

namespace uir_test {
namespace {

namespace ua = uir::automation;

class HighlightTest : public UirTest {
  protected:
    void SetUp() override {
        UirTest::SetUp();
        panel = shown_main();
    }
    int list_value() {
        int v = -1;
        EXPECT_EQ(GetCtrlVal(panel, MAIN_LIST, &v), 0);
        return v;
    }
    int panel = 0;
};

TEST_F(HighlightTest, MovesTheHighlightWithoutAnEvent) {
    ASSERT_EQ(ua::highlight(panel, MAIN_LIST, 2), 0);
    EXPECT_EQ(list_value(), 30);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_TRUE(recorder().calls.empty());

    // The commit that follows carries the highlighted line.
    ASSERT_EQ(ua::double_click(panel, MAIN_LIST, 1), 0);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    const std::vector<Call> want = {{panel, MAIN_LIST, EVENT_LEFT_DOUBLE_CLICK, nullptr, 1, 0}};
    EXPECT_EQ(recorder().calls, want);
}

TEST_F(HighlightTest, RefusesWhatAClickCouldNotReach) {
    EXPECT_EQ(ua::highlight(panel, MAIN_LIST, 3), UIE_OUT_OF_RANGE);
    EXPECT_EQ(ua::highlight(panel, MAIN_LIST, -1), UIE_OUT_OF_RANGE);
    EXPECT_EQ(ua::highlight(panel, MAIN_RING, 0), UIE_INVALID_ARGUMENT) << "rings commit";
    EXPECT_EQ(ua::highlight(panel, 999, 0), UIE_INVALID_CONTROL);
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_LIST, ATTR_DIMMED, 1), 0);
    EXPECT_EQ(ua::highlight(panel, MAIN_LIST, 1), UIE_NOT_OPERABLE);
    EXPECT_EQ(list_value(), 10) << "a refused click leaves the highlight";
    ASSERT_EQ(SetCtrlAttribute(panel, MAIN_LIST, ATTR_DIMMED, 0), 0);
    ASSERT_EQ(HidePanel(panel), 0);
    EXPECT_EQ(ua::highlight(panel, MAIN_LIST, 1), UIE_NOT_OPERABLE);
    ASSERT_EQ(DisplayPanel(panel), 0);
    ASSERT_EQ(ClearListCtrl(panel, MAIN_LIST), 0);
    EXPECT_EQ(ua::highlight(panel, MAIN_LIST, 0), UIE_OUT_OF_RANGE) << "empty list";
}

}  // namespace
}  // namespace uir_test
