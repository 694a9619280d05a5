// Checking DIBs and turning them into GDI bitmaps (see dib.h): the pixels are decoded here and
// written straight into the bitmap's surface.
#include "platform/resources/dib.h"

#include "platform/resources/byte_reader.h"
#include "platform/gdi/surface.h"

#include <cstring>

namespace res {
namespace {

constexpr int kMaxSide = 4096;

bool validDepth(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

// Colour of one pixel of a row (0x00RRGGBB).
uint32_t pixelAt(const uint8_t* row, int x, int bits, const uint8_t* table, size_t colors, const uint32_t* masks) {
    auto fromTable = [&](size_t index) -> uint32_t {
        if (index >= colors) return 0;
        const uint8_t* q = table + index * 4;  // blue, green, red, reserved
        return (uint32_t(q[2]) << 16) | (uint32_t(q[1]) << 8) | q[0];
    };
    auto field = [](uint32_t value, uint32_t mask) -> uint32_t {
        if (!mask) return 0;
        int shift = 0;
        while (!((mask >> shift) & 1)) ++shift;
        uint32_t top = mask >> shift;
        return ((value >> shift) & top) * 255 / top;
    };
    switch (bits) {
    case 1: return fromTable((row[x / 8] >> (7 - x % 8)) & 1);
    case 4: return fromTable((row[x / 2] >> (x % 2 ? 0 : 4)) & 15);
    case 8: return fromTable(row[x]);
    case 16: {
        uint32_t v = row[2 * x] | (uint32_t(row[2 * x + 1]) << 8);
        return (field(v, masks[0]) << 16) | (field(v, masks[1]) << 8) | field(v, masks[2]);
    }
    case 24: return (uint32_t(row[3 * x + 2]) << 16) | (uint32_t(row[3 * x + 1]) << 8) | row[3 * x];
    default: {
        uint32_t v = row[4 * x] | (uint32_t(row[4 * x + 1]) << 8) | (uint32_t(row[4 * x + 2]) << 16) |
                     (uint32_t(row[4 * x + 3]) << 24);
        return (field(v, masks[0]) << 16) | (field(v, masks[1]) << 8) | field(v, masks[2]);
    }
    }
}

// A 1-bit picture whose two colours are black and white (in either order) loads as a monochrome
// bitmap, as on the original: its blits then take the target's text and background colours.
bool blackAndWhite(const DibView& dib, const uint8_t* table, size_t colors) {
    if (dib.header.biBitCount != 1 || colors != 2) return false;
    auto rgb = [&](size_t i) { return uint32_t(table[4 * i]) | (uint32_t(table[4 * i + 1]) << 8) | (uint32_t(table[4 * i + 2]) << 16); };
    return (rgb(0) == 0 && rgb(1) == 0xFFFFFF) || (rgb(0) == 0xFFFFFF && rgb(1) == 0);
}

// Writes the DIB's pixels into a new bitmap of the screen's format (monochrome when asked).
HBITMAP fromPixels(const DibView& dib, int bits, const uint8_t* pixels, bool topDown, const uint8_t* table,
                   size_t colors, const uint32_t* masks, bool mono) {
    HBITMAP bitmap;
    if (mono) {
        bitmap = CreateBitmap(dib.width, dib.height, 1, 1, nullptr);
    } else {
        HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        bitmap = screen ? CreateCompatibleBitmap(screen, dib.width, dib.height) : nullptr;
        if (screen) DeleteDC(screen);
    }
    auto surface = bitmap ? gdi::SurfaceOfBitmap(bitmap) : nullptr;
    if (!surface || surface->width != dib.width || surface->height != dib.height) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    size_t stride = DibStride(dib.width, bits);
    for (int y = 0; y < dib.height; ++y) {
        const uint8_t* row = pixels + stride * static_cast<size_t>(topDown ? y : dib.height - 1 - y);
        uint32_t* out = surface->row(y);
        for (int x = 0; x < dib.width; ++x) out[x] = pixelAt(row, x, bits, table, colors, masks);
    }
    return bitmap;
}

}  // namespace

size_t DibStride(int width, int bitCount) {
    return ((static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 31) / 32) * 4;
}

bool ReadDib(const uint8_t* data, size_t size, bool iconImage, DibView& out, const uint8_t** maskBits) {
    if (!data) return false;
    ByteReader r(data, size);
    uint32_t headerSize, compression, sizeImage, clrUsed, clrImportant;
    int32_t width, height, xppm, yppm;
    uint16_t planes, bitCount;
    uint32_t w, h, x, y;
    if (!r.u32(headerSize) || headerSize < sizeof(BITMAPINFOHEADER) || headerSize > size) return false;
    if (!r.u32(w) || !r.u32(h) || !r.u16(planes) || !r.u16(bitCount) || !r.u32(compression) || !r.u32(sizeImage) ||
        !r.u32(x) || !r.u32(y) || !r.u32(clrUsed) || !r.u32(clrImportant))
        return false;
    width = static_cast<int32_t>(w);
    height = static_cast<int32_t>(h);
    xppm = static_cast<int32_t>(x);
    yppm = static_cast<int32_t>(y);
    if (planes != 1 || !validDepth(bitCount)) return false;
    if (compression != BI_RGB && !(compression == BI_BITFIELDS && (bitCount == 16 || bitCount == 32))) return false;
    if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide) return false;
    int rows = height < 0 ? -height : height;
    if (iconImage) {
        if (height < 0 || rows % 2) return false;  // colour rows then mask rows, bottom-up
        rows /= 2;
    }
    size_t colors = bitCount <= 8 ? (clrUsed ? clrUsed : (1u << bitCount)) : clrUsed;
    if (bitCount <= 8 && colors > (1u << bitCount)) return false;
    if (colors > 256) return false;
    size_t masks = compression == BI_BITFIELDS ? 3 : 0;
    size_t tableBytes = (colors + masks) * 4;
    if (!r.seek(headerSize) || !r.skip(tableBytes)) return false;
    size_t bitsSize = DibStride(width, bitCount) * static_cast<size_t>(rows);
    size_t maskSize = iconImage ? DibStride(width, 1) * static_cast<size_t>(rows) : 0;
    if (bitsSize > r.remaining() || maskSize > r.remaining() - bitsSize) return false;

