// Attributes of a device context: colours, modes, alignment, brush origin and the mapping of
// logical to device coordinates (MM_TEXT: the window and viewport origins).
#include "platform/gdi/dc.h"

using namespace gdi;

namespace {

template <class T, class V>
V swapAttribute(HDC hdc, T DcState::*field, V value, V failure, bool (*valid)(V) = nullptr) {
    Dc* dc = DcOf(hdc);
    if (!dc || (valid && !valid(value))) {
        SetLastError(dc ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return failure;
    }
    V old = V(dc->state.*field);
    dc->state.*field = T(value);
    return old;
}

template <class T, class V>
V readAttribute(HDC hdc, T DcState::*field, V failure) {
    Dc* dc = DcOf(hdc);
    return dc ? V(dc->state.*field) : failure;
}

BOOL movePoint(HDC hdc, POINT DcState::*field, int x, int y, bool relative, LPPOINT old) {
    Dc* dc = DcOf(hdc);
    if (!dc) return FALSE;
    POINT& p = dc->state.*field;
    if (old) *old = p;
    p = relative ? POINT{Coord((long long)p.x + x), Coord((long long)p.y + y)} : POINT{Coord(x), Coord(y)};
    return TRUE;
}

BOOL readPoint(HDC hdc, POINT DcState::*field, LPPOINT out) {
    Dc* dc = DcOf(hdc);
    if (!dc || !out) return FALSE;
    *out = dc->state.*field;
    return TRUE;
}

}  // namespace

extern "C" COLORREF WINAPI SetTextColor(HDC hdc, COLORREF c) { return swapAttribute(hdc, &DcState::text, c, CLR_INVALID); }
extern "C" COLORREF WINAPI GetTextColor(HDC hdc) { return readAttribute(hdc, &DcState::text, CLR_INVALID); }
extern "C" COLORREF WINAPI SetBkColor(HDC hdc, COLORREF c) { return swapAttribute(hdc, &DcState::bk, c, CLR_INVALID); }
extern "C" COLORREF WINAPI GetBkColor(HDC hdc) { return readAttribute(hdc, &DcState::bk, CLR_INVALID); }

extern "C" int WINAPI SetBkMode(HDC hdc, int mode) {
    return swapAttribute(hdc, &DcState::bkMode, mode, 0, +[](int m) { return m == TRANSPARENT || m == OPAQUE; });
}
extern "C" int WINAPI GetBkMode(HDC hdc) { return readAttribute(hdc, &DcState::bkMode, 0); }

extern "C" int WINAPI SetROP2(HDC hdc, int rop2) {
    return swapAttribute(hdc, &DcState::rop2, rop2, 0, +[](int r) { return r >= R2_BLACK && r <= R2_WHITE; });
}
extern "C" int WINAPI GetROP2(HDC hdc) { return readAttribute(hdc, &DcState::rop2, 0); }

extern "C" int WINAPI SetPolyFillMode(HDC hdc, int mode) {
    return swapAttribute(hdc, &DcState::polyFill, mode, 0, +[](int m) { return m == ALTERNATE || m == WINDING; });
}
extern "C" int WINAPI GetPolyFillMode(HDC hdc) { return readAttribute(hdc, &DcState::polyFill, 0); }

extern "C" int WINAPI SetStretchBltMode(HDC hdc, int mode) {
    return swapAttribute(hdc, &DcState::stretchMode, mode, 0, +[](int m) { return m >= BLACKONWHITE && m <= HALFTONE; });
}
extern "C" int WINAPI GetStretchBltMode(HDC hdc) { return readAttribute(hdc, &DcState::stretchMode, 0); }

extern "C" UINT WINAPI SetTextAlign(HDC hdc, UINT align) { return swapAttribute(hdc, &DcState::textAlign, align, UINT(GDI_ERROR)); }
extern "C" UINT WINAPI GetTextAlign(HDC hdc) { return readAttribute(hdc, &DcState::textAlign, UINT(GDI_ERROR)); }

extern "C" int WINAPI SetArcDirection(HDC hdc, int dir) {
    return swapAttribute(hdc, &DcState::arcDirection, dir, 0,
                         +[](int d) { return d == AD_COUNTERCLOCKWISE || d == AD_CLOCKWISE; });
}
extern "C" int WINAPI GetArcDirection(HDC hdc) { return readAttribute(hdc, &DcState::arcDirection, 0); }

extern "C" BOOL WINAPI SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return movePoint(hdc, &DcState::brushOrg, x, y, false, lppt);
}
extern "C" BOOL WINAPI GetBrushOrgEx(HDC hdc, LPPOINT lppt) { return readPoint(hdc, &DcState::brushOrg, lppt); }

extern "C" int WINAPI SetMapMode(HDC hdc, int mode) {
    // Only MM_TEXT is drawn; no caller of this library scales its pictures through the mapping.
    Dc* dc = DcOf(hdc);
    if (!dc || mode != MM_TEXT) {
        SetLastError(dc ? ERROR_NOT_SUPPORTED : ERROR_INVALID_HANDLE);
        return 0;
    }
    return MM_TEXT;
}
extern "C" int WINAPI GetMapMode(HDC hdc) { return DcOf(hdc) ? MM_TEXT : 0; }

extern "C" BOOL WINAPI SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return movePoint(hdc, &DcState::viewportOrg, x, y, false, lppt);
}
extern "C" BOOL WINAPI GetViewportOrgEx(HDC hdc, LPPOINT lppt) { return readPoint(hdc, &DcState::viewportOrg, lppt); }
extern "C" BOOL WINAPI OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return movePoint(hdc, &DcState::viewportOrg, x, y, true, lppt);
}
extern "C" BOOL WINAPI SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return movePoint(hdc, &DcState::windowOrg, x, y, false, lppt);
}
extern "C" BOOL WINAPI GetWindowOrgEx(HDC hdc, LPPOINT lppt) { return readPoint(hdc, &DcState::windowOrg, lppt); }
extern "C" BOOL WINAPI OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return movePoint(hdc, &DcState::windowOrg, x, y, true, lppt);
}

extern "C" BOOL WINAPI LPtoDP(HDC hdc, LPPOINT lppt, int c) {
    Dc* dc = DcOf(hdc);
    if (!dc || (c > 0 && !lppt)) return FALSE;
    for (int i = 0; i < c; ++i) lppt[i] = dc->toDevice(lppt[i].x, lppt[i].y);
    return TRUE;
}

extern "C" BOOL WINAPI DPtoLP(HDC hdc, LPPOINT lppt, int c) {
    Dc* dc = DcOf(hdc);
    if (!dc || (c > 0 && !lppt)) return FALSE;
    for (int i = 0; i < c; ++i) lppt[i] = dc->toLogical(lppt[i].x, lppt[i].y);
    return TRUE;
}

extern "C" BOOL WINAPI GdiFlush(void) { return TRUE; }
