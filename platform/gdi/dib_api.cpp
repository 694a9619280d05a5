// The DIB functions: drawing DIBs into a DC, reading and writing a bitmap's pixels as a DIB, DIB
// sections (32 bits per pixel, sharing their memory with the caller) and CreateDIBitmap.
#include "platform/gdi/blit.h"
#include "platform/gdi/dib.h"

#include <algorithm>
#include <cstring>

using namespace gdi;

namespace {

// A decoded band of DIB rows as a blit source.
bool drawDib(Dc& dc, int xDest, int yDest, int wDest, int hDest, const DibFormat& f, const BYTE* bits, int xSrc,
             int ySrcTop, int wSrc, int hSrc, DWORD rop) {
    auto s = DecodeDib(f, bits);
    if (!s) return false;
    BlitSource src;
    src.surface = s.get();
    src.x = xSrc;
    src.y = ySrcTop;
    src.width = wSrc;
    src.height = hSrc;
    return StretchInto(dc, xDest, yDest, wDest, hDest, &src, rop);
}

}  // namespace

extern "C" int WINAPI StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc,
                                    int SrcWidth, int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi,
                                    UINT iUsage, DWORD rop) {
    Dc* dc = DcOf(hdc);
    DibFormat f;
    if (!dc || !lpBits || !ReadDibFormat(lpbmi, iUsage, dc, kUnknownSize, f)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // The source rectangle of a bottom-up DIB is measured from its bottom row.
    xSrc = Coord(xSrc), ySrc = Coord(ySrc), SrcWidth = Coord(SrcWidth), SrcHeight = Coord(SrcHeight);
    int top = f.topDown ? ySrc : f.height - ySrc - SrcHeight;
    if (!drawDib(*dc, xDest, yDest, DestWidth, DestHeight, f, static_cast<const BYTE*>(lpBits), xSrc, top, SrcWidth,
                 SrcHeight, rop))
        return 0;
    return SrcHeight < 0 ? -SrcHeight : SrcHeight;
}

extern "C" int WINAPI SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc,
                                        UINT StartScan, UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi,
                                        UINT ColorUse) {
    Dc* dc = DcOf(hdc);
    DibFormat f;
    if (!dc || !lpvBits || w > 0x7FFFFFFF || h > 0x7FFFFFFF || !ReadDibFormat(lpbmi, ColorUse, dc, kUnknownSize, f)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // lpvBits holds scan lines StartScan .. StartScan + cLines - 1, counted the way the DIB
    // stores them (from the bottom for bottom-up DIBs).
    if (StartScan >= UINT(f.height) || cLines == 0) return 0;
    UINT lines = std::min<UINT>(cLines, UINT(f.height) - StartScan);
    DibFormat band = f;
    band.height = int(lines);
    auto s = DecodeDib(band, static_cast<const BYTE*>(lpvBits));
    if (!s) return 0;
    // Row of the band holding DIB scan line k (bottom-up numbering for bottom-up DIBs).
    int bandTopScan = f.topDown ? int(StartScan) : int(StartScan + lines - 1);
    ySrc = Coord(ySrc);
    int firstScan = f.topDown ? ySrc : ySrc + Coord(h) - 1;  // scan line of the destination's top row
    BlitSource src;
    src.surface = s.get();
    src.x = Coord(xSrc);
    src.y = f.topDown ? firstScan - bandTopScan : bandTopScan - firstScan;
    src.width = Coord(w);
    src.height = Coord(h);
    StretchInto(*dc, xDest, yDest, Coord(w), Coord(h), &src, SRCCOPY);
    return int(lines);
}

extern "C" int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi,
                                UINT usage) {
    Dc* dc = DcOf(hdc);
    auto* bm = As<Bitmap>(hbm);
    if (!dc || !bm || !lpbmi || lpbmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const Surface& s = *bm->surface;
    BITMAPINFOHEADER& h = lpbmi->bmiHeader;
    if (!lpvBits && h.biBitCount == 0) {
        // Only the format is asked for.
        h.biWidth = s.width;
        h.biHeight = s.height;
        h.biPlanes = 1;
        h.biBitCount = WORD(s.bpp == 1 ? 1 : s.bpp <= 8 ? 8 : 32);
        h.biCompression = BI_RGB;
        h.biSizeImage = DWORD((s.width * h.biBitCount + 31) / 32 * 4 * s.height);
        h.biClrUsed = 0;
        return 1;
    }
    if (h.biWidth != s.width || (h.biHeight != s.height && h.biHeight != -s.height)) {
        h.biWidth = s.width;
        h.biHeight = h.biHeight < 0 ? -s.height : s.height;
    }
    h.biPlanes = 1;
    if (h.biBitCount <= 8) {
        // The colour table the rows are written with: black and white, the VGA colours, or the
        // halftone palette.
        const int count = 1 << h.biBitCount;
        std::vector<PALETTEENTRY> table;
        if (h.biBitCount == 1) table = {{0, 0, 0, 0}, {255, 255, 255, 0}};
        else if (h.biBitCount == 4) {
            const auto& st = StaticColors();
            table.assign(st.begin(), st.begin() + 8);
            table.push_back(st[12]);
            table.insert(table.end(), st.begin() + 13, st.end());
            table[7] = {192, 192, 192, 0};
        } else table = HalftoneColors();
        table.resize(std::size_t(count));
        for (int i = 0; i < count && usage == DIB_RGB_COLORS; ++i)
            lpbmi->bmiColors[i] = RGBQUAD{table[std::size_t(i)].peBlue, table[std::size_t(i)].peGreen, table[std::size_t(i)].peRed, 0};
        h.biClrUsed = 0;
    }
    DibFormat f;
    if (!ReadDibFormat(lpbmi, DIB_RGB_COLORS, dc, kUnknownSize, f)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    h.biSizeImage = DWORD(f.imageBytes());
    if (!lpvBits) return 1;
    if (start >= UINT(f.height)) return 0;
    UINT lines = std::min<UINT>(cLines, UINT(f.height) - start);
    for (UINT k = 0; k < lines; ++k) {
        // Scan line start + k, counted the way the DIB stores them.
        int scan = int(start + k);
        int row = f.topDown ? scan : f.height - 1 - scan;
        EncodeDibLine(f, s.row(row), static_cast<BYTE*>(lpvBits) + f.stride * k);
    }
    return int(lines);
}

extern "C" int WINAPI SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits,
                                const BITMAPINFO* lpbmi, UINT ColorUse) {
    Dc* dc = hdc ? DcOf(hdc) : nullptr;
    auto* bm = As<Bitmap>(hbm);
    DibFormat f;
    if ((hdc && !dc) || !bm || !lpBits || !ReadDibFormat(lpbmi, ColorUse, dc, kUnknownSize, f)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Surface& s = *bm->surface;
    if (start >= UINT(f.height)) return 0;
    UINT lines = std::min<UINT>(cLines, UINT(f.height) - start);
    std::vector<std::uint32_t> row(std::size_t(f.width));
    ColorMap map{s.mono() ? ColorMap::Mono : ColorMap::Direct, nullptr};
    for (UINT k = 0; k < lines; ++k) {
        int scan = int(start + k);
        int y = f.topDown ? scan : f.height - 1 - scan;
        if (y >= s.height) continue;
        DecodeDibLine(f, static_cast<const BYTE*>(lpBits) + f.stride * k, row.data());
        for (int x = 0; x < std::min(f.width, s.width); ++x) s.row(y)[x] = map(row[std::size_t(x)]);
    }
    return int(lines);
}

extern "C" HBITMAP WINAPI CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD flInit, const void* pjBits,
                                         const BITMAPINFO* pbmi, UINT iUsage) {
    if (!pbmih || pbmih->biWidth <= 0 || pbmih->biHeight == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    int height = pbmih->biHeight < 0 ? -pbmih->biHeight : pbmih->biHeight;
    HBITMAP hbm = hdc ? CreateCompatibleBitmap(hdc, pbmih->biWidth, height)
                      : CreateBitmap(pbmih->biWidth, height, 1, 1, nullptr);
    if (hbm && (flInit & CBM_INIT) && pjBits && pbmi) {
        if (!SetDIBits(hdc, hbm, 0, UINT(height), pjBits, pbmi, iUsage)) {
            DeleteObject(hbm);
            return nullptr;
        }
    }
    return hbm;
}

extern "C" HBITMAP WINAPI CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection,
                                           DWORD) {
    DibFormat f;
    if (ppvBits) *ppvBits = nullptr;
    if ((hdc && !DcOf(hdc)) || hSection || !ReadDibFormat(pbmi, usage, DcOf(hdc), kUnknownSize, f)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // The caller writes the pixels directly, so only the layout the painter uses is offered.
    if (f.bpp != 32 || (f.compression == BI_BITFIELDS && (f.masks[0] != 0xFF0000 || f.masks[1] != 0xFF00 || f.masks[2] != 0xFF))) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    auto s = Surface::Create(f.width, f.height, 32);
    if (!s) return nullptr;
    if (!f.topDown) {
        s->bits = s->storage.data() + std::size_t(f.height - 1) * std::size_t(f.width);
        s->stride = -std::ptrdiff_t(f.width);
    }
    void* memory = s->storage.data();
    HBITMAP hbm = MakeBitmap(s);
    if (!hbm) return nullptr;
    auto* bm = As<Bitmap>(hbm);
    bm->dibSection = true;
    bm->dibHeader = pbmi->bmiHeader;
    if (ppvBits) *ppvBits = memory;
    return hbm;
}
