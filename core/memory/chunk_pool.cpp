// The small-object pool: size-class free lists over 64 KiB chunks under a critical section of
// its own, with a small per-thread cache in front of the library's pool. Caches trade whole
// batches with the shared lists, so allocation and release visit the lock once per batch and
// only for a few instructions. Under AddressSanitizer free and uncut memory is poisoned, so a
// use after free of a pooled object is reported as it is for the system's allocator.
#include "core/memory/chunk_pool.h"

#include "core/library/scoped_lock.h"
#include "core/memory/system_memory.h"

#include <algorithm>

#ifdef DRVOPUI_POOL_POISONS
#include <sanitizer/asan_interface.h>
#define POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define POISON(p, n) ((void)(p), (void)(n))
#define UNPOISON(p, n) ((void)(p), (void)(n))
#endif

ChunkPool g_chunkPool __attribute__((init_priority(101)));

constinit const std::array<std::uint16_t, ChunkPool::kClasses> ChunkPool::kSpillAt = [] {
    std::array<std::uint16_t, kClasses> at{};
    for (std::size_t cls = 0; cls < kClasses; ++cls) at[cls] = static_cast<std::uint16_t>(2 * ThreadCache::Batch(cls));
    return at;
}();

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

constinit thread_local ChunkPool::ThreadCache ChunkPool::tCache_{};
thread_local ChunkPool::CacheRetirer ChunkPool::tRetirer_;

namespace {

// Free blocks are poisoned whole; a link is opened only while it is read or written.
template <typename Block, typename Field>
Field Read(Block* block, Field Block::*field) noexcept {
    UNPOISON(&(block->*field), sizeof(Field));
    Field value = block->*field;
    POISON(&(block->*field), sizeof(Field));
    return value;
}

template <typename Block, typename Field>
void Write(Block* block, Field Block::*field, Field value) noexcept {
    UNPOISON(&(block->*field), sizeof(Field));
    block->*field = value;
    POISON(&(block->*field), sizeof(Field));
}

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

// Every allocation and release asks it: the common answer is inlined into them, the rest is not.
inline ChunkPool::ThreadCache* ChunkPool::CacheOfThisThread() noexcept {
    ThreadCache& cache = tCache_;
    if (cache.pool == this) [[likely]]
        return &cache;
    return AdoptThisThread();
}

[[gnu::noinline]] ChunkPool::ThreadCache* ChunkPool::AdoptThisThread() noexcept {
    ThreadCache& cache = tCache_;
    if (cache.pool == this) return &cache;
    if (this != &g_chunkPool || cache.retired) return nullptr;
    tRetirer_.armed = true;  // constructs it, so that it runs when the thread ends
    cache.pool = this;
    return &cache;
}

void* ChunkPool::AllocRoute(std::size_t bytes) {
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
        cache->heads[cls] = Read(block, &FreeBlock::next);
        --cache->counts[cls];
        return HandOut(block, bytes);
    }
    ScopedLock hold(lock_);
    void* block = TakeLocked(cls);
    ++handedOut_;
    return HandOut(block, bytes);
}

void ChunkPool::FreeRoute(void* block, std::size_t bytes) noexcept {
    if (!block) return;
    if (IsLarge(bytes)) {
        SystemRelease(block);
        ScopedLock hold(lock_);
        --handedOut_;
        return;
    }
    const std::size_t cls = ClassOf(bytes);
    auto* freed = static_cast<FreeBlock*>(block);
    POISON(block, SizeOfClass(cls));
    if (ThreadCache* cache = CacheOfThisThread()) {
        Write(freed, &FreeBlock::next, cache->heads[cls]);
        cache->heads[cls] = freed;
        if (++cache->counts[cls] >= kSpillAt[cls]) SpillCache(*cache, cls);
        return;
    }
    Write(freed, &FreeBlock::next, static_cast<FreeBlock*>(nullptr));
    ScopedLock hold(lock_);
    PushLocked(cls, freed, freed);
    --handedOut_;
}

// A poisoned block of the class: a single free one, else one of a parked batch, else a new one.
void* ChunkPool::TakeLocked(std::size_t cls) {
    if (!freeLists_[cls] && batches_[cls]) {
        FreeBlock* batch = batches_[cls];
        batches_[cls] = Read(batch, &FreeBlock::nextBatch);
        freeLists_[cls] = batch;  // the batch's own links make it a list of single blocks
    }
    if (FreeBlock* head = freeLists_[cls]) {
        freeLists_[cls] = Read(head, &FreeBlock::next);
        return head;
    }
    char* block;
    CarveLocked(cls, 1, block);
    return block;
}

