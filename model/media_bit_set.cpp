// Media bit sets, bit i in byte i / 8 at position i % 8.
#include "model/media_bit_set.h"

void MediaBitSet_SetBit(uint8_t* set, unsigned index, int value) {
    if (!set || index >= kMediaBitLimit) return;
    uint8_t mask = static_cast<uint8_t>(1u << (index % 8));
    if (value) set[index / 8] |= mask;
    else set[index / 8] &= static_cast<uint8_t>(~mask);
}

uint8_t MediaBitSet_NextBit(MediaBitWalk& walk, const uint8_t* set) {
    if (set) walk = MediaBitWalk{set, 0};
    if (!walk.set) return kMediaBitEnd;
    while (walk.next < kMediaBitLimit) {
        unsigned i = walk.next++;
        if (walk.set[i / 8] & (1u << (i % 8))) return static_cast<uint8_t>(i);
    }
    return kMediaBitEnd;
}
