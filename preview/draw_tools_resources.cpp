// The drawing toolbox's pictures: 8-bit DIBs of the resource module drawn in grey, palettes made
// from their colour tables, and masked blits. A resource is a claim about its own size: its
// header, colour table and bits are checked against the bytes the module holds before any is read.
#include "preview/draw_tools.h"

#include "core/helpers/byte_view.h"
#include "core/device/service_table.h"
#include "preview/dib_resource.h"

#include <algorithm>
#include <cstring>

namespace {

// The bytes of a bitmap resource: from the model-extension module when there is one, else from
// the resource module the core names.
const void* FindBitmapBytes(UIDEVDATA* ctx, UINT id, DWORD* size) {
    *size = 0;
    if (!ctx) return nullptr;
    if (HMODULE module = ctx->svc->GetExtModule(ctx)) {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
        const void* bytes = found ? LockResource(LoadResource(module, found)) : nullptr;
        if (bytes) {
            *size = SizeofResource(module, found);
            return bytes;
        }
    }
    return ctx->svc->FindResource(ctx, id, 2, size);
}

HANDLE HeapOf(UIDEVDATA* ctx) { return ctx->svc->GetHeap(ctx); }

}  // namespace

HPALETTE CmDrawTools::CreatePalette(UIDEVDATA* ctx, UINT bitmapId, int colours) {
    DWORD size = 0;
    const void* bytes = FindBitmapBytes(ctx, bitmapId, &size);
    DibLayout dib;
    if (!bytes || colours <= 0 || !ReadDibLayout(bytes, size, dib)) return nullptr;
    // Only the entries the table holds are read, whatever the caller asked for.
    const int entries = std::min<int>({colours, 256, static_cast<int>(dib.colours)});
    const size_t blockSize = sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(entries);
    HANDLE heap = HeapOf(ctx);
    auto* palette = static_cast<LOGPALETTE*>(heap ? HeapAlloc(heap, HEAP_ZERO_MEMORY, blockSize) : nullptr);
    if (!palette) return nullptr;
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(entries);
    const auto* table = static_cast<const uint8_t*>(bytes) + dib.headerSize;
    for (int i = 0; i < entries; ++i) {
        PALETTEENTRY& entry = palette->palPalEntry[i];
        entry.peBlue = table[i * 4];
        entry.peGreen = table[i * 4 + 1];
        entry.peRed = table[i * 4 + 2];
        entry.peFlags = 0;
    }
    HPALETTE made = ::CreatePalette(palette);
    HeapFree(heap, 0, palette);
    return made;
}

void CmDrawTools::DrawBitmapResource(UIDEVDATA* ctx, HDC dc, int x, int y, UINT bitmapId, HPALETTE palette) {
    const SIZE size = GetBitmapSize(ctx, bitmapId);
    if (size.cx <= 0 || size.cy <= 0) return;
    DrawDibResource(ctx, dc, x, y, size.cx, size.cy, bitmapId, palette);
}

void CmDrawTools::DrawDibResource(UIDEVDATA* ctx, HDC dc, int x, int y, int width, int height, UINT bitmapId,
                                  HPALETTE palette) {
    DWORD size = 0;
    const void* bytes = FindBitmapBytes(ctx, bitmapId, &size);
    if (bytes) DrawGreyDib(*this, dc, x, y, width, height, bytes, size, HeapOf(ctx), palette);
}

