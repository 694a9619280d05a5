// Logical palettes and the colours an 8-bit target can show: the twenty static colours of the
// default palette, the halftone palette, and nearest-colour search with a small cache.
#pragma once

#include "platform/gdi/object.h"

#include <array>
#include <cstdint>
#include <vector>

namespace gdi {

struct Palette : Object {
    using Handle = HPALETTE;
    static constexpr Kind kKind = Kind::Palette;
    Palette() : Object(kKind) {}

    std::vector<PALETTEENTRY> entries;

    // Index of the entry nearest to the pixel (0x00RRGGBB) in RGB distance.
    UINT nearest(std::uint32_t pixel) const;
    std::uint32_t pixelAt(UINT index) const;
    void clearCache();

private:
    struct CacheSlot {
        std::uint32_t key = 0xFFFFFFFF;
        UINT index = 0;
    };
    mutable std::array<CacheSlot, 1024> cache_{};
};

// The twenty static colours of DEFAULT_PALETTE.
const std::vector<PALETTEENTRY>& StaticColors();
// The 256 colours of the halftone palette: the static colours and a 6x6x6 colour cube.
std::vector<PALETTEENTRY> HalftoneColors();

}  // namespace gdi
