// The update table ({fact, value}, hashed by name and arity) and the update tree ({property, key,
// value}). Both live in the update pool; an entry is made before its node, so an exhausted pool
// never leaves an empty node behind.
#include "pie/run/update_store.h"

#include "pie/api/engine.h"
#include "pie/terms/hash.h"

namespace {

struct FactValue {
    PlFunctor* fact;
    PlCell* value;
};

struct PropertyValue {
    PlFunctor* property;
    PlFunctor* key;
    PlCell* value;
};

int compare_serial(uint32_t a, uint32_t b) { return a < b ? -1 : a > b ? 1 : 0; }

int compare_fact(const void* item, const void* key) {
    const PlFunctor* a = static_cast<const FactValue*>(item)->fact;
    const PlFunctor* b = static_cast<const PlFunctor*>(key);
    if (int c = compare_serial(a->arity, b->arity)) return c;
    return pl_compare_functors(a, b);
}

size_t hash_fact(const void* key) {
    const PlFunctor* f = static_cast<const PlFunctor*>(key);
    return f->name->serial ^ f->arity;
}

int compare_property(const void* item, const void* key) {
    auto* a = static_cast<const PropertyValue*>(item);
    auto* b = static_cast<const PropertyValue*>(key);
    if (int c = compare_serial(a->property->serial, b->property->serial)) return c;
    return compare_serial(a->key->serial, b->key->serial);
}

void ensure(PieEngine* engine) {
    if (!(engine->flags & PLE_UPDATE_POOL)) pl_update_store_reset(engine);
}

}  // namespace

void pl_update_store_reset(PieEngine* engine) {
    pl_update_store_free(engine);
    pl_pool_create(engine, &engine->update_pool);
    engine->update_table = pl_hash_create(engine, &engine->update_pool, compare_fact, hash_fact, 4);
    engine->update_tree = btree_create(engine, &engine->update_pool, compare_property);
    engine->flags |= PLE_UPDATE_POOL;
}

void pl_update_store_free(PieEngine* engine) {
    if (engine->update_pool.current) pl_pool_release(engine, &engine->update_pool);
    engine->update_table = nullptr;
    engine->update_tree = nullptr;
    engine->flags &= ~PLE_UPDATE_POOL;
}

PlCell* pl_update_value(PieEngine* engine, PlFunctor* fact) {
    if (!engine->update_table) return nullptr;
    auto* entry = static_cast<FactValue*>(pl_hash_lookup(engine->update_table, fact));
    return entry ? entry->value : nullptr;
}

void pl_update_set_value(PieEngine* engine, PlFunctor* fact, PlCell* value) {
    ensure(engine);
    auto* entry = static_cast<FactValue*>(pl_hash_lookup(engine->update_table, fact));
    if (!entry) {
        entry = pl_pool_new<FactValue>(engine, &engine->update_pool, FactValue{fact, nullptr});
        pl_hash_lookup_or_insert(engine, engine->update_table, fact)->item = entry;
    }
    entry->value = value;
    ++engine->readable_changes;
}

PlCell* pl_update_property(PieEngine* engine, PlFunctor* property, PlFunctor* key) {
    if (!engine->update_tree) return nullptr;
    const PropertyValue probe{property, key, nullptr};
    auto* entry = static_cast<PropertyValue*>(btree_lookup(engine->update_tree, &probe));
    return entry ? entry->value : nullptr;
}

void pl_update_set_property(PieEngine* engine, PlFunctor* property, PlFunctor* key, PlCell* value) {
    ensure(engine);
    const PropertyValue probe{property, key, nullptr};
    auto* entry = static_cast<PropertyValue*>(btree_lookup(engine->update_tree, &probe));
    if (!entry) {
        entry = pl_pool_new<PropertyValue>(engine, &engine->update_pool, probe);
        btree_put(engine, engine->update_tree, entry);
    }
    entry->value = value;
    ++engine->readable_changes;
}
