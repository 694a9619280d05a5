// Narrowing of the UTF-16 texts of resources to the 8-bit system code page (Windows-1252), in
// which the library's strings are kept.
#include "platform/resources/byte_reader.h"

namespace res {
namespace {

// Units 0x80 to 0x9F of Windows-1252 stand for these characters (0: none).
const uint16_t kHigh[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                            0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                            0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

}  // namespace

char NarrowChar(uint16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == unit) return static_cast<char>(0x80 + i);
    return '?';
}

bool ByteReader::wideString(std::string& out) {
    out.clear();
    for (;;) {
        uint16_t unit;
        if (!u16(unit)) return false;
        if (unit == 0) return true;
        out.push_back(NarrowChar(unit));
    }
}

}  // namespace res
