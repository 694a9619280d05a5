// Get/SetWindowLongA and Get/SetWindowLongPtrA: the 32-bit calls reach only the 32-bit words; a
// pointer (window procedure, instance, parent) needs the pointer-sized calls on this host, and a
// 32-bit call for one is refused rather than cutting the pointer in half.
#include "platform/user/window.h"

#include <cstring>

namespace {

bool extraSlot(const user::Window* w, int index, size_t width) {
    if (index < 0 || static_cast<size_t>(index) + width > w->extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return false;
    }
    return true;
}

LONG_PTR readExtra(const user::Window* w, int index, size_t width) {
    if (width == sizeof(LONG)) {
        LONG v;
        std::memcpy(&v, w->extra.data() + index, sizeof v);
        return v;
    }
    LONG_PTR v;
    std::memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
}

void writeExtra(user::Window* w, int index, size_t width, LONG_PTR value) {
    if (width == sizeof(LONG)) {
        LONG v = static_cast<LONG>(value);
        std::memcpy(w->extra.data() + index, &v, sizeof v);
    } else {
        std::memcpy(w->extra.data() + index, &value, sizeof value);
    }
}

void setStyle(user::Window* w, HWND hwnd, int index, DWORD value) {
    STYLESTRUCT ss{index == GWL_STYLE ? w->style : w->exStyle, value};
    SendMessageA(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    if (!(w = user::Find(hwnd))) return;
    (index == GWL_STYLE ? w->style : w->exStyle) = ss.styleNew;
    SendMessageA(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
}

LONG_PTR getLongOf(const user::Window* w, int index, size_t width) {
    if (index >= 0) return extraSlot(w, index, width) ? readExtra(w, index, width) : 0;
    bool pointer = index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT;
    if (pointer && width != sizeof(LONG_PTR)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    switch (index) {
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    case GWLP_ID: return w->id;
    case GWLP_USERDATA: return width == sizeof(LONG) ? static_cast<LONG>(w->userData) : w->userData;
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->parent ? w->parent : w->owner);
    default:
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

// Another thread's window, which its thread may destroy meanwhile, or none.
[[gnu::noinline]] LONG_PTR getForeignLong(HWND hwnd, int index, size_t width) {
    LONG_PTR value = 0;
    if (!user::ReadLocked(hwnd, [&](const user::Window& w) { value = getLongOf(&w, index, width); }))
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return value;
}

LONG_PTR getLong(HWND hwnd, int index, size_t width) {
    const user::Window* w = user::FindOwn(hwnd);
    return w ? getLongOf(w, index, width) : getForeignLong(hwnd, index, width);
}

LONG_PTR setLong(HWND hwnd, int index, LONG_PTR value, size_t width) {
    user::Window* w = user::FromHandle(hwnd);
    if (!w) return 0;
    LONG_PTR old = getLongOf(w, index, width);
    if (index >= 0) {
        if (!extraSlot(w, index, width)) return 0;
        writeExtra(w, index, width, value);
        return old;
    }
    switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE:
        setStyle(w, hwnd, index, static_cast<DWORD>(value));
        return old;
    case GWLP_ID:
        w->id = value;
        user::ChildrenChanged();
        return old;
    case GWLP_USERDATA: w->userData = value; return old;
    case GWLP_WNDPROC:
        if (width != sizeof(LONG_PTR) || !value) break;
        w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_HINSTANCE:
        if (width != sizeof(LONG_PTR)) break;
        w->instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWLP_HWNDPARENT:
        if (width != sizeof(LONG_PTR) || w->parent) break;  // only a top-level window's owner
        w->owner = reinterpret_cast<HWND>(value);
        return old;
    default:
        break;
    }
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
}

}  // namespace

extern "C" LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex) {
    return static_cast<LONG>(getLong(hWnd, nIndex, sizeof(LONG)));
}

extern "C" LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    return static_cast<LONG>(setLong(hWnd, nIndex, dwNewLong, sizeof(LONG)));
}

extern "C" LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) { return getLong(hWnd, nIndex, sizeof(LONG_PTR)); }

extern "C" LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    return setLong(hWnd, nIndex, dwNewLong, sizeof(LONG_PTR));
}
