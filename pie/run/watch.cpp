// The watch table of registered items (see watch.h), a hash table keyed by the host's item id.
#include "pie/run/watch.h"

#include "pie/api/engine.h"
#include "pie/terms/hash.h"

namespace {

int compare_id(const void* item, const void* key) {
    const int32_t a = static_cast<const PlFunctor*>(item)->host_item;
    const int32_t b = static_cast<const PlFunctor*>(key)->host_item;
    return a < b ? -1 : a > b ? 1 : 0;
}

size_t hash_id(const void* key) { return static_cast<uint32_t>(static_cast<const PlFunctor*>(key)->host_item); }

}  // namespace

void pl_watch_create(PieEngine* engine) {
    engine->watch = pl_hash_create(engine, &engine->main_pool, compare_id, hash_id, 10);
}

int pl_set_functor_value(PieEngine* engine, const char* name, int32_t host_item) {
    PlFunctor* functor = pl_lookup_functor(engine, pie_intern_string(engine, name), 1, nullptr);
    if (PlFunctor* known = pl_watch_find(engine, host_item)) pl_hash_delete(engine->watch, known);
    // The functor may have been registered under another id before: that entry goes too.
    if (functor->host_item != host_item && pl_watch_find(engine, functor->host_item) == functor)
        pl_hash_delete(engine->watch, functor);
    functor->host_item = host_item;
    pl_hash_put(engine, engine->watch, functor);
    return 0;
}

PlFunctor* pl_watch_find(PieEngine* engine, int32_t host_item) {
    PlFunctor probe{};
    probe.host_item = host_item;
    return static_cast<PlFunctor*>(pl_hash_lookup(engine->watch, &probe));
}
