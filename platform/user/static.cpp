// The "Static" class: texts, frames, rectangles, icons and bitmaps that show without taking input;
// with SS_NOTIFY a click is reported as STN_CLICKED, and SS_OWNERDRAW asks the parent to draw.
#include "platform/user/control_paint.h"
#include "platform/user/control_state.h"
#include "platform/user/controls.h"
#include "platform/user/owner_draw.h"
#include "platform/user/window.h"

namespace user {
namespace {

struct StaticState {
    HANDLE image = nullptr;
    bool ownsImage = false;  // a bitmap it loaded itself; one set by STM_SETIMAGE stays the caller's
    HFONT font = nullptr;
};

UINT kind(HWND hwnd) { return StyleOf(hwnd) & SS_TYPEMASK; }

HANDLE setImage(HWND hwnd, StaticState& s, HANDLE image) {
    if (s.ownsImage) DeleteObject(s.image);
    s.ownsImage = false;
    HANDLE old = s.image;
    s.image = image;
    InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

void paint(HWND hwnd, const StaticState& s) {
    PaintScope scope(hwnd);
    HDC dc = scope.dc();
    RECT r = scope.client();
    UINT k = kind(hwnd);
    if (k == SS_OWNERDRAW) {
        DrawItem(hwnd, dc, ODT_STATIC, 0, ODA_DRAWENTIRE, IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED, r, 0);
        return;
    }
    if (!dc) return;
    switch (k) {
    case SS_BLACKRECT: FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME)); return;
    case SS_GRAYRECT: FillRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW)); return;
    case SS_WHITERECT: FillRect(dc, &r, GetSysColorBrush(COLOR_BTNHIGHLIGHT)); return;
    case SS_BLACKFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME)); return;
    case SS_GRAYFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW)); return;
    case SS_WHITEFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNHIGHLIGHT)); return;
    case SS_ETCHEDHORZ: r.bottom = r.top + 2; DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP); return;
    case SS_ETCHEDVERT: r.right = r.left + 2; DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT); return;
    case SS_ETCHEDFRAME: DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT); return;
    case SS_ICON:
        FillRect(dc, &r, ParentBrush(hwnd, dc, WM_CTLCOLORSTATIC));
        if (s.image) DrawIcon(dc, r.left, r.top, static_cast<HICON>(s.image));
        return;
    case SS_BITMAP:
        FillRect(dc, &r, ParentBrush(hwnd, dc, WM_CTLCOLORSTATIC));
        if (s.image) DrawBitmapAt(dc, static_cast<HBITMAP>(s.image), r.left, r.top);
        return;
    default: {
        FillRect(dc, &r, ParentBrush(hwnd, dc, WM_CTLCOLORSTATIC));
        UINT align = k == SS_CENTER ? DT_CENTER : k == SS_RIGHT ? DT_RIGHT : DT_LEFT;
        UINT format = align | (k == SS_SIMPLE || k == SS_LEFTNOWORDWRAP ? DT_SINGLELINE : DT_WORDBREAK) |
                      ((StyleOf(hwnd) & SS_NOPREFIX) ? DT_NOPREFIX : 0);
        if (StyleOf(hwnd) & SS_CENTERIMAGE) format |= DT_VCENTER | DT_SINGLELINE;
        DrawLabel(dc, TextOf(hwnd), r, format, IsWindowEnabled(hwnd));
        return;
    }
    }
}

}  // namespace

LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ManageState<StaticState>(hwnd, msg);
    StaticState* s = StateOf<StaticState>(hwnd);
    if (!s) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (LRESULT answer = 0; ManageFont(hwnd, msg, wParam, lParam, s->font, answer)) return answer;
    switch (msg) {
    case WM_CREATE: {
        // A picture named by the template's title (an ordinal or "#n") comes from the module.
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        LPCSTR name = cs->lpszName;
        bool named = name && (IS_INTRESOURCE(name) || name[0] == '#');
        if (named && kind(hwnd) == SS_ICON) s->image = LoadIconA(cs->hInstance, name);
        if (named && kind(hwnd) == SS_BITMAP) {
            s->image = LoadBitmapA(cs->hInstance, name);
            s->ownsImage = s->image != nullptr;
        }
        return 0;
    }
    case WM_DESTROY:
        if (s->ownsImage) DeleteObject(s->image);
        s->image = nullptr;
        s->ownsImage = false;
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case STM_SETICON:
        return reinterpret_cast<LRESULT>(setImage(hwnd, *s, reinterpret_cast<HANDLE>(wParam)));
    case STM_GETICON:
        return reinterpret_cast<LRESULT>(s->image);
    case STM_SETIMAGE:
        return reinterpret_cast<LRESULT>(setImage(hwnd, *s, reinterpret_cast<HANDLE>(lParam)));
    case STM_GETIMAGE:
        return reinterpret_cast<LRESULT>(s->image);
    case WM_NCHITTEST:
        return (StyleOf(hwnd) & SS_NOTIFY) ? 1 : -1;  // HTCLIENT, else HTTRANSPARENT
    case WM_LBUTTONDOWN:
        if (StyleOf(hwnd) & SS_NOTIFY) NotifyParent(hwnd, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (StyleOf(hwnd) & SS_NOTIFY) NotifyParent(hwnd, STN_DBLCLK);
        return 0;
    case WM_ENABLE:
        if (StyleOf(hwnd) & SS_NOTIFY) NotifyParent(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_SETTEXT:
        InvalidateRect(hwnd, nullptr, TRUE);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_PAINT:
        paint(hwnd, *s);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace user
