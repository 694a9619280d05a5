// Pictures of windows for tests and the host program: paints a window and everything in it, then
// saves the part of the screen it covers as a PNG file a person can look at.
#pragma once

#include <windows.h>

#include <string>

namespace drvtest {

// Repaints the window and its descendants and writes its whole rectangle (frame included) as PNG.
bool SaveWindowPng(HWND hwnd, const std::string& path);

// The colour at a point of the window's client area after painting (for checks in tests).
COLORREF WindowPixel(HWND hwnd, int x, int y);

}  // namespace drvtest
