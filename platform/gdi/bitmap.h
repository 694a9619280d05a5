// Bitmaps: a surface, the memory device context it is selected into (a bitmap can be selected
// into one context at a time), and for DIB sections the header the caller described.
#pragma once

#include "platform/gdi/object.h"
#include "platform/gdi/surface.h"

namespace gdi {

struct Dc;

struct Bitmap : Object {
    using Handle = HBITMAP;
    static constexpr Kind kKind = Kind::Bitmap;
    Bitmap() : Object(kKind) {}

    std::shared_ptr<Surface> surface;
    Dc* selectedInto = nullptr;
    bool dibSection = false;
    BITMAPINFOHEADER dibHeader{};
};

// Registers a bitmap over the surface; null when memory ran out.
HBITMAP MakeBitmap(std::shared_ptr<Surface> surface);

// Bytes per row of a device-dependent bitmap of that width: rows are word-aligned.
inline LONG WidthBytes(int width, int bpp) { return LONG(((long long)width * bpp + 15) / 16 * 2); }

}  // namespace gdi
