// GDI: device contexts, drawing objects, bitmaps, palettes and fonts over pixel buffers.
#pragma once

#include "windef.h"
