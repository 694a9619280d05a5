// Window and client rectangles, coordinate mapping and moving. A child's rectangle is kept in its
// parent's client coordinates; a top-level window's in screen coordinates.
#include "platform/user/window.h"

#include <algorithm>
#include <mutex>

namespace {

// Screen position of the client area's top left corner; (0, 0) for the desktop.
POINT clientOrigin(HWND hwnd) {
    user::Window* w = user::Find(hwnd);
    if (!w) return {0, 0};
    POINT base = w->parent ? clientOrigin(w->parent) : POINT{0, 0};
    RECT in = user::FrameInsets(w->style, w->exStyle);
    return {base.x + w->rect.left + in.left, base.y + w->rect.top + in.top};
}

bool isDesktop(HWND hwnd) { return !hwnd || hwnd == GetDesktopWindow(); }

}  // namespace

namespace user {

RECT FramedInsets(DWORD style, DWORD exStyle) {
    int edge = 0;
    if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        edge = GetSystemMetrics(SM_CXDLGFRAME);
    else if (style & WS_THICKFRAME)
        edge = GetSystemMetrics(SM_CXFRAME);
    else if (style & WS_BORDER)
        edge = GetSystemMetrics(SM_CXBORDER);
    if (exStyle & WS_EX_CLIENTEDGE) edge += GetSystemMetrics(SM_CXEDGE);
    if (exStyle & WS_EX_STATICEDGE) edge += GetSystemMetrics(SM_CXBORDER);
    RECT in{edge, edge, edge, edge};
    if ((style & WS_CAPTION) == WS_CAPTION) in.top += GetSystemMetrics(SM_CYCAPTION);
    if (style & WS_VSCROLL) in.right += GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) in.bottom += GetSystemMetrics(SM_CYHSCROLL);
    return in;
}

}  // namespace user

extern "C" BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) {
    if (!rect) return FALSE;
    if (hwnd == GetDesktopWindow()) {
        *rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        return TRUE;
    }
    user::Window* w = user::FromHandle(hwnd);
    if (!w) return FALSE;
    POINT base = w->parent ? clientOrigin(w->parent) : POINT{0, 0};
    *rect = w->rect;
    OffsetRect(rect, base.x, base.y);
    return TRUE;
}

extern "C" BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect) {
    if (!rect) return FALSE;
    if (hwnd == GetDesktopWindow()) return GetWindowRect(hwnd, rect);
    user::Window* w = user::FromHandle(hwnd);
    if (!w) return FALSE;
    *rect = user::ClientRect(*w);
    return TRUE;
}

extern "C" int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    if ((!isDesktop(from) && !user::FromHandle(from)) || (!isDesktop(to) && !user::FromHandle(to))) return 0;
    POINT a = isDesktop(from) ? POINT{0, 0} : clientOrigin(from);
    POINT b = isDesktop(to) ? POINT{0, 0} : clientOrigin(to);
    LONG dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);  // a zero answer with no error means no offset, not a failure
    return MAKELONG(static_cast<SHORT>(dx), static_cast<SHORT>(dy));
}

extern "C" BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT point) {
    if (!point || !user::FromHandle(hwnd)) return FALSE;
    MapWindowPoints(hwnd, nullptr, point, 1);
    return TRUE;
}

extern "C" BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT point) {
    if (!point || !user::FromHandle(hwnd)) return FALSE;
    MapWindowPoints(nullptr, hwnd, point, 1);
    return TRUE;
}

extern "C" BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

extern "C" BOOL WINAPI SetWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags) {
    user::Window* w = user::FromHandle(hwnd);
    if (!w) return FALSE;
    WINDOWPOS pos{hwnd, after, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = w->rect.left;
        pos.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = w->rect.right - w->rect.left;
        pos.cy = w->rect.bottom - w->rect.top;
    }
    if (!(flags & SWP_NOSENDCHANGING)) SendMessageA(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!(w = user::Find(hwnd))) return FALSE;
    RECT old = w->rect;
    w->rect = {pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0)};
    if (!(pos.flags & SWP_NOMOVE) || !(pos.flags & SWP_NOSIZE)) {
        if (EqualRect(&old, &w->rect)) pos.flags |= SWP_NOMOVE | SWP_NOSIZE;
    }
    if (!(pos.flags & SWP_NOZORDER) && w->parent) {
        auto& list = user::Find(w->parent)->children;
        std::lock_guard<std::mutex> guard(user::TableLock());  // others may read the list
        list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
        auto at = list.begin();
        if (pos.hwndInsertAfter == HWND_BOTTOM) {
            at = list.end();
        } else if (pos.hwndInsertAfter != HWND_TOP && pos.hwndInsertAfter != HWND_TOPMOST &&
                   pos.hwndInsertAfter != HWND_NOTOPMOST) {
            at = std::find(list.begin(), list.end(), pos.hwndInsertAfter);
            if (at != list.end()) ++at;
        }
        list.insert(at, hwnd);
        user::ChildrenChanged();
    }
    if (pos.flags & SWP_SHOWWINDOW) ShowWindow(hwnd, (pos.flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (pos.flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
    if (!IsWindow(hwnd)) return FALSE;
    SendMessageA(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    if (!(pos.flags & SWP_NOREDRAW) && IsWindow(hwnd)) {
        InvalidateRect(hwnd, nullptr, TRUE);
        if (HWND parent = GetAncestor(hwnd, GA_PARENT); parent && parent != GetDesktopWindow())
            InvalidateRect(parent, nullptr, TRUE);
    }
    return TRUE;
}
