// Rectangle and region fills: FillRect, FrameRect, InvertRect, DrawFocusRect, PatBlt, and the
// region fills. Rectangles exclude their right and bottom edges, as everywhere in GDI.
#include "platform/gdi/paint.h"
#include "platform/gdi/region_object.h"
#include "platform/gdi/rop.h"
#include "platform/gdi/stock.h"

#include <algorithm>

using namespace gdi;

namespace {

RECT toSurface(const Target& t, int left, int top, int right, int bottom) {
    left = Coord(left), top = Coord(top), right = Coord(right), bottom = Coord(bottom);
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    return RECT{left + t.dx, top + t.dy, right + t.dx, bottom + t.dy};
}

bool fillWith(HDC hdc, const RECT* rc, const Brush* brush, std::uint8_t rop) {
    Dc* dc = DcOf(hdc);
    Target t;
    if (!dc || !rc) return false;
    if (!dc->target(t)) return true;
    Paint p = RopUsesPattern(rop) ? BrushPaint(*dc, t, brush) : Paint{};
    PatRectangle(t, toSurface(t, rc->left, rc->top, rc->right, rc->bottom), p, rop);
    return true;
}

template <class F>
bool regionOp(HDC hdc, HRGN hrgn, F&& f) {
    Dc* dc = DcOf(hdc);
    auto* r = As<RegionObject>(hrgn);
    Target t;
    if (!dc || !r) return false;
    if (!dc->target(t)) return true;
    Region moved = r->region;
    moved.offset(t.dx, t.dy);
    f(*dc, t, moved);
    return true;
}

void fillRegion(const Target& t, const Region& region, const Paint& p, std::uint8_t rop) {
    for (const RECT& rc : region.rects()) PatRectangle(t, rc, p, rop);
}

}  // namespace

extern "C" int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    // A system colour index plus one stands for that colour's brush.
    auto value = reinterpret_cast<ULONG_PTR>(hbr);
    if (value >= 1 && value <= 31) hbr = SysColorBrush(int(value - 1));
    auto* brush = As<Brush>(hbr);
    if (!brush) return 0;
    return fillWith(hDC, lprc, brush, 0xF0);
}

extern "C" int WINAPI FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    auto* brush = As<Brush>(hbr);
    if (!lprc || !brush) return 0;
    const RECT r{Coord(lprc->left), Coord(lprc->top), Coord(lprc->right), Coord(lprc->bottom)};
    if (r.left >= r.right || r.top >= r.bottom) return 1;
    RECT sides[4] = {{r.left, r.top, r.right, r.top + 1},
                     {r.left, r.bottom - 1, r.right, r.bottom},
                     {r.left, r.top, r.left + 1, r.bottom},
                     {r.right - 1, r.top, r.right, r.bottom}};
    for (const RECT& s : sides)
        if (!fillWith(hDC, &s, brush, 0xF0)) return 0;
    return 1;
}

extern "C" BOOL WINAPI InvertRect(HDC hDC, const RECT* lprc) { return fillWith(hDC, lprc, nullptr, 0x55); }

extern "C" BOOL WINAPI DrawFocusRect(HDC hDC, const RECT* lprc) {
    Dc* dc = DcOf(hDC);
    Target t;
    if (!dc || !lprc) return FALSE;
    if (!dc->target(t)) return TRUE;
    RECT r = toSurface(t, lprc->left, lprc->top, lprc->right, lprc->bottom);
    if (r.left >= r.right || r.top >= r.bottom) return TRUE;
    RECT box = t.clip->box();
    // Every other pixel of the outline is inverted, so drawing it twice takes it away.
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0 && t.clip->contains(x, y)) {
            std::uint32_t& px = t.surface->row(y)[x];
            px = t.map(~px & 0xFFFFFF);
        }
    };
    for (int x = std::max<int>(r.left, box.left); x < std::min<int>(r.right, box.right); ++x) {
        dot(x, r.top);
        if (r.bottom - 1 > r.top) dot(x, r.bottom - 1);
    }
    for (int y = std::max<int>(r.top + 1, box.top); y < std::min<int>(r.bottom - 1, box.bottom); ++y) {
        dot(r.left, y);
        if (r.right - 1 > r.left) dot(r.right - 1, y);
    }
    return TRUE;
}

extern "C" BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    std::uint8_t index = RopIndex(rop);
    if (RopUsesSource(index)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Dc* dc = DcOf(hdc);
    if (!dc) return FALSE;
    x = Coord(x), y = Coord(y), w = Coord(w), h = Coord(h);
    RECT rc{x, y, x + w, y + h};
    return fillWith(hdc, &rc, Dc::current<Brush>(dc->state.brush), index);
}

extern "C" BOOL WINAPI FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr) {
    auto* brush = As<Brush>(hbr);
    if (!brush) return FALSE;
    return regionOp(hdc, hrgn, [&](Dc& dc, const Target& t, const Region& r) {
        fillRegion(t, r, BrushPaint(dc, t, brush), 0xF0);
    });
}

extern "C" BOOL WINAPI PaintRgn(HDC hdc, HRGN hrgn) {
    Dc* dc = DcOf(hdc);
    return dc && FillRgn(hdc, hrgn, dc->state.brush);
}

extern "C" BOOL WINAPI InvertRgn(HDC hdc, HRGN hrgn) {
    return regionOp(hdc, hrgn, [&](Dc&, const Target& t, const Region& r) { fillRegion(t, r, Paint{}, 0x55); });
}

extern "C" BOOL WINAPI FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h) {
    auto* brush = As<Brush>(hbr);
    if (!brush || w < 0 || h < 0) return FALSE;
    return regionOp(hdc, hrgn, [&](Dc& dc, const Target& t, const Region& r) {
        // The frame is what is left of the region when it is shrunk by w and h on each side.
        Region inner = r;
        for (POINT d : {POINT{w, 0}, POINT{-w, 0}, POINT{0, h}, POINT{0, -h}}) {
            Region moved = r;
            moved.offset(d.x, d.y);
            inner = Region::Combine(inner, moved, RGN_AND);
        }
        fillRegion(t, Region::Combine(r, inner, RGN_DIFF), BrushPaint(dc, t, brush), 0xF0);
    });
}
