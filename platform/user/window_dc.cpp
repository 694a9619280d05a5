// Device contexts of windows: every window draws on the one screen surface, through a device
// context whose area is the window's client area (GetDC) or whole window (GetWindowDC) in screen
// coordinates, so that a picture of a dialog is simply the part of the screen it covers.
#include "platform/gdi/surface.h"
#include "platform/user/window.h"

extern "C" HDC WINAPI GetDC(HWND hwnd) {
    if (!hwnd) return gdi::CreateScreenDC();
    if (!user::FromHandle(hwnd)) return nullptr;
    RECT area;
    GetClientRect(hwnd, &area);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return gdi::CreateSurfaceDC(gdi::ScreenSurface(), area);
}

extern "C" HDC WINAPI GetWindowDC(HWND hwnd) {
    if (!hwnd) return gdi::CreateScreenDC();
    RECT area;
    if (!GetWindowRect(hwnd, &area)) return nullptr;
    return gdi::CreateSurfaceDC(gdi::ScreenSurface(), area);
}

// Only the contexts handed out above are freed; any other answers 0 and stays its owner's.
extern "C" int WINAPI ReleaseDC(HWND, HDC hdc) { return gdi::IsSurfaceDC(hdc) && DeleteDC(hdc) ? 1 : 0; }
