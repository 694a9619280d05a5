// Engine memory: heap requests that report exhaustion through the engine's error routine, and
// block pools that hand out memory by bumping a pointer and are released as a whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

struct PieEngine;

// One block of a pool; the payload follows the header.
// Its free part runs from next to end: a request is taken by moving next alone, and its room is
// tested against end without a subtraction.
struct PlPoolBlock {
    PlPoolBlock* prev;  // the block filled before this one, or a free block's successor
    size_t capacity;
    char* end;  // the end of the payload
    char* next;
    size_t remaining() const { return static_cast<size_t>(end - next); }
};

struct PlPool {
    PlPoolBlock* current = nullptr;
    size_t alignment = 0;
};

// Standard block size. Every engine request is far smaller; a larger one gets a block of its own.
// Under AddressSanitizer a block this large is mapped and poisoned afresh on every engine, which
// made short-lived engines (tests, fuzzing) several times slower; there blocks are small.
#if defined(__SANITIZE_ADDRESS__)
#define PL_POOL_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PL_POOL_SANITIZED 1
#endif
#endif
#ifdef PL_POOL_SANITIZED
constexpr size_t kPlPoolBlockSize = 64 * 1024;
#else
constexpr size_t kPlPoolBlockSize = 2 * 1024 * 1024;
#endif

// Pools hold pointers, so the default alignment is a pointer's (the 32-bit engine used 4).
constexpr size_t kPlPoolAlignment = alignof(void*);

// A request above this size is refused as memory exhaustion (4097) without asking the heap:
// no engine structure comes near it, and a corrupted size must not reach the allocator.
constexpr size_t kPlMaxRequest = size_t{1} << 30;

void* xmalloc(PieEngine* engine, size_t size);
void xfree(void* block);

void pl_pool_create(PieEngine* engine, PlPool* pool);
void pl_pool_set_alignment(PlPool* pool, size_t alignment);  // rounded up to a power of two
void* pl_pool_alloc(PieEngine* engine, PlPool* pool, size_t size);
// A request whose size is a multiple of the pool's alignment (a term cell's size and the default
// alignment, say) that the current block still holds, as a pointer bump; nullptr, with nothing
// taken, when the pool has no block or the block has no room (pl_pool_alloc then answers it as
// before). Never under AddressSanitizer, where every request goes through pl_pool_alloc, which
// unpoisons what it hands out.
inline void* pl_pool_bump_aligned(PlPool* pool, size_t size) {
#ifdef PL_POOL_SANITIZED
    (void)pool;
    (void)size;
    return nullptr;
#else
    PlPoolBlock* current = pool->current;
    if (!current) return nullptr;
    char* const p = current->next;
    if (!p) __builtin_unreachable();  // next lies in the block: a caller's test of p is left out
    // As addresses: past the block's end, next + size is no pointer into it. A request leaves at
    // least a byte free, as pl_pool_alloc's test has it.
    const uintptr_t after = reinterpret_cast<uintptr_t>(p) + size;
    if (after >= reinterpret_cast<uintptr_t>(current->end)) return nullptr;
    current->next = reinterpret_cast<char*>(after);
    return p;
#endif
}
// The same for a small request of any size, rounded up to the alignment.
inline void* pl_pool_bump(PlPool* pool, size_t size) {
    if (size > kPlMaxRequest) return nullptr;
    const size_t a = pool->alignment;
    return pl_pool_bump_aligned(pool, (size + a - 1) & ~(a - 1));
}
// pl_pool_alloc with its commonest case inline: a small request the current block still holds is
// a pointer bump; any other goes to pl_pool_alloc, which answers it exactly as before.
// Under AddressSanitizer every request goes through pl_pool_alloc, which unpoisons what it hands out.
inline void* pl_pool_take(PieEngine* engine, PlPool* pool, size_t size) {
#ifdef PL_POOL_SANITIZED
    return pl_pool_alloc(engine, pool, size);
#endif
    PlPoolBlock* current = pool->current;
    const size_t a = pool->alignment;
    const size_t rounded = (size + a - 1) & ~(a - 1);
    if (current && size <= kPlMaxRequest && rounded < current->remaining()) {
        void* p = current->next;
        current->next += rounded;
        return p;
    }
    return pl_pool_alloc(engine, pool, size);
}
char* pl_pool_strdup(PieEngine* engine, PlPool* pool, const char* text);
// Gives every block back to the engine's free-block list; a later request takes a new block.
void pl_pool_release(PieEngine* engine, PlPool* pool);
// Whether p lies in one of the pool's blocks.
bool pl_pool_holds(const PlPool* pool, const void* p);
size_t pl_pool_used(const PlPool* pool);
// Returns every free block of the engine to the heap.
void pl_pool_free_all(PieEngine* engine);

// A value-initialised T from the pool. Pools never run destructors: T must be trivially
// destructible.
template <class T, class... Args>
T* pl_pool_new(PieEngine* engine, PlPool* pool, Args&&... args) {
    static_assert(std::is_trivially_destructible_v<T>);
    static_assert(alignof(T) <= kPlPoolAlignment);
    return new (pl_pool_take(engine, pool, sizeof(T))) T{std::forward<Args>(args)...};
}
