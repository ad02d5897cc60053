// The example host program on the headless run-time and the simulated crate: front panels opened
// from the host's panel, nested runs, qorm_close from the host's callbacks, qorm_hide. It uses
// only what the installed package offers, so it also runs against an installed package.
#include <gmock/gmock.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <string>

#include "bindings.h"
#include "host.h"
#include "qorm_uir.h"
#include "sim/faults.h"
#include "sim/sim.h"
#include "uir/automation.h"
#include "uir/backend.h"
#include "uir/headless.h"
#include "uir/headless_backend.h"
#include "uir/model.h"
#include "uir/runtime.h"
#include "userint.h"

namespace {

namespace ua = uir::automation;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A carrier with a mezzanine of another type at 1, QORMs at 2 and 4, nothing at 3.
constexpr const char* kCrate = R"(
name: host test
instruments:
  - resource: VXI0::0::INSTR
    slot: 0
    logical_address: 0
    model_code: 0x0FF
  - resource: VXI0::8::INSTR
    slot: 3
    model_code: 0x155
    carrier:
      mezzanines:
        - position: 1
          type: 7
        - position: 2
        - position: 4
          hardware_revision: "2.1"
)";

// The headless backend as an operator uses it: scheduled steps reach the program only once it
// waits for the operator again (a turn that waited), never from inside its own event processing
// while it sets up. It also notes what the run-time told it about panels: "discard 12",
// "raise 1", "show 1".
class WatchingBackend : public uir::headless::HeadlessBackend {
  public:
    explicit WatchingBackend(std::vector<std::string>* log) : log_(log) {}
    void collect_input() override {
        if (!waited_) return;
        waited_ = false;
        HeadlessBackend::collect_input();
    }
    int wait(double deadline) override {
        const int st = HeadlessBackend::wait(deadline);
        waited_ = st == 0;
        return st;
    }
    void panel_discarded(int panel) override {
        log_->push_back("discard " + std::to_string(panel));
    }
    void panel_shown(int panel) override { log_->push_back("show " + std::to_string(panel)); }
    void panel_raised(int panel) override { log_->push_back("raise " + std::to_string(panel)); }

  private:
    std::vector<std::string>* log_;
    bool waited_ = false;
};

class HostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A fresh run-time each case; a headless run that cannot go on fails the case, and a
        // front panel that never ends meets the virtual time limit instead of hanging.
        uir::shutdown();
        uir::use_backend(std::make_unique<WatchingBackend>(&panel_log));
        ASSERT_EQ(InitUserInterface(), 0);
        uir::headless::on_failure(
            [](const std::string& reason) { ADD_FAILURE() << "headless run-time: " << reason; });
        uir::headless::set_time_limit(3600);
        std::string error;
        auto crate = sim::load_crate_text(kCrate, "host test", &error);
        ASSERT_TRUE(crate) << error;
        sim::install(*crate);
        sim::set_clock([] { return Timer(); });
        platform::bind_visa(sim::visa_api());
        platform::bind_kelqorm(sim::kelqorm_api());
        platform::bind_kelbase(sim::kelbase_api());
        ASSERT_GE(host::open_carrier(&host, nullptr), 0);
        ASSERT_GT(host::build_panel(&host), 0);
    }
    void TearDown() override {
        sim::clear_faults();
        platform::bind_visa(nullptr);
        platform::bind_kelqorm(nullptr);
        platform::bind_kelbase(nullptr);
        sim::set_clock(nullptr);
        uir::shutdown();
    }

    // The operator's steps, each run when the program waits for the operator again; the last
    // one should end the host.
    void then(std::function<void()> step) { steps.push_back(std::move(step)); }
    void run_host() {
        next_step();
        EXPECT_EQ(host::run(&host), 0);
        EXPECT_TRUE(steps.empty()) << steps.size() << " steps never ran";
    }
    void next_step() {
        uir::headless::schedule(0, [this] {
            if (steps.empty()) return;
            std::function<void()> step = std::move(steps.front());
            steps.pop_front();
            step();
            next_step();
        });
    }

    // The live main panels of front panels, oldest first.
    static std::vector<int> main_panels() { return ua::panels(MP); }
    static bool shown(int panel) {
        const uir::Panel* p = uir::model::find_panel(panel);
        return p != nullptr && p->visible;
    }
    int press_host(int control, int position = 0) {
        if (position > 0) {
            EXPECT_EQ(ua::select_index(host.panel, host.list, position - 1), 0);
        }
        return ua::press(host.panel, control);
    }
    std::string list_line(int position) {
        char line[96] = "";
        EXPECT_EQ(GetLabelFromIndex(host.panel, host.list, position - 1, line), 0);
        return line;
    }

    host::Host host;
    std::deque<std::function<void()>> steps;
    std::vector<std::string> panel_log;
};