    out = DibView{};
    out.header.biSize = sizeof(BITMAPINFOHEADER);
    out.header.biWidth = width;
    out.header.biHeight = iconImage ? rows : height;
    out.header.biPlanes = 1;
    out.header.biBitCount = bitCount;
    out.header.biCompression = compression;
    out.header.biXPelsPerMeter = xppm;
    out.header.biYPelsPerMeter = yppm;
    out.header.biClrUsed = static_cast<DWORD>(colors);
    out.info.assign(sizeof(BITMAPINFOHEADER) + tableBytes + 4, 0);  // room for BITMAPINFO's one colour
    std::memcpy(out.info.data(), &out.header, sizeof out.header);
    std::memcpy(out.info.data() + sizeof out.header, data + headerSize, tableBytes);
    out.bits = r.here();
    out.bitsSize = bitsSize;
    out.width = width;
    out.height = rows;
    if (maskBits) *maskBits = iconImage ? r.here() + bitsSize : nullptr;
    return true;
}

HBITMAP BitmapFromDib(const DibView& dib, bool monochromeWhenBlackAndWhite) {
    const uint8_t* table = dib.info.data() + sizeof(BITMAPINFOHEADER);
    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};  // 16-bit pixels are 5-5-5 unless fields are given
    if (dib.header.biBitCount == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    size_t colors = dib.header.biClrUsed;
    if (dib.header.biCompression == BI_BITFIELDS) {
        for (int i = 0; i < 3; ++i)
            masks[i] = uint32_t(table[4 * i]) | (uint32_t(table[4 * i + 1]) << 8) | (uint32_t(table[4 * i + 2]) << 16) |
                       (uint32_t(table[4 * i + 3]) << 24);
        table += 12;
    }
    return fromPixels(dib, dib.header.biBitCount, dib.bits, dib.header.biHeight < 0, table, colors, masks,
                      monochromeWhenBlackAndWhite && blackAndWhite(dib, table, colors));
}

HBITMAP MaskFromDib(const DibView& dib, const uint8_t* maskBits) {
    if (!maskBits) return nullptr;
    const uint8_t table[8] = {0, 0, 0, 0, 255, 255, 255, 0};
    const uint32_t masks[3] = {0, 0, 0};
    return fromPixels(dib, 1, maskBits, false, table, 2, masks, true);
}

}  // namespace res
