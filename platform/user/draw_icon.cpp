// DrawIcon and DrawIconEx: the icon's AND mask first, then its colour picture XORed over it, so that the
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

extern "C" BOOL WINAPI DrawIconEx(HDC dc, int x, int y, HICON handle, int width, int height, UINT, HBRUSH, UINT flags) {
    const res::Icon* icon = res::IconOf(handle);
    if (!dc || !icon || !icon->color || !icon->mask) return FALSE;
    // A zero size draws the icon at its own size.
    const int w = width > 0 ? width : icon->width, h = height > 0 ? height : icon->height;
    HDC source = CreateCompatibleDC(dc);
    if (!source) return FALSE;
    const UINT parts = flags & DI_NORMAL;
    HGDIOBJ old = SelectObject(source, icon->mask);
    if (parts & DI_MASK) StretchBlt(dc, x, y, w, h, source, 0, 0, icon->width, icon->height, SRCAND);
    SelectObject(source, icon->color);
    if (parts & DI_IMAGE)
        StretchBlt(dc, x, y, w, h, source, 0, 0, icon->width, icon->height, parts & DI_MASK ? SRCINVERT : SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    return TRUE;
}
