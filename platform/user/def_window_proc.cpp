// DefWindowProcA: what every window does with a message its own procedure leaves alone.
#include "platform/user/window.h"

#include <algorithm>
#include <cstring>

namespace {

LRESULT copyText(const std::string& text, LPSTR buffer, WPARAM size) {
    if (!buffer || size == 0) return 0;
    size_t n = std::min<size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = 0;
    return static_cast<LRESULT>(n);
}

}  // namespace

extern "C" LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    user::Window* w = user::Find(hwnd);
    if (!w) return 0;
    switch (msg) {
    case WM_NCCREATE:
        return TRUE;
    case WM_SETTEXT: {
        auto* text = reinterpret_cast<LPCSTR>(lParam);
        w->text = text ? text : "";
        return TRUE;
    }
    case WM_GETTEXT:
        return copyText(w->text, reinterpret_cast<LPSTR>(lParam), wParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!pos) return 0;
        if (!(pos->flags & SWP_NOMOVE)) {
            POINT origin{0, 0};
            MapWindowPoints(hwnd, w->parent, &origin, 1);
            SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
        }
        if (!(pos->flags & SWP_NOSIZE) && IsWindow(hwnd)) {
            RECT client;
            GetClientRect(hwnd, &client);
            SendMessageA(hwnd, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
        }
        return 0;
    }
    case WM_ERASEBKGND:
        return w->cls->background ? 1 : 0;
    case WM_NCHITTEST:
        return 1;  // HTCLIENT: the whole window is client area to a pointer
    case WM_MOUSEACTIVATE:
        return 1;  // MA_ACTIVATE
    case WM_HELP:
    case WM_CONTEXTMENU:
        // Children pass help and context-menu requests up to the window that can answer them.
        if (w->parent && (w->style & WS_CHILD)) return SendMessageA(w->parent, msg, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}
