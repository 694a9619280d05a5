// Block pools of the engine. A pool serves requests from its current block; released blocks go
// to a free list of the engine and are reused before the heap is asked again, because the load,
// update and output pools are dropped and rebuilt many times in an engine's life. The standard
// blocks of an engine that ends are kept, a few of them, for the next engine of the process.
#include "pie/terms/pool.h"

#include "pie/api/engine.h"
#include "pie/api/errors.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

#ifdef PL_POOL_SANITIZED
#include <sanitizer/asan_interface.h>
#endif

namespace {

constexpr size_t kHeaderSize = (sizeof(PlPoolBlock) + 15) & ~size_t{15};

char* payload(PlPoolBlock* block) { return reinterpret_cast<char*>(block) + kHeaderSize; }

// Under AddressSanitizer the free part of a block is poisoned, so that a term kept past the
// release of its pool (a dangling value) is reported where it is read, not when the block's
// next owner has overwritten it.
void reset(PlPoolBlock* block) {
    block->next = payload(block);
    block->end = block->next + block->capacity;
#ifdef PL_POOL_SANITIZED
    ASAN_POISON_MEMORY_REGION(block->next, block->capacity);
#endif
}

PlPoolBlock* new_block(PieEngine* engine, size_t capacity) {
    auto* block = static_cast<PlPoolBlock*>(xmalloc(engine, kHeaderSize + capacity));
    block->prev = nullptr;
    block->capacity = capacity;
    reset(block);
    return block;
}

// Standard blocks of engines that ended. A block fresh from the heap is faulted in page by page
// as its engine first writes it, some three hundred faults for every start of the bundled
// sheet's engine; a kept block is mapped already. Sanitized builds keep none: a block that
// passed from one engine to the next would hide a term read after its engine ended.
#ifndef PL_POOL_SANITIZED
struct KeptBlocks {
    // An engine ends with a few standard blocks, and two engines may end one after the other.
    static constexpr size_t kMost = 8;
    std::mutex mutex;
    PlPoolBlock* first = nullptr;
    size_t count = 0;
};

KeptBlocks& kept_blocks() {
    static auto* kept = new KeptBlocks;  // never destroyed: engines may end during exit
    return *kept;
}

PlPoolBlock* take_kept_block() {
    KeptBlocks& kept = kept_blocks();
    std::lock_guard<std::mutex> lock(kept.mutex);
    PlPoolBlock* block = kept.first;
    if (!block) return nullptr;
    kept.first = block->prev;
    --kept.count;
    block->prev = nullptr;
    return block;
}

// Keeps a standard block; false when it is not kept (the caller frees it).
bool keep_block(PlPoolBlock* block) {
    if (block->capacity != kPlPoolBlockSize) return false;
    KeptBlocks& kept = kept_blocks();
    std::lock_guard<std::mutex> lock(kept.mutex);
    if (kept.count == KeptBlocks::kMost) return false;
    block->prev = kept.first;
    kept.first = block;
    ++kept.count;
    return true;
}
#else
PlPoolBlock* take_kept_block() { return nullptr; }
bool keep_block(PlPoolBlock*) { return false; }
#endif

// A standard block: the first free block when it is large enough, else a kept one, else a new one.
PlPoolBlock* standard_block(PieEngine* engine) {
    PlPoolBlock* block = engine->free_blocks;
    if (block && block->capacity >= kPlPoolBlockSize) {
        engine->free_blocks = block->prev;
        block->prev = nullptr;
        reset(block);
        return block;
    }
    if ((block = take_kept_block())) {
        reset(block);
        return block;
    }
    return new_block(engine, kPlPoolBlockSize);
}

void* take(PlPoolBlock* block, size_t size) {
    void* p = block->next;
#ifdef PL_POOL_SANITIZED
    ASAN_UNPOISON_MEMORY_REGION(p, size);
#endif
    block->next += size;
    return p;
}

}  // namespace

void* xmalloc(PieEngine* engine, size_t size) {
    void* p = size <= kPlMaxRequest ? std::malloc(size ? size : 1) : nullptr;
    if (!p) pl_fatal_error(engine, PL_ERR_NO_MEMORY, "xmalloc");
    return p;
}

void xfree(void* block) { std::free(block); }

void pl_pool_create(PieEngine* engine, PlPool* pool) {
    if (pool->current) pl_pool_release(engine, pool);  // created again: nothing may leak
    pool->alignment = kPlPoolAlignment;
    // The first block is taken by the first request: many pools of a short-lived engine are
    // created and never written.
}

void pl_pool_set_alignment(PlPool* pool, size_t alignment) {
    size_t a = 1;
    while (a < alignment && a < kPlPoolBlockSize) a <<= 1;  // requests are rounded by masking
    pool->alignment = a;
}

void* pl_pool_alloc(PieEngine* engine, PlPool* pool, size_t size) {
    const size_t a = pool->alignment;
    if (size > kPlMaxRequest) pl_fatal_error(engine, PL_ERR_NO_MEMORY, "xmalloc");
    size = (size + a - 1) & ~(a - 1);
    PlPoolBlock* current = pool->current;
    if (current && size < current->remaining()) return take(current, size);
    if (size <= kPlPoolBlockSize) {
        PlPoolBlock* block = standard_block(engine);
        block->prev = current;
        pool->current = block;
        return take(block, size);
    }
    // A block of its own, linked behind the current one so that the current block keeps
    // serving the small requests.
    PlPoolBlock* block = new_block(engine, size);
    if (current) {
        block->prev = current->prev;
        current->prev = block;
    } else {
        pool->current = block;
    }
    return take(block, size);
}

char* pl_pool_strdup(PieEngine* engine, PlPool* pool, const char* text) {
    size_t n = std::strlen(text) + 1;
    auto* copy = static_cast<char*>(pl_pool_alloc(engine, pool, n));
    std::memcpy(copy, text, n);
    return copy;
}

void pl_pool_release(PieEngine* engine, PlPool* pool) {
    PlPoolBlock* block = pool->current;
    while (block) {
        PlPoolBlock* prev = block->prev;
        reset(block);
        block->prev = engine->free_blocks;
        engine->free_blocks = block;
        block = prev;
    }
    pool->current = nullptr;
}

bool pl_pool_holds(const PlPool* pool, const void* p) {
    const auto* at = static_cast<const char*>(p);
    for (PlPoolBlock* block = pool->current; block; block = block->prev)
        if (at >= payload(block) && at < payload(block) + block->capacity) return true;
    return false;
}

size_t pl_pool_used(const PlPool* pool) {
    size_t used = 0;
    for (const PlPoolBlock* block = pool->current; block; block = block->prev)
        used += block->capacity - block->remaining();
    return used;
}

void pl_pool_free_all(PieEngine* engine) {
    while (PlPoolBlock* block = engine->free_blocks) {
        engine->free_blocks = block->prev;
        if (!keep_block(block)) xfree(block);
    }
}
