// The palette functions. Palettes matter only on an 8-bit display: there the colours a DC can
// show are those of its selected palette, and RealizePalette reports how many it mapped.
#include "platform/gdi/dc.h"
#include "platform/gdi/palette.h"
#include "platform/gdi/stock.h"

#include <algorithm>

using namespace gdi;

namespace {

HPALETTE makePalette(std::vector<PALETTEENTRY> entries) {
    auto p = std::unique_ptr<Palette>(new (std::nothrow) Palette);
    if (!p) return nullptr;
    p->entries = std::move(entries);
    return static_cast<HPALETTE>(Register(std::move(p)));
}

}  // namespace

extern "C" HPALETTE WINAPI CreatePalette(const LOGPALETTE* plpal) {
    if (!plpal || plpal->palVersion != 0x300 || plpal->palNumEntries == 0 || plpal->palNumEntries > 1024) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    try {
        return makePalette(std::vector<PALETTEENTRY>(plpal->palPalEntry, plpal->palPalEntry + plpal->palNumEntries));
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

extern "C" HPALETTE WINAPI CreateHalftonePalette(HDC hdc) {
    if (hdc && !DcOf(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    try {
        return makePalette(HalftoneColors());
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

extern "C" HPALETTE WINAPI SelectPalette(HDC hdc, HPALETTE hPal, BOOL) {
    Dc* dc = DcOf(hdc);
    auto* pal = As<Palette>(hPal);
    if (!dc || !pal) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return static_cast<HPALETTE>(Select(*dc, pal));
}

extern "C" UINT WINAPI RealizePalette(HDC hdc) {
    Dc* dc = DcOf(hdc);
    if (!dc) return GDI_ERROR;
    Surface* s = dc->drawSurface();
    bool indexed = s ? s->indexed() : ScreenBpp() <= 8;
    return indexed ? UINT(dc->palette()->entries.size()) : 0;
}

extern "C" UINT WINAPI GetNearestPaletteIndex(HPALETTE h, COLORREF color) {
    auto* pal = As<Palette>(h);
    if (!pal) return CLR_INVALID;
    return pal->nearest(PixelOf(color & 0xFFFFFF));
}

extern "C" UINT WINAPI GetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries, LPPALETTEENTRY pPalEntries) {
    auto* pal = As<Palette>(hpal);
    if (!pal) return 0;
    UINT size = UINT(pal->entries.size());
    if (!pPalEntries) return size;
    if (iStart >= size) return 0;
    UINT n = std::min(cEntries, size - iStart);
    std::copy_n(pal->entries.begin() + iStart, n, pPalEntries);
    return n;
}

extern "C" UINT WINAPI SetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries, const PALETTEENTRY* pPalEntries) {
    auto* pal = As<Palette>(hpal);
    if (!pal || pal->stock || !pPalEntries) return 0;
    UINT size = UINT(pal->entries.size());
    if (iStart >= size) return 0;
    UINT n = std::min(cEntries, size - iStart);
    std::copy_n(pPalEntries, n, pal->entries.begin() + iStart);
    pal->clearCache();
    return n;
}

extern "C" UINT WINAPI GetSystemPaletteEntries(HDC hdc, UINT iStart, UINT cEntries, LPPALETTEENTRY pPalEntries) {
    Dc* dc = DcOf(hdc);
    if (!dc || ScreenBpp() > 8) return 0;
    std::vector<PALETTEENTRY> system = HalftoneColors();
    if (!pPalEntries) return UINT(system.size());
    if (iStart >= system.size()) return 0;
    UINT n = std::min<UINT>(cEntries, UINT(system.size()) - iStart);
    std::copy_n(system.begin() + iStart, n, pPalEntries);
    return n;
}

extern "C" COLORREF WINAPI GetNearestColor(HDC hdc, COLORREF color) {
    Dc* dc = DcOf(hdc);
    Target t;
    if (!dc) return CLR_INVALID;
    if (!dc->target(t)) {
        t.map.kind = ScreenBpp() <= 8 ? ColorMap::Indexed : ColorMap::Direct;
        t.map.palette = dc->palette();
    }
    return ColorOf(dc->pixelFor(color, t.map));
}
