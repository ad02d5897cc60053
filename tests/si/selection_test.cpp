// The carrier selection panel: what it lists and how, every way out of its modal wait, the panel
// as it is built, and its reuse.
#include <memory>
#include <string>
#include <vector>

#include "si_fixture.h"
#include "uir/headless_backend.h"
#include "uir/model.h"

namespace si_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr ViUInt16 kOther = 0x2A0;  // a measuring instrument's model code, never a carrier

// Watches the panels as the run-time announces them: where each was when it was created, and
// every panel shown.
class WatchingBackend : public uir::headless::HeadlessBackend {
  public:
    struct Created {
        int panel, top, left;
    };
    std::vector<Created> created;
    std::vector<int> shown;

    void panel_created(int panel) override {
        const uir::Panel* p = uir::model::find_panel(panel);
        if (p != nullptr) created.push_back({panel, p->top, p->left});
    }
    void panel_shown(int panel) override { shown.push_back(panel); }
};

class Selection : public SiTest {
  protected:
    std::unique_ptr<uir::Backend> make_backend() override {
        auto backend = std::make_unique<WatchingBackend>();
        watcher_ = backend.get();
        return backend;
    }

    // One operator action on the selection panel, at the first turn of its modal wait.
    static void then(std::function<void()> action) { at(1, std::move(action)); }
    static int list() { return siControls.list; }

    WatchingBackend* watcher_ = nullptr;
};

TEST_F(Selection, ListsOnlyTheEntriesOfTheCodesAndReturnsTheChosenOne) {
    Instruments[0] = entry("VXI0::8::INSTR", kOther, 8, 3);
    Instruments[1] = entry("VXI0::16::INSTR", kOther, 16, 4);
    Instruments[2] = entry("VXI0::24::INSTR", 0x155, 24, 5);
    std::vector<int> values;
    then([&] {
        values = list_values(siPanel, list());
        automation::press(siPanel, siControls.ok);
    });

    EXPECT_EQ(SelectInstrument("Выбор", 0x10D, 0x155, 0x155), &Instruments[2]);
    EXPECT_THAT(values, ElementsAre(2));
    EXPECT_FALSE(panel_visible(siPanel));
}

TEST_F(Selection, SelectWithNothingClickedTakesTheFirstLine) {
    Instruments[0] = entry("VXI0::8::INSTR", 0x155, 8, 3);
    Instruments[3] = entry("VXI0::16::INSTR", 0x10D, 16, 4);
    then([] { automation::press(siPanel, siControls.ok); });

    EXPECT_EQ(SelectInstrument("Выбор", 0x10D, 0x155, 0), &Instruments[0]);
}

TEST_F(Selection, ADoubleClickChoosesItsLineAndClosesAtOnce) {
    Instruments[0] = entry("VXI0::8::INSTR", 0x155, 8, 3);
    Instruments[1] = entry("VXI0::16::INSTR", 0x155, 16, 4);
    Instruments[2] = entry("VXI0::24::INSTR", 0x155, 24, 5);
    then([] { automation::double_click(siPanel, list(), 2); });

    EXPECT_EQ(SelectInstrument("Выбор", 0x155, 0, 0), &Instruments[2]);
    EXPECT_FALSE(panel_visible(siPanel));
}

TEST_F(Selection, ClickingALineChoosesIt) {
    Instruments[4] = entry("VXI0::8::INSTR", 0x155, 8, 3);
    Instruments[9] = entry("VXI0::16::INSTR", 0x155, 16, 4);
    then([] { automation::select_index(siPanel, list(), 1); });

    EXPECT_EQ(SelectInstrument("Выбор", 0x155, 0, 0), &Instruments[9]);
}

TEST_F(Selection, CancelReturnsNoneEvenAfterAnEarlierChoice) {
    Instruments[0] = entry("VXI0::8::INSTR", 0x155, 8, 3);
    CurInstr = &Instruments[0];
    then([] { automation::press(siPanel, siControls.cancel); });

    EXPECT_EQ(SelectInstrument("Выбор", 0x155, 0, 0), nullptr);
    EXPECT_EQ(CurInstr, nullptr);
    EXPECT_FALSE(panel_visible(siPanel));
}

