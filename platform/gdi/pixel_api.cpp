// Single pixels: SetPixel answers the colour actually set, which on a palette or monochrome
// target is the nearest one it can hold; GetPixel answers CLR_INVALID outside the clip.
#include "platform/gdi/dc.h"

using namespace gdi;

extern "C" COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    Dc* dc = DcOf(hdc);
    Target t;
    if (!dc || !dc->target(t)) return CLR_INVALID;
    std::uint32_t px = dc->pixelFor(color, t.map);
    int sx = Coord(x) + t.dx, sy = Coord(y) + t.dy;
    if (!t.clip->contains(sx, sy)) return CLR_INVALID;
    t.surface->row(sy)[sx] = px;
    return ColorOf(px);
}

extern "C" BOOL WINAPI SetPixelV(HDC hdc, int x, int y, COLORREF color) {
    return SetPixel(hdc, x, y, color) != CLR_INVALID;
}

extern "C" COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    Dc* dc = DcOf(hdc);
    Target t;
    if (!dc || !dc->target(t)) return CLR_INVALID;
    int sx = Coord(x) + t.dx, sy = Coord(y) + t.dy;
    if (!t.clip->contains(sx, sy)) return CLR_INVALID;
    return ColorOf(t.surface->row(sy)[sx]);
}
