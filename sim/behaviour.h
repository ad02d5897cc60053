// What each operation of the simulated libraries does: one function per entry of the declaration
// lists (visa.h, kelqorm.h, kelbase.h), named by the entry's table field, in sim::vi (VISA,
// visa_library.cpp), sim::kq (the module driver, module_driver_*.cpp) and sim::kb (the carrier
// driver, carrier_driver.cpp). tables.cpp makes the three tables of them, and takes an injected
// fault before a function is called; the functions check their arguments like a careful driver.
#pragma once

#include "kelbase.h"
#include "kelqorm.h"
#include "visa.h"

#define QORM_SIM_BEHAVIOUR(ret, name, field, ...) ret field(QORM_PARAMS(__VA_ARGS__));

namespace sim::vi {
QORM_VISA_OPERATIONS(QORM_SIM_BEHAVIOUR)
}
namespace sim::kq {
QORM_KELQORM_OPERATIONS(QORM_SIM_BEHAVIOUR)
}
namespace sim::kb {
QORM_KELBASE_OPERATIONS(QORM_SIM_BEHAVIOUR)
}

#undef QORM_SIM_BEHAVIOUR
