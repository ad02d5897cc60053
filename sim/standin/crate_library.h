// The one simulated crate of a process that runs on the stand-in system libraries (libvisa.so,
// libkelqorm.so, libkelbase.so). The three stand-ins forward every operation here, so a carrier
// session opened through the carrier driver is a VISA session of the same crate, and a module
// session connects to it, as on a real machine.
//
// The crate is the file named by the environment variable QORM_SIM_CRATE, or the built-in crate
// when the variable is unset or empty; it is read at the first call of any operation. A file
// that is refused makes every operation return VI_ERROR_LIBRARY_NFOUND, and the module driver's
// error text says why (file, line, reason). The modules run on the steady clock from that first
// call: a program on the stand-ins runs in real time, as on hardware.
//
// Every call is serialised: the crate is one state, whichever thread of the host calls.
#pragma once

#include "bindings.h"

#define QORM_SIM_CRATE_EXPORT __attribute__((visibility("default")))

extern "C" {

QORM_SIM_CRATE_EXPORT const platform::VisaApi* qorm_sim_crate_visa(void);
QORM_SIM_CRATE_EXPORT const platform::KelqormApi* qorm_sim_crate_kelqorm(void);
QORM_SIM_CRATE_EXPORT const platform::KelbaseApi* qorm_sim_crate_kelbase(void);

// How many VISA objects (resource managers, find lists, instrument and carrier sessions) and
// module driver sessions are open now; 0 before the first call and on a refused crate. Not an
// operation of any of the three libraries: a host or a test that knows the stand-ins looks it up
// by name, to prove that it leaves nothing open.
QORM_SIM_CRATE_EXPORT int qorm_sim_open_sessions(void);
}
