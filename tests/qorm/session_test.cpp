// The front-panel run (qorm_display) and its exits, driven by operator actions scheduled on
// the headless run-time's virtual clock while the run's loop waits.
#include <memory>
#include <vector>

#include "front_panel_test.h"
#include "qorm_layout.h"
#include "uir/headless_backend.h"

namespace qorm_test {
namespace {

using ::testing::ElementsAre;
using uir::headless::schedule;
namespace automation = uir::automation;

struct Handles {
    int mp = 0, about = 0, st = 0, exit = 0, zqorm = 0;
};

Handles handles_of(const ModuleInstance* instance) {
    return {instance->mp_panel, instance->about_panel, instance->st_panel, instance->exit_panel,
            instance->zqorm_panel};
}

class SessionTest : public FrontPanelTest {
  protected:
    // Schedules the operator's confirmed exit from the main panel at virtual time t.
    static void confirm_exit_at(double t, ModuleInstance* instance) {
        schedule(t, [instance] { EXPECT_EQ(automation::press(instance->mp_panel, MP_CLOSE), 0); });
        schedule(t + 0.1, [instance] {
            EXPECT_EQ(automation::press(instance->exit_panel, EXIT_POPUP_EXIT_YES), 0);
        });
    }
};

TEST_F(SessionTest, NullRecord) {
    EXPECT_EQ(qorm_display(nullptr), -1);
}

TEST_F(SessionTest, ConfirmedExitDiscardsEveryPanelAndReleasesTheInstance) {
    const int host = NewPanel(0, "Хост", 0, 0, 50, 50);
    ModuleInstance* instance = open_instance(2, host);
    Handles seen;
    schedule(0.1, [&] {
        seen = handles_of(instance);
        EXPECT_EQ(instance->display_active, 1);
        EXPECT_TRUE(panel_visible(seen.mp));
        EXPECT_FALSE(panel_visible(seen.about) || panel_visible(seen.st) ||
                     panel_visible(seen.exit) || panel_visible(seen.zqorm))
            << "only the main panel is shown";
        EXPECT_EQ(int_value(seen.mp, MP_LED), 1);
    });
    confirm_exit_at(0.2, instance);
    fake::clear_log();
    EXPECT_EQ(qorm_display(instance), 0);

    EXPECT_THAT(fake::calls("kelqorm_reset"), ElementsAre("kelqorm_reset(5)"));
    EXPECT_THAT(fake::calls("kelqorm_close"), ElementsAre("kelqorm_close(5)"));
    for (int panel : {seen.mp, seen.about, seen.st, seen.exit, seen.zqorm}) {
        EXPECT_FALSE(panel_exists(panel)) << "panel " << panel << " is discarded";
    }
    EXPECT_TRUE(panel_visible(host)) << "the caller's panel comes back";
}

TEST_F(SessionTest, ExitNoOnlyHidesTheConfirmation) {
    ModuleInstance* instance = open_instance();
    schedule(0.1, [&] { automation::press(instance->mp_panel, MP_CLOSE); });
    schedule(0.2, [&] {
        EXPECT_TRUE(panel_visible(instance->exit_panel));
        EXPECT_EQ(automation::press(instance->exit_panel, EXIT_POPUP_EXIT_NO), 0);
    });
    schedule(0.3, [&] {
        EXPECT_FALSE(panel_visible(instance->exit_panel));
        EXPECT_TRUE(panel_visible(instance->mp_panel));
        EXPECT_EQ(instance->exit_requested, 0);
    });
    confirm_exit_at(0.4, instance);
    EXPECT_EQ(qorm_display(instance), 0);
}

TEST_F(SessionTest, CloseBoxAndMenuShowTheConfirmationAndTheAboutPanel) {
    ModuleInstance* instance = open_instance();
    schedule(0.1, [&] {
        EXPECT_EQ(automation::close_panel(instance->mp_panel), 0);
        ProcessSystemEvents();
        EXPECT_TRUE(panel_visible(instance->exit_panel)) << "the close box asks, not closes";
        EXPECT_TRUE(panel_exists(instance->mp_panel));
        automation::press(instance->exit_panel, EXIT_POPUP_EXIT_NO);
        ProcessSystemEvents();

        EXPECT_EQ(automation::choose_menu_item(instance->mp_panel, IMNU_INSTR_ABOUT), 0);
        ProcessSystemEvents();
        EXPECT_TRUE(panel_visible(instance->about_panel));
        automation::close_panel(instance->about_panel);
        ProcessSystemEvents();
        EXPECT_FALSE(panel_visible(instance->about_panel)) << "closePCB hides it";

        automation::choose_menu_item(instance->mp_panel, IMNU_INSTR_EXIT);
        ProcessSystemEvents();
        EXPECT_TRUE(panel_visible(instance->exit_panel));
        automation::press(instance->exit_panel, EXIT_POPUP_EXIT_YES);
    });
    EXPECT_EQ(qorm_display(instance), 0);
}

TEST_F(SessionTest, WithoutCarrierPanelTheCarrierCommandsShowNothing) {
    ModuleInstance* instance = open_instance(2, 0);
    std::vector<int> visible_before;
    schedule(0.1, [&] {
        for (int panel : automation::panels()) {
            if (panel_visible(panel)) visible_before.push_back(panel);
        }
        EXPECT_EQ(automation::press(instance->mp_panel, MP_BAZA), 0);
        EXPECT_EQ(automation::choose_menu_item(instance->mp_panel, IMNU_INSTR_BASE_PANEL), 0);
        ProcessSystemEvents();
        std::vector<int> visible_after;
        for (int panel : automation::panels()) {
            if (panel_visible(panel)) visible_after.push_back(panel);
        }
        EXPECT_EQ(visible_after, visible_before);
    });
    confirm_exit_at(0.2, instance);
    EXPECT_EQ(qorm_display(instance), 0);
    for (int panel : automation::panels()) EXPECT_FALSE(panel_visible(panel));
}

TEST_F(SessionTest, CarrierCommandsBringTheCallersPanelBack) {
    const int host = NewPanel(0, "Хост", 0, 0, 50, 50);
    ModuleInstance* instance = open_instance(2, host);
    schedule(0.1, [&] {
        automation::press(instance->mp_panel, MP_BAZA);
        ProcessSystemEvents();
        EXPECT_TRUE(panel_visible(host));
        HidePanel(host);
        automation::choose_menu_item(instance->mp_panel, IMNU_INSTR_BASE_PANEL);
        ProcessSystemEvents();
        EXPECT_TRUE(panel_visible(host));
    });
    confirm_exit_at(0.2, instance);
    EXPECT_EQ(qorm_display(instance), 0);
}

TEST_F(SessionTest, LedIsOffForARecordWithoutModule) {
    ModuleInstance* demo = new_demo_instance(0);
    ASSERT_NE(demo, nullptr);
    schedule(0.1, [&] { EXPECT_EQ(int_value(demo->mp_panel, MP_LED), 0); });
    confirm_exit_at(0.2, demo);
    fake::clear_log();
    EXPECT_EQ(qorm_display(demo), 0);
    EXPECT_EQ(fake::count("kelqorm_reset"), 0);
    EXPECT_EQ(fake::count("kelqorm_close"), 0);
}

TEST_F(SessionTest, SecondDisplayDuringTheRunShowsTheMainPanelAgain) {
    ModuleInstance* instance = open_instance();
    schedule(0.1, [&] {
        HidePanel(instance->mp_panel);
        EXPECT_EQ(qorm_display(instance), 0);
        EXPECT_TRUE(panel_visible(instance->mp_panel));
        EXPECT_EQ(instance->display_active, 1) << "the first run goes on";
    });
    confirm_exit_at(0.2, instance);
    EXPECT_EQ(qorm_display(instance), 0);
}

TEST_F(SessionTest, HideKeepsTheRunGoing) {
    ModuleInstance* instance = open_instance();
    Handles seen;
    schedule(0.1, [&] {
        seen = handles_of(instance);
        DisplayPanel(seen.about);
        DisplayPanel(seen.exit);
        EXPECT_EQ(qorm_hide(instance), 0);
        for (int panel : {seen.mp, seen.about, seen.st, seen.exit, seen.zqorm}) {
            EXPECT_FALSE(panel_visible(panel));
        }
    });
    schedule(0.5, [&] {
        EXPECT_EQ(instance->display_active, 1);
        EXPECT_TRUE(panel_exists(seen.mp));
        qorm_display(instance);
        EXPECT_TRUE(panel_visible(seen.mp));
    });
    confirm_exit_at(0.6, instance);
    EXPECT_EQ(qorm_display(instance), 0);
}

// Watches the panels the run-time hides and discards, in order.
class PanelWatcher : public uir::headless::HeadlessBackend {
  public:
    std::vector<int> hidden, discarded;
    void panel_hidden(int panel) override { hidden.push_back(panel); }
    void panel_discarded(int panel) override { discarded.push_back(panel); }
};

class SessionEndTest : public SessionTest {
  protected:
    std::unique_ptr<uir::Backend> make_backend() override {
        auto backend = std::make_unique<PanelWatcher>();
        watcher_ = backend.get();
        return backend;
    }
    PanelWatcher* watcher_ = nullptr;
};

TEST_F(SessionEndTest, HideAndTheEndOfTheRunGoAboutSelfTestMainExitConnectorTest) {
    ModuleInstance* instance = open_instance();
    Handles seen;
    std::vector<int> hidden;
    schedule(0.1, [&] {
        seen = handles_of(instance);
        for (int panel : {seen.mp, seen.about, seen.st, seen.exit, seen.zqorm}) DisplayPanel(panel);
        watcher_->hidden.clear();
        EXPECT_EQ(qorm_hide(instance), 0);
        hidden = watcher_->hidden;
        qorm_display(instance);
    });
    confirm_exit_at(0.2, instance);
    EXPECT_EQ(qorm_display(instance), 0);
    const std::vector<int> end_order = {seen.about, seen.st, seen.mp, seen.exit, seen.zqorm};
    EXPECT_EQ(hidden, end_order);
    EXPECT_EQ(watcher_->discarded, end_order);
}

ModuleInstance* g_closed_from_host = nullptr;
ViStatus g_close_status = 99;

int host_closes_instance(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) g_close_status = qorm_close(&g_closed_from_host);
    return 0;
}

TEST_F(SessionTest, HostClosesTheInstanceFromItsOwnCallback) {
    const int host = NewPanel(0, "Хост", 0, 0, 80, 120);
    const int button = NewCtrl(host, CTRL_COMMAND_BUTTON, "Закрыть QORM", 10, 10);
    SetCtrlAttribute(host, button, ATTR_CALLBACK_FUNCTION_POINTER, &host_closes_instance);
    g_closed_from_host = open_instance(2, host);
    Handles seen;
    schedule(0.1, [&] {
        seen = handles_of(g_closed_from_host);
        DisplayPanel(host);
        fake::clear_log();
        EXPECT_EQ(automation::press(host, button), 0);
    });
    EXPECT_EQ(qorm_display(g_closed_from_host), 0);
    EXPECT_EQ(g_close_status, 0);
    EXPECT_THAT(fake::calls(), ElementsAre("kelqorm_reset(5)", "kelqorm_close(5)"));
    EXPECT_FALSE(panel_exists(seen.mp));
    EXPECT_FALSE(panel_exists(seen.zqorm));
    EXPECT_TRUE(panel_visible(host));
}

TEST_F(SessionTest, NestedRunsEndInnerFirst) {
    ModuleInstance* outer = open_instance(1);
    ModuleInstance* inner = open_instance(2);
    inner->session = 6;
    Handles outer_seen;
    schedule(0.1, [&] {
        outer_seen = handles_of(outer);
        // A host callback inside the outer run opens the inner front panel.
        schedule(0.1, [&] {
            automation::press(outer->mp_panel, MP_CLOSE);
            ProcessSystemEvents();
            automation::press(outer->exit_panel, EXIT_POPUP_EXIT_YES);
        });
        schedule(0.3, [&] {
            EXPECT_FALSE(panel_visible(outer->exit_panel)) << "the confirmation is hidden";
            EXPECT_TRUE(panel_exists(outer->mp_panel)) << "the outer panels wait";
        });
        confirm_exit_at(0.4, inner);
        fake::clear_log();
        EXPECT_EQ(qorm_display(inner), 0);
        EXPECT_EQ(outer->display_active, 1);
    });
    EXPECT_EQ(qorm_display(outer), 0);
    EXPECT_THAT(fake::calls("kelqorm_close"), ElementsAre("kelqorm_close(6)", "kelqorm_close(5)"));
    EXPECT_FALSE(panel_exists(outer_seen.mp));
}

// A layout without the self-test panel: the third load of a run fails.
const uir::LayoutSpec& layout_without_self_test_panel() {
    static std::vector<uir::PanelSpec> panels;
    static uir::LayoutSpec layout;
    panels.clear();
    for (const uir::PanelSpec& panel : qorm_layout().panels) {
        if (panel.id != ST) panels.push_back(panel);
    }
    layout.file_name = QORM_UIR_FILE;
    layout.panels = panels;
    return layout;
}

TEST_F(SessionTest, FailedLoadLeavesTheInstanceOpenAndNothingLoaded) {
    ModuleInstance* instance = open_instance();
    const auto panels_before = automation::panels();
    uir::register_layout(layout_without_self_test_panel());
    EXPECT_EQ(qorm_display(instance), -1);
    uir::register_layout(qorm_layout());
    EXPECT_EQ(automation::panels(), panels_before) << "the main and about panels are discarded";
    EXPECT_EQ(instance->display_active, 0);
    fake::clear_log();
    EXPECT_EQ(qorm_close(&instance), 0);
    EXPECT_THAT(fake::calls(), ElementsAre("kelqorm_reset(5)", "kelqorm_close(5)"));
}

// A host that chose no run-time backend in a build without a default one: the run-time refuses
// to start, and the front panel's first panel load fails as any failed load does.
TEST_F(SessionTest, WithoutABackendTheRunFailsAtItsFirstPanelLoad) {
    ModuleInstance* instance = open_instance();
    uir::shutdown();
    ASSERT_EQ(InitUserInterface(), UIE_NO_BACKEND);
    fake::clear_log();
    EXPECT_EQ(qorm_display(instance), -1);
    EXPECT_EQ(instance->display_active, 0);
    EXPECT_EQ(instance->mp_panel, 0);
    EXPECT_TRUE(fake::calls().empty()) << "nothing reaches the module";
    EXPECT_EQ(qorm_close(&instance), 0);
    EXPECT_THAT(fake::calls(), ElementsAre("kelqorm_reset(5)", "kelqorm_close(5)"));
}

}  // namespace
}  // namespace qorm_test
