// Fixture of the channel and diagnostic tests: a record of module session 5 at crate 1, slot 5,
// mezzanine 2, its five panels loaded and set up, the fake's log cleared after the set-up; and
// the readers those tests share.
//
// The simulated module of session 5 answers; module() is its description and readback() the
// words its registers report in place of its own (a channel's state, latches, time; the run
// flag).
#pragma once

#include <string>
#include <vector>

#include "front_panel_test.h"

namespace qorm_test {

class ChannelTest : public FrontPanelTest {
  protected:
    static constexpr ViSession kSession = 5;

    void SetUp() override;
    // Loads the panels again for a module of another hardware revision.
    void reload_with_revision(const std::string& revision);

    static sim::Mezzanine& module();
    static sim::Readback& readback();

    // The operator's choice of timed switching (through mpCtrlMode), which undims the run
    // controls and dims the group buttons.
    void choose_timed_switching();
    // The operator turns continuous polling on or off with "Постоянно".
    void set_continuous_polling(bool on);

    ModuleInstance record_{};
    int mp_ = 0;
};

bool timer_enabled(int panel);
std::vector<std::string> textbox_lines(int panel, int control);
// Every control of a panel as "id value dimmed visible" (timers with their enabled state), to
// compare a panel before and after an action that must leave it alone.
std::vector<std::string> snapshot(int panel);

}  // namespace qorm_test
