// Length conversions between the device mode's tenths of a millimetre and the hundredths of an
// inch that inch users see, and the orientation a page really prints in once rotation options
// are applied.
#pragma once

#include <windows.h>

// Round half away from zero on positive values; on negative ones the integer division leans
// towards zero, as the stored settings have always been computed. Results beyond a LONG clamp.
LONG HundredthInchToTenthMm(LONG value);
// Equally millimetres to tenths of an inch.
LONG TenthMmToHundredthInch(LONG value);
// Tenths of a millimetre to hundredths of an inch, rounded to nearest, halves away from zero on
// either sign: (100 v + 127) / 254 for v >= 0.
LONG MmToInchRounded(LONG value);

// Orientation 1 portrait, 2 landscape. `option124` and `option126` are the rotation settings
// of the device mode (option numbers 124 and 126).
LONG MapRotationCode(LONG option124, LONG option126, LONG orientation);
