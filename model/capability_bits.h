// The media capability bits of the device-option data (its 32-bit word at byte 13): one bit per
// kind of media a paper source holds.
#pragma once

#include <cstdint>

// The bit for a media value of a paper-source slot: 0 for -2 (no media), 2 for a value this
// table does not know.
uint32_t PaperSourceToCapabilityBit(int16_t value);
