// Invalidation and painting: each window keeps the part of its client area waiting to be painted;
// the message loop makes WM_PAINT for it when nothing else is queued, parents before children.
#include "platform/user/window.h"

#include <algorithm>
#include <cstring>

namespace {

bool isEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

HWND firstToPaint(HWND hwnd) {
    user::Window* w = user::Find(hwnd);
    if (!w || !(w->style & WS_VISIBLE) || w->thread != std::this_thread::get_id()) return nullptr;
    if (w->needsPaint) return hwnd;
    for (HWND child : w->children)
        if (HWND found = firstToPaint(child)) return found;
    return nullptr;
}

}  // namespace

namespace user {

HWND NextWindowToPaint(HWND filter) {
    if (filter) return firstToPaint(filter);
    for (HWND top : TopLevelWindows())
        if (HWND found = firstToPaint(top)) return found;
    return nullptr;
}

}  // namespace user

extern "C" BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    if (!hwnd) {
        for (HWND top : user::TopLevelWindows()) InvalidateRect(top, nullptr, erase);
        return TRUE;
    }
    user::Window* w = user::FromHandle(hwnd);
    if (!w) return FALSE;
    const RECT client = user::ClientRect(*w);
    RECT area = client;
    if (rect && !IntersectRect(&area, rect, &client)) return TRUE;
    // As UnionRect(&w->update, &w->update, &area), without its calls: controls invalidate
    // themselves at every change of state.
    if (isEmpty(w->update)) w->update = area;
    else if (!isEmpty(area))
        w->update = {std::min(w->update.left, area.left), std::min(w->update.top, area.top),
                     std::max(w->update.right, area.right), std::max(w->update.bottom, area.bottom)};
    w->needsPaint = !isEmpty(w->update);
    w->needsErase = w->needsErase || erase;
    return TRUE;
}

extern "C" BOOL WINAPI ValidateRect(HWND hwnd, const RECT* rect) {
    user::Window* w = user::FromHandle(hwnd);
    if (!w) return FALSE;
    // The update area is one rectangle: validating only a part of it leaves it whole.
    if (!rect || (rect->left <= w->update.left && rect->top <= w->update.top && rect->right >= w->update.right &&
                  rect->bottom >= w->update.bottom)) {
        SetRectEmpty(&w->update);
        w->needsPaint = false;
        w->needsErase = false;
    }
    return TRUE;
}

extern "C" BOOL WINAPI GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
    user::Window* w = user::FromHandle(hwnd);
    if (!w) return FALSE;
    if (rect) *rect = w->needsPaint ? w->update : RECT{};
    return w->needsPaint;
}

extern "C" BOOL WINAPI UpdateWindow(HWND hwnd) {
    user::Window* w = user::FromHandle(hwnd);
    if (!w) return FALSE;
    if (w->needsPaint && IsWindowVisible(hwnd)) {
        SendMessageA(hwnd, WM_PAINT, 0, 0);
        if (IsWindow(hwnd)) ValidateRect(hwnd, nullptr);
    }
    if (!(w = user::Find(hwnd))) return TRUE;
    for (HWND child : std::vector<HWND>(w->children)) UpdateWindow(child);
    return TRUE;
}

// The frame is painted with the client area: a window here never has its frame alone invalid.
extern "C" HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
    user::Window* w = user::FromHandle(hwnd);
    if (!w || !ps) return nullptr;
    std::memset(ps, 0, sizeof *ps);
    ps->rcPaint = w->update;
    bool erase = w->needsErase;
    SetRectEmpty(&w->update);
    w->needsPaint = false;
    w->needsErase = false;
    RECT in = user::FrameInsets(w->style, w->exStyle);
    if (in.left || in.top || in.right || in.bottom) SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    ps->hdc = GetDC(hwnd);
    if (ps->hdc && erase) ps->fErase = !SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps->hdc), 0);
    return ps->hdc;
}

extern "C" BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (ps && ps->hdc) ReleaseDC(hwnd, ps->hdc);
    return TRUE;
}
