// Reads and writes of one device-mode option by its older option number, for the items that keep
// a flag word or a small number there. An option that cannot be read reads as 0, so that an item
// starts from a known value instead of whatever its buffer held.
#pragma once

#include "core/device/uidevdata.h"

#include <cstdint>

uint32_t ReadOptionWord(UIDEVDATA* ctx, const uint8_t* devmode, uint32_t option);
void WriteOptionWord(UIDEVDATA* ctx, uint8_t* devmode, uint32_t option, uint32_t word);
uint16_t ReadOptionShort(UIDEVDATA* ctx, const uint8_t* devmode, uint32_t option);
void WriteOptionShort(UIDEVDATA* ctx, uint8_t* devmode, uint32_t option, uint16_t value);

// The word with bit `bit` set (on) or cleared; the other bits stay.
constexpr uint32_t WithBit(uint32_t word, unsigned bit, bool on) {
    return on ? (word | (1u << bit)) : (word & ~(1u << bit));
}
