// What LoadLibraryA checks of a shared object before the host's loader maps it: the host maps a
// library's segments straight from the file, and a segment that reaches past the end of a
// truncated file kills the process on first touch instead of failing the load.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kernel {

// How many bytes of the start of a file ElfImageFits needs at most: the header and the program
// header table of every library the host builds lie well inside them.
inline constexpr size_t kElfHeadBytes = 64 * 1024;

// Whether the head of a file (its first `size` bytes, at most kElfHeadBytes) is a 64-bit
// little-endian ELF shared object whose program header table lies inside that head and whose
// every segment lies inside a file of fileSize bytes.
bool ElfImageFits(const uint8_t* head, size_t size, uint64_t fileSize);

}  // namespace kernel
