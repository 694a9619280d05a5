// The region functions over banded regions.
#include "platform/gdi/region_object.h"

using namespace gdi;

extern "C" HRGN WINAPI CreateRectRgn(int x1, int y1, int x2, int y2) {
    auto r = std::unique_ptr<RegionObject>(new (std::nothrow) RegionObject);
    if (!r) return nullptr;
    // Either corner may come first, as on the original.
    RECT rc{x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, x1 < x2 ? x2 : x1, y1 < y2 ? y2 : y1};
    r->region = Region(rc);
    return static_cast<HRGN>(Register(std::move(r)));
}

extern "C" HRGN WINAPI CreateRectRgnIndirect(const RECT* lprect) {
    if (!lprect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

extern "C" int WINAPI CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode) {
    auto* dst = As<RegionObject>(hrgnDst);
    auto* a = As<RegionObject>(hrgnSrc1);
    auto* b = iMode == RGN_COPY ? a : As<RegionObject>(hrgnSrc2);
    if (!dst || !a || !b || iMode < RGN_AND || iMode > RGN_COPY) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR;
    }
    try {
        dst->region = Region::Combine(a->region, b->region, iMode);
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return ERROR;
    }
    return dst->region.type();
}

extern "C" int WINAPI OffsetRgn(HRGN hrgn, int x, int y) {
    auto* r = As<RegionObject>(hrgn);
    if (!r) return ERROR;
    r->region.offset(x, y);
    return r->region.type();
}

extern "C" int WINAPI GetRgnBox(HRGN hrgn, LPRECT lprc) {
    auto* r = As<RegionObject>(hrgn);
    if (!r || !lprc) return ERROR;
    *lprc = r->region.box();
    return r->region.type();
}

extern "C" BOOL WINAPI SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom) {
    auto* r = As<RegionObject>(hrgn);
    if (!r) return FALSE;
    r->region = Region(RECT{left < right ? left : right, top < bottom ? top : bottom, left < right ? right : left,
                            top < bottom ? bottom : top});
    return TRUE;
}

extern "C" BOOL WINAPI PtInRegion(HRGN hrgn, int x, int y) {
    auto* r = As<RegionObject>(hrgn);
    return r && r->region.contains(x, y);
}

extern "C" BOOL WINAPI RectInRegion(HRGN hrgn, const RECT* lprect) {
    auto* r = As<RegionObject>(hrgn);
    return r && lprect && r->region.intersects(*lprect);
}

extern "C" BOOL WINAPI EqualRgn(HRGN hrgn1, HRGN hrgn2) {
    auto* a = As<RegionObject>(hrgn1);
    auto* b = As<RegionObject>(hrgn2);
    if (!a || !b) return ERROR;
    return a->region == b->region;
}
