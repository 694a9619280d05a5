// The engine's life through the API: creation in the order the parts depend on each other,
// callbacks, options, update brackets, reading a value by name, and the end.
#include "pie/api/api.h"

#include "pie/api/api_platform.h"
#include "pie/builtins/builtins.h"
#include "pie/build/compiler.h"
#include "pie/api/guard.h"
#include "pie/terms/list.h"
#include "pie/build/loader.h"
#include "pie/api/options.h"
#include "pie/build/program.h"
#include "pie/run/direct_branch.h"
#include "pie/run/direct_is.h"
#include "pie/run/propagation.h"
#include "pie/run/update_store.h"
#include "pie/run/update_walk.h"
#include "pie/run/watch.h"

#include <cstring>

int PIE_init(PieEngine** out, void* host, uint32_t options) {
    if (!out) return -1;
    *out = nullptr;
    PieEngine* engine = pl_engine_create(host, options);
    if (!engine) return -1;
    // Building the system rules can only fail for memory, but then there is no engine to hand out.
    const int made = pl_guarded(engine, -1, [&] {
        pl_compiler_create(engine);
        pl_program_create(engine);
        pl_watch_create(engine);
        pl_builtins_install(engine);
        pl_propagation_create(engine);
        pl_parse_system(engine);
        pl_direct_is_prepare(engine);
        pl_direct_branch_prepare(engine);
        pl_set_platform(engine);
        engine->platform_at_init = pl_platform_words(engine);
        for (int i = 0; i < kPlPredefinedFunctorCount; ++i)
            if (kPlPredefinedRows[i].kind == PLP_BUILTIN) pl_predefined(engine, i)->flags |= PLF_READ_ONLY;
        pl_update_store_reset(engine);
        return 0;
    });
    if (made != 0) {
        pl_engine_destroy(engine);
        return -1;
    }
    *out = engine;
    return 0;
}

int PIE_set_callbacks(PieEngine* engine, const PieHostBlock1* table) {
    if (!engine || !table) return -1;
    std::memcpy(engine->host_slots, table->slots, sizeof table->slots);
    return 0;
}

int PIE_set_callbacks2(PieEngine* engine, const PieHostBlock2* table) {
    if (!engine || !table) return -1;
    std::memcpy(engine->host_slots + 44, table->slots, sizeof table->slots);
    return 0;
}

int PIE_set_change_count(PieEngine* engine, const uint32_t* count) {
    if (!engine) return -1;
    engine->host_changes = count;
    return 0;
}

int PIE_begin_update(PieEngine* engine) {
    if (!engine) return -1;
    return pl_guarded(engine, -1, [&] {
        engine->flags |= PLE_UPDATE_MODE;
        pl_update_store_reset(engine);
        pl_update_walk_begin(engine);
        return 0;
    });
}

int PIE_end_update(PieEngine* engine) {
    if (!engine) return -1;
    return pl_guarded(engine, -1, [&] {
        engine->flags &= ~uint32_t{PLE_UPDATE_MODE};
        pl_update_walk_end(engine);
        return 0;
    });
}

int PIE_get_integer(PieEngine* engine, const char* name, int32_t* out) {
    if (!engine || !name || !out) return -1;
    // Asking for a name the engine never met interns nothing.
    PlAtom* atom = pie_find_atom(engine, name);
    PlCell* value = atom ? pie_get_atom_value(engine, atom) : nullptr;
    if (!value) return -1;
    if (value->type != PL_INT) return -2;
    *out = value->value;
    return 0;
}

int PIE_get_value(PieEngine* engine, const char* name, PieValue* out) {
    if (!engine || !name || !out) return -1;
    PlAtom* atom = pie_find_atom(engine, name);
    const PlCell* value = atom ? pie_get_atom_value(engine, atom) : nullptr;
    if (!value) return -1;
    if (value->type == PL_INT) {
        *out = PieValue{3, value->value};
        return 0;
    }
    if (value->type == PL_FUNCTOR && value->fn.functor && value->fn.functor->arity == 0) {
        *out = PieValue{2, reinterpret_cast<intptr_t>(value->fn.functor->name->name)};
        return 0;
    }
    return -2;
}

int PIE_set_options(PieEngine* engine, uint32_t options) {
    if (!engine) return -1;
    pl_apply_options(engine, options);
    return 0;
}

int PIE_get_options(PieEngine* engine, uint32_t* out) {
    if (!engine || !out) return -1;
    *out = pl_options_from_flags(engine->flags);
    return 0;
}

int PIE_term(PieEngine* engine) {
    if (!engine) return 0;
    // Ended from a host callback, the engine would be gone under the call that runs it.
    if (engine->guard_depth) return -1;
    engine->state = 2;
    engine->conflict_query = engine->propagation_query = nullptr;
    pl_update_store_free(engine);
    pl_engine_destroy(engine);
    return 0;
}
