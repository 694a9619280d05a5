// DestroyWindow in the original's order: WM_DESTROY reaches the window before its children (so a
// parent still sees its controls while it tears down), WM_NCDESTROY the children before the
// window, and only then are the records freed.
#include "platform/user/window.h"

#include <algorithm>
#include <mutex>
#include <thread>

namespace {

void unlink(user::Window& parent, HWND child) {
    {
        std::lock_guard<std::mutex> guard(user::TableLock());  // others may read the list
        auto& list = parent.children;
        list.erase(std::remove(list.begin(), list.end(), child), list.end());
    }
    user::ChildrenChanged();
}

void markSubtree(HWND hwnd) {
    user::Window* w = user::Find(hwnd);
    if (!w) return;
    w->destroying = true;
    w->style &= ~WS_VISIBLE;
    for (HWND child : std::vector<HWND>(w->children)) markSubtree(child);
}

void sendDestroy(HWND hwnd) {
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    user::Window* w = user::Find(hwnd);
    if (!w) return;
    for (HWND child : std::vector<HWND>(w->children)) sendDestroy(child);
}

void freeSubtree(HWND hwnd) {
    user::Window* w = user::Find(hwnd);
    if (!w) return;
    // Children created while tearing down are caught here too.
    while (!w->children.empty()) {
        HWND child = w->children.back();
        freeSubtree(child);
        w = user::Find(hwnd);
        if (!w) return;
        unlink(*w, child);
    }
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    user::RemoveWindow(hwnd);
    user::DropSentMessages(hwnd, std::this_thread::get_id());
}

}  // namespace

extern "C" BOOL WINAPI DestroyWindow(HWND hwnd) {
    user::Window* w = user::FindOwn(hwnd);
    if (!w) {
        // Only a window's own thread may destroy it, as on the original.
        SetLastError(IsWindow(hwnd) ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (w->destroying) return TRUE;  // already on its way (a handler destroying its own window)
    HWND parent = w->parent;
    if (parent && !(w->exStyle & WS_EX_NOPARENTNOTIFY))
        SendMessageA(parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, static_cast<WORD>(w->id)),
                     reinterpret_cast<LPARAM>(hwnd));
    if (!user::Find(hwnd) || user::Find(hwnd)->destroying) return TRUE;

    // Owned windows go first, as on the original.
    for (HWND other : user::TopLevelWindows()) {
        user::Window* o = user::Find(other);
        if (o && o->owner == hwnd && !o->destroying) DestroyWindow(other);
    }
    if (GetCapture() && (GetCapture() == hwnd || IsChild(hwnd, GetCapture()))) ReleaseCapture();
    user::ForgetFocus(hwnd);
    markSubtree(hwnd);
    sendDestroy(hwnd);
    freeSubtree(hwnd);
    if (user::Window* p = user::Find(parent)) unlink(*p, hwnd);
    return TRUE;
}
