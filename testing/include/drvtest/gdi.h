// Test-only access to the GDI: choose the screen's format, count live GDI objects to catch
// leaks, and save what a DC or bitmap holds as a PNG file a person can look at.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace drvtest {

// 32 (the default) or 8 bits per pixel with a palette; DCs made afterwards see the new screen.
void SetScreenBitsPerPixel(int bpp);

// GDI objects alive now (pens, brushes, fonts, bitmaps, palettes, regions, DCs), stock not counted.
std::size_t LiveGdiObjects();

// Writes the DC's surface (a memory DC's selected bitmap) or the bitmap as an RGB PNG file.
bool SavePng(HDC hdc, const std::string& path);
bool SavePng(HBITMAP hbm, const std::string& path);

// Where font files are looked for (null: the system's folder); a folder without them leaves
// every face to the built-in bitmap glyphs.
void SetFontDirectory(const char* path);

}  // namespace drvtest
