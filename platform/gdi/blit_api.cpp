// BitBlt, StretchBlt and MaskBlt over the blit engine.
#include "platform/gdi/blit.h"

#include "platform/gdi/rop.h"

using namespace gdi;

namespace {

bool sourceOf(HDC hdcSrc, int x, int y, int w, int h, BlitSource& out) {
    Dc* src = DcOf(hdcSrc);
    Target st;
    if (!src || !src->target(st)) return false;
    out.surface = st.surface;
    out.x = Coord(x) + st.dx;
    out.y = Coord(y) + st.dy;
    out.width = Coord(w);
    out.height = Coord(h);
    out.background = src->pixelFor(src->state.bk, st.map);
    return true;
}

}  // namespace

extern "C" BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                                  int ySrc, int wSrc, int hSrc, DWORD rop) {
    Dc* dst = DcOf(hdcDest);
    if (!dst) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!RopUsesSource(RopIndex(rop))) return StretchInto(*dst, xDest, yDest, wDest, hDest, nullptr, rop);
    BlitSource src;
    if (!sourceOf(hdcSrc, xSrc, ySrc, wSrc, hSrc, src)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return StretchInto(*dst, xDest, yDest, wDest, hDest, &src, rop);
}

extern "C" BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    return StretchBlt(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

extern "C" BOOL WINAPI MaskBlt(HDC hdcDest, int xDest, int yDest, int width, int height, HDC hdcSrc, int xSrc,
                               int ySrc, HBITMAP hbmMask, int xMask, int yMask, DWORD rop) {
    DWORD fore = rop & 0x00FFFFFF;
    if (!hbmMask) return BitBlt(hdcDest, xDest, yDest, width, height, hdcSrc, xSrc, ySrc, fore);
    Dc* dst = DcOf(hdcDest);
    auto* bm = As<Bitmap>(hbmMask);
    if (!dst || !bm || !bm->surface->mono() || width < 0 || height < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    BlitMask mask{bm->surface.get(), xMask, yMask, std::uint8_t(rop >> 24)};
    BlitSource src;
    bool usesSource = RopUsesSource(RopIndex(fore)) || RopUsesSource(mask.backgroundRop);
    if (usesSource && !sourceOf(hdcSrc, xSrc, ySrc, width, height, src)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return StretchInto(*dst, xDest, yDest, width, height, usesSource ? &src : nullptr, fore, &mask);
}
