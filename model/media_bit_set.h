// Media bit sets: 16 bytes in the device-option data, one bit per index of the model's media
// table. The walk keeps its position in a state the caller owns, so two walks never disturb
// each other.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr size_t kMediaBitSetBytes = 16;
inline constexpr unsigned kMediaBitLimit = 100;  // indexes of a 50-entry table with room to spare
inline constexpr uint8_t kMediaBitEnd = 255;

// Sets (value non-zero) or clears bit index; an index from kMediaBitLimit up changes nothing.
void MediaBitSet_SetBit(uint8_t* set, unsigned index, int value);

struct MediaBitWalk {
    const uint8_t* set = nullptr;
    unsigned next = 0;
};

// With a set, starts a walk over it at bit 0; with null, goes on with the walk's set. Answers
// the next set bit below kMediaBitLimit, or kMediaBitEnd when there is none (also for a walk that
// was never started).
uint8_t MediaBitSet_NextBit(MediaBitWalk& walk, const uint8_t* set);
