// Sent messages: SendMessageA calls the window's current procedure directly (a window is used
// from its own thread), CallWindowProcA is the link of a subclassing chain.
#include "platform/user/window.h"

namespace user {

LRESULT Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = FromHandle(hwnd);
    if (!w || !w->proc) return 0;
    if (msg == WM_KEYDOWN || msg == WM_KEYUP || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST))
        NoteKeyState(msg, wParam);  // only these tell keys
    return w->proc(hwnd, msg, wParam, lParam);
}

void NotifyParent(HWND control, UINT code) {
    Window* w = Find(control);
    if (!w || !w->parent) return;
    SendMessageA(w->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(w->id), code), reinterpret_cast<LPARAM>(control));
}

}  // namespace user

extern "C" LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return user::Deliver(hWnd, Msg, wParam, lParam);
}

extern "C" LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (!proc) return 0;
    return proc(hWnd, Msg, wParam, lParam);
}
