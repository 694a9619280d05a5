// The small-object pool: size-class free lists over 64 KiB chunks under a critical section of
// its own, with a small per-thread cache in front of the library's pool so that allocation and
// release need the lock only once per batch. Under AddressSanitizer free and uncut memory is
// poisoned, so a use after free of a pooled object is reported as for the system's allocator.
#include "core/chunk_pool.h"

#include "core/scoped_lock.h"
#include "core/system_memory.h"

#if defined(__SANITIZE_ADDRESS__)
#define DRVOPUI_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DRVOPUI_ASAN 1
#endif
#endif

#ifdef DRVOPUI_ASAN
#include <sanitizer/asan_interface.h>
#define POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define POISON(p, n) ((void)(p), (void)(n))
#define UNPOISON(p, n) ((void)(p), (void)(n))
#endif

ChunkPool g_chunkPool __attribute__((init_priority(101)));

// What one thread keeps of the library's pool for itself, so that the common case of allocation
// and release takes no lock. Trivially destroyed, so it stays usable to the thread's very end.
struct ChunkPool::ThreadCache {
    static constexpr std::uint16_t kDepth = 32;
    ChunkPool* pool;
    bool retired;  // the thread is ending: what it frees now goes straight to the shared lists
    FreeBlock* heads[kClasses];
    std::uint16_t counts[kClasses];
};

// Gives a thread's parked blocks back when the thread ends.
struct ChunkPool::CacheRetirer {
    bool armed = false;
    ~CacheRetirer() {
        ThreadCache& cache = tCache_;
        cache.retired = true;
        if (cache.pool) cache.pool->FlushThreadCache();
        cache.pool = nullptr;
    }
};

thread_local ChunkPool::ThreadCache ChunkPool::tCache_{};
thread_local ChunkPool::CacheRetirer ChunkPool::tRetirer_;

// Free blocks are poisoned whole; their link is opened only while it is read or written.
ChunkPool::FreeBlock* ChunkPool::NextOf(FreeBlock* block) noexcept {
    UNPOISON(block, sizeof *block);
    FreeBlock* next = block->next;
    POISON(block, sizeof *block);
    return next;
}

void ChunkPool::Link(void* block, FreeBlock* next) noexcept {
    UNPOISON(block, sizeof(FreeBlock));
    static_cast<FreeBlock*>(block)->next = next;
    POISON(block, sizeof(FreeBlock));
}

namespace {
// Only the bytes asked for become addressable: an overrun into the rounding is reported too.
void* HandOut(void* block, std::size_t bytes) noexcept {
    UNPOISON(block, bytes);
    return block;
}
}  // namespace

ChunkPool::ChunkPool() { InitializeCriticalSection(&lock_); }

ChunkPool::~ChunkPool() {
    for (Chunk* chunk = chunks_; chunk;) {
        Chunk* next = chunk->next;
        UNPOISON(chunk, kChunkBytes);
        SystemRelease(chunk);
        chunk = next;
    }
    DeleteCriticalSection(&lock_);
}

ChunkPool::ThreadCache* ChunkPool::CacheOfThisThread() noexcept {
    ThreadCache& cache = tCache_;
    if (cache.pool == this) return &cache;
    if (this != &g_chunkPool || cache.retired) return nullptr;
    tRetirer_.armed = true;  // constructs it, so that it runs when the thread ends
    cache.pool = this;
    return &cache;
}

void* ChunkPool::Alloc(std::size_t bytes) {
    if (IsLarge(bytes)) {
        void* block = SystemAllocate(bytes);
        if (!block) throw PoolOutOfMemory();
        ScopedLock hold(lock_);
        ++handedOut_;
        return block;
    }
    const std::size_t cls = ClassOf(bytes);
    if (ThreadCache* cache = CacheOfThisThread()) {
        if (!cache->heads[cls]) RefillCache(*cache, cls);
        FreeBlock* block = cache->heads[cls];
        cache->heads[cls] = NextOf(block);
        --cache->counts[cls];
        return HandOut(block, bytes);
    }
    ScopedLock hold(lock_);
    void* block = TakeLocked(cls);
    ++handedOut_;
    return HandOut(block, bytes);
}

