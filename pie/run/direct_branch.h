// A try of a disjunction's rule ("(_X | _) :- _X." and its kin, PLC_BRANCH) taken as the call of
// the branch the rule's body names. The rule's route makes a frame, matches the head and calls the
// body's variable, which stands for that branch; where the head's match takes its quick steps
// (away from the depth limit and the looks at the native stack) and binds nothing of the goal's
// (the branch is a term and the other argument no unbound variable), the try is that call alone,
// made here without the frame, the match and the variable, in the table the rule's body has and
// with the answer the rule gives. Any other try, and every try of a traced query, takes the route.
// A branch that is itself a disjunction is called without the call's own native levels.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/run/head_walk.h"
#include "pie/run/unify_steps.h"
#include "pie/terms/clause_facts.h"

struct PlListNode;
using PlList = PlListNode;

// The goal a branch's try calls, and the frame it is read in.
struct PlBranch {
    PlCell* goal;
    PlFrame* frame;
};

// The disjunctions and their branch rules as the system rules loaded them (none are made here).
void pl_direct_branch_prepare(PieEngine* engine);

// How a try's body table is chosen: pl_one_goal_table's choice, a table of its own, or answers
// itself (a level of the loop of one-goal bodies, whose table holds nothing while it tries).
enum class PlBranchTable { OneGoal, Own, Given };
constexpr int kPlBranchNotTaken = -1;

// A try of the PLC_BRANCH rule of head for goal (read in goal_frame), with the warning line set as
// the rule's try sets it: the outcome pl_try_user_clause gives, the body's table chosen as table
// tells, or kPlBranchNotTaken where the try must take the rule's route. Out of line: the native frames of
// the calls that try clauses stay as small as they were.
[[gnu::hot, gnu::noinline]] int pl_try_branch(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, const PlCell* head,
                                    PlList* answers, PlBranchTable table);

// pl_call of the branch, recording into table, the body's table of the branch's try: where the
// branch is a disjunction whose functor holds the two branch rules alone, its call and the calls
// of the disjunctions nested to its right are made as the rules would make them, level by level
// in one native frame.
[[gnu::hot]] int pl_call_branch(PieEngine* engine, const PlBranch& branch, PlList* table);

// pl_call of goal, recording into table, untraced, where the goal of not most often reads an
// item: a settled item's status, or its read through its default clause, is taken as a branch of
// a disjunction takes it (the same levels, reads and answer); any other goal is called.
[[gnu::hot]] int pl_call_read_goal(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* table);

// The branch a try of the PLC_BRANCH rule of head calls for goal (read in goal_frame), as the
// head's variable would be bound to it; false where the try must take the rule's route.
[[gnu::always_inline]] inline bool pl_branch_of(PieEngine* engine, PlCell* goal, PlFrame* goal_frame,
                                                const PlCell* head, PlBranch& branch) {
    const PlVector* args = goal->fn.args;
    if ((engine->flags & (PLE_TRACE | PLE_DISJUNCTION_RULES)) || !goal_frame || !pl_levels_quiet(engine, 3 * pl_head_walk::kWeight) ||
        goal->fn.functor != head->fn.functor || !args || args->count != 2)
        return false;
    const uint32_t named = head->fn.args->items[0]->type == PL_VAR ? 0 : 1;
    // The head's "_" binds an unbound variable of the goal's, and leaves a once cell, a member
    // set or any cell but these to the walk.
    const PlCellType other = pl_deref(args->items[1 - named], goal_frame).term->type;
    if (other != PL_ANONYMOUS && other != PL_AND_GROUP && (other < PL_INT || other > PL_NIL)) return false;
    const PlDeref d = pl_deref(args->items[named], goal_frame);
    if (d.term->type != PL_FUNCTOR) return false;
    // The variable takes a term without arguments with no frame.
    branch = {d.term, d.term->fn.args && d.term->fn.args->count ? d.frame : nullptr};
    return true;
}
