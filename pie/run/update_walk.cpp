// Update walkers. Arity-0 functors have no values and take no part in an update, so the walks
// start at arity 1.
#include "pie/run/update_walk.h"

#include "pie/api/engine.h"

void pl_update_walk_begin(PieEngine* engine) {
    for (PlFunctor* f : engine->functor_list) {
        if (f->arity == 0) continue;
        f->flags &= ~PLF_DONE;
        for (uint32_t i = 0; i < f->values->count; ++i) f->values->items[i] = nullptr;
    }
}

void pl_update_walk_end(PieEngine* engine) {
    for (PlFunctor* f : engine->functor_list)
        if (f->arity != 0) f->flags &= ~PLF_DONE;
}
