// Raster operations on 0x00RRGGBB pixels. A binary operation (SetROP2) combines pen P and
// destination D; a ternary one (BitBlt, PatBlt) combines pattern P, source S and destination D.
// Both are evaluated from their truth tables, so every code works, and the common ones have
// plain loops of their own.
#pragma once

#include <cstdint>

namespace gdi {

// Bits of a ternary code's index: 0xF0 pattern, 0xCC source, 0xAA destination.
constexpr std::uint8_t RopIndex(std::uint32_t rop) { return std::uint8_t(rop >> 16); }
constexpr bool RopUsesSource(std::uint8_t i) { return ((i >> 2) ^ i) & 0x33; }
constexpr bool RopUsesPattern(std::uint8_t i) { return ((i >> 4) ^ i) & 0x0F; }
constexpr bool RopUsesDest(std::uint8_t i) { return ((i >> 1) ^ i) & 0x55; }

inline std::uint32_t Rop3(std::uint8_t index, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    std::uint32_t r = 0;
    for (int i = 0; i < 8; ++i)
        if (index >> i & 1) r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    return r & 0xFFFFFF;
}

// R2_ codes 1 to 16: code - 1 is the truth table over (P, D).
inline std::uint32_t Rop2(int code, std::uint32_t p, std::uint32_t d) {
    unsigned t = unsigned(code - 1);
    std::uint32_t r = 0;
    if (t & 1) r |= ~p & ~d;
    if (t & 2) r |= ~p & d;
    if (t & 4) r |= p & ~d;
    if (t & 8) r |= p & d;
    return r & 0xFFFFFF;
}

// Applies a ternary code over a row: p and s may be null when the code does not use them.
void Rop3Row(std::uint8_t index, const std::uint32_t* p, const std::uint32_t* s, std::uint32_t* d, int n);

}  // namespace gdi