TEST_F(Selection, ClosingFromTheFrameActsAsCancel) {
    Instruments[0] = entry("VXI0::8::INSTR", 0x155, 8, 3);
    CurInstr = &Instruments[0];
    then([] { automation::close_panel(siPanel); });

    EXPECT_EQ(SelectInstrument("Выбор", 0x155, 0, 0), nullptr);
    EXPECT_FALSE(panel_visible(siPanel));
}

TEST_F(Selection, ModelCodeZeroIsListedOnlyWithALogicalAddress) {
    // Entries 2 onwards are all zero, model code 0 included: they are no instruments.
    Instruments[0] = entry("VXI0::8::INSTR", kOther, 8, 3);
    Instruments[1] = entry("VXI0::16::INSTR", 0, 16, 4);
    Instruments[5] = entry("VXI0::0::INSTR", 0, 0, 1);  // an instrument at logical address 0
    std::vector<int> values;
    then([&] {
        values = list_values(siPanel, list());
        automation::press(siPanel, siControls.ok);
    });

    EXPECT_EQ(SelectInstrument("Выбор", 0x10D, 0x155, 0), &Instruments[1]);
    EXPECT_THAT(values, ElementsAre(1));
}

TEST_F(Selection, LinesFollowTheColumnFormat) {
    Instruments[0] = entry("VXI0::8::INSTR", 0x155, 8, 3);
    Instruments[1] = entry("VXI1::200::INSTR", 0x10D, 200, 12, -1, 1);
    Instruments[2] = entry("VXI0::16::INSTR", 0x0FFF, 16, 4, 0, 0);
    siPanel = BuildSI("Выбор");
    ASSERT_GT(siPanel, 0);

    EXPECT_EQ(SetListInstrs(0x155, 0x10D, 0x0FFF), 3);

    const std::vector<std::string> lines = list_lines(siPanel, list());
    ASSERT_EQ(lines.size(), 3u);
    // Interface 0, mainframe 0, slot 3, logical address 8, model 155: 43 characters.
    const std::string example = std::string(3, ' ') + "0" + std::string(10, ' ') + "0" +
                                std::string(9, ' ') + "3" + std::string(9, ' ') + "8" +
                                std::string(5, ' ') + "155";
    EXPECT_EQ(example.size(), 43u);
    EXPECT_EQ(lines[0], example);
    // An unknown mainframe address (-1) is shown as the unsigned 16-bit value.
    EXPECT_EQ(lines[1], std::string(3, ' ') + "1" + std::string(6, ' ') + "65535" +
                            std::string(8, ' ') + "12" + std::string(7, ' ') + "200" +
                            std::string(5, ' ') + "10D");
    // The model code is upper-case hexadecimal.
    EXPECT_EQ(lines[2].substr(lines[2].size() - 8), std::string(5, ' ') + "FFF");
    EXPECT_THAT(list_values(siPanel, list()), ElementsAre(0, 1, 2));
}

TEST_F(Selection, RefillingEmptiesTheListFirst) {
    Instruments[0] = entry("VXI0::8::INSTR", 0x155, 8, 3);
    Instruments[1] = entry("VXI0::16::INSTR", 0x10D, 16, 4);
    siPanel = BuildSI("Выбор");
    ASSERT_GT(siPanel, 0);

    EXPECT_EQ(SetListInstrs(0x155, 0x10D, 0x10D), 2);
    EXPECT_EQ(SetListInstrs(0x10D, 0x10D, 0x10D), 1);
    EXPECT_THAT(list_values(siPanel, list()), ElementsAre(1));
}

