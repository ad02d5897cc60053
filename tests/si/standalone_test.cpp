// The standalone start-up end to end: discovery, the selection, the carrier and its mezzanines,
// the module instance or the demo instance, the front panel's run and the end of the run-time.
// The operator's actions are a timeline on the virtual clock.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "qorm.h"
#include "qorm_layout.h"
#include "qorm_uir.h"
#include "si_fixture.h"
#include "uir/headless_backend.h"
#include "userint.h"

namespace si_test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kNoCarrierTitle[] = "QORM";
constexpr char kNoCarrierText[] = "Носитель не найден.\nДемо режим";
constexpr char kCarrierFailedText[] =
    "          Ошибка инициализации.\n"
    "Устройство занято либо не сконфигурировано\n"
    "          Менеджером Ресурсов.";

// What the front panel showed while it ran.
struct FrontPanelSeen {
    bool up = false;
    int led = -1;
    unsigned short mainframe = 0, slot = 0, mezzanine = 0;
    ViSession session = 0;
    int carrier_panel = -1;
};

int last_panel(int layout_id) {
    const std::vector<int> panels = automation::panels(layout_id);
    return panels.empty() ? 0 : panels.back();
}

// The standalone run's carrier summary, the panel it hands to qorm_init as the caller's.
int carrier_summary() {
    for (int panel : automation::panels())
        if (automation::constant_name(panel) == "CARRIER") return panel;
    return 0;
}

int summary_control(const char* name) {
    return automation::find_control(carrier_summary(), name);
}

std::vector<std::string> summary_positions() {
    const int panel = carrier_summary();
    const int box = summary_control("CARRIER_POSITIONS");
    std::vector<std::string> lines;
    int count = 0;
    EXPECT_EQ(GetNumTextBoxLines(panel, box, &count), 0);
    for (int k = 0; k < count; ++k) {
        char line[128] = "";
        EXPECT_EQ(GetTextBoxLine(panel, box, k, line), 0);
        lines.emplace_back(line);
    }
    return lines;
}

class Startup : public SiTest {
  protected:
    // At `t`, records what the front panel shows and lets `extra` act on it; at t + 1 the
    // operator leaves it: "ВЫХОД", then "ДА".
    void leave_front_panel_at(double t, std::function<void(int mp)> extra = {}) {
        at(t, [this, extra] {
            const int mp = last_panel(MP);
            ASSERT_GT(mp, 0) << "the front panel is not up";
            seen_.up = panel_visible(mp);
            GetCtrlVal(mp, MP_LED, &seen_.led);
            GetCtrlVal(mp, MP_K, &seen_.mainframe);
            GetCtrlVal(mp, MP_S, &seen_.slot);
            GetCtrlVal(mp, MP_MEZ_NUM, &seen_.mezzanine);
            void* data = nullptr;
            GetPanelAttribute(mp, ATTR_CALLBACK_DATA, &data);
            if (auto* record = static_cast<ModuleInstance*>(data)) {
                seen_.session = record->session;
                seen_.carrier_panel = record->carrier_panel;
            }
            if (extra) extra(mp);
            EXPECT_EQ(automation::press(mp, MP_CLOSE), 0);
        });
        at(t + 1,
           [] { EXPECT_EQ(automation::press(last_panel(EXIT_POPUP), EXIT_POPUP_EXIT_YES), 0); });
    }

    // The operator chooses the first listed carrier at `t`, recording the panel's title and lines.
    void choose_first_carrier_at(double t) {
        at(t, [this] {
            selection_title_ = panel_title(siPanel);
            selection_lines_ = list_lines(siPanel, siControls.list);
            EXPECT_EQ(automation::press(siPanel, siControls.ok), 0);
        });
    }

    // Runs the start-up; it must come back with 0 and end the run-time.
    void run() {
        ASSERT_EQ(RunStandalone(), 0);
        int code = -1;
        EXPECT_TRUE(uir::headless::quit_requested(&code));
        EXPECT_EQ(code, 0);
    }

    void expect_demo() {
        EXPECT_TRUE(seen_.up);
        EXPECT_EQ(seen_.led, 0);
        EXPECT_EQ(seen_.session, 0u);
        EXPECT_EQ(seen_.mainframe, 1);
        EXPECT_EQ(seen_.slot, 1);
        EXPECT_EQ(seen_.mezzanine, 1);
        EXPECT_EQ(seen_.carrier_panel, carrier_summary());
    }

