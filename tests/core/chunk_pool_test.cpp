// The pool on its own: reuse through the size-class lists, chunk tails, large blocks, and the
// system's refusal raising the pool's exception.
#include "core/memory/chunk_pool.h"

#include <drvtest/memory_refusal.h>
#include <gtest/gtest.h>

#include <cstdint>

TEST(ChunkPool, ReusesFreedBlocksOfTheSameSizeAndChunkTails) {
    ChunkPool pool;
    void* a = pool.Alloc(40);
    pool.Free(a, 40);
    EXPECT_NE(pool.Alloc(100), a);
    EXPECT_EQ(pool.Alloc(33), a);  // 33 and 40 round to the same block size
    EXPECT_EQ(pool.LiveBlocks(), 2u);
    pool.Free(nullptr, 8);

    // A block that does not fit the rest of a chunk opens a new one; that rest then serves a
    // block of its exact size.
    ChunkPool fresh;
    char* first = static_cast<char*>(fresh.Alloc(1024));
    std::size_t cut = 1;
    for (; fresh.ChunkCount() == 1; ++cut) fresh.Alloc(1024);
    const std::size_t tail = ChunkPool::kChunkBytes - ChunkPool::kGranule - (cut - 1) * 1024;
    EXPECT_EQ(fresh.Alloc(tail), first + (cut - 1) * 1024);
}

TEST(ChunkPool, LargeBlocksComeStraightFromTheSystemAndRefusalRaisesTheException) {
    ChunkPool pool;
    const std::size_t big = ChunkPool::kLargestSmallBlock + 1;
    auto* p = static_cast<char*>(pool.Alloc(big));
    p[0] = p[big - 1] = 'x';
    void* q = pool.Alloc(262144);
    EXPECT_EQ(pool.ChunkCount(), 0u);
    EXPECT_EQ(pool.LiveBlocks(), 2u);
    pool.Free(p, big);
    pool.Free(q, 262144);  // a leak here would be reported by the sanitizer
    EXPECT_EQ(pool.LiveBlocks(), 0u);
    {
        drvtest::ScopedMemoryRefusal refuse;
        EXPECT_THROW(pool.Alloc(16), PoolOutOfMemory);
        EXPECT_THROW(pool.Alloc(5000), PoolOutOfMemory);
    }
    EXPECT_EQ(pool.LiveBlocks(), 0u);
    void* a = pool.Alloc(16);
    {
        drvtest::ScopedMemoryRefusal refuse;  // only a new chunk needs the system
        pool.Free(pool.Alloc(16), 16);
    }
    pool.Free(a, 16);
    EXPECT_THROW(pool.Alloc(SIZE_MAX), PoolOutOfMemory);
}
