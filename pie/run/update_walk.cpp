// Update walkers. Arity-0 functors have no values and take no part in an update, so the walks
// start at arity 1.
#include "pie/run/update_walk.h"

#include "pie/api/engine.h"

void pl_update_walk_begin(PieEngine* engine) {
    pl_functor_walk(engine, 1, kPlMaxArity, [](PlFunctor* f) {
        f->flags &= ~PLF_DONE;
        for (uint32_t i = 0; i < f->values->count; ++i) f->values->items[i] = nullptr;
    });
}

void pl_update_walk_end(PieEngine* engine) {
    pl_functor_walk(engine, 1, kPlMaxArity, [](PlFunctor* f) { f->flags &= ~PLF_DONE; });
}