    static std::vector<std::string> popup_texts() {
        std::vector<std::string> texts;
        for (const auto& p : uir::headless::popups()) texts.push_back(p.title + ": " + p.text);
        return texts;
    }
    static std::string no_carrier() { return std::string(kNoCarrierTitle) + ": " + kNoCarrierText; }

    FrontPanelSeen seen_;
    std::string selection_title_;
    std::vector<std::string> selection_lines_;
};

// ---- No carrier: the demo instance -------------------------------------------------------------

TEST_F(Startup, NoVxiResourceGivesThePopupAndTheDemo) {
    use_crate("instruments:\n  - {resource: \"GPIB0::12::INSTR\"}\n");
    leave_front_panel_at(1);

    run();

    EXPECT_THAT(popup_texts(), ElementsAre(no_carrier()));
    expect_demo();
    EXPECT_EQ(siPanel, 0) << "the selection panel is built only when there is something to list";
    EXPECT_EQ(test_support::ctrl_text(carrier_summary(), summary_control("CARRIER_RESOURCE")),
              "нет (демо режим)");
}

TEST_F(Startup, NoVisaLibraryGivesThePopupAndTheDemo) {
    use_crate(R"(
visa: missing
instruments:
  - {resource: VXI0::8::INSTR, slot: 3, model_code: 0x155, carrier: {}}
)");
    leave_front_panel_at(1);

    run();

    EXPECT_THAT(popup_texts(), ElementsAre(no_carrier()));
    expect_demo();
}

TEST_F(Startup, NoCarrierOfTheServedModelsShowsNoSelection) {
    use_crate(R"(
instruments:
  - {resource: VXI0::8::INSTR, slot: 3, model_code: 0x2A0, carrier: {}}
  - {resource: VXI0::16::INSTR, slot: 4, model_code: 0x156, carrier: {}}
)");
    leave_front_panel_at(1);

    run();

    EXPECT_THAT(popup_texts(), ElementsAre(no_carrier()));
    expect_demo();
    ASSERT_NE(siPanel, 0);
    EXPECT_THAT(list_lines(siPanel, siControls.list), IsEmpty());
    EXPECT_FALSE(panel_visible(siPanel));
}

TEST_F(Startup, CancelledSelectionGivesThePopupAndTheDemo) {
    use_crate(R"(
instruments:
  - {resource: VXI0::8::INSTR, slot: 3, model_code: 0x155, carrier: {mezzanines: [{position: 2}]}}
)");
    at(1, [] { automation::press(siPanel, siControls.cancel); });
    leave_front_panel_at(2);

    run();

    EXPECT_THAT(popup_texts(), ElementsAre(no_carrier()));
    expect_demo();
}

TEST_F(Startup, SelectionClosedFromTheFrameGivesTheDemo) {
    use_crate(R"(
instruments:
  - {resource: VXI0::8::INSTR, slot: 3, model_code: 0x155, carrier: {mezzanines: [{position: 2}]}}
)");
    at(1, [] { automation::close_panel(siPanel); });
    leave_front_panel_at(2);

    run();

    EXPECT_THAT(popup_texts(), ElementsAre(no_carrier()));
    expect_demo();
}

// ---- A carrier chosen
// ----------------------------------------------------------------------------

TEST_F(Startup, OffersTheThreeCarrierModelsUnderItsTitle) {
    use_crate(R"(
instruments:
  - {resource: VXI0::0::INSTR, slot: 0, model_code: 0x0FF}
  - {resource: VXI0::8::INSTR, slot: 3, model_code: 0x10D, carrier: {}}
  - {resource: VXI0::16::INSTR, slot: 4, model_code: 0x2A0}
  - {resource: VXI0::24::INSTR, slot: 5, model_code: 0x155, carrier: {}}
  - {resource: VXI0::32::INSTR, slot: 6, model_code: 0x000, carrier: {}}
)");
    at(1, [this] {
        selection_title_ = panel_title(siPanel);
        selection_lines_ = list_lines(siPanel, siControls.list);
        automation::press(siPanel, siControls.cancel);
    });
    leave_front_panel_at(2);

    run();

    EXPECT_EQ(selection_title_, "Выбор носителя");
    ASSERT_EQ(selection_lines_.size(), 3u);
    EXPECT_EQ(selection_lines_[0].substr(selection_lines_[0].size() - 8), "     10D");
    EXPECT_EQ(selection_lines_[1].substr(selection_lines_[1].size() - 8), "     155");
    EXPECT_EQ(selection_lines_[2].substr(selection_lines_[2].size() - 8), "       0");
}

