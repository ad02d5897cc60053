// The round trip on the real front panel: a session at the panels of the simulated crate's QORM,
// recorded as the operator does it, replays headless to the same panels.
#include <gmock/gmock.h>

#include <cstdint>

#include "bindings.h"
#include "kelbase.h"
#include "qorm.h"
#include "recorder.h"
#include "script_fixture.h"
#include "script_runner.h"
#include "sim/sim.h"
#include "uir/automation.h"
#include "userint.h"

namespace script_test {
namespace {

using ::testing::HasSubstr;

class FrontPanelRoundTrip : public ScriptTest {
  protected:
    void SetUp() override {
        ScriptTest::SetUp();
        HidePanel(tp);
        sim::set_clock([] { return Timer(); });
        platform::bind_visa(sim::visa_api());
        platform::bind_kelqorm(sim::kelqorm_api());
        platform::bind_kelbase(sim::kelbase_api());
    }
    void TearDown() override {
        platform::bind_visa(nullptr);
        platform::bind_kelqorm(nullptr);
        platform::bind_kelbase(nullptr);
        sim::set_clock(nullptr);
        ScriptTest::TearDown();
    }

    // Runs `text` on a fresh crate's front panel until the script ends; `state` is what the
    // panels showed then, before the run was closed.
    int run_front_panel(const std::string& text, std::string* state) {
        sim::install(sim::default_crate());
        ViSession carrier = 0;
        char resource[] = "VXI0::8::INSTR";
        EXPECT_EQ(kelbase_init(resource, VI_TRUE, VI_TRUE, &carrier), VI_SUCCESS);
        ModuleInstance* instance = nullptr;
        EXPECT_EQ(qorm_init(carrier, 2, VI_TRUE, VI_TRUE, &instance), VI_SUCCESS);
        app::script::ParseError error;
        auto script = app::script::parse(text, {.simulated = true}, &error);
        if (!script || instance == nullptr) {
            ADD_FAILURE() << "line " << error.line << ": " << error.reason;
            return -1;
        }
        transcript.clear();
        app::script::Runner runner(
            std::move(*script), [this](const std::string& line) { transcript.push_back(line); },
            [&](int) {
                *state = snapshot();
                qorm_close(&instance);
            });
        runner.start();
        EXPECT_EQ(qorm_display(instance), 0);
        return runner.finished() ? runner.exit_status() : runner.program_ended();
    }
};

TEST_F(FrontPanelRoundTrip, RecordedSessionReplaysToTheSamePanels) {
    std::vector<std::string> recorded;
    app::Recorder recorder([&](const std::string& line) { recorded.push_back(line); },
                           [] { return Timer(); });
    uir::automation::set_observer([&](const uir::automation::Action& a) { recorder.observe(a); });
    std::string first;
    ASSERT_EQ(run_front_panel("answer yes\n"
                              "choose IMNU_INSTR_ZQORM\n"
                              "press ZQORM_COMMANDBUTTON\n"
                              "set MP_L_1 1\n"
                              "set MP_L_2 2\n"
                              "press MP_SWITCH_1\n"
                              "press MP_COMMANDBUTTON_4\n"
                              "press MP_GRP_ON\n"
                              "wait 0.2\n"
                              "press MP_GRP_OFF\n"
                              "press MP_CTRL_MODE\n"
                              "set MP_T_1 0.3\n"
                              "set MP_T_5 0.7251\n"
                              "press MP_START\n"
                              "set MP_STATE_CONT 1\n"
                              "wait 0.5\n"
                              "press MP_2FIX_1\n"
                              "press MP_SELFTEST\n"
                              "close ST\n"
                              "choose IMNU_INSTR_ABOUT\n"
                              "wait 1.5\n",
                              &first),
              app::script::kPassed)
        << last_line();
    uir::automation::set_observer(nullptr);
    recorder.flush();

    std::string replay;
    for (const std::string& line : recorded) replay += line + "\n";
    EXPECT_THAT(replay, HasSubstr("answer yes\nchoose IMNU_INSTR_ZQORM\ncheck popup \"QORM\" "
                                  "\"Подлючите соединитель контрольный QORM-Z\"\n"));
    EXPECT_THAT(replay, HasSubstr("press MP_GRP_ON\nwait 0.2\npress MP_GRP_OFF\n"));
    EXPECT_THAT(replay, HasSubstr("set MP_T_5 0.7251\npress MP_START\nwait 0.05\n"))
        << "the start waits 0.05 s in its callback before the next action";
    // The last action was made 1.5 s before the end, which a recording cannot know of.
    EXPECT_THAT(first, HasSubstr("MP_STATE_CONT = 1\n"));
    EXPECT_THAT(first, HasSubstr("ABOUT ")) << "the about panel is among the panels";

    std::string second;
    ASSERT_EQ(run_front_panel(replay + "wait 1.5\n", &second), app::script::kPassed)
        << last_line() << "\n"
        << replay;
    EXPECT_EQ(second, first);
}

}  // namespace
}  // namespace script_test
