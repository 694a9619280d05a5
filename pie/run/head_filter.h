// A look at the first argument of a clause head before a frame is made for the clause: when it
// and the goal's first argument are constants or structures of different kinds (or different
// integers or functors), unifying the head would fail at its first step and leave nothing
// behind, so the clause is passed over without trying it.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/run/interpreter.h"

namespace pl_head_filter_detail {

inline bool comparable(PlCellType type) {
    return type == PL_INT || type == PL_FUNCTOR || type == PL_LIST || type == PL_NIL;
}

// a and b are comparable cells: whether unifying them fails without a look inside.
inline bool clash(const PlCell* a, const PlCell* b) {
    if (a->type != b->type) return true;
    if (a->type == PL_INT) return a->value != b->value;
    if (a->type == PL_FUNCTOR) return a->fn.functor != b->fn.functor;
    return false;
}

}  // namespace pl_head_filter_detail

// The goal's side of the look, the same for every clause tried for the goal (a failed try leaves
// its bindings and the depth as they were): its first argument, or nullptr when no clause can be
// passed over. A property's key is matched before the first argument, and a unification at the
// depth limit raises its own error.
inline const PlCell* pl_head_filter_key(PieEngine* engine, const PlCell* goal, PlFrame* goal_frame) {
    using namespace pl_head_filter_detail;
    if (goal->fn.functor->owner || !goal->fn.args || !goal->fn.args->count || engine->depth + 4 > pl_depth_limit(engine))
        return nullptr;
    const PlCell* ours = pl_deref(goal->fn.args->items[0], goal_frame).term;
    return comparable(ours->type) ? ours : nullptr;
}

// The clause's side of the look: the first argument of its head when the clause is one for goal
// and that argument is a constant or structure, else nullptr (no clash can be told).
inline const PlCell* pl_head_filter_theirs(PieEngine* engine, const PlCell* goal, const PlCell* clause) {
    using namespace pl_head_filter_detail;
    const PlFunctor* f = goal->fn.functor;
    // A clause too large for a frame raises its error.
    if (clause->type < PL_CLAUSE || clause->type > PL_QUERY_CLAUSE || !pl_frame_fits(clause->clause.var_count))
        return nullptr;
    const PlCell* head = clause->clause.term;
    if (head->type != PL_FUNCTOR || !head->fn.args) return nullptr;
    const PlFunctor* neck = head->fn.functor;
    if (neck->arity == 2 && neck->name == engine->atom.neck) {
        head = head->fn.args->items[0];
        if (head->type != PL_FUNCTOR || head->fn.functor != f || !head->fn.args) return nullptr;
    } else if (f->arity == 0) {
        return nullptr;
    }
    if (!head->fn.args->count) return nullptr;
    const PlCell* theirs = head->fn.args->items[0];
    return comparable(theirs->type) ? theirs : nullptr;
}

// True when clause cannot match goal, whose key is ours: trying it would fail with no effect (no
// binding, no host call, no trace line and no engine error).
inline bool pl_head_clashes(PieEngine* engine, const PlCell* goal, const PlCell* ours, const PlCell* clause) {
    const PlCell* theirs = pl_head_filter_theirs(engine, goal, clause);
    return theirs && pl_head_filter_detail::clash(ours, theirs);
}
