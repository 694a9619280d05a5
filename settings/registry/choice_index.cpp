// The registry's table of choices by name (see choice_index.h). Choices are never removed: a
// choice a rebuilt table no longer has keeps its name.
#include "settings/registry/choice_index.h"

#include <cstring>

namespace {

constexpr uint32_t kFirstCapacity = 512;

}  // namespace

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
