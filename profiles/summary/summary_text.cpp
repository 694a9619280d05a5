// The bounded appends of the settings summary (see summary_text.h).
#include "profiles/summary/summary_text.h"

#include <cstring>

namespace summary {

bool Append(char* text, size_t size, const char* part, const char* tail) {
    if (!text || size == 0) return false;
    size_t at = strnlen(text, size - 1);
    text[at] = 0;
    const size_t room = size - 1 - at;
    const size_t partLength = part ? std::strlen(part) : 0;
    const size_t copied = partLength < room ? partLength : room;
    if (copied) std::memcpy(text + at, part, copied);
    at += copied;
    text[at] = 0;
    if (copied < partLength) return false;
    const size_t tailLength = tail ? std::strlen(tail) : 0;
    if (tailLength > size - 1 - at) return false;
    std::memcpy(text + at, tail, tailLength);
    text[at + tailLength] = 0;
    return true;
}

void CopyBounded(char* to, size_t size, const char* from) {
    if (!to || size == 0) return;
    size_t n = from ? strnlen(from, size - 1) : 0;
    if (n) std::memcpy(to, from, n);
    to[n] = 0;
}

}  // namespace summary
