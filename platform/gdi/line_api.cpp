// Lines: the current position, LineTo and Polyline with the DC's pen.
#include "platform/gdi/raster.h"

#include <vector>

using namespace gdi;

namespace {

bool strokeLogical(HDC hdc, const POINT* apt, int cpt) {
    Dc* dc = DcOf(hdc);
    Target t;
    if (!dc || (cpt > 0 && !apt) || cpt < 0) return false;
    if (!dc->target(t)) return true;
    try {
        std::vector<POINT> pts(apt, apt + cpt);
        for (POINT& p : pts) p = {Coord(p.x) + t.dx, Coord(p.y) + t.dy};
        Stroke s = MakeStroke(*dc, t);
        StrokePolyline(t, s, pts.data(), cpt);
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    return true;
}

}  // namespace

extern "C" BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    Dc* dc = DcOf(hdc);
    if (!dc) return FALSE;
    if (lppt) *lppt = dc->state.position;
    dc->state.position = {x, y};
    return TRUE;
}

extern "C" BOOL WINAPI GetCurrentPositionEx(HDC hdc, LPPOINT lppt) {
    Dc* dc = DcOf(hdc);
    if (!dc || !lppt) return FALSE;
    *lppt = dc->state.position;
    return TRUE;
}

extern "C" BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    Dc* dc = DcOf(hdc);
    if (!dc) return FALSE;
    POINT pts[2] = {dc->state.position, {x, y}};
    bool ok = strokeLogical(hdc, pts, 2);
    dc->state.position = {x, y};
    return ok;
}

extern "C" BOOL WINAPI Polyline(HDC hdc, const POINT* apt, int cpt) { return strokeLogical(hdc, apt, cpt); }
