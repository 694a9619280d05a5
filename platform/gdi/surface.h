// A pixel surface and the device contexts drawn over one. Pixels are 32-bit words 0x00RRGGBB
// (the byte order of a 32-bit DIB); a surface also knows the format it stands for (1, 8, 24 or
// 32 bits per pixel), and pixels written to a 1-bit or 8-bit surface are kept to its colours.
// The window manager builds window and paint device contexts on CreateSurfaceDC.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace gdi {

struct Surface {
    int width = 0;
    int height = 0;
    int bpp = 32;                 // the format it stands for: 1, 4, 8, 16, 24 or 32
    std::uint32_t* bits = nullptr;
    std::ptrdiff_t stride = 0;    // in pixels; negative for bottom-up memory
    std::vector<std::uint32_t> storage;

    std::uint32_t* row(int y) { return bits + y * stride; }
    const std::uint32_t* row(int y) const { return bits + y * stride; }
    bool mono() const { return bpp == 1; }
    bool indexed() const { return bpp > 1 && bpp <= 8; }

    // A zero-filled (black) surface; null when the size is unreasonable or memory is short.
    static std::shared_ptr<Surface> Create(int width, int height, int bpp);
};

constexpr std::uint32_t PixelOf(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF ColorOf(std::uint32_t p) {
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

// A device context that draws into `area` of the surface: logical (0, 0) is the area's top left
// and nothing outside the area is touched. Deleted with DeleteDC.
HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, const RECT& area);

// Moves or resizes the area of a surface device context (a window that moved); the clip region
// and the other attributes stay.
BOOL SetSurfaceDCArea(HDC hdc, const RECT& area);

// Limits a surface device context further, beneath whatever clip the caller selects: the
// rectangles (device coordinates) are what it may draw on, as a paint DC is limited to its
// update region or a window to the parts its children leave. A count of 0 lifts the limit.
BOOL SetSurfaceDCSystemClip(HDC hdc, const RECT* rects, int count);

// The screen: its surface (created on first use) and a device context over all of it.
std::shared_ptr<Surface> ScreenSurface();
HDC CreateScreenDC();

// Whether the device context is one of those above, which the window manager hands out and
// ReleaseDC frees; memory DCs and those of CreateDCA belong to their caller.
bool IsSurfaceDC(HDC hdc);

// The surface a device context draws into (the selected bitmap of a memory DC), or null.
std::shared_ptr<Surface> SurfaceOf(HDC hdc);
std::shared_ptr<Surface> SurfaceOfBitmap(HBITMAP hbm);

}  // namespace gdi
