// Texts of the object layer taken from the library's pool: value texts, change texts and the
// display texts of list controls. Each block remembers its own size, so that whoever ends up
// holding a text can give it back with FreePoolText alone.
#pragma once

#include <cstddef>

// A zero-filled text buffer of `size` bytes; null when the pool is refused memory or size is 0.
char* NewPoolText(std::size_t size);
// A pool copy of the text; null for a null text or when memory is refused.
char* CopyPoolText(const char* text);
// Gives a text of NewPoolText or CopyPoolText back to the pool; null is ignored.
void FreePoolText(char* text);
