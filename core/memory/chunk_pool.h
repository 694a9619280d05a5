// The small-object pool: every object of the object layer comes from here. Small blocks are cut
// from large chunks and recycled through one free list per block size; large blocks go straight
// to the system. When the system refuses memory the pool throws PoolOutOfMemory, the one
// exception of the program, which every export catches at its boundary (core/library/export_guard.h).
#pragma once

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <new>

// Under AddressSanitizer the pool poisons free memory, which the out-of-line routes do: the
// inline short ways below are left out there.
#if defined(__SANITIZE_ADDRESS__)
#define DRVOPUI_POOL_POISONS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DRVOPUI_POOL_POISONS 1
#endif
#endif

class PoolOutOfMemory : public std::bad_alloc {
public:
    const char* what() const noexcept override { return "the system refused memory to the pool"; }
};

class ChunkPool {
public:
    // The original 32-bit library rounded blocks up to 4 bytes, which kept its objects aligned.
    // On this 64-bit host the same promise needs alignof(max_align_t) (16 bytes), so every block
    // size is a multiple of that and every block starts on such a boundary.
    static constexpr std::size_t kGranule = alignof(std::max_align_t);
    static constexpr std::size_t kLargestSmallBlock = 1024;
    static constexpr std::size_t kChunkBytes = 64 * 1024;

    ChunkPool();
    ~ChunkPool();  // returns every chunk to the system; large blocks are their owners' to free
    ChunkPool(const ChunkPool&) = delete;
    ChunkPool& operator=(const ChunkPool&) = delete;

    // Never null: throws PoolOutOfMemory when the system refuses a new chunk or a large block.
    // Inline, as is Free: most objects of the object layer come and go through them, and the
    // common case, a small block from or back to the thread's cache, is a few instructions.
    void* Alloc(std::size_t bytes);
    // `bytes` is the size given to Alloc for this block. A null block is ignored.
    void Free(void* block, std::size_t bytes) noexcept;

    static constexpr std::size_t BlockSize(std::size_t bytes) noexcept {
        return bytes == 0 ? kGranule : (bytes + kGranule - 1) & ~(kGranule - 1);
    }
    static constexpr bool IsLarge(std::size_t bytes) noexcept { return bytes > kLargestSmallBlock; }

    // Blocks handed out and not yet freed. Blocks parked in another thread's cache count as
    // handed out; those of the calling thread's cache do not.
    std::size_t LiveBlocks() const noexcept;
    std::size_t ChunkCount() const noexcept;
    // Gives the calling thread's parked blocks back to the shared lists (a thread does so when
    // it ends).
    void FlushThreadCache() noexcept;

private:
    // A free block holds the link to the next one; the first block of a batch parked by a thread
    // cache also holds the link to the next batch (every block has room for both).
    struct FreeBlock {
        FreeBlock* next;
        FreeBlock* nextBatch;
    };
    struct Chunk {
        Chunk* next;
    };
    static constexpr std::size_t kClasses = kLargestSmallBlock / kGranule;
    static constexpr std::size_t SizeOfClass(std::size_t cls) noexcept { return (cls + 1) * kGranule; }
    // What one thread keeps of the library's pool for itself, so that the common case of
    // allocation and release takes no lock. Trivially destroyed, so it stays usable to the
    // thread's very end.
    struct ThreadCache {
        // Blocks trade in batches of about 8 KiB (8 to 128 blocks) and a thread parks fewer than
        // two batches of a size: enough that a burst of allocations visits the lock once per
        // batch, little enough not to hoard.
        static constexpr std::uint16_t Batch(std::size_t cls) {
            return static_cast<std::uint16_t>(std::clamp<std::size_t>(8192 / SizeOfClass(cls), 8, 128));
        }
        ChunkPool* pool;
        bool retired;  // the thread is ending: what it frees now goes straight to the shared lists
        FreeBlock* heads[kClasses];
        std::uint16_t counts[kClasses];
    };
    struct CacheRetirer;
    // The count of a class at which a cache parks a batch.
    static const std::array<std::uint16_t, kClasses> kSpillAt;
    static constexpr std::size_t kChunkHeader = kGranule;  // keeps the blocks after it aligned
    static_assert(sizeof(FreeBlock) <= kGranule && sizeof(Chunk) <= kChunkHeader);
    static_assert(kChunkBytes - kChunkHeader >= kLargestSmallBlock);

    static std::size_t ClassOf(std::size_t bytes) noexcept { return BlockSize(bytes) / kGranule - 1; }
    // The whole routes of Alloc and Free, which their inline short ways fall back on.
    void* AllocRoute(std::size_t bytes);
    void FreeRoute(void* block, std::size_t bytes) noexcept;
    ThreadCache* CacheOfThisThread() noexcept;
    ThreadCache* AdoptThisThread() noexcept;  // CacheOfThisThread's first call on a thread
    void* TakeLocked(std::size_t cls);
    std::size_t CarveLocked(std::size_t cls, std::size_t wanted, char*& first);
    void PushLocked(std::size_t cls, FreeBlock* first, FreeBlock* last) noexcept;
    void RefillCache(ThreadCache& cache, std::size_t cls);
    void SpillCache(ThreadCache& cache, std::size_t cls) noexcept;

    mutable CRITICAL_SECTION lock_;
    FreeBlock* freeLists_[kClasses] = {};  // single blocks
    FreeBlock* batches_[kClasses] = {};    // whole batches given back by thread caches
    char* carve_ = nullptr;                // the uncut rest of the newest chunk
    char* carveEnd_ = nullptr;
    Chunk* chunks_ = nullptr;
    std::size_t chunkCount_ = 0;
    std::size_t handedOut_ = 0;  // to callers or to thread caches

    static constinit thread_local ThreadCache tCache_;
    static thread_local CacheRetirer tRetirer_;
};

inline void* ChunkPool::Alloc(std::size_t bytes) {
#ifndef DRVOPUI_POOL_POISONS
    if (!IsLarge(bytes)) {
        const std::size_t cls = ClassOf(bytes);
        ThreadCache& cache = tCache_;
        FreeBlock* block = cache.heads[cls];
        if (cache.pool == this && block) [[likely]] {
            cache.heads[cls] = block->next;
            --cache.counts[cls];
            return block;
        }
    }
#endif
    return AllocRoute(bytes);
}

inline void ChunkPool::Free(void* block, std::size_t bytes) noexcept {
#ifndef DRVOPUI_POOL_POISONS
    if (block && !IsLarge(bytes)) {
        const std::size_t cls = ClassOf(bytes);
        ThreadCache& cache = tCache_;
        if (cache.pool == this && cache.counts[cls] + 1 < kSpillAt[cls]) [[likely]] {
            auto* freed = static_cast<FreeBlock*>(block);
            freed->next = cache.heads[cls];
            cache.heads[cls] = freed;
            ++cache.counts[cls];
            return;
        }
    }
#endif
    FreeRoute(block, bytes);
}

// The library's pool, constructed before any other static object of the library and destroyed
// after all of them (and after DllMain's detach). Only this pool keeps per-thread caches.
extern ChunkPool g_chunkPool;
