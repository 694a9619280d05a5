// The watch table of registered items (see watch.h): an open-addressed table of the item functors,
// keyed by the host's item id that each functor holds. Every item of a sheet is entered once when
// it registers and found again by id for each query, so both take one probe or two; the few
// removals shift the slots behind them back rather than leave markers.
#include "pie/run/watch.h"

#include "pie/api/engine.h"
#include "pie/terms/pool.h"

#include <cstring>

struct PlWatchTable {
    PlFunctor** slots;  // nullptr is empty
    uint32_t mask;      // capacity - 1, the capacity a power of two
    uint32_t count;
};

namespace {

constexpr uint32_t kInitialCapacity = 1024;

uint32_t home(const PlWatchTable& table, int32_t host_item) {
    uint32_t h = static_cast<uint32_t>(host_item) * 0x9E3779B1u;
    return (h ^ (h >> 16)) & table.mask;
}

PlFunctor** new_slots(PieEngine* engine, uint32_t capacity) {
    auto** slots = static_cast<PlFunctor**>(pl_pool_alloc(engine, &engine->main_pool, capacity * sizeof(PlFunctor*)));
    std::memset(static_cast<void*>(slots), 0, capacity * sizeof(PlFunctor*));
    return slots;
}

// The slot that holds the functor of the id, or the empty slot where it belongs.
PlFunctor** probe(const PlWatchTable& table, int32_t host_item) {
    for (uint32_t i = home(table, host_item);; i = (i + 1) & table.mask) {
        PlFunctor* functor = table.slots[i];
        if (!functor || functor->host_item == host_item) return &table.slots[i];
    }
}

// The old slots stay in the pool, which goes with the engine.
void grow(PieEngine* engine, PlWatchTable& table) {
    const uint32_t capacity = (table.mask + 1) * 2;
    PlWatchTable bigger{new_slots(engine, capacity), capacity - 1, table.count};
    for (uint32_t i = 0; i <= table.mask; ++i)
        if (PlFunctor* functor = table.slots[i]) *probe(bigger, functor->host_item) = functor;
    table = bigger;
}

void insert(PieEngine* engine, PlWatchTable& table, PlFunctor* functor) {
    if (2 * (table.count + 1) > table.mask + 1) grow(engine, table);
    *probe(table, functor->host_item) = functor;
    ++table.count;
}

// Empties the slot of the functor and moves back each later slot of its run that would no longer
// be reached from its home slot.
void erase(PlWatchTable& table, PlFunctor* functor) {
    PlFunctor** slot = probe(table, functor->host_item);
    if (*slot != functor) return;
    uint32_t hole = static_cast<uint32_t>(slot - table.slots);
    table.slots[hole] = nullptr;
    --table.count;
    for (uint32_t i = (hole + 1) & table.mask; PlFunctor* next = table.slots[i]; i = (i + 1) & table.mask) {
        const uint32_t at = home(table, next->host_item);
        // next stays when its home lies cyclically in (hole, i].
        const bool stays = hole < i ? (at > hole && at <= i) : (at > hole || at <= i);
        if (stays) continue;
        table.slots[hole] = next;
        table.slots[i] = nullptr;
        hole = i;
    }
}

}  // namespace

void pl_watch_create(PieEngine* engine) {
    engine->watch = pl_pool_new<PlWatchTable>(engine, &engine->main_pool,
                                              PlWatchTable{new_slots(engine, kInitialCapacity), kInitialCapacity - 1, 0});
}

int pl_set_functor_value(PieEngine* engine, const char* name, int32_t host_item) {
    PlFunctor* functor = pl_lookup_functor(engine, pie_intern_string(engine, name), 1, nullptr);
    PlWatchTable& table = *engine->watch;
    if (PlFunctor* known = pl_watch_find(engine, host_item)) erase(table, known);
    // The functor may have been registered under another id before: that entry goes too.
    if (functor->host_item != host_item && pl_watch_find(engine, functor->host_item) == functor) erase(table, functor);
    functor->host_item = host_item;
    insert(engine, table, functor);
    return 0;
}

PlFunctor* pl_watch_find(PieEngine* engine, int32_t host_item) { return *probe(*engine->watch, host_item); }
