// Visibility, enabling and text of a window. IsWindowVisible asks the window and every ancestor,
// IsWindowEnabled the window alone, as on the original.
#include "platform/user/window.h"

extern "C" BOOL WINAPI ShowWindow(HWND hwnd, int cmd) {
    user::Window* w = user::FromHandle(hwnd);
    if (!w) return FALSE;
    bool was = (w->style & WS_VISIBLE) != 0;
    bool show = cmd != SW_HIDE;
    if (was == show) return was;
    SendMessageA(hwnd, WM_SHOWWINDOW, show, 0);
    if (!(w = user::Find(hwnd))) return was;
    if (show) {
        w->style |= WS_VISIBLE;
        InvalidateRect(hwnd, nullptr, TRUE);
        bool activate = cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE && cmd != SW_SHOWMINNOACTIVE;
        if (!(w->style & WS_CHILD) && activate) SetActiveWindow(hwnd);
    } else {
        w->style &= ~WS_VISIBLE;
        HWND focus = GetFocus();
        if (focus && (focus == hwnd || IsChild(hwnd, focus))) SetFocus((w->style & WS_CHILD) ? w->parent : nullptr);
        if (w->parent) InvalidateRect(w->parent, nullptr, TRUE);
    }
    return was;
}

extern "C" BOOL WINAPI IsWindowVisible(HWND hwnd) {
    for (user::Window* w = user::Find(hwnd); w; w = user::Find(w->parent)) {
        if (!(w->style & WS_VISIBLE)) return FALSE;
        if (!w->parent) return TRUE;
    }
    return FALSE;
}

extern "C" BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable) {
    user::Window* w = user::FromHandle(hwnd);
    if (!w) return FALSE;
    bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) return wasDisabled;
    if (enable) {
        w->style &= ~WS_DISABLED;
    } else {
        w->style |= WS_DISABLED;
        HWND focus = GetFocus();
        if (focus && (focus == hwnd || IsChild(hwnd, focus))) SetFocus(nullptr);
    }
    SendMessageA(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
    return wasDisabled;
}

extern "C" BOOL WINAPI IsWindowEnabled(HWND hwnd) {
    user::Window* w = user::Find(hwnd);
    return w && !(w->style & WS_DISABLED);
}

extern "C" BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text) {
    if (!user::FromHandle(hwnd)) return FALSE;
    return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

extern "C" int WINAPI GetWindowTextA(HWND hwnd, LPSTR buffer, int size) {
    if (buffer && size > 0) buffer[0] = 0;
    if (!user::FromHandle(hwnd) || !buffer || size <= 0) return 0;
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, size, reinterpret_cast<LPARAM>(buffer)));
}

extern "C" int WINAPI GetWindowTextLengthA(HWND hwnd) {
    if (!user::FromHandle(hwnd)) return 0;
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}
