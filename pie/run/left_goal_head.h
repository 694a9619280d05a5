// The commonest rule heads matched where a conjunction tries its left goal's clauses, without the
// native call, whose saved registers cost as much as the bindings: heads of rules over numbers,
// p(A, B, C) and p(A, B, C, D), and the head of a rule that walks a list, p([A | B], C), each
// variable met first there, in slots in order.
#pragma once

#include "pie/run/head_plan.h"
#include "pie/run/unify.h"
#include "pie/terms/clause_facts.h"

namespace pl_left_goal_head {

// Such a head of kCount arguments and plan kPlan, as pl_match_planned_head takes it: near the
// depth limit or a look at the native stack, or for a goal of another size, by that function.
template <uint32_t kCount, uint32_t kPlan>
[[gnu::always_inline]] inline int match(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head,
                                        PlFrame* clause_frame, uint32_t facts) {
    using namespace pl_head_plan;
    if (!quick_fits(engine, goal_frame) || crosses_stack_look(engine)) [[unlikely]]
        return pl_match_planned_head(engine, goal, goal_frame, head, clause_frame, facts);
    if (goal->fn.functor != head->fn.functor) return 0;
    const PlVector* goal_args = goal->fn.args;
    if (!goal_args || goal_args->count != kCount || head->fn.args->count != kCount) [[unlikely]]
        return pl_match_planned_head(engine, goal, goal_frame, head, clause_frame, facts);
    return planned_arguments<kCount, kPlan>(engine, clause_frame, goal_frame, goal_args, head->fn.args, 0);
}

}  // namespace pl_left_goal_head

// pl_match_rule_head for those heads laid out in its caller, with their plans known here; any
// other head goes to the functions of its own.
[[gnu::always_inline]] inline int pl_match_left_goal_head(PieEngine* engine, PlCell* goal, PlFrame* goal_frame,
                                                         PlCell* head, PlFrame* clause_frame, uint32_t facts) {
#ifdef __OPTIMIZE__
    // An unoptimised build calls the match each layout stands for: there every layout inline takes
    // stack of its own in the frame of a conjunction, which a recursion takes once a level.
    using namespace pl_left_goal_head;
    constexpr uint32_t kVars4 = pl_first_vars_plan(4), kVars3 = pl_first_vars_plan(3);
    if (pl_head_plan_in_order(facts, kVars4))
        return match<4, kVars4>(engine, goal, goal_frame, head, clause_frame, facts);
    if (pl_head_plan_in_order(facts, kVars3))
        return match<3, kVars3>(engine, goal, goal_frame, head, clause_frame, facts);
    if (pl_head_plan_in_order(facts, kPlListThenVarPlan))
        return match<2, kPlListThenVarPlan>(engine, goal, goal_frame, head, clause_frame, facts);
#endif
    return pl_match_rule_head(engine, goal, goal_frame, head, clause_frame, facts);
}
