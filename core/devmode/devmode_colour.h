// The colour of a device mode, which four fields say together: the public `dmColor`, the colour
// mode (option 222), the automatic-colour bit 14 of the quality flags (option 220) and the
// monochrome byte 101 of the colour block (option 250). Writers of a default colour set all four,
// so that no reader meets a device mode that says colour in one place and black and white in
// another.
#pragma once

#include "core/helpers/byte_view.h"

namespace devmode {

// Colour (the colour mode "colour", 1) or black and white (0) in all four fields of a device
// mode of at least kDevmodeSize bytes; nothing for a shorter one.
void putDefaultColour(MutableByteView devmode, bool colour);

}  // namespace devmode