TEST_F(HostTest, ListsThePositionsOfTheCarrier) {
    EXPECT_STREQ(host.resource, "VXI0::8::INSTR") << "the slot-0 controller is no carrier";
    EXPECT_EQ(list_line(1), "Позиция 1: мезонин типа 7");
    EXPECT_EQ(list_line(2), "Позиция 2: QORM");
    EXPECT_EQ(list_line(3), "Позиция 3: пусто");
    EXPECT_EQ(list_line(4), "Позиция 4: QORM");
    char title[128] = "";
    ASSERT_EQ(GetPanelAttribute(host.panel, ATTR_TITLE, title), 0);
    EXPECT_STREQ(title, "Носитель VXI0::8::INSTR");
}

TEST_F(HostTest, OpensAFrontPanelWithTheHostsPanelAsTheCallersPanel) {
    then([&] { ASSERT_EQ(ua::double_click(host.panel, host.list, 1), 0); });
    then([&] {
        ASSERT_EQ(main_panels().size(), 1u);
        EXPECT_TRUE(shown(main_panels()[0]));
        ASSERT_NE(host.running[1], nullptr);
        EXPECT_EQ(host.running[1]->carrier_panel, host.panel);
        EXPECT_EQ(host.running[1]->mezzanine_number, 2);
        EXPECT_EQ(host.depth, 1);
        EXPECT_EQ(list_line(2), "Позиция 2: QORM (панель открыта)");
        // The front panel's "Носитель" brings the host's panel forward.
        panel_log.clear();
        ASSERT_EQ(ua::press(main_panels()[0], MP_BAZA), 0);
    });
    then([&] {
        EXPECT_THAT(panel_log, ElementsAre("raise " + std::to_string(host.panel)));
        ASSERT_EQ(press_host(host.exit), 0);
    });
    run_host();
    EXPECT_TRUE(main_panels().empty());
    EXPECT_EQ(host.running[1], nullptr);
    EXPECT_EQ(host.depth, 0);
}

TEST_F(HostTest, CloseFromTheHostEndsTheRunAndBringsTheHostPanelBack) {
    int mp = 0;
    then([&] { ASSERT_EQ(press_host(host.open, 2), 0); });
    then([&] {
        ASSERT_EQ(main_panels().size(), 1u);
        mp = main_panels()[0];
        panel_log.clear();
        ASSERT_EQ(press_host(host.close, 2), 0);
    });
    then([&] {
        EXPECT_TRUE(main_panels().empty()) << "the run ended at its next turn";
        EXPECT_EQ(host.running[1], nullptr);
        EXPECT_EQ(host.depth, 0);
        EXPECT_EQ(list_line(2), "Позиция 2: QORM");
        // The main panel went, then the host's panel was brought back by the release.
        const auto discarded =
            std::find(panel_log.begin(), panel_log.end(), "discard " + std::to_string(mp));
        ASSERT_NE(discarded, panel_log.end());
        EXPECT_NE(std::find(discarded, panel_log.end(), "raise " + std::to_string(host.panel)),
                  panel_log.end());
        EXPECT_TRUE(shown(host.panel));
        ASSERT_EQ(press_host(host.exit), 0);
    });
    run_host();
}

