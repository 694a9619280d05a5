// The try of a fact p(K, V, V) (PLC_JOINING_FACT, pie/terms/clause_facts.h), app([], L, L), laid
// out in the loop of one-goal bodies: the end of every walk of a list-building rule, matched
// without the generic steps of a fact's try, which test each argument's cells for every kind.
#pragma once

#include "pie/run/call_steps.h"
#include "pie/run/head_plan.h"

// pl_try_fact for a fact of clause parts c, with first the goal's first argument as the look at
// first arguments left it (pl_head_filter_key_at): the same answer, bindings and trail. The
// common goal p(K, T, R), T standing for a constant or a structure and R for an unbound variable,
// binds V to T and R to what V stands for; every other goal, and a try near the depth limit or at
// a look at the native stack, goes to pl_try_fact with nothing bound.
[[gnu::always_inline]] inline int pl_try_fact_here(PieEngine* engine, PlCell* goal, PlFrame* goal_frame,
                                                  const PlClauseParts& c, PlFrame* clause_frame, const PlCell* first) {
    using namespace pl_head_plan;
    const PlVector* goal_args = goal->fn.args;
    const PlFunctor* f = goal->fn.functor;
    if (!(c.facts & PLC_JOINING_FACT) || !goal_args || goal_args->count < 3 || f->arity < 3 || f->owner ||
        !quick_fits(engine, goal_frame) || crosses_stack_look(engine)) [[unlikely]]
        return pl_try_fact(engine, goal, goal_frame, c, clause_frame);
    // The look follows a first argument that can clash to its end: any other is left to the
    // generic steps, which may bind it.
    const PlCellType kind = first->type;
    if (!pl_head_filter_detail::comparable(kind)) [[unlikely]]
        return pl_try_fact(engine, goal, goal_frame, c, clause_frame);
    engine->warning_line = static_cast<int32_t>(c.head->line);
    // K is [] or an integer, as the facts keep its type.
    if (kind != (c.facts & PLC_FIRST_TYPE)) return PL_FAIL;
    if (kind == PL_INT) {
        const PlCell* constant = c.head->fn.args->items[0];
        if (first != constant && first->value != constant->value) return PL_FAIL;
    }
    PlBinding* const slot = clause_frame->slots();  // V's, unbound in the fresh frame
    PlCell* a = goal_args->items[1];
    PlFrame* fa = goal_frame;
    PlBinding* goal_slot = nullptr;
    PlFrame* goal_slot_frame = nullptr;
    goal_at<true>(a, fa, goal_slot, goal_slot_frame);
    const PlCellType taken = a->type;
    if (taken != PL_INT && taken != PL_LIST && taken != PL_FUNCTOR && taken != PL_NIL) [[unlikely]]
        return pl_try_fact(engine, goal, goal_frame, c, clause_frame);
    take_term(slot, a, fa);
    PlCell* r = goal_args->items[2];
    PlFrame* fr = goal_frame;
    goal_slot = nullptr;
    goal_at<true>(r, fr, goal_slot, goal_slot_frame);
    if (r->type == PL_UNBOUND &&
        (!goal_slot || bind_goal_slot<true>(engine, clause_frame, goal_slot, goal_slot_frame, slot->term, slot->frame)))
        [[likely]]
        return PL_SUCCESS;
    // R stands for a term, or the trail has no room: V is made unbound again, as the fresh frame
    // holds it, and the generic steps take the try from the start.
    slot->term = engine->cell.unbound;
    slot->frame = nullptr;
    return pl_try_fact(engine, goal, goal_frame, c, clause_frame);
}
