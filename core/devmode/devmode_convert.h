// Conversion of a device mode of any accepted private version into the current layout. Newer
// versions only append to sections, so an older or shorter device mode keeps every value it
// holds and takes the base's value for the rest.
#pragma once

#include <cstddef>

namespace devmode {

// Converts size bytes of source into target (at least kDevmodeSize bytes), over base, a device
// mode in the current layout that supplies what source lacks. Source and target may be the same
// buffer. Answers false and leaves target as it was when source or base fails the trust checks.
bool convertDevmode(const void* base, const void* source, size_t size, void* target, size_t targetSize);

}  // namespace devmode
