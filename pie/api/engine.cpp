// Making and ending the engine record's data. PIE_init builds on this: it adds operators,
// system rules, platform facts and the prepared queries.
#include "pie/api/engine.h"

#include "pie/terms/hash.h"
#include "pie/terms/list.h"
#include "pie/api/options.h"
#include "pie/run/engine_stack.h"

#include <new>

namespace {

void release_if_made(PieEngine* engine, PlPool* pool) {
    if (pool->current) pl_pool_release(engine, pool);
}

}  // namespace

PieEngine* pl_engine_create(void* host, uint32_t options) {
    auto* engine = new (std::nothrow) PieEngine{};
    if (!engine) return nullptr;
    try {
        pl_pool_create(engine, &engine->scratch_pool);
        engine->scratch_list = pl_list_new(engine);
        engine->flags = pl_flags_from_options(options);
        pl_pool_create(engine, &engine->main_pool);
        pl_pool_create(engine, &engine->output_pool);
        pl_pool_set_alignment(&engine->output_pool, 1);  // pieces of one line join into one text
        pie_atom_table_create(engine);
        pie_intern_predefined(engine);
        pl_functor_tables_create(engine);
        pl_cells_create(engine);
        engine->answers = pl_list_new(engine);
    } catch (const PlError&) {
        pl_engine_destroy(engine);
        return nullptr;
    }
    engine->host = host;
    return engine;
}

void pl_engine_destroy(PieEngine* engine) {
    if (!engine) return;
    engine->state = 2;
    if (engine->log) {
        if (engine->log != stdout) std::fclose(engine->log);
        engine->log = nullptr;
    }
    pl_kept_state_free(engine);
    pl_run_state_free(engine);
    pl_engine_stack_free(engine);
    for (PlPool* pool : {&engine->load_pool, &engine->update_pool, &engine->output_pool, &engine->main_pool,
                         &engine->scratch_pool})
        release_if_made(engine, pool);
    pl_pool_free_all(engine);
    pie_atom_table_free(engine);
    delete engine;
}

size_t pl_heap_used(const PieEngine* engine) { return pl_pool_used(&engine->main_pool); }
