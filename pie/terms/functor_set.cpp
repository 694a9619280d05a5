// Sorted functor arrays in a pool: a lookup is a binary search, an insertion moves the members
// behind it, and a full array is copied into one twice its size (the old one stays in the pool
// until the pool goes, as everything in a pool does).
#include "pie/terms/functor_set.h"

#include "pie/terms/functor.h"
#include "pie/terms/pool.h"

#include <cstring>

namespace {

constexpr uint32_t kFirstCapacity = 4;

// The position of the first member whose serial is not below the functor's.
uint32_t position(const PlFunctorSet* set, const PlFunctor* functor) {
    uint32_t low = 0, high = set->count;
    while (low < high) {
        const uint32_t middle = (low + high) / 2;
        if (set->items[middle]->serial < functor->serial) low = middle + 1;
        else high = middle;
    }
    return low;
}

}  // namespace

PlFunctorSet* pl_functor_set_create(PieEngine* engine, PlPool* pool) {
    auto* set = pl_pool_new<PlFunctorSet>(engine, pool);
    set->pool = pool;
    return set;
}

bool pl_functor_set_add(PieEngine* engine, PlFunctorSet* set, PlFunctor* functor) {
    // Readers are mostly added in the order they are made: past the last member, no search.
    const uint32_t count = set->count;
    const uint32_t at = count && set->items[count - 1]->serial < functor->serial ? count : position(set, functor);
    if (at < set->count && set->items[at] == functor) return false;
    if (set->count == set->capacity) {
        const uint32_t capacity = set->capacity ? set->capacity * 2 : kFirstCapacity;
        auto** items = static_cast<PlFunctor**>(pl_pool_alloc(engine, set->pool, capacity * sizeof(PlFunctor*)));
        if (set->count) std::memcpy(items, set->items, set->count * sizeof(PlFunctor*));
        set->items = items;
        set->capacity = capacity;
    }
    if (at < set->count) std::memmove(set->items + at + 1, set->items + at, (set->count - at) * sizeof(PlFunctor*));
    set->items[at] = functor;
    ++set->count;
    return true;
}

bool pl_functor_set_holds(const PlFunctorSet* set, const PlFunctor* functor) {
    const uint32_t at = position(set, functor);
    return at < set->count && set->items[at] == functor;
}
