// Fixture of the front panel's tests: a fresh headless run-time, the recording fake bound as
// VISA and both drivers over the fake's simulated crate, and helpers to open an instance and read
// the panels.
#pragma once

#include <gmock/gmock.h>

#include <functional>
#include <string>

#include "fake/fake.h"
#include "headless_test.h"
#include "qorm_internal.h"
#include "qorm_uir.h"
#include "uir/automation.h"
#include "uir/headless.h"
#include "uir/runtime.h"

namespace qorm_test {

class FrontPanelTest : public test_support::HeadlessTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Installs the fake's crate with its carrier changed by `carrier` (the crate's only
    // instrument), and opens the caller's carrier session on it again.
    void install_carrier(const sim::Instrument& carrier);
    // qorm_init on the fake's default carrier; the record or null.
    ModuleInstance* open_instance(ViUInt16 mezzanine = 2, int carrier_panel = 0);
    // Loads and sets up the five panels as a front-panel run does, without running its loop,
    // so a test can operate the panels and process the events itself.
    void load_panels(ModuleInstance* instance);
    // Presses a control (or flips it) as the operator does and runs its callback.
    int press(int panel, int control);
    int set(int panel, int control, int value);
    int set(int panel, int control, double value);

    ViSession carrier_ = 0;
};

// Reading the panels.
std::string text(int panel, int control);
int int_value(int panel, int control);
short short_value(int panel, int control);
unsigned short ushort_value(int panel, int control);
float float_value(int panel, int control);
bool dimmed(int panel, int control);
bool visible(int panel, int control);
bool panel_visible(int panel);
std::string title(int panel);
bool panel_exists(int panel);

}  // namespace qorm_test
