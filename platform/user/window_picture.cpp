// The window picture: repaint, copy out of the screen, write through the GDI's PNG writer.
#include "platform/user/window_picture.h"

#include "platform/gdi/png_file.h"

namespace user {
namespace {

void InvalidateTree(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) InvalidateTree(child);
}

}  // namespace

bool SaveWindowPng(HWND window, const char* path) {
    RECT r;
    if (!path || !IsWindowVisible(window) || !GetWindowRect(window, &r) || r.right <= r.left || r.bottom <= r.top)
        return false;
    InvalidateTree(window);
    UpdateWindow(window);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right - r.left, r.bottom - r.top);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    const bool saved = gdi::SaveBitmapPng(bitmap, path);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

}  // namespace user
