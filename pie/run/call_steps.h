// Steps of solving a goal that both the call of one goal and the conjunction take.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/interpreter.h"
#include "pie/terms/functor.h"

struct PlCell;
struct PlDeref;
struct PlFrame;
struct PlListNode;
using PlList = PlListNode;

// The goal's functor; an engine error when the goal cannot be called.
PlFunctor* pl_callable_functor(PieEngine* engine, const PlDeref& goal);
// Once cells answer afresh in each call of their predicate. Inline: most functors have none.
void pl_reset_once_cell_list(PlFunctor* f);
inline void pl_reset_once_cells(PlFunctor* f) {
    if (f->once_cells) pl_reset_once_cell_list(f);
}
// Only the third list in propagation mode, unless the functor asks for all of them.
inline bool pl_third_list_only(const PieEngine* engine, const PlFunctor* f) {
    return (engine->flags & PLE_PROPAGATION) && !(f->flags & (PLF_ALL_LISTS | PLF_SYSTEM)) &&
           (!(engine->flags & PLE_STATUS_EVALUATION) || !(f->flags & PLF_HOST_FACT));
}
// Whether a call of f may go straight to its built-in function: untraced, a system built-in not
// refused and not the direct "is"; the steps of an ordinary call (the lists, the success step of
// a system functor) would do nothing for it.
inline bool pl_calls_builtin_directly(const PieEngine* engine, const PlFunctor* f) {
    return f->builtin && (f->flags & (PLF_SYSTEM | PLF_REFUSE)) == PLF_SYSTEM && f != engine->direct_is_functor &&
           !(engine->flags & PLE_TRACE);
}
// That call, without the level the caller takes for it: a stop leaves it as a failure.
inline int pl_call_builtin_directly(PieEngine* engine, PlFunctor* f, PlCell* goal, PlFrame* frame, PlList* answers) {
    pl_reset_once_cells(f);
    const int outcome = f->builtin(engine, goal, frame, answers);
    return outcome == PL_STOP ? PL_FAIL : outcome;
}
// A once cell met as the left goal of a conjunction runs as that goal would have run there:
// its clauses are tried in turn with no call of their own, so nothing is recorded for it and a
// clause that stops answers a stop.
int pl_call_once_left(PieEngine* engine, PlCell* once, PlFrame* frame, PlList* answers);
// pl_call for a clause body or the right goal of a conjunction, a right-nested "," chain: pl_call
// would send each "," straight to its conjunction, and that step is taken here without the two
// calls between, with the level pl_call takes, so that the depth and every outcome stay as they
// were.
int pl_call_chain(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers);
// The same for a goal known to be a compound term whose functor's built-in is the conjunction.
int pl_call_conjunction(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers);
