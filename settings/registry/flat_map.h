// `CmSvFlatMap`: the item set's maps by id, a sorted array of (key, value) pairs over the pool.
// A set is filled once, mostly in rising key order, and then read and walked: an array takes an
// allocation now and then instead of a tree node per entry, and goes with one free.
#pragma once

#include "core/memory/pool_allocator.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <utility>

// As a map of unique keys in rising order, for the operations the sets use. Unlike a tree's, its
// iterators and references do not survive an insertion.
template <class K, class V>
class CmSvFlatMap {
public:
    using value_type = std::pair<K, V>;
    using iterator = value_type*;
    using const_iterator = const value_type*;

    iterator begin() { return entries_.data(); }
    iterator end() { return entries_.data() + entries_.size(); }
    const_iterator begin() const { return entries_.data(); }
    const_iterator end() const { return entries_.data() + entries_.size(); }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    void clear() { entries_.clear(); }

    iterator find(const K& key) {
        iterator at = LowerBound(key);
        return at != end() && at->first == key ? at : end();
    }
    const_iterator find(const K& key) const { return const_cast<CmSvFlatMap*>(this)->find(key); }
    std::size_t count(const K& key) const { return find(key) != end() ? 1 : 0; }
    const V& at(const K& key) const {
        const_iterator found = find(key);
        if (found == end()) throw std::out_of_range("CmSvFlatMap::at");
        return found->second;
    }

    // The entry of key, made with value when there was none; the bool tells whether it was made.
    std::pair<iterator, bool> emplace(const K& key, V value) {
        // Sets fill mostly in rising order: the end is tried first.
        iterator at = entries_.empty() || entries_.back().first < key ? end() : LowerBound(key);
        if (at != end() && at->first == key) return {at, false};
        const std::size_t index = static_cast<std::size_t>(at - begin());
        entries_.emplace(entries_.begin() + static_cast<std::ptrdiff_t>(index), key, value);
        return {begin() + index, true};
    }
    // As emplace; the hint is not needed.
    iterator emplace_hint(const_iterator, const K& key, V value) { return emplace(key, value).first; }

private:
    iterator LowerBound(const K& key) {
        return std::lower_bound(begin(), end(), key, [](const value_type& entry, const K& k) { return entry.first < k; });
    }

    PoolVector<value_type> entries_;
};
