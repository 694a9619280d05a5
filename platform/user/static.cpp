// The "Static" class: texts, frames, rectangles, icons and bitmaps that show without taking input;
// with SS_NOTIFY a click is reported as STN_CLICKED, and SS_OWNERDRAW asks the parent to draw.
#include "platform/user/control_state.h"
#include "platform/user/controls.h"
#include "platform/user/owner_draw.h"
#include "platform/user/window.h"

namespace user {
namespace {

struct StaticState {
    HANDLE image = nullptr;
};

UINT kind(HWND hwnd) { return StyleOf(hwnd) & SS_TYPEMASK; }

HANDLE setImage(HWND hwnd, StaticState& s, HANDLE image) {
    HANDLE old = s.image;
    s.image = image;
    InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

}  // namespace

LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ManageState<StaticState>(hwnd, msg);
    StaticState* s = StateOf<StaticState>(hwnd);
    if (!s) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
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
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (kind(hwnd) == SS_OWNERDRAW) {
            RECT rect;
            GetClientRect(hwnd, &rect);
            DrawItem(hwnd, dc, ODT_STATIC, 0, ODA_DRAWENTIRE, IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED, rect, 0);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

}  // namespace user