TEST_F(Selection, NothingListedShowsNothingAndReturnsNone) {
    Instruments[0] = entry("VXI0::8::INSTR", kOther, 8, 3);
    CurInstr = &Instruments[0];

    EXPECT_EQ(SelectInstrument("Выбор", 0x10D, 0x155, 0), nullptr);

    ASSERT_NE(siPanel, 0);
    EXPECT_FALSE(panel_visible(siPanel));
    EXPECT_THAT(watcher_->shown, IsEmpty());
    EXPECT_THAT(list_lines(siPanel, list()), IsEmpty());
}

TEST_F(Selection, TheWaitEndsWithoutAChoiceWhenNoInputCanCome) {
    Instruments[0] = entry("VXI0::8::INSTR", 0x155, 8, 3);
    CurInstr = &Instruments[0];
    expect_headless_failures();

    EXPECT_EQ(SelectInstrument("Выбор", 0x155, 0, 0), nullptr);

    EXPECT_FALSE(headless_failures().empty());
    EXPECT_FALSE(panel_visible(siPanel));
}

TEST_F(Selection, ThePanelIsBuiltAsDescribed) {
    const int panel = BuildSI("Выбор носителя");
    ASSERT_GT(panel, 0);

    // Created at 21, 44, then centred both ways on the screen.
    ASSERT_FALSE(watcher_->created.empty());
    EXPECT_EQ(watcher_->created.front().panel, panel);
    EXPECT_EQ(watcher_->created.front().top, 21);
    EXPECT_EQ(watcher_->created.front().left, 44);
    const uir::ScreenSize screen = WatchingBackend::kScreen;
    EXPECT_EQ(panel_int_attribute(panel, ATTR_WIDTH), 317);
    EXPECT_EQ(panel_int_attribute(panel, ATTR_HEIGHT), 335);
    EXPECT_EQ(panel_int_attribute(panel, ATTR_TOP), (screen.height - 335) / 2);
    EXPECT_EQ(panel_int_attribute(panel, ATTR_LEFT), (screen.width - 317) / 2);
    EXPECT_EQ(panel_title(panel), "Выбор носителя");
    EXPECT_EQ(automation::constant_name(panel), "SI");
    EXPECT_FALSE(panel_visible(panel));
    EXPECT_EQ(panel_int_attribute(panel, ATTR_BACKCOLOR), 0xC0C0C0);
    EXPECT_EQ(panel_int_attribute(panel, ATTR_CLOSE_CTRL), siControls.cancel);
    CtrlCallbackPtr panel_callback = siOkCB;
    EXPECT_EQ(GetPanelAttribute(panel, ATTR_CALLBACK_FUNCTION_POINTER, &panel_callback), 0);
    EXPECT_EQ(panel_callback, nullptr);

    struct Expected {
        int id;
        const char* name;
        int kind;
        const char* label;
        int top, left, width, height;
        CtrlCallbackPtr callback;
    };
    const Expected controls[] = {
        {siControls.ok, "SI_OK", CTRL_COMMAND_BUTTON, "Выбрать", 41, 208, 103, 25, siOkCB},
        {siControls.cancel, "SI_CANCEL", CTRL_COMMAND_BUTTON, "Отмена", 84, 209, 103, 25,
         siCancelCB},
        {siControls.list, "SI_LIST", CTRL_LIST_BOX, "", 23, 14, 185, 303, siListCB},
        {siControls.textmsg, "SI_TEXTMSG", CTRL_TEXT_MSG, "", 5, 14, 155, 15, nullptr},
    };
    for (const Expected& c : controls) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(automation::find_control(panel, c.name), c.id);
        EXPECT_EQ(ctrl_int_attribute(panel, c.id, ATTR_CTRL_STYLE), c.kind);
        char label[64] = "?";
        EXPECT_EQ(GetCtrlAttribute(panel, c.id, ATTR_LABEL_TEXT, label), 0);
        EXPECT_STREQ(label, c.label);
        EXPECT_EQ(ctrl_int_attribute(panel, c.id, ATTR_TOP), c.top);
        EXPECT_EQ(ctrl_int_attribute(panel, c.id, ATTR_LEFT), c.left);
        EXPECT_EQ(ctrl_int_attribute(panel, c.id, ATTR_WIDTH), c.width);
        EXPECT_EQ(ctrl_int_attribute(panel, c.id, ATTR_HEIGHT), c.height);
        CtrlCallbackPtr callback = siCancelCB;
        EXPECT_EQ(GetCtrlAttribute(panel, c.id, ATTR_CALLBACK_FUNCTION_POINTER, &callback), 0);
        EXPECT_EQ(callback, c.callback);
    }
    EXPECT_EQ(test_support::ctrl_text(panel, siControls.textmsg), "Интф.  Кр.ЛА   Слот   ЛА   Тип");

    // Light grey throughout, the list's text area white.
    EXPECT_EQ(ctrl_int_attribute(panel, siControls.ok, ATTR_CMD_BUTTON_COLOR), 0xC0C0C0);
    EXPECT_EQ(ctrl_int_attribute(panel, siControls.cancel, ATTR_CMD_BUTTON_COLOR), 0xC0C0C0);
    EXPECT_EQ(ctrl_int_attribute(panel, siControls.list, ATTR_BACKCOLOR), 0xC0C0C0);
    EXPECT_EQ(ctrl_int_attribute(panel, siControls.list, ATTR_TEXT_BGCOLOR), 0xFFFFFF);
    EXPECT_EQ(ctrl_int_attribute(panel, siControls.textmsg, ATTR_TEXT_BGCOLOR), 0xC0C0C0);
}

