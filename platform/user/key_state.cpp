// GetKeyState: the keys as the messages delivered so far tell them. A key message says one key
// went down or up; a mouse message carries Shift, Ctrl and the buttons in its key flags, so a
// window asking during a drag learns what the person holds, as from the original's queue.
#include "platform/user/window.h"

#include <array>

namespace {

thread_local std::array<bool, 256> t_down{};

}  // namespace

namespace user {

void NoteKeyState(UINT msg, WPARAM wParam) {
    if (msg == WM_KEYDOWN || msg == WM_KEYUP) {
        if (wParam < t_down.size()) t_down[wParam] = msg == WM_KEYDOWN;
    } else if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
        t_down[VK_SHIFT] = (wParam & MK_SHIFT) != 0;
        t_down[VK_CONTROL] = (wParam & MK_CONTROL) != 0;
        t_down[VK_LBUTTON] = (wParam & MK_LBUTTON) != 0;
        t_down[VK_RBUTTON] = (wParam & MK_RBUTTON) != 0;
    }
}

}  // namespace user

extern "C" SHORT WINAPI GetKeyState(int nVirtKey) {
    if (nVirtKey < 0 || static_cast<size_t>(nVirtKey) >= t_down.size()) return 0;
    return t_down[static_cast<size_t>(nVirtKey)] ? static_cast<SHORT>(0x8000) : 0;
}
