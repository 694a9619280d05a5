// The blit engine behind BitBlt, StretchBlt, MaskBlt and the DIB functions: nearest-neighbour
// scaling with mirroring, colour/monochrome conversion of the source, and a general ternary
// raster operation (two of them, chosen by a mask, for MaskBlt).
#pragma once

#include "platform/gdi/dc.h"

#include <cstdint>

namespace gdi {

struct BlitSource {
    const Surface* surface = nullptr;
    int x = 0, y = 0, width = 0, height = 0;  // surface coordinates; negative sizes mirror
    std::uint32_t background = 0xFFFFFF;      // source DC's background, for colour to monochrome
};

struct BlitMask {
    const Surface* surface = nullptr;  // monochrome; 1 selects the foreground operation
    int x = 0, y = 0;
    std::uint8_t backgroundRop = 0xAA;
};

// Draws into the DC's logical rectangle (negative sizes mirror). The source may be null when
// the operation does not use one.
bool StretchInto(Dc& dst, int x, int y, int width, int height, const BlitSource* src, std::uint32_t rop,
                 const BlitMask* mask = nullptr);

}  // namespace gdi
