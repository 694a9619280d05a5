// The test helpers of the GDI: screen format, font folder, live object count, and pictures saved
// through the platform's PNG writer.
#include "drvtest/gdi.h"

#include "platform/gdi/dc.h"
#include "platform/gdi/object.h"
#include "platform/gdi/outline_font.h"
#include "platform/gdi/png_file.h"

namespace drvtest {

void SetScreenBitsPerPixel(int bpp) { gdi::SetScreenBpp(bpp); }

void SetFontDirectory(const char* path) { gdi::SetFontDirectory(path); }

std::size_t LiveGdiObjects() { return gdi::LiveCount(); }

bool SavePng(HDC hdc, const std::string& path) { return gdi::SaveDCPng(hdc, path.c_str()); }

bool SavePng(HBITMAP hbm, const std::string& path) { return gdi::SaveBitmapPng(hbm, path.c_str()); }

}  // namespace drvtest