void ChunkPool::Free(void* block, std::size_t bytes) noexcept {
    if (!block) return;
    if (IsLarge(bytes)) {
        SystemRelease(block);
        ScopedLock hold(lock_);
        --handedOut_;
        return;
    }
    const std::size_t cls = ClassOf(bytes);
    POISON(block, BlockSize(bytes));
    if (ThreadCache* cache = CacheOfThisThread()) {
        Link(block, cache->heads[cls]);
        cache->heads[cls] = static_cast<FreeBlock*>(block);
        if (++cache->counts[cls] >= ThreadCache::kDepth) SpillCache(*cache, cls, ThreadCache::kDepth / 2);
        return;
    }
    ScopedLock hold(lock_);
    PushLocked(block, BlockSize(bytes));
    --handedOut_;
}

// A poisoned block of the class, from its free list or cut from the newest chunk.
void* ChunkPool::TakeLocked(std::size_t cls) {
    if (FreeBlock* head = freeLists_[cls]) {
        freeLists_[cls] = NextOf(head);
        return head;
    }
    const std::size_t blockSize = (cls + 1) * kGranule;
    if (static_cast<std::size_t>(carveEnd_ - carve_) < blockSize) {
        auto* chunk = static_cast<Chunk*>(SystemAllocate(kChunkBytes));
        if (!chunk) throw PoolOutOfMemory();
        // The old chunk's tail is smaller than the largest small block, so it fits a free list.
        if (carve_ != carveEnd_) PushLocked(carve_, static_cast<std::size_t>(carveEnd_ - carve_));
        chunk->next = chunks_;
        chunks_ = chunk;
        ++chunkCount_;
        carve_ = reinterpret_cast<char*>(chunk) + kChunkHeader;
        carveEnd_ = reinterpret_cast<char*>(chunk) + kChunkBytes;
        POISON(carve_, kChunkBytes - kChunkHeader);
    }
    void* block = carve_;
    carve_ += blockSize;
    return block;
}

void ChunkPool::PushLocked(void* block, std::size_t blockSize) noexcept {
    FreeBlock*& head = freeLists_[blockSize / kGranule - 1];
    Link(block, head);
    head = static_cast<FreeBlock*>(block);
}

// Half a cache's depth in one visit under the lock. Throws only when not a single block could
// be had; a partial batch is kept.
void ChunkPool::RefillCache(ThreadCache& cache, std::size_t cls) {
    ScopedLock hold(lock_);
    for (std::uint16_t n = 0; n < ThreadCache::kDepth / 2; ++n) {
        void* block;
        try {
            block = TakeLocked(cls);
        } catch (const PoolOutOfMemory&) {
            if (n == 0) throw;
            break;
        }
        Link(block, cache.heads[cls]);
        cache.heads[cls] = static_cast<FreeBlock*>(block);
        ++cache.counts[cls];
        ++handedOut_;
    }
}

void ChunkPool::SpillCache(ThreadCache& cache, std::size_t cls, std::uint16_t keep) noexcept {
    ScopedLock hold(lock_);
    while (cache.counts[cls] > keep) {
        FreeBlock* block = cache.heads[cls];
        cache.heads[cls] = NextOf(block);
        --cache.counts[cls];
        PushLocked(block, (cls + 1) * kGranule);
        --handedOut_;
    }
}

void ChunkPool::FlushThreadCache() noexcept {
    ThreadCache& cache = tCache_;
    if (cache.pool != this) return;
    for (std::size_t cls = 0; cls < kClasses; ++cls)
        if (cache.counts[cls]) SpillCache(cache, cls, 0);
}

std::size_t ChunkPool::LiveBlocks() const noexcept {
    std::size_t parked = 0;
    if (tCache_.pool == this)
        for (std::uint16_t count : tCache_.counts) parked += count;
    ScopedLock hold(lock_);
    return handedOut_ - parked;
}

std::size_t ChunkPool::ChunkCount() const noexcept {
    ScopedLock hold(lock_);
    return chunkCount_;
}
