// libkelbase.so on the simulated crate: the operations of the carrier driver.
#pragma GCC visibility push(default)
#include "kelbase.h"
#pragma GCC visibility pop

#include "standin.h"

#define QORM_STANDIN_TABLE platform::KelbaseApi
#define QORM_STANDIN_CRATE qorm_sim_crate_kelbase
QORM_KELBASE_OPERATIONS(QORM_STANDIN_OPERATION)
