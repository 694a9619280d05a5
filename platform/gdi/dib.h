// Device-independent bitmaps: checking a BITMAPINFO, decoding its rows into pixels and
// encoding pixels back, for StretchDIBits, SetDIBitsToDevice, GetDIBits, SetDIBits,
// CreateDIBitmap and bitmaps loaded from resources.
#pragma once

#include "platform/gdi/dc.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace gdi {

struct DibFormat {
    int width = 0;
    int height = 0;  // rows, always positive
    bool topDown = false;
    int bpp = 0;
    DWORD compression = BI_RGB;
    std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue for 16 and 32 bits
    std::vector<std::uint32_t> colors;   // colour table as pixels
    std::size_t stride = 0;              // bytes per row, 4-byte aligned
    std::size_t headerBytes = 0;         // header, masks and colour table

    std::size_t imageBytes() const { return stride * std::size_t(height); }
};

// Checks the header and reads the colour table (DIB_PAL_COLORS takes indices into the DC's
// palette). `available` bounds what may be read: the size of a packed DIB, or kUnknownSize
// where the Win32 contract gives no size and the caller is trusted.
constexpr std::size_t kUnknownSize = ~std::size_t(0);
bool ReadDibFormat(const BITMAPINFO* bmi, UINT usage, const Dc* dc, std::size_t available, DibFormat& out);

// One stored line of the DIB (f.stride bytes) to pixels and back.
void DecodeDibLine(const DibFormat& f, const BYTE* line, std::uint32_t* out);
void EncodeDibLine(const DibFormat& f, const std::uint32_t* in, BYTE* line);
// Row `row` counted from the top of the picture.
inline const BYTE* DibRow(const DibFormat& f, const BYTE* bits, int row) {
    return bits + f.stride * std::size_t(f.topDown ? row : f.height - 1 - row);
}

// The whole picture as a 32-bit surface.
std::shared_ptr<Surface> DecodeDib(const DibFormat& f, const BYTE* bits);

// A bitmap from a packed DIB (header, colour table, bits) of `size` bytes, as bitmap resources
// are stored: 1-bit pictures become monochrome bitmaps, the rest take the screen's format.
HBITMAP CreateBitmapFromPackedDib(const void* data, std::size_t size);

}  // namespace gdi
