// The one place the Win32 view reaches into the run-time: the backend interface it implements,
// the read-only model it draws, the automation entry points every gesture goes through, and the
// rules both views share (typed numbers, the Tab chain, placement, list columns, faults).
#pragma once

#include "core/faults.h"
#include "core/list_columns.h"
#include "core/placement.h"
#include "core/running_callbacks.h"
#include "core/tab_chain.h"
#include "core/typed_numbers.h"
#include "uir/automation.h"
#include "uir/backend.h"
#include "uir/model.h"
#include "uir/runtime.h"
#include "userint.h"
