// Pictures as PNG files: the pixels of a bitmap or of what a device context draws into, written
// through libpng as 8-bit RGB, so that a person can look at what the library drew.
#pragma once

#include <windows.h>

namespace gdi {

struct Surface;

// Writes the surface's pixels to `path` (a host path); false, with nothing left at `path`, when
// the surface is empty or the file cannot be written whole.
bool SavePngFile(const Surface& surface, const char* path);
bool SaveBitmapPng(HBITMAP bitmap, const char* path);
bool SaveDCPng(HDC dc, const char* path);

}  // namespace gdi
