// The registry's choices by name ("item@choice"): an open-addressed table of the choice
// pseudo-items, probed by a hash of the name that registration works out once for both its
// look-up and its entry (a sheet start enters some 230 choices).
#pragma once

#include "core/memory/pool_allocator.h"
#include "pie/terms/atoms.h"

#include <cstdint>
#include <string_view>

class CmSvChoiceItem;

class CmSvChoiceIndex {
public:
    static uint32_t Hash(std::string_view name) { return pie_text_hash(name.data(), name.size()); }
    CmSvChoiceItem* Find(std::string_view name, uint32_t hash) const;
    CmSvChoiceItem* Find(std::string_view name) const { return Find(name, Hash(name)); }
    // Enters choice under name (its key, which lives as long as the choice), which no choice
    // entered before has.
    void Put(std::string_view name, uint32_t hash, CmSvChoiceItem* choice);

private:
    struct Slot {
        const char* name;
        uint32_t length;
        uint32_t hash;
        CmSvChoiceItem* choice;  // nullptr: empty
    };
    // The slot of name, or the empty slot where it belongs.
    const Slot& Probe(std::string_view name, uint32_t hash) const;
    void Grow();

    PoolVector<Slot> slots_;  // a power of two in size, at most half full
    uint32_t count_ = 0;
};
