// Device-dependent bitmaps: monochrome ones with word-aligned rows of bits (1 is white), and
// colour ones in the format of the device they are compatible with.
#include "platform/gdi/bitmap.h"

#include "platform/gdi/dc.h"

using namespace gdi;

namespace gdi {

HBITMAP MakeBitmap(std::shared_ptr<Surface> surface) {
    if (!surface) return nullptr;
    auto b = std::unique_ptr<Bitmap>(new (std::nothrow) Bitmap);
    if (!b) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    b->surface = std::move(surface);
    return static_cast<HBITMAP>(Register(std::move(b)));
}

}  // namespace gdi

namespace {

void loadBits(Surface& s, const BYTE* bits) {
    LONG rowBytes = WidthBytes(s.width, s.bpp);
    for (int y = 0; y < s.height; ++y) {
        const BYTE* src = bits + std::size_t(y) * rowBytes;
        std::uint32_t* d = s.row(y);
        for (int x = 0; x < s.width; ++x) {
            switch (s.bpp) {
            case 1: d[x] = (src[x >> 3] >> (7 - (x & 7)) & 1) ? 0xFFFFFF : 0; break;
            case 24: d[x] = src[x * 3] | (src[x * 3 + 1] << 8) | (src[x * 3 + 2] << 16); break;
            default: d[x] = (src[x * 4] | (src[x * 4 + 1] << 8) | (src[x * 4 + 2] << 16)) & 0xFFFFFFu; break;
            }
        }
    }
}

}  // namespace

extern "C" HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits) {
    if (nWidth < 0 || nHeight < 0 || nPlanes != 1 || (nBitCount != 1 && nBitCount != 8 && nBitCount != 24 && nBitCount != 32)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (nWidth == 0 || nHeight == 0) return MakeBitmap(Surface::Create(1, 1, 1));
    if (nBitCount == 8 && lpBits) {  // device-dependent palette indices have no meaning here
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto s = Surface::Create(nWidth, nHeight, int(nBitCount));
    if (!s) return nullptr;
    if (lpBits) loadBits(*s, static_cast<const BYTE*>(lpBits));
    return MakeBitmap(std::move(s));
}

extern "C" HBITMAP WINAPI CreateBitmapIndirect(const BITMAP* pbm) {
    if (!pbm) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateBitmap(pbm->bmWidth, pbm->bmHeight, pbm->bmPlanes, pbm->bmBitsPixel, pbm->bmBits);
}

extern "C" HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    Dc* dc = DcOf(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (cx < 0 || cy < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (cx == 0 || cy == 0) return MakeBitmap(Surface::Create(1, 1, 1));
    // A memory DC gives the format of the bitmap selected into it: a new memory DC still holds
    // its monochrome default bitmap, so its compatible bitmaps are monochrome.
    Surface* s = dc->drawSurface();
    int bpp = s ? (s->bpp == 1 ? 1 : s->bpp <= 8 ? 8 : 32) : ScreenBpp();
    return MakeBitmap(Surface::Create(cx, cy, bpp));
}
