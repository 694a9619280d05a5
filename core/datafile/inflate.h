// Decompression of the zlib blocks that the driver data file and other libraries hand over
// (rule files, compressed data items). Decompression only; the library never compresses.
#pragma once

#include <windows.h>

// Inflates the zlib stream into the destination. The number of bytes produced (non-zero) when
// the stream is complete and fits; 0 for a corrupt, truncated or empty stream or one that needs
// more room than `destinationSize` (nothing is ever written past the destination).
UINT Inflate(const void* source, UINT sourceLength, void* destination, UINT destinationSize) noexcept;

// As Inflate, and the stream must use every source byte: for blocks whose size is recorded.
UINT InflateExact(const void* source, UINT sourceLength, void* destination, UINT destinationSize) noexcept;
