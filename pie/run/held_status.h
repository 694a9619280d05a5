// An item's status as this query read it before. Where the host counts its changes and none came
// since the item was read, the read answers the term it left without asking the host: a
// propagation asks the same few items again and again (the page size in every tray's and
// finisher's rule), and a step that only compares that term can take it from here.
#pragma once

#include "pie/api/engine.h"
#include "pie/terms/functor.h"
#include "pie/terms/term.h"

// Whether reads of item values are held within a query (see pie_read_item_value).
[[gnu::always_inline]] inline bool pl_holds_values(const PieEngine* engine) {
    return engine->host_changes && engine->run.queries > 0 && !engine->recorder;
}

// Whether item's value as this query last read it is still the host's (pl_holds_values given).
[[gnu::always_inline]] inline bool pl_read_still_held(const PieEngine* engine, const PlFunctor* item) {
    return item->read_query == engine->query_number && item->read_changes == *engine->host_changes;
}

// The status pl_item_status(engine, item, nullptr) answers, where it is held: true with value set
// (nullptr: the item has none), false where the status is to be read. An item with a status of
// its own (a host fact) is never held here.
[[gnu::always_inline]] inline bool pl_held_status(const PieEngine* engine, const PlFunctor* item, PlCell*& value) {
    if (item->arity != 1 || (item->flags & PLF_HOST_FACT) || !pl_holds_values(engine) ||
        !pl_read_still_held(engine, item))
        return false;
    PlCell* read = item->read_value;
    if (read && read->type == PL_FUNCTOR) {
        // The read answers the atom's one term, made when the atom was first read.
        read = read->fn.functor->atom_term;
        if (!read) return false;
    }
    value = read;
    return true;
}
