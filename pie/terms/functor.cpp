// Functor lookup and the functor tables: one hash table per arity, keyed by name and owner.
// Tables order by atom and functor serial numbers rather than addresses, so dumps and walks
// come out in the same order in every run.
#include "pie/terms/functor.h"

#include "pie/terms/functor_set.h"

#include "pie/api/engine.h"
#include "pie/build/read_text.h"
#include "pie/terms/hash.h"
#include "pie/terms/list.h"

#include <cstring>

namespace {

struct FunctorKey {
    PlAtom* name;
    PlFunctor* owner;
};

int compare_serials(uint32_t a, uint32_t b) { return a < b ? -1 : a > b ? 1 : 0; }

// Null owners order first.
int compare_owners(const PlFunctor* a, const PlFunctor* b) {
    if (a == b) return 0;
    if (!a) return -1;
    if (!b) return 1;
    return compare_serials(a->serial, b->serial);
}

int compare_in_table(const void* item, const void* key) {
    auto* f = static_cast<const PlFunctor*>(item);
    auto* k = static_cast<const FunctorKey*>(key);
    if (int c = pl_compare_atoms(f->name, k->name)) return c;
    return compare_owners(f->owner, k->owner);
}

size_t hash_in_table(const void* key) { return static_cast<const FunctorKey*>(key)->name->serial; }


bool contains_at_sign(const PlAtom* name) { return std::memchr(name->name, '@', name->length) != nullptr; }

PlFunctor* create(PieEngine* engine, PlAtom* name, uint32_t arity, PlFunctor* owner) {
    PlPool* pool = &engine->main_pool;
    PlFunctor* f = pl_pool_new<PlFunctor>(engine, pool);
    f->name = name;
    f->arity = arity;
    f->owner = owner;
    for (PlList*& list : f->clauses) list = pl_list_new(engine);
    f->values = pl_vector_alloc(engine, pool, arity);
    if (arity >= 1 && !contains_at_sign(name))
        f->dependents = pl_functor_set_create(engine, pool);
    // Names of the engine's own facts begin with "$"; their values stay in the engine.
    const PlAtom* fact_name = owner ? owner->name : name;
    if (fact_name->length > 0 && fact_name->name[0] == '$') f->flags |= PLF_HOST_FACT;
    engine->functor_list.push_back(f);
    f->serial = engine->functor_count++;
    if (engine->kept) pl_kept_note_functor(engine, f);
    return f;
}

}  // namespace

void pl_functor_tables_create(PieEngine* engine) {
    for (PlHash*& table : engine->functors)
        table = pl_hash_create(engine, &engine->main_pool, compare_in_table, hash_in_table, 10);
}

PlFunctor* pl_lookup_functor(PieEngine* engine, PlAtom* name, uint32_t arity, PlFunctor* owner) {
    if (arity > kPlMaxArity) pl_fatal_error(engine, PL_ERR_TOO_MANY_FUNCTORS, "pl_lookup_functor");
    PlHash* table = engine->functors[arity];
    const FunctorKey key{name, owner};
    // A plain name/0 or name/1 is in the table exactly when its atom holds it, so the atom
    // answers both a hit and a miss without a probe.
    PlFunctor** plain = owner ? nullptr : arity == 0 ? &name->functor0 : arity == 1 ? &name->functor1 : nullptr;
    auto* f = plain ? *plain : static_cast<PlFunctor*>(pl_hash_lookup(table, &key));
    if (!f) {
        // Made before it is entered, so that an exhausted pool leaves no empty table node.
        f = create(engine, name, arity, owner);
        pl_hash_lookup_or_insert(engine, table, &key)->item = f;
        if (plain) *plain = f;
    }
    if (engine->recorder) pl_text_recorder_note_functor(engine, f);
    return f;
}

PlFunctor* pl_unary_functor(PieEngine* engine, PlFunctor* functor) {
    if (!functor->unary) functor->unary = pl_lookup_functor(engine, functor->name, 1, nullptr);
    return functor->unary;
}

int pie_value_type_from_flags(uint32_t flags) {
    switch (flags & PLF_VALUE_TYPE) {
    case 0x200: return 1;
    case 0x400: return 2;
    case 0x600: return 3;
    case 0x800: return 4;
    default: return 6;
    }
}

uint32_t pie_flags_from_value_type(int type) {
    return type >= 1 && type <= 4 ? static_cast<uint32_t>(type) << 9 : 0;
}

int pl_compare_functors(const void* item, const void* key) {
    auto* a = static_cast<const PlFunctor*>(item);
    auto* b = static_cast<const PlFunctor*>(key);
    if (int c = pl_compare_atoms(a->name, b->name)) return c;
    if (int c = compare_serials(a->arity, b->arity)) return c;
    return compare_owners(a->owner, b->owner);
}

int pl_compare_functor_serial(const void* item, const void* key) {
    return compare_serials(static_cast<const PlFunctor*>(item)->serial, static_cast<const PlFunctor*>(key)->serial);
}

void pl_functor_visit(PieEngine* engine, uint32_t from, uint32_t to, void (*visit)(PlFunctor*, void*),
                      void* context) {
    for (uint32_t arity = from; arity <= to && arity <= kPlMaxArity; ++arity)
        pl_hash_walk(engine->functors[arity], [&](void* item) { visit(static_cast<PlFunctor*>(item), context); });
}

void pl_functors_forget(PieEngine* engine, PlFunctor* const* made, size_t count, uint32_t serial) {
    for (size_t i = 0; i < count; ++i) {
        PlFunctor* f = made[i];
        const FunctorKey key{f->name, f->owner};
        pl_hash_delete(engine->functors[f->arity], &key);
        if (!f->owner && f->arity == 0 && f->name->functor0 == f) f->name->functor0 = nullptr;
        if (!f->owner && f->arity == 1 && f->name->functor1 == f) f->name->functor1 = nullptr;
    }
    engine->functor_count = serial;
    engine->functor_list.resize(serial);
}

void pl_clear_query_flags(PieEngine* engine) {
    for (PlFunctor* f : engine->functor_list) f->flags &= ~kPlQueryFlags;
}
