// The record of a front panel without a module, for the standalone start-up: it comes from the
// same allocator and the same registry of live records as qorm_init's, so the end of its run
// releases it like any other.
#pragma once

#include "qorm.h"

// A zero-filled record with no driver session, at mainframe 1, slot 1, mezzanine 1, whose
// caller's panel is `carrier_panel`. Null when there is no memory for it.
ModuleInstance* new_demo_instance(ViInt32 carrier_panel);
