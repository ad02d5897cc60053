// The one place the Win32 view reaches into the run-time: the backend interface it implements,
// the read-only model it draws, and the automation entry points every gesture goes through.
#pragma once

#include "core/backend.h"
#include "core/model.h"
#include "uir.h"
