// DrawEdge: the classic two-pixel three-dimensional borders (raised, sunken, etched, bump) drawn
// with the button colours, outer line first.
#include <windows.h>

namespace {

void line(HDC dc, int x0, int y0, int x1, int y1, COLORREF color) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// One ring of the border: top-left in one colour, bottom-right in the other.
void ring(HDC dc, RECT& r, UINT sides, COLORREF topLeft, COLORREF bottomRight) {
    if (sides & BF_TOP) line(dc, r.left, r.top, r.right - 1, r.top, topLeft);
    if (sides & BF_LEFT) line(dc, r.left, r.top, r.left, r.bottom - 1, topLeft);
    if (sides & BF_BOTTOM) line(dc, r.left, r.bottom - 1, r.right, r.bottom - 1, bottomRight);
    if (sides & BF_RIGHT) line(dc, r.right - 1, r.top, r.right - 1, r.bottom, bottomRight);
    if (sides & BF_LEFT) ++r.left;
    if (sides & BF_TOP) ++r.top;
    if (sides & BF_RIGHT) --r.right;
    if (sides & BF_BOTTOM) --r.bottom;
}

}  // namespace

extern "C" BOOL WINAPI DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) {
    if (!dc || !rect) return FALSE;
    RECT r = *rect;
    COLORREF light = GetSysColor(COLOR_3DLIGHT), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), dark = GetSysColor(COLOR_3DDKSHADOW);
    UINT sides = flags & BF_RECT;
    if (edge & BDR_RAISEDOUTER) ring(dc, r, sides, light, dark);
    else if (edge & BDR_SUNKENOUTER) ring(dc, r, sides, shadow, highlight);
    if (edge & BDR_RAISEDINNER) ring(dc, r, sides, highlight, shadow);
    else if (edge & BDR_SUNKENINNER) ring(dc, r, sides, dark, light);
    if (flags & BF_MIDDLE) FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (flags & BF_ADJUST) *rect = r;
    return TRUE;
}
