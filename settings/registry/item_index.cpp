// The registry's table of items by id (see item_index.h). Entries are never removed: an id
// entered again takes the new item in its slot.
#include "settings/registry/item_index.h"

namespace {

constexpr uint32_t kFirstCapacity = 1024;

}  // namespace

void CmSvItemIndex::Grow() {
    PoolVector<Slot> old(slots_.empty() ? kFirstCapacity : slots_.size() * 2, Slot{0, nullptr});
    old.swap(slots_);
    for (const Slot& slot : old)
        if (slot.item) Probe(slot.id) = slot;
}

void CmSvItemIndex::Put(uint32_t id, CmSv* item) {
    if (!item) return;
    if (2 * (count_ + 1) > slots_.size()) Grow();
    Slot& slot = Probe(id);
    if (!slot.item) ++count_;
    slot = Slot{id, item};
}
