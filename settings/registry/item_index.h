// The registry's items by id: an open-addressed table of the item pointers. Every item and choice
// of a sheet is entered once when it registers, and the rule callbacks find items by id on every
// question the rules ask, so both take a probe or two instead of a hashed node each.
#pragma once

#include "core/memory/pool_allocator.h"

#include <cstdint>

class CmSv;

class CmSvItemIndex {
public:
    // Enters item under id, in place of any item entered under it before.
    void Put(uint32_t id, CmSv* item);
    // Inline: the rule callbacks ask it for every item they are told of.
    CmSv* Find(uint32_t id) const { return slots_.empty() ? nullptr : Probe(id).item; }

private:
    struct Slot {
        uint32_t id;
        CmSv* item;  // nullptr: empty
    };
    static uint32_t Home(uint32_t id, uint32_t mask) {
        const uint32_t h = id * 0x9E3779B1u;
        return (h ^ (h >> 16)) & mask;
    }
    // The slot of id, or the empty slot where it belongs.
    Slot& Probe(uint32_t id) const {
        const uint32_t mask = static_cast<uint32_t>(slots_.size()) - 1;
        for (uint32_t i = Home(id, mask);; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (!slot.item || slot.id == id) return slot;
        }
    }
    void Grow();

    mutable PoolVector<Slot> slots_;  // a power of two in size, at most half full
    uint32_t count_ = 0;
};
