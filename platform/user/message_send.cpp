// Sent messages: SendMessageA calls the window's current procedure directly when the window is
// the calling thread's, and has the window's thread call it otherwise (message_queue.cpp);
// CallWindowProcA is the link of a subclassing chain.
#include "platform/user/window.h"

namespace {

inline LRESULT callProc(const user::Window* w, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!w->proc) return 0;
    if (msg == WM_KEYDOWN || msg == WM_KEYUP || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST))
        user::NoteKeyState(msg, wParam);  // only these tell keys
    return w->proc(hwnd, msg, wParam, lParam);
}

}  // namespace

namespace user {

LRESULT Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = FromHandle(hwnd);
    return w ? callProc(w, hwnd, msg, wParam, lParam) : 0;
}

void NotifyParent(HWND control, UINT code) {
    Window* w = Find(control);
    if (!w || !w->parent) return;
    SendMessageA(w->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(w->id), code), reinterpret_cast<LPARAM>(control));
}

}  // namespace user

extern "C" LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    const user::Window* w = user::FindOwn(hWnd);
    return w ? callProc(w, hWnd, Msg, wParam, lParam) : user::SendAcross(hWnd, Msg, wParam, lParam);
}

extern "C" LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (!proc) return 0;
    return proc(hWnd, Msg, wParam, lParam);
}
