// libvisa.so on the simulated crate: the operations of VISA.
#pragma GCC visibility push(default)
#include "visa.h"
#pragma GCC visibility pop

#include "standin.h"

#define QORM_STANDIN_TABLE platform::VisaApi
#define QORM_STANDIN_CRATE qorm_sim_crate_visa
QORM_VISA_OPERATIONS(QORM_STANDIN_OPERATION)
