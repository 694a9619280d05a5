// The registry's items by option key (see key_index.h).
#include "settings/registry/key_index.h"

#include "settings/items/sv.h"
#include "settings/items/sv_order.h"

#include <algorithm>

namespace {

bool Before(const CmSvKeySet::Binding& a, const CmSvKeySet::Binding& b) {
    if (a.key != b.key) return a.key < b.key;
    const int order = CompareKeyTexts(a.item->key ? a.item->key : "", b.item->key ? b.item->key : "");
    return order != 0 ? order < 0 : a.item->itemId < b.item->itemId;
}

}  // namespace

std::size_t CmSvKeySet::count(const CmSv* item) const {
    return static_cast<std::size_t>(std::count_if(first_, last_, [&](const Binding& b) { return b.item == item; }));
}

void CmSvKeyIndex::Bind(uint32_t key, CmSv* item) {
    const CmSvKeySet::Binding binding{key, item};
    // A sheet binds a few hundred: one allocation rather than one per doubling.
    if (bindings_.empty()) bindings_.reserve(256);
    // A sheet binds mostly in rising order: the end is tried first.
    auto at = bindings_.end();
    if (!bindings_.empty() && !Before(bindings_.back(), binding))
        at = std::lower_bound(bindings_.begin(), bindings_.end(), binding, Before);
    if (at != bindings_.end() && !Before(binding, *at)) return;
    bindings_.insert(at, binding);
    runsStale_ = true;
}

const PoolVector<CmSvKeySet>& CmSvKeyIndex::Runs() const {
    if (!runsStale_) return runs_;
    runs_.clear();
    runs_.reserve(bindings_.size());
    const CmSvKeySet::Binding* end = bindings_.data() + bindings_.size();
    for (const CmSvKeySet::Binding* first = bindings_.data(); first != end;) {
        const CmSvKeySet::Binding* last = first;
        while (last != end && last->key == first->key) ++last;
        runs_.emplace_back(first->key, first, last);
        first = last;
    }
    runsStale_ = false;
    return runs_;
}

const CmSvKeySet* CmSvKeyIndex::FindFrom(uint32_t from) const {
    const PoolVector<CmSvKeySet>& runs = Runs();
    auto at = std::lower_bound(runs.begin(), runs.end(), from,
                               [](const CmSvKeySet& run, uint32_t key) { return run.key() < key; });
    return at == runs.end() ? nullptr : &*at;
}

const CmSvKeySet* CmSvKeyIndex::Find(uint32_t key) const {
    const CmSvKeySet* run = FindFrom(key);
    return run && run->key() == key ? run : nullptr;
}