TEST_F(HostTest, HideKeepsTheRunGoingAndOpenBringsItBack) {
    then([&] { ASSERT_EQ(press_host(host.open, 2), 0); });
    then([&] {
        const int mp = main_panels().at(0);
        ASSERT_EQ(ua::press(mp, MP_CLOSE), 0);  // the exit confirmation is on screen too
    });
    then([&] { ASSERT_EQ(press_host(host.hide, 2), 0); });
    then([&] {
        const int mp = main_panels().at(0);
        EXPECT_FALSE(shown(mp));
        EXPECT_FALSE(shown(ua::panels(EXIT_POPUP).at(0)));
        EXPECT_EQ(host.depth, 1) << "the run goes on with its panels hidden";
        EXPECT_NE(host.running[1], nullptr);
        EXPECT_EQ(ua::press(mp, MP_CHECKSTATE), UIE_NOT_OPERABLE);
        ASSERT_EQ(press_host(host.open, 2), 0);
    });
    then([&] {
        EXPECT_EQ(main_panels().size(), 1u) << "no second run of the same record";
        EXPECT_TRUE(shown(main_panels().at(0)));
        EXPECT_EQ(host.depth, 1);
        ASSERT_EQ(press_host(host.exit), 0);
    });
    run_host();
    EXPECT_TRUE(main_panels().empty());
}

TEST_F(HostTest, TwoFrontPanelsNestAndTheInnerEndsFirst) {
    int a = 0, b = 0;
    then([&] { ASSERT_EQ(press_host(host.open, 2), 0); });
    then([&] { ASSERT_EQ(press_host(host.open, 4), 0); });
    then([&] {
        ASSERT_EQ(main_panels().size(), 2u);
        a = main_panels()[0];
        b = main_panels()[1];
        EXPECT_EQ(host.depth, 2) << "the second run runs inside the first one's callback";
        EXPECT_TRUE(shown(a));
        EXPECT_TRUE(shown(b));
        // The outer front panel stays usable while the inner one runs.
        ASSERT_EQ(ua::press(a, MP_CLOSE), 0);
    });
    then([&] {
        const int a_exit = ua::panels(EXIT_POPUP).at(0);
        ASSERT_EQ(ua::press(a_exit, EXIT_POPUP_EXIT_YES), 0);
    });
    then([&] {
        EXPECT_FALSE(shown(ua::panels(EXIT_POPUP).at(0))) << "A's confirmation is hidden";
        EXPECT_THAT(main_panels(), ElementsAre(a, b)) << "A's panels stay while B runs";
        EXPECT_EQ(host.depth, 2);
        panel_log.clear();
        ASSERT_EQ(press_host(host.close, 4), 0);
    });
    then([&] {
        EXPECT_TRUE(main_panels().empty()) << "B's end lets A's run see its exit at once";
        EXPECT_EQ(host.depth, 0);
        const auto b_gone =
            std::find(panel_log.begin(), panel_log.end(), "discard " + std::to_string(b));
        const auto a_gone =
            std::find(panel_log.begin(), panel_log.end(), "discard " + std::to_string(a));
        ASSERT_NE(b_gone, panel_log.end());
        ASSERT_NE(a_gone, panel_log.end());
        EXPECT_LT(b_gone, a_gone) << "the inner run ends first";
        ASSERT_EQ(press_host(host.exit), 0);
    });
    run_host();
}

