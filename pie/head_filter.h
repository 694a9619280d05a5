// A look at the first argument of a clause head before a frame is made for the clause: when it
// and the goal's first argument are constants or structures of different kinds (or different
// integers or functors), unifying the head would fail at its first step and leave nothing
// behind, so the clause is passed over without trying it.
#pragma once

#include "pie/engine.h"
#include "pie/frame.h"
#include "pie/interpreter.h"

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

// True when clause cannot match goal (read in goal_frame) and trying it would fail with no
// effect: no binding, no host call, no trace line and no engine error.
inline bool pl_head_cannot_match(PieEngine* engine, const PlCell* goal, PlFrame* goal_frame, const PlCell* clause) {
    using namespace pl_head_filter_detail;
    const PlFunctor* f = goal->fn.functor;
    // A property's key is matched before the first argument; a clause too large for a frame
    // raises its error, and a unification at the depth limit raises its own.
    if (f->owner || !goal->fn.args || !goal->fn.args->count || engine->depth + 4 > kPlMaxDepth) return false;
    if (clause->type < PL_CLAUSE || clause->type > PL_QUERY_CLAUSE || !pl_frame_fits(clause->clause.var_count))
        return false;
    const PlCell* head = clause->clause.term;
    if (head->type != PL_FUNCTOR || !head->fn.args) return false;
    const PlFunctor* neck = head->fn.functor;
    if (neck->arity == 2 && neck->name == engine->atom.neck) {
        head = head->fn.args->items[0];
        if (head->type != PL_FUNCTOR || head->fn.functor != f || !head->fn.args) return false;
    } else if (f->arity == 0) {
        return false;
    }
    if (!head->fn.args->count) return false;
    const PlCell* theirs = head->fn.args->items[0];
    if (!comparable(theirs->type)) return false;
    const PlCell* ours = pl_deref(goal->fn.args->items[0], goal_frame).term;
    return comparable(ours->type) && clash(ours, theirs);
}
