// Stock objects: created once, never deleted, shared by every device context.
#pragma once

#include "platform/gdi/object.h"

namespace gdi {

Object* StockObject(int index);
// The 1x1 monochrome bitmap a new memory DC holds.
HBITMAP StockBitmap();
// The brush of a system colour index (COLOR_ values), or null for an unknown index.
HBRUSH SysColorBrush(int index);

}  // namespace gdi
