// DrawIcon: the icon's AND mask first, then its colour picture XORed over it, so that the
// transparent part of the icon leaves the background as it was.
#include "platform/resources/icon.h"

extern "C" BOOL WINAPI DrawIcon(HDC dc, int x, int y, HICON handle) {
    const res::Icon* icon = res::IconOf(handle);
    if (!dc || !icon || !icon->color || !icon->mask) return FALSE;
    HDC source = CreateCompatibleDC(dc);
    if (!source) return FALSE;
    HGDIOBJ old = SelectObject(source, icon->mask);
    BitBlt(dc, x, y, icon->width, icon->height, source, 0, 0, SRCAND);
    SelectObject(source, icon->color);
    BitBlt(dc, x, y, icon->width, icon->height, source, 0, 0, SRCINVERT);
    SelectObject(source, old);
    DeleteDC(source);
    return TRUE;
}
