// Recovery after an engine error. Each API call saves the engine bits that queries set and
// restore, so that an error in the middle of a query cannot leave the engine in propagation mode,
// in status evaluation or with the trace off for the rest of the sheet.
#include "pie/api/guard.h"

#include "pie/terms/list.h"

namespace {

constexpr uint32_t kQueryEngineFlags = PLE_PROPAGATION | PLE_TRACE | PLE_STATUS_EVALUATION;

}  // namespace

PlGuardState pl_guard_enter(PieEngine* engine) {
    ++engine->guard_depth;
    // A call from a host callback may change the marks a query's clearing of reasons went by.
    engine->reasons_table = nullptr;
    return PlGuardState{engine->flags, engine->depth};
}

void pl_guard_leave(PieEngine* engine, const PlGuardState&) {
    if (--engine->guard_depth != 0) return;
    pl_list_recycle_retired(engine);
    if (engine->stale_query_flags) {
        engine->stale_query_flags = 0;
        pl_clear_query_flags(engine);
    }
}

void pl_guard_recover(PieEngine* engine, const PlGuardState& saved) {
    engine->flags = (engine->flags & ~kQueryEngineFlags) | (saved.flags & kQueryEngineFlags);
    engine->depth = saved.depth;
    if (engine->guard_depth == 1) engine->busy = 0;
    // A stray refuse or settled bit would make an item fail silently from now on. While an
    // outer call still runs, its own marks are live: they are cleared when it ends.
    engine->stale_query_flags = 1;
    pl_guard_leave(engine, saved);
}
