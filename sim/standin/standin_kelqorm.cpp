// libkelqorm.so on the simulated crate: the operations of the QORM module driver.
#pragma GCC visibility push(default)
#include "kelqorm.h"
#pragma GCC visibility pop

#include "standin.h"

#define QORM_STANDIN_TABLE platform::KelqormApi
#define QORM_STANDIN_CRATE qorm_sim_crate_kelqorm
QORM_KELQORM_OPERATIONS(QORM_STANDIN_OPERATION)
