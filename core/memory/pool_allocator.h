// Standard containers over the library's pool, for the object layer's arrays and texts:
// PoolVector<T> and PoolString allocate and free their storage through g_chunkPool.
#pragma once

#include "core/memory/chunk_pool.h"

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

template <typename T>
class PoolAllocator {
public:
    static_assert(alignof(T) <= ChunkPool::kGranule, "the pool aligns blocks to its granule only");
    using value_type = T;

    PoolAllocator() noexcept = default;
    template <typename U>
    PoolAllocator(const PoolAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count > std::numeric_limits<std::size_t>::max() / sizeof(T)) throw PoolOutOfMemory();
        return static_cast<T*>(g_chunkPool.Alloc(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept { g_chunkPool.Free(block, count * sizeof(T)); }

    template <typename U>
    bool operator==(const PoolAllocator<U>&) const noexcept {
        return true;
    }
};

template <typename T>
using PoolVector = std::vector<T, PoolAllocator<T>>;
using PoolString = std::basic_string<char, std::char_traits<char>, PoolAllocator<char>>;
