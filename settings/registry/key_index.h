// The registry's items by option key: one sorted array of (key, item) bindings, the items of a
// key in a run ordered by key text and then id. A sheet binds some hundred keys once, while it
// builds, and an application's request then looks one up; an array sorted as it fills costs a
// fraction of a tree of trees to fill, walk and end. A bind that comes out of order waits aside
// until the next look-up merges all that waited at once, instead of moving the array's tail.
#pragma once

#include "core/memory/pool_allocator.h"

#include <cstddef>
#include <cstdint>

class CmSv;

// Items under one option key, ordered by key text (then id, so that two items of one key both
// stay). A run of the index: it holds until the next item is bound.
class CmSvKeySet {
public:
    struct Binding {
        uint32_t key;
        CmSv* item;
    };
    class Iterator {
    public:
        explicit Iterator(const Binding* at) : at_(at) {}
        CmSv* operator*() const { return at_->item; }
        Iterator& operator++() {
            ++at_;
            return *this;
        }
        bool operator==(const Iterator&) const = default;

    private:
        const Binding* at_;
    };

    CmSvKeySet(uint32_t key, const Binding* first, const Binding* last) : key_(key), first_(first), last_(last) {}
    Iterator begin() const { return Iterator(first_); }
    Iterator end() const { return Iterator(last_); }
    bool empty() const { return first_ == last_; }
    std::size_t size() const { return static_cast<std::size_t>(last_ - first_); }
    std::size_t count(const CmSv* item) const;
    uint32_t key() const { return key_; }

private:
    uint32_t key_;
    const Binding* first_;
    const Binding* last_;
};

class CmSvKeyIndex {
public:
    // Binds item to key; an item already bound there, or one of the same key text and id, keeps
    // its place and the new one is not bound.
    void Bind(uint32_t key, CmSv* item);
    // The run of key; null when none is bound to it.
    const CmSvKeySet* Find(uint32_t key) const;
    // The run of the lowest key from `from` up; null when none.
    const CmSvKeySet* FindFrom(uint32_t from) const;

private:
    const PoolVector<CmSvKeySet>& Runs() const;
    // Takes the binds that waited into bindings_, each where it belongs; one whose place is taken
    // by a binding bound before it is dropped.
    void MergeWaiting() const;

    mutable PoolVector<CmSvKeySet::Binding> bindings_;  // by key, then as the runs order their items
    // Bound while not behind bindings_.back(), in the order they were bound.
    mutable PoolVector<CmSvKeySet::Binding> waiting_;
    // Cut from bindings_ at the first look-up after a bind: binds come all together.
    mutable PoolVector<CmSvKeySet> runs_;
    mutable bool runsStale_ = false;
};
