// Property value tables, made in the main pool with the first recorded value.
#include "pie/run/property_values.h"

#include "pie/terms/btree.h"
#include "pie/api/engine.h"

#include <functional>

namespace {

template <class T>
int three_way(T a, T b) {
    return a < b ? -1 : b < a ? 1 : 0;
}

int compare_entry(const void* item, const void* key) {
    return pl_compare_property_keys(static_cast<const PlPropertyValue*>(item)->key, static_cast<const PlCell*>(key));
}

}  // namespace

int pl_compare_property_keys(const PlCell* a, const PlCell* b) {
    if (a == b) return 0;
    if (int c = three_way(a->type, b->type)) return c;
    if (a->type == PL_INT) return three_way(a->value, b->value);
    if (a->type == PL_FUNCTOR)
        if (int c = three_way(a->fn.functor->serial, b->fn.functor->serial)) return c;
    return std::less<const PlCell*>{}(a, b) ? -1 : 1;
}

PlPropertyValue* pl_property_value(PlFunctor* property, PlCell* key) {
    if (!property->property_values) return nullptr;
    return static_cast<PlPropertyValue*>(btree_lookup(property->property_values, key));
}

PlPropertyValue* pl_property_record(PieEngine* engine, PlFunctor* property, PlCell* key, PlCell* value) {
    if (!property->property_values)
        property->property_values = btree_create(engine, &engine->main_pool, compare_entry);
    PlPropertyValue* entry = pl_property_value(property, key);
    if (!entry) {
        entry = pl_pool_new<PlPropertyValue>(engine, &engine->main_pool, PlPropertyValue{key, nullptr, 0});
        btree_lookup_or_insert(engine, property->property_values, key)->item = entry;
    }
    entry->value = value;
    return entry;
}
