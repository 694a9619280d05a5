// The host's options word and the engine's flag word: the options are stored in the flags by a
// fixed permutation, and part of it is reported back.
#pragma once

#include <cstdint>

struct PieEngine;

// Flag bits that the options word feeds; all others are the engine's own.
constexpr uint32_t kPlOptionFedFlags = 0x1 | 0x2 | 0x4 | 0x8 | 0x10 | 0x100 | 0x200 | 0x400 | 0x800 |
                                       0x1000 | 0x4000 | 0x8000 | 0x10000 | 0x20000 | 0x40000;

uint32_t pl_flags_from_options(uint32_t options);
// Only options 0x8000, 0x1, 0x2, 0x4, 0x8 and 0x20 are reported back.
uint32_t pl_options_from_flags(uint32_t flags);
// Replaces the option-fed flag bits; the engine's own bits stay.
void pl_apply_options(PieEngine* engine, uint32_t options);
