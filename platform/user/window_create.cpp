// CreateWindowExA: builds the window record, links it into its parent's z-order and runs the
// creation messages in the original's order (WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, then the
// showing of a WS_VISIBLE window and WM_PARENTNOTIFY).
#include "platform/user/window.h"

#include <cstring>
#include <mutex>

namespace {

int orDefault(int v, int fallback) { return v == CW_USEDEFAULT ? fallback : v; }

}  // namespace

extern "C" HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                                       int y, int width, int height, HWND parentHandle, HMENU menu,
                                       HINSTANCE instance, LPVOID param) {
    const user::WindowClass* cls = user::FindClass(className, instance);
    if (!cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    HWND parent = nullptr;
    HWND owner = nullptr;
    if (parentHandle) {
        if (!user::FromHandle(parentHandle)) return nullptr;
        if (style & WS_CHILD) {
            parent = parentHandle;
        } else {
            owner = GetAncestor(parentHandle, GA_ROOT);
        }
    } else if (style & WS_CHILD) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);  // a child needs a parent
        return nullptr;
    }

    user::Window* w = user::AddWindow();
    HWND hwnd = w->handle;
    w->cls = cls;
    w->proc = cls->proc;
    w->style = style & ~WS_VISIBLE;  // shown after WM_CREATE, as on the original
    w->exStyle = exStyle;
    w->parent = parent;
    w->owner = owner;
    w->instance = instance;
    w->id = (style & WS_CHILD) ? reinterpret_cast<LONG_PTR>(menu) : 0;
    w->extra.assign(cls->wndExtra, 0);
    if (windowName && !IS_INTRESOURCE(windowName)) w->text = windowName;
    int left = orDefault(x, 0), top = orDefault(y, 0);
    int cx = orDefault(width, 320), cy = orDefault(height, 240);
    w->rect = {left, top, left + (cx < 0 ? 0 : cx), top + (cy < 0 ? 0 : cy)};
    if (parent) {
        auto& list = user::Find(parent)->children;
        {
            std::lock_guard<std::mutex> guard(user::TableLock());  // others may read the list
            list.push_back(hwnd);                                 // new children go to the bottom
        }
        user::ChildrenChanged();
    }

    CREATESTRUCTA cs{};
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parentHandle;
    cs.cx = cx;
    cs.cy = cy;
    cs.x = left;
    cs.y = top;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    LPARAM csArg = reinterpret_cast<LPARAM>(&cs);

    if (!SendMessageA(hwnd, WM_NCCREATE, 0, csArg) || !IsWindow(hwnd)) {
        DestroyWindow(hwnd);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (SendMessageA(hwnd, WM_CREATE, 0, csArg) == -1 || !IsWindow(hwnd)) {
        DestroyWindow(hwnd);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    RECT client;
    GetClientRect(hwnd, &client);
    SendMessageA(hwnd, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
    POINT origin{0, 0};
    MapWindowPoints(hwnd, parent, &origin, 1);
    SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    if (!IsWindow(hwnd)) return nullptr;
    if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
    if (parent && !(exStyle & WS_EX_NOPARENTNOTIFY) && IsWindow(hwnd))
        SendMessageA(parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, static_cast<WORD>(reinterpret_cast<UINT_PTR>(menu))),
                     reinterpret_cast<LPARAM>(hwnd));
    return IsWindow(hwnd) ? hwnd : nullptr;
}
