// Pictures of windows (see drvtest/window_picture.h): every window draws on the shared screen, so a
// picture is the window repainted from the top down and its rectangle copied out of the screen.
#include "drvtest/window_picture.h"

#include "drvtest/gdi.h"

namespace drvtest {
namespace {

void invalidateTree(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, TRUE);
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) invalidateTree(child);
}

}  // namespace

bool SaveWindowPng(HWND hwnd, const std::string& path) {
    RECT r;
    if (!IsWindowVisible(hwnd) || !GetWindowRect(hwnd, &r)) return false;
    invalidateTree(hwnd);
    UpdateWindow(hwnd);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right - r.left, r.bottom - r.top);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    bool saved = SavePng(bitmap, path);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

COLORREF WindowPixel(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return color;
}

}  // namespace drvtest
