// Items of the host as the engine knows them: registered functors with their host ids.
#include "pie/api.h"

#include "pie/guard.h"
#include "pie/list.h"
#include "pie/watch.h"

namespace {

void renew_answers(PieEngine* engine) {
    while (pl_list_remove_first(engine, engine->answers)) {
    }
}

}  // namespace

int PIE_register_functor(PieEngine* engine, const char* name, int32_t hostValue) {
    if (!engine || !name) return -1;
    return pl_guarded(engine, -1, [&] {
        renew_answers(engine);
        return pl_set_functor_value(engine, name, hostValue);
    });
}