TEST_F(Selection, ASecondSelectionReusesThePanelWithItsNewTitleAndList) {
    Instruments[0] = entry("VXI0::8::INSTR", 0x155, 8, 3);
    then([] { automation::press(siPanel, siControls.ok); });
    ASSERT_EQ(SelectInstrument("Первый", 0x155, 0x155, 0x155), &Instruments[0]);
    const int first_panel = siPanel;

    Instruments[1] = entry("VXI0::16::INSTR", 0x10D, 16, 4);
    Instruments[2] = entry("VXI0::24::INSTR", 0x10D, 24, 5);
    std::string title;
    std::vector<int> values;
    at(2, [&] {
        title = panel_title(siPanel);
        values = list_values(siPanel, list());
        automation::press(siPanel, siControls.ok);
    });

    EXPECT_EQ(SelectInstrument("Второй", 0x10D, 0x10D, 0x10D), &Instruments[1]);
    EXPECT_EQ(siPanel, first_panel);
    EXPECT_EQ(title, "Второй");
    EXPECT_THAT(values, ElementsAre(1, 2));
    EXPECT_EQ(watcher_->created.size(), 1u);
}

TEST_F(Selection, AfterARestartOfTheRunTimeThePanelIsBuiltAgain) {
    Instruments[0] = entry("VXI0::8::INSTR", 0x155, 8, 3);
    siPanel = BuildSI("Выбор");
    ASSERT_GT(siPanel, 0);
    const int old_panel = siPanel;
    uir::shutdown();
    uir::use_backend(uir::headless::make_backend());
    ASSERT_EQ(InitUserInterface(), 0);
    then([] { automation::press(siPanel, siControls.ok); });

    EXPECT_EQ(SelectInstrument("Выбор", 0x155, 0, 0), &Instruments[0]);
    EXPECT_NE(siPanel, old_panel);
}

TEST_F(Selection, ANullTitleStillOffersTheChoice) {
    Instruments[0] = entry("VXI0::8::INSTR", 0x155, 8, 3);
    then([] { automation::press(siPanel, siControls.ok); });

    EXPECT_EQ(SelectInstrument(nullptr, 0x155, 0, 0), &Instruments[0]);
}

// ---- SetCurInstr and the callbacks, called as the run-time calls them ---------------------------