// Cuts up to `wanted` adjacent blocks, at least one, from the newest chunk, taking a new chunk
// from the system when the rest of the newest is too small. Throws when the system refuses.
std::size_t ChunkPool::CarveLocked(std::size_t cls, std::size_t wanted, char*& first) {
    const std::size_t blockSize = SizeOfClass(cls);
    if (static_cast<std::size_t>(carveEnd_ - carve_) < blockSize) {
        auto* chunk = static_cast<Chunk*>(SystemAllocate(kChunkBytes));
        if (!chunk) throw PoolOutOfMemory();
        // The old rest is smaller than the largest small block, so it is a block of some class.
        if (carve_ != carveEnd_) {
            auto* rest = reinterpret_cast<FreeBlock*>(carve_);
            Write(rest, &FreeBlock::next, static_cast<FreeBlock*>(nullptr));
            PushLocked(ClassOf(static_cast<std::size_t>(carveEnd_ - carve_)), rest, rest);
        }
        chunk->next = chunks_;
        chunks_ = chunk;
        ++chunkCount_;
        carve_ = reinterpret_cast<char*>(chunk) + kChunkHeader;
        carveEnd_ = reinterpret_cast<char*>(chunk) + kChunkBytes;
        POISON(carve_, kChunkBytes - kChunkHeader);
    }
    const std::size_t count = std::min(wanted, static_cast<std::size_t>(carveEnd_ - carve_) / blockSize);
    first = carve_;
    carve_ += count * blockSize;
    return count;
}

// Puts the linked blocks first..last (last links to null) on the class's list of single blocks.
void ChunkPool::PushLocked(std::size_t cls, FreeBlock* first, FreeBlock* last) noexcept {
    Write(last, &FreeBlock::next, freeLists_[cls]);
    freeLists_[cls] = first;
}

// Gives an empty cache one batch: a parked one whole, else single blocks and new ones. Throws
// only when not a single block could be had.
void ChunkPool::RefillCache(ThreadCache& cache, std::size_t cls) {
    const std::uint16_t batch = ThreadCache::Batch(cls);
    FreeBlock* chain = nullptr;
    std::size_t count = 0;
    char* cut = nullptr;
    std::size_t cutCount = 0;
    {
        ScopedLock hold(lock_);
        if (FreeBlock* whole = batches_[cls]) {
            batches_[cls] = Read(whole, &FreeBlock::nextBatch);
            chain = whole;
            count = batch;
        } else {
            for (; count < batch && freeLists_[cls]; ++count) {
                FreeBlock* block = freeLists_[cls];
                freeLists_[cls] = Read(block, &FreeBlock::next);
                Write(block, &FreeBlock::next, chain);
                chain = block;
            }
            if (count < batch) {
                try {
                    cutCount = CarveLocked(cls, batch - count, cut);
                } catch (const PoolOutOfMemory&) {
                    if (count == 0) throw;
                }
            }
        }
        handedOut_ += count + cutCount;
    }
    // New blocks are linked outside the lock: no other thread can reach them yet.
    for (std::size_t i = cutCount; i-- > 0;) {
        auto* block = reinterpret_cast<FreeBlock*>(cut + i * SizeOfClass(cls));
        Write(block, &FreeBlock::next, chain);
        chain = block;
    }
    cache.heads[cls] = chain;
    cache.counts[cls] = static_cast<std::uint16_t>(count + cutCount);
}

// Parks the batch of blocks freed longest ago; the newest, likeliest still in the processor's
// cache, stay with the thread.
void ChunkPool::SpillCache(ThreadCache& cache, std::size_t cls) noexcept {
    const std::uint16_t batch = ThreadCache::Batch(cls);
    FreeBlock* last = cache.heads[cls];
    for (std::uint16_t i = 1; i < cache.counts[cls] - batch; ++i) last = Read(last, &FreeBlock::next);
    FreeBlock* spilled = Read(last, &FreeBlock::next);
    Write(last, &FreeBlock::next, static_cast<FreeBlock*>(nullptr));
    cache.counts[cls] = static_cast<std::uint16_t>(cache.counts[cls] - batch);
    ScopedLock hold(lock_);
    Write(spilled, &FreeBlock::nextBatch, batches_[cls]);
    batches_[cls] = spilled;
    handedOut_ -= batch;
}

void ChunkPool::FlushThreadCache() noexcept {
    ThreadCache& cache = tCache_;
    if (cache.pool != this) return;
    for (std::size_t cls = 0; cls < kClasses; ++cls) {
        if (!cache.heads[cls]) continue;
        FreeBlock* last = cache.heads[cls];
        while (FreeBlock* next = Read(last, &FreeBlock::next)) last = next;
        ScopedLock hold(lock_);
        PushLocked(cls, cache.heads[cls], last);
        handedOut_ -= cache.counts[cls];
        cache.heads[cls] = nullptr;
        cache.counts[cls] = 0;
    }
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
