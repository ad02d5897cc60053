// The front panel's instance records come from here rather than straight from calloc, so that
// the simulated crate can make the next allocation fail as a machine out of memory would, and
// the front panel's way out of that runs end to end. Only a program that composes the simulated
// crate sets a check; with none, every call is calloc. The records are released with free.
#pragma once

#include <cstddef>

namespace platform {

// Asked before each allocation; false makes that allocation fail.
using AllocationCheck = bool (*)();
void set_allocation_check(AllocationCheck check);  // nullptr: none

// Zero-filled memory for `size` bytes, or nullptr when there is none (or the check refused).
void* allocate_record(std::size_t size);

}  // namespace platform
