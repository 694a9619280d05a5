// Parents, owners, siblings and children: the questions about where a window stands.
#include "platform/user/window.h"

#include <algorithm>

namespace {

// The desktop is not a window record of its own: it is the parent of every top-level window.
HWND const kDesktop = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x10010));

std::vector<HWND> siblingsOf(user::Window* w) {
    if (w->parent) return user::Find(w->parent)->children;
    return user::TopLevelWindows();
}

bool enumChildren(HWND parent, WNDENUMPROC proc, LPARAM param) {
    user::Window* w = user::Find(parent);
    if (!w) return true;
    for (HWND child : std::vector<HWND>(w->children)) {
        if (!IsWindow(child)) continue;
        if (!proc(child, param)) return false;
        if (!enumChildren(child, proc, param)) return false;
    }
    return true;
}

}  // namespace

extern "C" HWND WINAPI GetDesktopWindow(void) { return kDesktop; }

namespace {

HWND parentOf(const user::Window& w) {
    if (w.style & WS_CHILD) return w.parent;
    return (w.style & WS_POPUP) ? w.owner : nullptr;
}

// Another thread's window, which its thread may destroy meanwhile, or none.
[[gnu::noinline]] HWND foreignParent(HWND hwnd) {
    HWND parent = nullptr;
    if (!user::ReadLocked(hwnd, [&](const user::Window& w) { parent = parentOf(w); }))
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return parent;
}

}  // namespace

extern "C" HWND WINAPI GetParent(HWND hwnd) {
    const user::Window* w = user::FindOwn(hwnd);
    return w ? parentOf(*w) : foreignParent(hwnd);
}

extern "C" HWND WINAPI GetAncestor(HWND hwnd, UINT flags) {
    user::Window* w = user::FromHandle(hwnd);
    if (!w) return nullptr;
    switch (flags) {
    case GA_PARENT:
        return w->parent ? w->parent : kDesktop;
    case GA_ROOT:
        while (w->parent) w = user::Find(w->parent);
        return w->handle;
    case GA_ROOTOWNER:
        while (w->parent) w = user::Find(w->parent);
        while (w->owner && user::Find(w->owner)) w = user::Find(w->owner);
        return w->handle;
    default:
        return nullptr;
    }
}

extern "C" HWND WINAPI GetWindow(HWND hwnd, UINT cmd) {
    user::Window* w = user::FromHandle(hwnd);
    if (!w) return nullptr;
    if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
    if (cmd == GW_OWNER) return w->owner;
    std::vector<HWND> list = siblingsOf(w);
    auto it = std::find(list.begin(), list.end(), hwnd);
    switch (cmd) {
    case GW_HWNDFIRST: return list.front();
    case GW_HWNDLAST: return list.back();
    case GW_HWNDNEXT: return it + 1 < list.end() ? *(it + 1) : nullptr;
    case GW_HWNDPREV: return it > list.begin() ? *(it - 1) : nullptr;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

extern "C" BOOL WINAPI IsChild(HWND parent, HWND hwnd) {
    user::Window* w = user::Find(hwnd);
    while (w && w->parent && (w->style & WS_CHILD)) {
        if (w->parent == parent) return TRUE;
        w = user::Find(w->parent);
    }
    return FALSE;
}

extern "C" BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param) {
    if (!proc) return FALSE;
    return enumChildren(parent, proc, param) ? TRUE : FALSE;
}
