// Which values show a fault.
#include <gtest/gtest.h>

#include "core/faults.h"
#include "userint.h"

namespace uir_test {
namespace {

uir::Control state_text(const char* text) {
    uir::Control c;
    c.kind = CTRL_STRING;
    c.data_type = VAL_STRING;
    c.fault_text = "X";
    c.text = text;
    return c;
}

uir::Control result(double number) {
    uir::Control c;
    c.kind = CTRL_NUMERIC;
    c.data_type = VAL_SHORT_INTEGER;
    c.fault_if_nonzero = true;
    c.number = number;
    return c;
}

TEST(Faults, MarkedValuesShowAFault) {
    EXPECT_TRUE(uir::rules::shows_fault(state_text("X")));
    for (const char* fine : {"-", "1", "2", "", "x", "XX"})
        EXPECT_FALSE(uir::rules::shows_fault(state_text(fine))) << fine;
    EXPECT_TRUE(uir::rules::shows_fault(result(5)));
    EXPECT_TRUE(uir::rules::shows_fault(result(-1)));
    EXPECT_FALSE(uir::rules::shows_fault(result(0)));
}

TEST(Faults, UnmarkedControlsNeverDo) {
    uir::Control text = state_text("X");
    text.fault_text.clear();
    EXPECT_FALSE(uir::rules::shows_fault(text));
    uir::Control number = result(5);
    number.fault_if_nonzero = false;
    EXPECT_FALSE(uir::rules::shows_fault(number));
    // A mark that does not fit the kind means nothing: a lamp is lit, not faulty.
    uir::Control lamp;
    lamp.kind = CTRL_LED;
    lamp.number = 1;
    lamp.fault_if_nonzero = true;
    EXPECT_FALSE(uir::rules::shows_fault(lamp));
    uir::Control unknown;
    unknown.kind = 999;
    EXPECT_FALSE(uir::rules::shows_fault(unknown));
}

}  // namespace
}  // namespace uir_test
