// Pictures of windows (see drvtest/window_picture.h), taken by the platform's own window picture.
#include "drvtest/window_picture.h"

#include "platform/user/window_picture.h"

namespace drvtest {

bool SaveWindowPng(HWND hwnd, const std::string& path) { return user::SaveWindowPng(hwnd, path.c_str()); }

COLORREF WindowPixel(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return color;
}

}  // namespace drvtest
