// Fixture of the discovery, selection and start-up tests: a fresh headless run-time, an empty
// table of instruments, no current choice, and VISA with both drivers bound either to the
// recording fake or to a simulated crate.
#pragma once

#include <gmock/gmock.h>

#include <functional>
#include <string>
#include <vector>

#include "fake/fake.h"
#include "headless_test.h"
#include "si.h"
#include "sim/sim.h"
#include "uir/automation.h"
#include "uir/headless.h"
#include "uir/runtime.h"
#include "userint.h"

namespace si_test {

namespace automation = uir::automation;

class SiTest : public test_support::HeadlessTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Binds the recording fake, reset to its one working carrier.
    void use_fake();
    // The fake's crate with these instruments in place of its carrier, for the recording fake.
    static void use_instruments(std::vector<sim::Instrument> instruments);
    // Binds the simulated crate described by `yaml`, on the run-time's clock.
    void use_crate(const std::string& yaml);
    void use_crate(const sim::Crate& crate);

    // Runs `step` when the virtual clock reaches `t` seconds. Steps at different times run in
    // different turns, so a later step sees what the callbacks of an earlier one did.
    static void at(double t, std::function<void()> step);
};

// An entry as discovery would record it.
InstrumentEntry entry(const char* name, ViUInt16 model, ViInt16 la, ViInt16 slot,
                      ViInt16 mainframe = 0, ViInt16 interface_number = 0);
// Fills Instruments with a recognisable pattern, so a test can tell that nothing touched it.
void fill_with_sentinel();
bool holds_sentinel();

// The lines of a list control, and their values.
std::vector<std::string> list_lines(int panel, int control);
std::vector<int> list_values(int panel, int control);

bool panel_visible(int panel);
std::string panel_title(int panel);
int ctrl_int_attribute(int panel, int control, int attribute);
int panel_int_attribute(int panel, int attribute);

}  // namespace si_test
