// Validation of a caller's device mode and its merge into a device mode of this driver: public
// fields are taken one by one, only when the caller marks them in dmFields and their values are
// sound; a private part of this driver is taken whole, converted to the current layout.
#pragma once

#include <cstddef>

namespace devmode {

// Merges size bytes of source into target (a current-layout device mode of kDevmodeSize bytes or
// more). Answers false and leaves target as it was when source is refused by the trust checks or
// target is not a current-layout device mode.
bool mergeDevmode(const void* source, size_t size, void* target, size_t targetSize);

}  // namespace devmode
