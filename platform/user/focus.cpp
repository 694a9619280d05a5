// Keyboard focus, the active window and mouse capture of the thread. Activation changes only the
// answer of GetActiveWindow: no window here has a caption to light up.
#include "platform/user/window.h"

namespace {

thread_local HWND t_focus = nullptr;
thread_local HWND t_active = nullptr;
thread_local HWND t_capture = nullptr;

bool within(HWND hwnd, HWND root) { return hwnd && (hwnd == root || IsChild(root, hwnd)); }

}  // namespace

namespace user {

void ForgetFocus(HWND hwnd) {
    if (within(t_focus, hwnd)) t_focus = nullptr;
    if (t_active == hwnd) {
        Window* w = Find(hwnd);
        t_active = w && w->owner && IsWindow(w->owner) ? w->owner : nullptr;
    }
}

}  // namespace user

extern "C" HWND WINAPI SetFocus(HWND hwnd) {
    HWND old = t_focus;
    if (hwnd) {
        if (!user::FromHandle(hwnd)) return nullptr;
        // A window in a disabled window cannot take the keyboard.
        for (user::Window* w = user::Find(hwnd); w; w = w->parent ? user::Find(w->parent) : nullptr)
            if (w->style & WS_DISABLED) return nullptr;
        if (hwnd == old) return old;
        HWND root = GetAncestor(hwnd, GA_ROOT);
        if (root != t_active) SetActiveWindow(root);
    }
    t_focus = hwnd;
    if (old && IsWindow(old)) SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (hwnd && t_focus == hwnd && IsWindow(hwnd)) SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

extern "C" HWND WINAPI GetFocus(void) { return t_focus; }

extern "C" HWND WINAPI GetActiveWindow(void) { return t_active; }

extern "C" HWND WINAPI SetActiveWindow(HWND hwnd) {
    if (hwnd && !user::FromHandle(hwnd)) return nullptr;
    HWND old = t_active;
    t_active = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
    return old;
}

extern "C" HWND WINAPI GetCapture(void) {
    if (t_capture && !IsWindow(t_capture)) t_capture = nullptr;
    return t_capture;
}

extern "C" HWND WINAPI SetCapture(HWND hwnd) {
    HWND old = GetCapture();
    t_capture = IsWindow(hwnd) ? hwnd : nullptr;
    return old;
}

extern "C" BOOL WINAPI ReleaseCapture(void) {
    HWND old = GetCapture();
    t_capture = nullptr;
    if (old) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}