TEST_F(HostTest, ExitFromTheHostEndsEveryFrontPanelInnerFirst) {
    int a = 0, b = 0;
    then([&] { ASSERT_EQ(press_host(host.open, 2), 0); });
    then([&] { ASSERT_EQ(press_host(host.open, 4), 0); });
    then([&] {
        a = main_panels().at(0);
        b = main_panels().at(1);
        panel_log.clear();
        // The host's close box, from inside the inner run.
        ASSERT_EQ(ua::close_panel(host.panel), 0);
    });
    run_host();
    EXPECT_TRUE(main_panels().empty());
    EXPECT_EQ(host.running[1], nullptr);
    EXPECT_EQ(host.running[3], nullptr);
    const auto b_gone =
        std::find(panel_log.begin(), panel_log.end(), "discard " + std::to_string(b));
    const auto a_gone =
        std::find(panel_log.begin(), panel_log.end(), "discard " + std::to_string(a));
    ASSERT_NE(a_gone, panel_log.end());
    EXPECT_LT(b_gone, a_gone);
    EXPECT_FALSE(shown(host.panel)) << "the host's run is over";
}

TEST_F(HostTest, PositionsWithoutAQormOpenNothing) {
    then([&] { ASSERT_EQ(press_host(host.open, 1), 0); });
    then([&] { ASSERT_EQ(press_host(host.open, 3), 0); });
    then([&] { ASSERT_EQ(press_host(host.hide, 2), 0); });
    then([&] { ASSERT_EQ(press_host(host.close, 2), 0); });
    then([&] {
        EXPECT_TRUE(main_panels().empty());
        ASSERT_EQ(press_host(host.exit), 0);
    });
    run_host();
    const auto& popups = uir::headless::popups();
    ASSERT_EQ(popups.size(), 2u);
    EXPECT_EQ(popups[0].title, "Носитель");
    EXPECT_EQ(popups[0].text, "На позиции 1 нет модуля QORM");
    EXPECT_EQ(popups[1].text, "На позиции 3 нет модуля QORM");
    EXPECT_EQ(host::open_position(&host, 0), -1);
    EXPECT_EQ(host::open_position(&host, 5), -1);
    EXPECT_EQ(host::open_position(nullptr, 2), -1);
    EXPECT_EQ(host::hide_position(&host, 2), -1);
    EXPECT_EQ(host::close_position(&host, 2), -1);
}

TEST_F(HostTest, AModuleThatDoesNotOpenIsReportedAndTheHostGoesOn) {
    ASSERT_TRUE(sim::fail_next("kelqorm_connect", VI_ERROR_TMO));
    then([&] { ASSERT_EQ(press_host(host.open, 2), 0); });
    then([&] {
        EXPECT_TRUE(main_panels().empty());
        EXPECT_EQ(host.running[1], nullptr);
        ASSERT_EQ(press_host(host.open, 2), 0);
    });
    then([&] {
        EXPECT_EQ(main_panels().size(), 1u) << "the next try opens it";
        ASSERT_EQ(press_host(host.exit), 0);
    });
    run_host();
    const auto& popups = uir::headless::popups();
    ASSERT_FALSE(popups.empty());
    EXPECT_EQ(popups[0].title, "Носитель");
    EXPECT_THAT(popups[0].text, HasSubstr("Модуль на позиции 2 не открыт:\n"));
    EXPECT_THAT(popups[0].text, HasSubstr("Истекло время ожидания"));
}

TEST_F(HostTest, NoCarrierIsRefusedAndNullHostsAreHarmless) {
    host::Host other;
    EXPECT_LT(host::open_carrier(&other, "VXI0::24::INSTR"), 0);
    EXPECT_EQ(other.carrier, 0u);
    EXPECT_LT(host::open_carrier(nullptr, nullptr), 0);
    EXPECT_LT(host::build_panel(nullptr), 0);
    EXPECT_LT(host::run(nullptr), 0);
    host::request_exit(nullptr);
    char line[8] = "x";
    host::position_line(host, 9, line, sizeof line);
    EXPECT_STREQ(line, "");
    host::position_line(host, 2, line, sizeof line);
    EXPECT_STREQ(line, "Поз") << "cut to the buffer, whole characters only";
}

}  // namespace
