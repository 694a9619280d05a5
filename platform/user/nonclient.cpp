// The frame of a window in the classic look: a raised dialog frame or a thin border, the caption
// bar in the active or inactive colour with the window's text, sunken client edges and the
// window's own scroll bars.
#include "platform/user/control_paint.h"
#include "platform/user/window.h"

#include <algorithm>

namespace user {
namespace {

// A window's own scroll bar: its two arrow buttons and the track between them. Windows here keep
// no scroll range of their own, so no thumb is shown, as for an empty range.
void paintScrollBar(HDC dc, RECT bar, bool vertical) {
    int length = vertical ? bar.bottom - bar.top : bar.right - bar.left;
    int thickness = vertical ? bar.right - bar.left : bar.bottom - bar.top;
    int arrow = std::min(thickness, length / 2);
    RECT first = bar, second = bar, track = bar;
    if (vertical) {
        first.bottom = bar.top + arrow;
        second.top = bar.bottom - arrow;
        track.top = first.bottom;
        track.bottom = second.top;
    } else {
        first.right = bar.left + arrow;
        second.left = bar.right - arrow;
        track.left = first.right;
        track.right = second.left;
    }
    FillRect(dc, &track, GetSysColorBrush(COLOR_SCROLLBAR));
    DrawArrowButton(dc, first, vertical ? Arrow::Up : Arrow::Left, true);
    DrawArrowButton(dc, second, vertical ? Arrow::Down : Arrow::Right, true);
}

}  // namespace

void PaintFrame(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) return;
    HDC dc = GetWindowDC(hwnd);
    if (!dc) return;
    RECT r{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    DWORD style = w->style, ex = w->exStyle;
    if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_DLGFRAME) || (ex & WS_EX_DLGMODALFRAME) ||
        (style & WS_THICKFRAME)) {
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        int rest = GetSystemMetrics((style & WS_THICKFRAME) ? SM_CXFRAME : SM_CXDLGFRAME) - 2;
        for (int i = 0; i < rest; ++i) {
            FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
            InflateRect(&r, -1, -1);
        }
    } else if (style & WS_BORDER) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    if ((style & WS_CAPTION) == WS_CAPTION) {
        RECT bar = r;
        bar.bottom = bar.top + GetSystemMetrics(SM_CYCAPTION) - 1;
        bool active = GetActiveWindow() == GetAncestor(hwnd, GA_ROOT);
        FillRect(dc, &bar, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        RECT text = bar;
        text.left += 4;
        DrawTextA(dc, w->text.c_str(), static_cast<int>(w->text.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SelectObject(dc, old);
        // The row under the bar belongs to the frame: left unpainted it would show whatever the
        // screen held there before.
        RECT line{r.left, bar.bottom, r.right, bar.bottom + 1};
        FillRect(dc, &line, GetSysColorBrush(COLOR_BTNFACE));
        r.top = line.bottom;
    }
    if (ex & WS_EX_CLIENTEDGE) DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    if (ex & WS_EX_STATICEDGE) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
    bool both = (style & WS_VSCROLL) && (style & WS_HSCROLL);
    if (style & WS_VSCROLL) paintScrollBar(dc, RECT{r.right - cx, r.top, r.right, r.bottom - (both ? cy : 0)}, true);
    if (style & WS_HSCROLL) paintScrollBar(dc, RECT{r.left, r.bottom - cy, r.right - (both ? cx : 0), r.bottom}, false);
    if (both) {
        RECT corner{r.right - cx, r.bottom - cy, r.right, r.bottom};
        FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
    }
    ReleaseDC(hwnd, dc);
}

}  // namespace user
