// Drawing helpers over the resource module's pictures, for owner-drawn buttons, previews and
// colour samples. A picture that cannot be loaded draws nothing; each answers whether it drew.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

// The picture through its mask at (x, y): AND the mask, then OR the picture. A non-zero
// background index first fills the picture's rectangle with that system colour.
BOOL DrawMaskedBitmap(UIDEVDATA* ctx, HDC dc, int x, int y, UINT bitmapId, UINT maskId, int backgroundIndex);
BOOL DrawMaskedBitmapAt(UIDEVDATA* ctx, HDC dc, int x, int y, UINT bitmapId, UINT maskId);
// The picture at its own size, opaquely.
BOOL DrawBitmap(UIDEVDATA* ctx, HDC dc, int x, int y, UINT bitmapId);
// The picture with every pixel of the key colour (magenta 0xFF00FF in the previews) left out.
BOOL DrawTransparentBitmap(UIDEVDATA* ctx, HDC dc, int x, int y, UINT bitmapId, COLORREF key);
// The picture stretched into width x height.
BOOL DrawDibResourceSized(UIDEVDATA* ctx, HDC dc, int x, int y, int width, int height, UINT bitmapId);
// The picture through its mask, as DrawMaskedBitmapAt, stretched into width x height.
BOOL DrawMaskedDibResource(UIDEVDATA* ctx, HDC dc, int x, int y, int width, int height, UINT bitmapId, UINT maskId);
