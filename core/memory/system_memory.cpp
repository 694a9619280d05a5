// The pool's requests to the system, with the refusal switch that tests flip through
// drvtest/memory_refusal.h (the switch must sit here, where the request is made).
#include "core/memory/system_memory.h"

#include <atomic>
#include <cstdlib>

namespace {
// Requests still granted before the system starts refusing; negative: never refuse.
std::atomic<long> g_grantsLeft{-1};

bool Granted() noexcept {
    long left = g_grantsLeft.load(std::memory_order_relaxed);
    while (left >= 0) {
        if (left == 0) return false;
        if (g_grantsLeft.compare_exchange_weak(left, left - 1, std::memory_order_relaxed)) return true;
    }
    return true;
}
}  // namespace

// No request of the library comes near a terabyte; one that does is a corrupt size, refused as
// the system would refuse it (the sanitizers' allocator would abort instead).
void* SystemAllocate(std::size_t bytes) noexcept {
    if (bytes > (std::size_t{1} << 40) || !Granted()) return nullptr;
    return std::malloc(bytes);
}

void SystemRelease(void* block) noexcept { std::free(block); }

// Declared in the test-only header drvtest/memory_refusal.h.
void RefuseSystemMemoryAfter(long grants) noexcept { g_grantsLeft.store(grants, std::memory_order_relaxed); }