TEST_F(Startup, OpensTheHigherOfTwoQormModules) {
    use_crate(R"(
instruments:
  - {resource: VXI0::0::INSTR, slot: 0, model_code: 0x0FF}
  - resource: VXI0::8::INSTR
    slot: 3
    model_code: 0x155
    carrier:
      mezzanines:
        - {position: 1, type: 7}
        - {position: 2}
        - {position: 4}
)");
    choose_first_carrier_at(1);
    leave_front_panel_at(2);

    run();

    EXPECT_THAT(popup_texts(), IsEmpty());
    EXPECT_TRUE(seen_.up);
    EXPECT_EQ(seen_.led, 1);
    EXPECT_NE(seen_.session, 0u);
    EXPECT_EQ(seen_.mainframe, 0);
    EXPECT_EQ(seen_.slot, 3);
    EXPECT_EQ(seen_.mezzanine, 4);
    EXPECT_EQ(seen_.carrier_panel, carrier_summary());
    EXPECT_EQ(test_support::ctrl_text(carrier_summary(), summary_control("CARRIER_RESOURCE")),
              "VXI0::8::INSTR");
    EXPECT_THAT(summary_positions(), ElementsAre("Позиция 1: мезонин типа 7", "Позиция 2: QORM",
                                                 "Позиция 3: пусто", "Позиция 4: QORM"));
}

TEST_F(Startup, WithoutAQormTheInstanceIsTriedAtPositionZero) {
    use_fake();
    sim::Instrument carrier = fake::default_crate().instruments[0];
    carrier.carrier->mezzanines.clear();  // nothing fitted anywhere
    use_instruments({carrier});
    // A module driver that opens even position 0.
    fake::hooks().kelqorm_connect = [](ViSession, ViSession, ViUInt16, ViBoolean, ViBoolean) {
        return VI_SUCCESS;
    };
    choose_first_carrier_at(1);
    leave_front_panel_at(2);

    run();

    EXPECT_THAT(fake::calls("kelbase_m_type_q"), ::testing::SizeIs(4));
    const std::vector<fake::Call> connect = fake::records("kelqorm_connect");
    ASSERT_EQ(connect.size(), 1u);
    EXPECT_EQ(connect[0].args[2], "0");
    EXPECT_EQ(seen_.mezzanine, 0);
}

TEST_F(Startup, AFailingTypeQueryEndsTheSearchWithThePositionFoundBefore) {
    use_fake();
    sim::Instrument carrier = fake::default_crate().instruments[0];
    std::erase_if(carrier.carrier->mezzanines,
                  [](const sim::Mezzanine& m) { return m.position == 3; });
    use_instruments({carrier});
    fake::fail("kelbase_m_type_q", VI_SUCCESS);  // position 1 answers
    fake::fail("kelbase_m_type_q", VI_ERROR_TMO);
    choose_first_carrier_at(1);
    leave_front_panel_at(2);

    run();

    EXPECT_THAT(fake::calls("kelbase_init"),
                ElementsAre(R"(kelbase_init("VXI0::8::INSTR", 1, 1))"));
    const std::vector<fake::Call> queries = fake::records("kelbase_m_type_q");
    ASSERT_EQ(queries.size(), 2u);
    EXPECT_EQ(queries[0].args[1], "1");
    EXPECT_EQ(queries[1].args[1], "2");
    // qorm_init gets the carrier session the queries went to, position 1, id query and reset.
    const std::vector<fake::Call> connect = fake::records("kelqorm_connect");
    ASSERT_EQ(connect.size(), 1u);
    EXPECT_THAT(connect[0].args, ElementsAre("5", queries[0].args[0], "1", "1", "1"));
    EXPECT_THAT(fake::calls("kelqorm_init"),
                ElementsAre(R"(kelqorm_init("VXI0::8::INSTR", 1, 1))"));
    EXPECT_EQ(seen_.mezzanine, 1);
    EXPECT_EQ(seen_.led, 1);
    EXPECT_THAT(summary_positions(),
                ElementsAre("Позиция 1: QORM", "Позиция 2: ошибка опроса", "Позиция 3: не опрошена",
                            "Позиция 4: не опрошена"));
}

