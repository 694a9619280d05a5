// Device contexts: thin holders of drawing state over a surface. A memory DC draws into the
// bitmap selected into it; a display or surface DC into an area of a shared surface. Every
// drawing function turns its DC into a Target (surface, clip, offset, colour mapping) first.
#pragma once

#include "platform/gdi/bitmap.h"
#include "platform/gdi/object.h"
#include "platform/gdi/palette.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/tools.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace gdi {

// Coordinates from callers are kept to a range in which sums of a few of them cannot overflow:
// far beyond any surface, so nothing visible changes.
constexpr int kCoordLimit = 1 << 27;
inline int Coord(long long v) { return int(v < -kCoordLimit ? -kCoordLimit : v > kCoordLimit ? kCoordLimit : v); }

struct DcState {
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;
    HPALETTE palette = nullptr;
    COLORREF text = RGB(0, 0, 0);
    COLORREF bk = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int polyFill = ALTERNATE;
    int stretchMode = BLACKONWHITE;
    int arcDirection = AD_COUNTERCLOCKWISE;
    UINT textAlign = TA_LEFT | TA_TOP;
    POINT brushOrg{0, 0};
    POINT viewportOrg{0, 0};
    POINT windowOrg{0, 0};
    POINT position{0, 0};
    bool hasClip = false;
    Region clip;  // device coordinates
};

// Maps colours to what a target can hold: exact on true-colour surfaces, black or white on
// monochrome ones, the nearest palette colour on 8-bit ones.
struct ColorMap {
    enum Kind { Direct, Mono, Indexed } kind = Direct;
    const Palette* palette = nullptr;

    std::uint32_t operator()(std::uint32_t pixel) const {
        if (kind == Direct) return pixel & 0xFFFFFF;
        if (kind == Mono) {
            unsigned sum = (pixel & 0xFF) + ((pixel >> 8) & 0xFF) + ((pixel >> 16) & 0xFF);
            return sum > 382 ? 0xFFFFFF : 0;
        }
        return palette->pixelAt(palette->nearest(pixel));
    }
};

struct Target {
    Surface* surface = nullptr;
    const Region* clip = nullptr;  // surface coordinates
    int dx = 0, dy = 0;            // logical to surface offset
    ColorMap map;
};

struct Dc : Object {
    using Handle = HDC;
    static constexpr Kind kKind = Kind::Dc;
    enum class Type { Memory, Display, Surface, Info };
    explicit Dc(Type t) : Object(kKind), type(t) {}
    ~Dc() override;

    Type type;
    bool printer = false;  // an information context of a printer: its fonts are the device's
    DcState state;
    std::vector<DcState> saved;
    std::shared_ptr<Surface> surface;  // display and surface DCs
    RECT area{0, 0, 0, 0};             // their part of the surface
    bool hasSystemClip = false;
    Region systemClip;                 // device coordinates, beneath the caller's clip

    // An object stays alive while it is selected (deleting it waits for its release), so the
    // objects of the current state are reached without the handle table.
    template <class T>
    static T* current(HGDIOBJ h) {
        return static_cast<T*>(static_cast<Object*>(h));
    }

    Surface* drawSurface() const;
    // The origin of device coordinates on the surface.
    POINT deviceOrigin() const { return {area.left, area.top}; }

    // Null when there is nothing to draw on.
    bool target(Target& t);

    // Logical to device coordinates (MM_TEXT: origins only).
    POINT toDevice(int x, int y) const {
        return {Coord((long long)x - state.windowOrg.x + state.viewportOrg.x),
                Coord((long long)y - state.windowOrg.y + state.viewportOrg.y)};
    }
    POINT toLogical(int x, int y) const {
        return {Coord((long long)x + state.windowOrg.x - state.viewportOrg.x),
                Coord((long long)y + state.windowOrg.y - state.viewportOrg.y)};
    }

    // The colour a COLORREF (plain, PALETTEINDEX or PALETTERGB) gives on this DC's target.
    std::uint32_t pixelFor(COLORREF color, const ColorMap& map) const;
    const Palette* palette() const;

    void clipChanged() { clipValid_ = false; }
    const Region& effectiveClip();

private:
    Region effClip_;
    bool clipValid_ = false;
};

Dc* DcOf(HDC hdc);

// Selects an object into the DC's current state (no checks beyond kind); returns the old one.
HGDIOBJ Select(Dc& dc, Object* object);

// Default state of a new DC: stock pen, brush, font and palette selected.
void InitDcState(Dc& dc);

// The screen's bits per pixel (32 unless a test chose 8).
int ScreenBpp();
void SetScreenBpp(int bpp);

}  // namespace gdi
