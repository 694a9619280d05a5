// The running query's changed table: every functor whose display or reason a rule touched, once,
// in the order first touched (the order the host is told in). Whether the table holds a functor
// is its mark PLM_IN_CHANGED, not a walk of the table: a pick of a page size enters some eighty
// functors, most of them many times. The marks are those of the table the engine runs with; a
// query with a table of its own takes the outer table's marks away while it runs and gives them
// back when it ends, however it ends.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/interpreter.h"
#include "pie/terms/functor.h"
#include "pie/terms/list.h"

#include <cassert>

inline void pl_changed_enter(PieEngine* engine, PlFunctor* functor) {
    PlList* table = engine->run.changed;
    if (!table) return;
    assert(((functor->marks & PLM_IN_CHANGED) != 0) == pl_table_holds(table, functor));
    if (functor->marks & PLM_IN_CHANGED) return;
    functor->marks |= PLM_IN_CHANGED;
    pl_list_append(engine, table, functor);
}

// Makes table (nullptr: none) the one the engine runs with, moving the marks from the one before.
inline void pl_use_changed_table(PieEngine* engine, PlList* table) {
    PlList* before = engine->run.changed;
    if (before == table) return;
    if (before) pl_list_each(before, [](void* f) { static_cast<PlFunctor*>(f)->marks &= ~uint32_t{PLM_IN_CHANGED}; });
    if (table) pl_list_each(table, [](void* f) { static_cast<PlFunctor*>(f)->marks |= PLM_IN_CHANGED; });
    engine->run.changed = table;
}
