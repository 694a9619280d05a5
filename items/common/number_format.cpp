// Bounded formatting of the size and range texts.
#include "items/common/number_format.h"

#include <cstdio>
#include <cstring>

bool FormatTwoNumbers(char* buffer, size_t size, const char* format, int32_t first, int32_t second) {
    if (!buffer || size == 0) return false;
    buffer[0] = 0;
    if (!format) return false;
    const int32_t numbers[2] = {first, second};
    int used = 0;
    size_t at = 0;
    auto put = [&](const char* text, size_t length) {
        if (at + length >= size) return false;
        std::memcpy(buffer + at, text, length);
        at += length;
        return true;
    };
    for (const char* p = format; *p; ++p) {
        bool fits = true;
        if (*p != '%') {
            fits = put(p, 1);
        } else if (*++p == '%') {
            fits = put(p, 1);
        } else {
            const bool zero = *p == '0';
            if (zero) ++p;
            int width = 0;
            while (*p >= '0' && *p <= '9' && width < 100) width = width * 10 + (*p++ - '0');
            if (*p != 'd' || used == 2) fits = false;
            char number[128];
            const long value = used < 2 ? static_cast<long>(numbers[used]) : 0;
            const int length = !fits ? -1
                               : zero ? std::snprintf(number, sizeof number, "%0*ld", width, value)
                                      : std::snprintf(number, sizeof number, "%*ld", width, value);
            ++used;
            fits = fits && length >= 0 && static_cast<size_t>(length) < sizeof number &&
                   put(number, static_cast<size_t>(length));
        }
        if (!fits) {
            buffer[0] = 0;
            return false;
        }
    }
    buffer[at] = 0;
    return true;
}

bool AppendBounded(char* buffer, size_t size, const char* text) {
    if (!buffer || !text || size == 0) return false;
    const size_t have = strnlen(buffer, size);
    const size_t add = std::strlen(text);
    if (have >= size || add >= size - have) return false;
    std::memcpy(buffer + have, text, add + 1);
    return true;
}
