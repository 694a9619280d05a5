// Bounded text copies: measure first, then write, so a refused copy leaves the destination as it
// was.
#include "core/helpers/bounded_text.h"

#include <cstring>

std::size_t BoundedLength(const char* text, std::size_t limit) {
    std::size_t n = 0;
    while (n < limit && text[n]) ++n;
    return n;
}

bool CopyBounded(char* destination, std::size_t size, const char* text) {
    if (!destination || !text || size == 0) return false;
    std::size_t length = BoundedLength(text, size);
    if (length >= size) return false;
    std::memmove(destination, text, length);
    destination[length] = '\0';
    return true;
}
