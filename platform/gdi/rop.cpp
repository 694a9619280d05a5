// Row loops of the ternary raster operations: plain loops for the codes that pictures use most,
// the truth table for the rest.
#include "platform/gdi/rop.h"

#include <algorithm>
#include <cstring>

namespace gdi {

void Rop3Row(std::uint8_t index, const std::uint32_t* p, const std::uint32_t* s, std::uint32_t* d, int n) {
    switch (index) {
    case 0xCC: std::memmove(d, s, std::size_t(n) * 4); return;                        // SRCCOPY
    case 0xF0: std::memcpy(d, p, std::size_t(n) * 4); return;                         // PATCOPY
    case 0x00: std::fill_n(d, n, 0u); return;                                          // BLACKNESS
    case 0xFF: std::fill_n(d, n, 0xFFFFFFu); return;                                   // WHITENESS
    case 0xAA: return;                                                                  // D
    case 0x88: for (int i = 0; i < n; ++i) d[i] &= s[i]; return;                        // SRCAND
    case 0xEE: for (int i = 0; i < n; ++i) d[i] |= s[i]; return;                        // SRCPAINT
    case 0x66: for (int i = 0; i < n; ++i) d[i] ^= s[i]; return;                        // SRCINVERT
    case 0x33: for (int i = 0; i < n; ++i) d[i] = ~s[i] & 0xFFFFFF; return;            // NOTSRCCOPY
    case 0x55: for (int i = 0; i < n; ++i) d[i] = ~d[i] & 0xFFFFFF; return;            // DSTINVERT
    case 0x5A: for (int i = 0; i < n; ++i) d[i] ^= p[i]; return;                        // PATINVERT
    case 0x44: for (int i = 0; i < n; ++i) d[i] = s[i] & ~d[i] & 0xFFFFFF; return;     // SRCERASE
    case 0xC0: for (int i = 0; i < n; ++i) d[i] = p[i] & s[i]; return;                  // MERGECOPY
    case 0xBB: for (int i = 0; i < n; ++i) d[i] = (~s[i] | d[i]) & 0xFFFFFF; return;   // MERGEPAINT
    case 0xB8: for (int i = 0; i < n; ++i) d[i] = ((d[i] ^ p[i]) & s[i]) ^ p[i]; return;  // PSDPxax
    case 0xE2: for (int i = 0; i < n; ++i) d[i] = ((p[i] ^ d[i]) & s[i]) ^ d[i]; return;  // DSPDxax
    default: break;
    }
    for (int i = 0; i < n; ++i) d[i] = Rop3(index, p ? p[i] : 0, s ? s[i] : 0, d[i]);
}

}  // namespace gdi
