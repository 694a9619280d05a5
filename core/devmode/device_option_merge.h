// Merging one process's changes of the device-option block into the block stored now: several
// processes change one printer's block at once, each from the copy it read, and a change must
// reach the stored block as a change of what it names, not as a stale copy of the whole block.
#pragma once

#include <cstdint>

namespace devopt {

// Blocks of the current layout (kBlockSize bytes). Every field that `mine` changed from `base`
// (the stored block it was read from) goes into `stored` (the block stored now), which the
// other fields keep: numbers and texts whole, words of independent bits bit by bit.
void mergeChanges(const uint8_t* base, const uint8_t* mine, uint8_t* stored);

}  // namespace devopt
