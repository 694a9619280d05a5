// The head of a rule over numbers, p(A, B, C, D) with each variable met first in slots 0 to 3,
// matched where a conjunction tries its left goal's clauses: without the native call, whose saved
// registers cost as much as the four bindings.
#pragma once

#include "pie/run/head_plan.h"
#include "pie/run/unify.h"
#include "pie/terms/clause_facts.h"

// pl_match_rule_head for such a head laid out in its caller, with its plan known here; any other
// head, and one near the depth limit or a look at the native stack, or of another size than its
// goal, goes to the functions of its own, which take it the same way.
[[gnu::always_inline]] inline int pl_match_head_of_vars_here(PieEngine* engine, PlCell* goal, PlFrame* goal_frame,
                                                            PlCell* head, PlFrame* clause_frame, uint32_t facts) {
    using namespace pl_head_plan;
    constexpr uint32_t kVars = pl_head_plan_bit(PLH_FIRST_VAR, 0) | pl_head_plan_bit(PLH_FIRST_VAR, 1) |
                               pl_head_plan_bit(PLH_FIRST_VAR, 2) | pl_head_plan_bit(PLH_FIRST_VAR, 3);
    if ((facts & (PLC_HEAD_PLAN | PLC_SLOTS_IN_ORDER)) != (kVars | PLC_SLOTS_IN_ORDER))
        return pl_match_rule_head(engine, goal, goal_frame, head, clause_frame, facts);
    if (!quick_fits(engine, goal_frame) || crosses_stack_look(engine)) [[unlikely]]
        return pl_match_planned_head(engine, goal, goal_frame, head, clause_frame, facts);
    if (goal->fn.functor != head->fn.functor) return 0;
    const PlVector* goal_args = goal->fn.args;
    if (!goal_args || goal_args->count != 4 || head->fn.args->count != 4) [[unlikely]]
        return pl_match_planned_head(engine, goal, goal_frame, head, clause_frame, facts);
    return planned_arguments<4, kVars>(engine, clause_frame, goal_frame, goal_args, head->fn.args, 0);
}
