// The registry's items by option key (see key_index.h).
#include "settings/registry/key_index.h"

#include "settings/items/sv.h"
#include "settings/items/sv_order.h"

#include <algorithm>
#include <utility>

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
    // A sheet binds mostly in rising order: those go on at the end.
    if (bindings_.empty() || Before(bindings_.back(), binding))
        bindings_.push_back(binding);
    else
        waiting_.push_back(binding);
    runsStale_ = true;
}

void CmSvKeyIndex::MergeWaiting() const {
    if (waiting_.empty()) return;
    // Stable: of two alike that waited, the one bound first stays.
    std::stable_sort(waiting_.begin(), waiting_.end(), Before);
    // On a tie the binding in place goes first: it was bound before the one that waited (one bound
    // at the end after it was behind the end then, and so behind it). One that waited goes in only
    // where nothing alike went before it.
    PoolVector<CmSvKeySet::Binding> merged;
    merged.reserve(bindings_.size() + waiting_.size());
    auto placed = bindings_.begin();
    for (const CmSvKeySet::Binding& binding : waiting_) {
        const auto behind = std::find_if(placed, bindings_.end(), [&](const CmSvKeySet::Binding& b) { return Before(binding, b); });
        merged.insert(merged.end(), placed, behind);
        placed = behind;
        if (merged.empty() || Before(merged.back(), binding)) merged.push_back(binding);
    }
    merged.insert(merged.end(), placed, bindings_.end());
    bindings_.swap(merged);
    waiting_.clear();
}

const PoolVector<CmSvKeySet>& CmSvKeyIndex::Runs() const {
    if (!runsStale_) return runs_;
    MergeWaiting();
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
