// The registry's table of choices by name (see choice_index.h). Choices are never removed: a
// choice a rebuilt table no longer has keeps its name.
#include "settings/registry/choice_index.h"

#include <bit>
#include <cstring>

namespace {

constexpr uint32_t kFirstCapacity = 512;

}  // namespace

// Eight bytes a step; every byte reaches every bit, so "Item@A4" and "Item@A5" part.
uint32_t CmSvChoiceIndex::Hash(std::string_view name) {
    constexpr uint64_t kMix = 0x9E3779B97F4A7C15ull;
    uint64_t h = name.size() * kMix;
    size_t i = 0;
    for (; i + 8 <= name.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, name.data() + i, 8);
        h = std::rotl((h ^ word) * kMix, 29);
    }
    if (i < name.size()) {
        uint64_t word = 0;
        std::memcpy(&word, name.data() + i, name.size() - i);
        h = std::rotl((h ^ word) * kMix, 29);
    }
    h ^= h >> 32;
    h *= kMix;
    return static_cast<uint32_t>(h >> 32);
}

const CmSvChoiceIndex::Slot& CmSvChoiceIndex::Probe(std::string_view name, uint32_t hash) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (!slot.choice) return slot;
        if (slot.hash == hash && slot.length == name.size() && std::memcmp(slot.name, name.data(), name.size()) == 0)
            return slot;
    }
}

CmSvChoiceItem* CmSvChoiceIndex::Find(std::string_view name, uint32_t hash) const {
    return slots_.empty() ? nullptr : Probe(name, hash).choice;
}

void CmSvChoiceIndex::Grow() {
    PoolVector<Slot> old(slots_.empty() ? kFirstCapacity : slots_.size() * 2, Slot{nullptr, 0, 0, nullptr});
    old.swap(slots_);
    for (const Slot& slot : old)
        if (slot.choice) const_cast<Slot&>(Probe(std::string_view(slot.name, slot.length), slot.hash)) = slot;
}

void CmSvChoiceIndex::Put(std::string_view name, uint32_t hash, CmSvChoiceItem* choice) {
    if (!choice) return;
    if (2 * (count_ + 1) > slots_.size()) Grow();
    auto& slot = const_cast<Slot&>(Probe(name, hash));
    if (!slot.choice) ++count_;
    slot = Slot{name.data(), static_cast<uint32_t>(name.size()), hash, choice};
}
