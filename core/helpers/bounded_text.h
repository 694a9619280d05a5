// Bounded text copies for texts that cross between the items and their callers (option
// requests, list controls, secondary keys): a text either fits whole, terminator included, or
// nothing is written at all, so a caller never sees a cut or unterminated text.
#pragma once

#include <cstddef>

// Length of the text when it is shorter than `limit`, else `limit` (no byte past limit is read).
std::size_t BoundedLength(const char* text, std::size_t limit);
// Copies text into destination of `size` bytes when it fits with its terminator; answers false
// and writes nothing when it does not, or when either pointer is null or size is 0.
bool CopyBounded(char* destination, std::size_t size, const char* text);
