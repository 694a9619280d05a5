// Where the small-object pool gets its memory: whole chunks and large blocks straight from the
// system. Kept apart so that a test can make the system refuse, as when memory runs out.
#pragma once

#include <cstddef>

// Null when the system refuses the request.
void* SystemAllocate(std::size_t bytes) noexcept;
void SystemRelease(void* block) noexcept;
