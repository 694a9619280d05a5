// Clipping: the DC keeps its clip region in device coordinates; without one it draws on its
// whole surface area, which is also what the combining modes start from.
#include "platform/gdi/dc.h"
#include "platform/gdi/region_object.h"

using namespace gdi;

namespace {

RECT deviceBounds(Dc& dc) {
    Surface* s = dc.drawSurface();
    if (dc.type == Dc::Type::Memory) return RECT{0, 0, s ? s->width : 0, s ? s->height : 0};
    return RECT{0, 0, dc.area.right - dc.area.left, dc.area.bottom - dc.area.top};
}

Region currentClip(Dc& dc) { return dc.state.hasClip ? dc.state.clip : Region(deviceBounds(dc)); }

int setClip(Dc& dc, Region&& region) {
    dc.state.clip = std::move(region);
    dc.state.hasClip = true;
    dc.clipChanged();
    return dc.state.clip.type();
}

RECT deviceRect(Dc& dc, int left, int top, int right, int bottom) {
    POINT a = dc.toDevice(left, top), b = dc.toDevice(right, bottom);
    return RECT{a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.x < b.x ? b.x : a.x, a.y < b.y ? b.y : a.y};
}

}  // namespace

extern "C" int WINAPI ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode) {
    Dc* dc = DcOf(hdc);
    if (!dc || mode < RGN_AND || mode > RGN_COPY) return ERROR;
    auto* r = As<RegionObject>(hrgn);
    try {
        if (!r) {
            if (hrgn || mode != RGN_COPY) return ERROR;
            dc->state.hasClip = false;
            dc->state.clip = Region();
            dc->clipChanged();
            return SIMPLEREGION;
        }
        if (mode == RGN_COPY) return setClip(*dc, Region(r->region));
        return setClip(*dc, Region::Combine(currentClip(*dc), r->region, mode));
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return ERROR;
    }
}

extern "C" int WINAPI SelectClipRgn(HDC hdc, HRGN hrgn) { return ExtSelectClipRgn(hdc, hrgn, RGN_COPY); }

extern "C" int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    Dc* dc = DcOf(hdc);
    if (!dc) return ERROR;
    return setClip(*dc, Region::Combine(currentClip(*dc), Region(deviceRect(*dc, left, top, right, bottom)), RGN_AND));
}

extern "C" int WINAPI ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    Dc* dc = DcOf(hdc);
    if (!dc) return ERROR;
    return setClip(*dc, Region::Combine(currentClip(*dc), Region(deviceRect(*dc, left, top, right, bottom)), RGN_DIFF));
}

extern "C" int WINAPI OffsetClipRgn(HDC hdc, int x, int y) {
    Dc* dc = DcOf(hdc);
    if (!dc) return ERROR;
    if (!dc->state.hasClip) return SIMPLEREGION;
    dc->state.clip.offset(x, y);
    dc->clipChanged();
    return dc->state.clip.type();
}

extern "C" int WINAPI GetClipBox(HDC hdc, LPRECT lprect) {
    Dc* dc = DcOf(hdc);
    if (!dc || !lprect) return ERROR;
    Region visible = Region::Combine(currentClip(*dc), Region(deviceBounds(*dc)), RGN_AND);
    RECT box = visible.box();
    POINT a = dc->toLogical(box.left, box.top), b = dc->toLogical(box.right, box.bottom);
    *lprect = RECT{a.x, a.y, b.x, b.y};
    return visible.type();
}

extern "C" int WINAPI GetClipRgn(HDC hdc, HRGN hrgn) {
    Dc* dc = DcOf(hdc);
    auto* r = As<RegionObject>(hrgn);
    if (!dc || !r) return -1;
    if (!dc->state.hasClip) return 0;
    r->region = dc->state.clip;
    return 1;
}

extern "C" BOOL WINAPI PtVisible(HDC hdc, int x, int y) {
    Dc* dc = DcOf(hdc);
    if (!dc) return -1;
    POINT p = dc->toDevice(x, y);
    RECT b = deviceBounds(*dc);
    return p.x >= b.left && p.x < b.right && p.y >= b.top && p.y < b.bottom &&
           (!dc->state.hasClip || dc->state.clip.contains(p.x, p.y));
}

extern "C" BOOL WINAPI RectVisible(HDC hdc, const RECT* lprect) {
    Dc* dc = DcOf(hdc);
    if (!dc || !lprect) return FALSE;
    Region visible = Region::Combine(currentClip(*dc), Region(deviceBounds(*dc)), RGN_AND);
    return visible.intersects(deviceRect(*dc, lprect->left, lprect->top, lprect->right, lprect->bottom));
}
