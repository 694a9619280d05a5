// A picture of a window as the screen shows it: every window draws on the one screen surface, so
// the window is repainted from the top down and its rectangle copied out of the screen.
#pragma once

#include <windows.h>

namespace user {

// Writes the window's picture to `path` (a host path) as a PNG file; false when the window is not
// visible or the file cannot be written.
bool SaveWindowPng(HWND window, const char* path);

}  // namespace user