class SelectionCallbacks : public Selection {
  protected:
    void SetUp() override {
        Selection::SetUp();
        siPanel = BuildSI("Выбор");
        ASSERT_GT(siPanel, 0);
        ASSERT_EQ(DisplayPanel(siPanel), 0);
    }
};

TEST_F(SelectionCallbacks, NoCurrentChoiceFromAnEmptyList) {
    CurInstr = &Instruments[7];
    EXPECT_EQ(SetCurInstr(), -1);
    EXPECT_EQ(CurInstr, &Instruments[7]);

    EXPECT_EQ(siOkCB(siPanel, siControls.ok, EVENT_COMMIT, nullptr, 0, 0), 0);
    EXPECT_TRUE(panel_visible(siPanel));
}

TEST_F(SelectionCallbacks, AnItemValueOutsideTheTableIsRefused) {
    ASSERT_EQ(InsertListItem(siPanel, list(), -1, "foreign", 256), 0);
    EXPECT_EQ(SetCurInstr(), -1);
    ASSERT_EQ(ClearListCtrl(siPanel, list()), 0);
    ASSERT_EQ(InsertListItem(siPanel, list(), -1, "foreign", -1), 0);
    EXPECT_EQ(SetCurInstr(), -1);
    EXPECT_EQ(CurInstr, nullptr);

    ASSERT_EQ(ClearListCtrl(siPanel, list()), 0);
    ASSERT_EQ(InsertListItem(siPanel, list(), -1, "last", 255), 0);
    EXPECT_EQ(SetCurInstr(), 0);
    EXPECT_EQ(CurInstr, &Instruments[255]);
}

TEST_F(SelectionCallbacks, ChoosingActsOnCommitAndTheListAlsoOnDoubleClick) {
    ASSERT_EQ(InsertListItem(siPanel, list(), -1, "a", 4), 0);

    EXPECT_EQ(siOkCB(siPanel, siControls.ok, EVENT_LEFT_DOUBLE_CLICK, nullptr, 0, 0), 0);
    EXPECT_EQ(siListCB(siPanel, list(), EVENT_CLOSE, nullptr, 0, 0), 0);
    EXPECT_EQ(CurInstr, nullptr);
    EXPECT_TRUE(panel_visible(siPanel));

    EXPECT_EQ(siListCB(siPanel, list(), EVENT_LEFT_DOUBLE_CLICK, nullptr, 0, 0), 0);
    EXPECT_EQ(CurInstr, &Instruments[4]);
    EXPECT_FALSE(panel_visible(siPanel));

    CurInstr = nullptr;
    ASSERT_EQ(DisplayPanel(siPanel), 0);
    EXPECT_EQ(siOkCB(siPanel, siControls.ok, EVENT_COMMIT, nullptr, 0, 0), 0);
    EXPECT_EQ(CurInstr, &Instruments[4]);
    EXPECT_FALSE(panel_visible(siPanel));
}

TEST_F(SelectionCallbacks, CancelActsOnCommitAndDiscardOnly) {
    CurInstr = &Instruments[3];

    EXPECT_EQ(siCancelCB(siPanel, siControls.cancel, EVENT_CLOSE, nullptr, 0, 0), 0);
    EXPECT_EQ(CurInstr, &Instruments[3]);
    EXPECT_TRUE(panel_visible(siPanel));

    EXPECT_EQ(siCancelCB(siPanel, siControls.cancel, EVENT_DISCARD, nullptr, 0, 0), 0);
    EXPECT_EQ(CurInstr, nullptr);
    EXPECT_FALSE(panel_visible(siPanel));

    CurInstr = &Instruments[3];
    ASSERT_EQ(DisplayPanel(siPanel), 0);
    EXPECT_EQ(siCancelCB(siPanel, siControls.cancel, EVENT_COMMIT, nullptr, 0, 0), 0);
    EXPECT_EQ(CurInstr, nullptr);
    EXPECT_FALSE(panel_visible(siPanel));
}

}  // namespace
}  // namespace si_test
