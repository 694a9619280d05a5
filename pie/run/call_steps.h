// Steps of solving a goal that both the call of one goal and the conjunction take.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/run/head_filter.h"
#include "pie/run/interpreter.h"
#include "pie/run/unify.h"
#include "pie/terms/functor.h"
#include "pie/terms/list.h"
#include "pie/text/trace.h"

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

// The answer table of a rule body: its sentinel lives with the try, its entries are the engine's
// list nodes, given back by pl_drop_answers or moved on by pl_merge_answers.
struct PlBodyAnswers {
    PlListNode sentinel;
    PlBodyAnswers() : sentinel{&sentinel, &sentinel, nullptr} {}
    PlBodyAnswers(const PlBodyAnswers&) = delete;
    PlBodyAnswers& operator=(const PlBodyAnswers&) = delete;
};
inline void pl_drop_answers(PieEngine* engine, PlList* table) {
    if (!pl_list_empty(table)) pl_list_clear(engine, table);
}
// Moves the answers of a rule body into the caller's table.
inline void pl_merge_answers(PieEngine* engine, PlList* into, PlList* from) {
    if (pl_list_empty(from)) return;
    // Into an empty table the body's entries go as they are: each is there once already.
    if (into && pl_list_empty(into)) {
        pl_list_splice(into, from);
        return;
    }
    if (into) pl_list_each(from, [&](void* f) { pl_table_enter(engine, into, static_cast<PlFunctor*>(f)); });
    pl_list_clear(engine, from);
}

// pl_try_clause for a goal whose functor has no built-in, from the clause's parts: the one step
// of solving a goal that every path of the interpreter takes for each clause it tries.
[[gnu::always_inline]] inline int pl_try_user_clause(PieEngine* engine, PlCell* goal, PlFrame* goal_frame,
                                                     const PlClauseParts& c, PlFrame* clause_frame, PlList* answers) {
    PlCell* term = c.term;
    if (term->type != PL_FUNCTOR) pl_fatal_error(engine, PL_ERR_NOT_CALLABLE, "pl_try_clause");
    // A warning raised from here on names this clause.
    engine->warning_line = static_cast<int32_t>(c.head->line);
    if (c.rule) {
        if (!pl_match_head(engine, goal, goal_frame, c.head, clause_frame)) return PL_FAIL;
        PlBodyAnswers body;
        // Only a body that is a conjunction has a chain to run; any other is called as it is.
        PlCell* goals = pl_arg(term, 1);
        const int outcome = goals->type == PL_FUNCTOR && goals->fn.functor->builtin == pl_call_logical_and
                                ? pl_call_conjunction(engine, goals, clause_frame, &body.sentinel)
                                : pl_call(engine, goals, clause_frame, &body.sentinel);
        if (outcome == PL_SUCCESS) {
            pl_merge_answers(engine, answers, &body.sentinel);
            return PL_SUCCESS;
        }
        pl_drop_answers(engine, &body.sentinel);
        return outcome == PL_CUT ? PL_STOP : outcome == PL_UNDETERMINED ? PL_FAIL : outcome;
    }
    if (!term->fn.args || !goal->fn.args) {
        plout_trace(engine, PL_TRACE_CALL, engine->depth, goal);
        plout_trace(engine, PL_TRACE_TRUE, engine->depth, goal);
        return PL_SUCCESS;
    }
    PlFunctor* f = goal->fn.functor;
    const uint32_t n = term->fn.args->count < goal->fn.args->count ? term->fn.args->count : goal->fn.args->count;
    // A property's key, kept behind its own arguments, is matched first.
    if (f->owner && n > f->arity &&
        !pl_match_head(engine, pl_arg(goal, f->arity), goal_frame, pl_arg(term, f->arity), clause_frame))
        return PL_FAIL;
    return pl_match_arguments(engine, goal, goal_frame, term, clause_frame, n < f->arity ? n : f->arity) ? PL_SUCCESS
                                                                                                        : PL_FAIL;
}
