// `CmDrawTools`: the toolbox of GDI primitives every preview picture is drawn from (dashed
// lines, gradient bands, two-colour pattern fills, sunken frames, grey colours, palettes and
// pictures of the resource module, masked blits). It keeps no state: each operation creates its
// GDI objects, restores the device context and deletes what it made before it returns.
#pragma once

#include "core/memory/pool_object.h"
#include "core/device/uidevdata.h"

#include <windows.h>

#include <cstdint>

// The preview's geometry record: eighteen values, of which the drawing tools read the upper and
// lower heights, the separator line, and the picture's width and height.
struct PreviewGeometry {
    int32_t values[18];
    int32_t Width() const { return values[0]; }
    int32_t UpperHeight() const { return values[1]; }
    int32_t LowerHeight() const { return values[2]; }
    int32_t SeparatorY() const { return values[3]; }
    int32_t PictureWidth() const { return values[6]; }
    int32_t PictureHeight() const { return values[7]; }
};

// The colours the previews share.
namespace preview_colour {
constexpr COLORREF kGrey = 0x808080;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kSilver = 0xC0C0C0;
constexpr COLORREF kCyan = 0xFFFF00;
constexpr COLORREF kMagenta = 0xFF00FF;  // the transparent key of every preview picture
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kDarkRed = 0x000080;
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kNavy = 0x800000;
constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kLightGrey = 0xC0C0C0;
}  // namespace preview_colour

class CmDrawTools : public PoolObject {
public:
    CmDrawTools() = default;
    virtual ~CmDrawTools() = default;

    // One period of a dashed line in style 0 (dash), 1 (dot), 2 (dash-dot) or 3 (dash-dot-dot),
    // at *position along the line from origin; the position advances by the period.
    virtual void DrawDashPeriod(HDC dc, POINT origin, int* position, BOOL vertical, BOOL paintGaps, int style);

    // The 32 x 12 monochrome patterns, 4 bytes a row.
    virtual const uint8_t* GetCheckerPattern() const;
    virtual const uint8_t* GetDiagonalPattern() const;

    // Rectangle(x, y, x + w, y + h) filled with the checkerboard in foreground on background; an
    // outline of penWidth in the foreground colour, none for -1.
    virtual void FillPatternRect(HDC dc, int x, int y, int width, int height, COLORREF foreground,
                                 COLORREF background, COLORREF unused, int penWidth);
    // n + 1 overlapping bands from one colour to the other; direction 1 bands down the height.
    virtual void FillGradient(HDC dc, int x, int y, int width, int height, COLORREF from, COLORREF to, int steps,
                              int direction);
    virtual SIZE GetBitmapSize(UIDEVDATA* ctx, UINT bitmapId);
    virtual COLORREF ToGrey(COLORREF colour) const;
    // Bits per pixel times planes of the screen; below 9 is a palette display.
    virtual int GetDisplayColorBits();
    virtual void DrawBackground(HDC dc, const RECT& client, DWORD parts, const PreviewGeometry& geometry);
    virtual void DrawSunkenFrame(HDC dc, int x, int y, int width, int height);
    virtual BOOL GetWindowFont(HWND window, LOGFONTA* font);
    virtual HPALETTE CreatePalette(UIDEVDATA* ctx, UINT bitmapId, int colours);
    // A region of the current clip box; the caller selects it back and deletes it.
    virtual HRGN GetClipRegion(HDC dc);
    virtual void FillHatched(HDC dc, int x, int y, int width, int height, const PreviewGeometry& geometry);
    virtual void DrawDashedLine(HDC dc, POINT start, int length, int style, BOOL vertical, BOOL paintGaps);
    virtual void DrawBitmapResource(UIDEVDATA* ctx, HDC dc, int x, int y, UINT bitmapId, HPALETTE palette);
    // An 8-bit DIB of the resource module stretched to (x, y, w, h), always in grey.
    virtual void DrawDibResource(UIDEVDATA* ctx, HDC dc, int x, int y, int width, int height, UINT bitmapId,
                                 HPALETTE palette);
    virtual void DrawMasked(UIDEVDATA* ctx, HDC dc, int x, int y, UINT imageId, UINT maskId, HPALETTE palette);
};

// Restores a device context's clip region on leaving a scope (the region it had, or none).
class ClipRestorer {
public:
    explicit ClipRestorer(HDC dc);
    ~ClipRestorer();
    ClipRestorer(const ClipRestorer&) = delete;
    ClipRestorer& operator=(const ClipRestorer&) = delete;

private:
    HDC dc_;
    HRGN saved_;
    bool hadClip_;
};

// Limits drawing to the rectangle, within what was allowed before.
void LimitTo(HDC dc, int left, int top, int right, int bottom);
// Fills (left, top, right, bottom) with a solid colour.
void FillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF colour);