void CmDrawTools::DrawMasked(UIDEVDATA* ctx, HDC dc, int x, int y, UINT imageId, UINT maskId, HPALETTE palette) {
    if (!ctx) return;
    HBITMAP image = ctx->svc->LoadBitmap(ctx, imageId);
    HBITMAP mask = ctx->svc->LoadBitmap(ctx, maskId);
    HDC imageDc = CreateCompatibleDC(dc), maskDc = CreateCompatibleDC(dc), workDc = CreateCompatibleDC(dc);
    BITMAP info = {};
    HBITMAP work = nullptr;
    if (image && mask && imageDc && maskDc && workDc && GetObjectA(image, sizeof info, &info))
        work = CreateCompatibleBitmap(dc, info.bmWidth, info.bmHeight);
    if (work) {
        const int w = info.bmWidth, h = info.bmHeight;
        HGDIOBJ oldImage = SelectObject(imageDc, image);
        HGDIOBJ oldMask = SelectObject(maskDc, mask);
        HGDIOBJ oldWork = SelectObject(workDc, work);
        DrawBitmapResource(ctx, imageDc, 0, 0, imageId, palette);
        const COLORREF back = SetBkColor(imageDc, RGB(0, 0, 0));
        const COLORREF text = SetTextColor(imageDc, RGB(255, 255, 255));
        BitBlt(workDc, 0, 0, w, h, dc, x, y, SRCCOPY);
        BitBlt(imageDc, 0, 0, w, h, maskDc, 0, 0, SRCAND);
        BitBlt(workDc, 0, 0, w, h, maskDc, 0, 0, SRCAND);
        BitBlt(workDc, 0, 0, w, h, imageDc, 0, 0, SRCPAINT);
        BitBlt(dc, x, y, w, h, workDc, 0, 0, SRCCOPY);
        SetTextColor(imageDc, text);
        SetBkColor(imageDc, back);
        SelectObject(workDc, oldWork);
        SelectObject(maskDc, oldMask);
        SelectObject(imageDc, oldImage);
        DeleteObject(work);
    }
    if (workDc) DeleteDC(workDc);
    if (maskDc) DeleteDC(maskDc);
    if (imageDc) DeleteDC(imageDc);
    if (mask) DeleteObject(mask);
    if (image) DeleteObject(image);
}

bool ReadDibLayout(const void* bytes, size_t size, DibLayout& out) {
    constexpr uint32_t kInfoHeaderSize = 40;
    ByteView view(bytes, size);
    uint32_t headerSize = 0, compression = 0, used = 0;
    int32_t width = 0, height = 0;
    uint16_t bitCount = 0;
    if (!bytes || !view.u32(0, headerSize) || headerSize < kInfoHeaderSize || !view.s32(4, width) ||
        !view.s32(8, height) || !view.u16(14, bitCount) || !view.u32(16, compression) || !view.u32(32, used))
        return false;
    if (bitCount != 8 || compression != BI_RGB || width <= 0 || height == 0 || height == INT32_MIN) return false;
    const uint32_t colours = used ? used : 256;
    if (colours > 256) return false;
    const uint64_t stride = (static_cast<uint64_t>(width) + 3) & ~uint64_t{3};
    const uint64_t rows = height < 0 ? static_cast<uint64_t>(-int64_t{height}) : static_cast<uint64_t>(height);
    const uint64_t bitsOffset = uint64_t{headerSize} + uint64_t{colours} * 4;
    // Each factor is below 2^32, so the product cannot wrap; a size past the bytes is refused.
    if (rows > size || stride > size || bitsOffset > size || stride * rows > size - bitsOffset) return false;
    out = {width, height, headerSize, colours, static_cast<size_t>(bitsOffset),
           static_cast<size_t>(bitsOffset + stride * rows)};
    return true;
}

bool DrawGreyDib(CmDrawTools& tools, HDC dc, int x, int y, int width, int height, const void* bytes, size_t size,
                 HANDLE heap, HPALETTE palette) {
    DibLayout dib;
    if (!ReadDibLayout(bytes, size, dib) || !heap) return false;
    auto* copy = static_cast<uint8_t*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, dib.totalSize));
    if (!copy) return false;
    std::memcpy(copy, bytes, dib.totalSize);
    // Only the entries the table holds are turned grey.
    for (uint32_t i = 0; i < dib.colours; ++i) {
        uint8_t* quad = copy + dib.headerSize + i * 4;
        const COLORREF grey = tools.ToGrey(RGB(quad[2], quad[1], quad[0]));
        quad[0] = quad[1] = quad[2] = GetRValue(grey);
    }
    HPALETTE previous = nullptr;
    const bool usePalette =
        palette && tools.GetDisplayColorBits() < 9 && (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE);
    if (usePalette) {
        previous = SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
    }
    StretchDIBits(dc, x, y, width, height, 0, 0, dib.width, dib.height < 0 ? -dib.height : dib.height,
                  copy + dib.bitsOffset, reinterpret_cast<const BITMAPINFO*>(copy), DIB_RGB_COLORS, SRCCOPY);
    if (usePalette && previous) SelectPalette(dc, previous, FALSE);
    HeapFree(heap, 0, copy);
    return true;
}