TEST_F(Startup, TheModuleIsResetAndClosedWhenTheFrontPanelEnds) {
    use_fake();
    choose_first_carrier_at(1);
    leave_front_panel_at(2);

    run();

    const std::vector<std::string> calls = fake::calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_THAT(std::vector<std::string>(calls.end() - 2, calls.end()),
                ElementsAre("kelqorm_reset(5)", "kelqorm_close(5)"));
    // The released instance brings the caller's panel back.
    EXPECT_TRUE(panel_visible(carrier_summary()));
}

TEST_F(Startup, AModuleThatCannotBeOpenedGivesTheDemoWithoutAPopup) {
    use_fake();
    fake::fail("kelqorm_init", VI_ERROR_RSRC_BUSY);
    choose_first_carrier_at(1);
    leave_front_panel_at(2);

    run();

    EXPECT_THAT(popup_texts(), IsEmpty());
    EXPECT_EQ(fake::count("kelqorm_connect"), 0);
    expect_demo();
    // The summary still tells what the carrier holds.
    EXPECT_EQ(summary_positions().front(), "Позиция 1: QORM");
}

// ---- The carrier cannot be opened --------------------------------------------------------------

TEST_F(Startup, ABusyCarrierGivesItsPopupAndThenTheDemo) {
    use_crate(R"(
instruments:
  - {resource: VXI0::0::INSTR, slot: 0, model_code: 0x0FF}
  - {resource: VXI0::8::INSTR, slot: 3, model_code: 0x155,
     carrier: {busy: true, mezzanines: [{position: 2}]}}
)");
    choose_first_carrier_at(1);
    leave_front_panel_at(2);

    run();

    ASSERT_EQ(uir::headless::popups().size(), 1u);
    EXPECT_EQ(uir::headless::popups()[0].kind, "message");
    EXPECT_EQ(uir::headless::popups()[0].title, "Носитель");
    EXPECT_EQ(uir::headless::popups()[0].text, kCarrierFailedText);
    expect_demo();
    EXPECT_THAT(summary_positions(), ElementsAre("Носитель не открыт"));
}

TEST_F(Startup, AFailedCarrierStillTriesTheModuleWithSessionAndPositionZero) {
    use_fake();
    // A driver that fails may still leave something in its session argument.
    fake::hooks().kelbase_init = [](ViRsrc, ViBoolean, ViBoolean, ViSession* vi) -> ViStatus {
        *vi = 77;
        return VI_ERROR_RSRC_BUSY;
    };
    at(1, [] {
        // From here on the carrier session 0 answers its resource name, so qorm_init gets as
        // far as connecting the module, which fails on a carrier it cannot reach.
        fake::hooks().viGetAttribute = [](ViObject vi, ViAttr attr, void* value) -> ViStatus {
            if (vi != 0 || attr != VI_ATTR_RSRC_NAME) return VI_ERROR_NSUP_ATTR;
            std::snprintf(static_cast<char*>(value), VI_FIND_BUFLEN, "%s", fake::default_carrier);
            return VI_SUCCESS;
        };
        fake::fail("kelqorm_connect", VI_ERROR_INV_OBJECT);
        automation::press(siPanel, siControls.ok);
    });
    leave_front_panel_at(2);

    run();

    ASSERT_EQ(uir::headless::popups().size(), 1u);
    EXPECT_EQ(uir::headless::popups()[0].title, "Носитель");
    EXPECT_EQ(uir::headless::popups()[0].text, kCarrierFailedText);
    EXPECT_EQ(fake::count("kelbase_m_type_q"), 0);
    // qorm_init's first step reads the resource name of carrier session 0.
    const std::vector<std::string> calls = fake::calls();
    const auto opened = std::find(calls.begin(), calls.end(),
                                  std::string(R"(kelbase_init("VXI0::8::INSTR", 1, 1))"));
    ASSERT_NE(opened, calls.end());
    ASSERT_NE(opened + 1, calls.end());
    EXPECT_EQ(opened[1], "viGetAttribute(0, VI_ATTR_RSRC_NAME)");
    EXPECT_THAT(fake::calls("kelqorm_connect"), ElementsAre("kelqorm_connect(5, 0, 0, 1, 1)"));
    expect_demo();
}

