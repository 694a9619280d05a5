// GetDeviceCaps: every DC here describes the screen, whose format a test may switch to 8 bits
// per pixel with a palette.
#include "platform/gdi/dc.h"

using namespace gdi;

extern "C" int WINAPI GetDeviceCaps(HDC hdc, int index) {
    Dc* dc = DcOf(hdc);
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    int bpp = ScreenBpp();
    auto screen = ScreenSurface();
    int width = screen ? screen->width : 0, height = screen ? screen->height : 0;
    switch (index) {
    case DRIVERVERSION: return 0x400;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZRES: return width;
    case VERTRES: return height;
    case HORZSIZE: return width * 254 / 960;   // millimetres at 96 pixels per inch
    case VERTSIZE: return height * 254 / 960;
    case BITSPIXEL: return bpp;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS: return -1;
    case NUMFONTS: return 0;
    case NUMCOLORS: return bpp <= 8 ? 20 : -1;
    case RASTERCAPS:
        return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB |
               (bpp <= 8 ? RC_PALETTE : 0);
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case SIZEPALETTE: return bpp <= 8 ? 256 : 0;
    case NUMRESERVED: return bpp <= 8 ? 20 : 0;
    case COLORRES: return bpp <= 8 ? 18 : 24;
    default: return 0;
    }
}
