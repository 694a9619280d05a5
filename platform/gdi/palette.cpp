// Colour tables of palettes: the static colours, the halftone palette and nearest-colour search.
#include "platform/gdi/palette.h"

#include "platform/gdi/surface.h"

namespace gdi {

UINT Palette::nearest(std::uint32_t pixel) const {
    if (entries.empty()) return 0;
    pixel &= 0xFFFFFF;
    CacheSlot& slot = cache_[(pixel * 2654435761u) >> 22];
    if (slot.key == pixel && slot.index < entries.size()) return slot.index;
    int r = int(pixel >> 16) & 0xFF, g = int(pixel >> 8) & 0xFF, b = int(pixel) & 0xFF;
    UINT best = 0;
    int bestDistance = 1 << 30;
    for (UINT i = 0; i < entries.size(); ++i) {
        int dr = r - entries[i].peRed, dg = g - entries[i].peGreen, db = b - entries[i].peBlue;
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
            if (d == 0) break;
        }
    }
    slot.key = pixel;
    slot.index = best;
    return best;
}

std::uint32_t Palette::pixelAt(UINT index) const {
    if (index >= entries.size()) return 0;
    const PALETTEENTRY& e = entries[index];
    return (std::uint32_t(e.peRed) << 16) | (std::uint32_t(e.peGreen) << 8) | e.peBlue;
}

void Palette::clearCache() { cache_.fill(CacheSlot{}); }

const std::vector<PALETTEENTRY>& StaticColors() {
    static const std::vector<PALETTEENTRY> colors = {
        {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
        {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
        {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
        {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
    };
    return colors;
}

std::vector<PALETTEENTRY> HalftoneColors() {
    const auto& statics = StaticColors();
    std::vector<PALETTEENTRY> out(statics.begin(), statics.begin() + 10);
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) out.push_back({BYTE(r * 51), BYTE(g * 51), BYTE(b * 51), 0});
    // Greys between the cube's levels, so that grey pictures keep their shades.
    for (int i = 1; i <= 20; ++i) {
        BYTE v = BYTE(i * 255 / 21);
        out.push_back({v, v, v, 0});
    }
    out.insert(out.end(), statics.begin() + 10, statics.end());
    return out;
}

}  // namespace gdi
