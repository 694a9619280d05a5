// Device-independent bitmaps as resources hold them (a BITMAPINFOHEADER, its colour table, the
// pixel rows), checked before any of it is handed to GDI: a forged size or count is refused.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace res {

struct DibView {
    BITMAPINFOHEADER header{};
    std::vector<uint8_t> info;  // the header and colour table, as a BITMAPINFO (aligned copy)
    const uint8_t* bits = nullptr;
    size_t bitsSize = 0;        // bytes of pixel rows the header asks for
    int width = 0;
    int height = 0;             // rows of the image (half the header's height for an icon)
};

// Checks a DIB; for an icon or cursor image the header's height counts the colour rows and the
// 1-bit mask rows after them, and maskBits is set to the mask's rows.
bool ReadDib(const uint8_t* data, size_t size, bool iconImage, DibView& out, const uint8_t** maskBits = nullptr);

// Bytes of one row of a DIB of this width and depth (rows are padded to four bytes).
size_t DibStride(int width, int bitCount);

// A device-dependent bitmap of the screen's format made from a checked DIB; null on failure.
// With monochromeWhenBlackAndWhite, a 1-bit picture of black and white is a monochrome bitmap
// instead, as LoadBitmapA makes it.
HBITMAP BitmapFromDib(const DibView& dib, bool monochromeWhenBlackAndWhite = false);
// A monochrome bitmap of an icon's AND mask.
HBITMAP MaskFromDib(const DibView& dib, const uint8_t* maskBits);

}  // namespace res
