// Test-only: makes the system refuse the pool's requests for memory (new chunks and large
// blocks), as when memory runs out, so that the pool's exception can be seen where it goes.
#pragma once

// The next `grants` requests succeed, every later one is refused; a negative count never refuses.
void RefuseSystemMemoryAfter(long grants) noexcept;

namespace drvtest {
// Refuses for the life of the object, then lets the system grant again.
class ScopedMemoryRefusal {
public:
    explicit ScopedMemoryRefusal(long grants = 0) { RefuseSystemMemoryAfter(grants); }
    ~ScopedMemoryRefusal() { RefuseSystemMemoryAfter(-1); }
    ScopedMemoryRefusal(const ScopedMemoryRefusal&) = delete;
    ScopedMemoryRefusal& operator=(const ScopedMemoryRefusal&) = delete;
};
}  // namespace drvtest