// ---- The caller's panel ------------------------------------------------------------------------

TEST_F(Startup, TheCarrierCommandsShowTheSummaryNeverTheSelection) {
    use_fake();
    bool after_button = false, after_menu = false, selection_shown = true;
    choose_first_carrier_at(1);
    at(2, [] {
        const int mp = last_panel(MP);
        HidePanel(carrier_summary());
        EXPECT_EQ(automation::press(mp, MP_BAZA), 0);
    });
    at(3, [&] {
        after_button = panel_visible(carrier_summary());
        selection_shown = panel_visible(siPanel);
        HidePanel(carrier_summary());
        EXPECT_EQ(automation::choose_menu_item(last_panel(MP), IMNU_INSTR_BASE_PANEL), 0);
    });
    leave_front_panel_at(4, [&](int) {
        after_menu = panel_visible(carrier_summary());
        selection_shown = selection_shown || panel_visible(siPanel);
    });

    run();

    EXPECT_TRUE(after_button);
    EXPECT_TRUE(after_menu);
    EXPECT_FALSE(selection_shown);
    EXPECT_NE(seen_.carrier_panel, siPanel);
    EXPECT_EQ(seen_.carrier_panel, carrier_summary());
    // Built before any other panel: in a fresh process it is the caller's panel 1.
    EXPECT_LT(carrier_summary(), siPanel);
}

TEST_F(Startup, TheDemoShowsTheSummaryToo) {
    use_instruments({});
    bool shown = false, closed = false;
    at(1, [] { EXPECT_EQ(automation::press(last_panel(MP), MP_BAZA), 0); });
    at(2, [&] {
        shown = panel_visible(carrier_summary());
        EXPECT_EQ(automation::close_panel(carrier_summary()), 0);
    });
    leave_front_panel_at(3, [&](int) { closed = !panel_visible(carrier_summary()); });

    run();

    EXPECT_TRUE(shown);
    EXPECT_TRUE(closed);
    expect_demo();
    EXPECT_THAT(summary_positions(), ElementsAre("Носитель не открыт"));
}

// ---- The run-time and the front panel cannot start --------------------------------------------

TEST_F(Startup, AFrontPanelThatCannotLoadLeavesNoModuleOpen) {
    // A first run registers the front panel's layout; then it is replaced by one without panels.
    fake::fail("viOpenDefaultRM", VI_ERROR_LIBRARY_NFOUND);
    leave_front_panel_at(1);
    run();
    static const uir::LayoutSpec no_panels{QORM_UIR_FILE, {}};
    ASSERT_EQ(uir::register_layout(no_panels), 0);
    uir::headless::clear_popups();
    fake::clear_log();
    choose_first_carrier_at(3);

    EXPECT_EQ(RunStandalone(), 0);
    uir::register_layout(qorm_layout());

    EXPECT_THAT(popup_texts(), IsEmpty());
    const std::vector<std::string> calls = fake::calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_THAT(std::vector<std::string>(calls.end() - 2, calls.end()),
                ElementsAre("kelqorm_reset(5)", "kelqorm_close(5)"));
    EXPECT_THAT(automation::panels(MP), IsEmpty());
}

class NoDisplay : public uir::headless::HeadlessBackend {
  public:
    int start() override { return -1; }
};

TEST(StartupWithoutRunTime, ReturnsMinusOneAndDoesNothing) {
    uir::shutdown();
    uir::use_backend(std::make_unique<NoDisplay>());
    fake::reset();
    fake::bind_all();

    EXPECT_EQ(RunStandalone(), -1);

    EXPECT_THAT(fake::log(), IsEmpty());
    EXPECT_THAT(automation::panels(), IsEmpty());
    uir::shutdown();
}

}  // namespace
}  // namespace si_test
