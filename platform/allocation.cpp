#include "allocation.h"

#include <atomic>
#include <cstdlib>

namespace platform {

namespace {
std::atomic<AllocationCheck> g_check{nullptr};
}  // namespace

void set_allocation_check(AllocationCheck check) {
    g_check.store(check);
}

void* allocate_record(std::size_t size) {
    const AllocationCheck check = g_check.load();
    if (check != nullptr && !check()) return nullptr;
    return std::calloc(1, size);
}

}  // namespace platform
