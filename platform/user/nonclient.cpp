// The frame of a window in the classic look: a raised dialog frame or a thin border, the caption
// bar in the active or inactive colour with the window's text, and sunken client edges.
#include "platform/user/control_paint.h"
#include "platform/user/window.h"

namespace user {

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
    if (style & (WS_VSCROLL | WS_HSCROLL)) {
        RECT bar = r;
        if (style & WS_VSCROLL) {
            bar.left = bar.right - GetSystemMetrics(SM_CXVSCROLL);
            FillRect(dc, &bar, GetSysColorBrush(COLOR_SCROLLBAR));
            DrawEdge(dc, &bar, EDGE_RAISED, BF_RECT);
        }
    }
    ReleaseDC(hwnd, dc);
}

}  // namespace user
