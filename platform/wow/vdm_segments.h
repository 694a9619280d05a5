// The 16-bit side's segments as the generic thunks see them: a table of selectors, each mapping
// a 16:16 pointer's offsets onto a block of this process's memory up to the segment's limit.
// The side that owns the memory (the 16-bit driver; here a simulation of it) maps and unmaps its
// segments; the library only converts pointers through WOWGetVDMPointer.
#pragma once

#include <windows.h>

namespace wow {

// The largest segment: a 16-bit offset addresses 64 KiB.
inline constexpr DWORD kSegmentLimit = 0x10000;

// A new selector for `size` bytes at `base`; 0 when the size is 0 or over 64 KiB, or no
// selector is left.
WORD MapSegment(void* base, DWORD size);
// Forgets the selector; false when it maps nothing or is still fixed.
bool UnmapSegment(WORD selector);
// How many WOWGetVDMPointerFix calls on the selector wait for their WOWGetVDMPointerUnfix.
unsigned FixCount(WORD selector);

}  // namespace wow
