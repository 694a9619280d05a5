// A disjunction called as a branch of another, (A | (B | (C | D))) from its second rule on, taken
// as the calls of its rules make it: each nested disjunction is a call of a predicate of clauses
// (a level of depth, then its first rule's branch, then its second's), the branches' answers go
// through the rules' tables, and an outcome passes each level as that call would pass it. The
// nesting is followed in a loop instead of a native call per level; a level whose tries the
// rules' route must take is handed to that route whole. The commonest nesting runs through one
// item's values, whose held status each level's first branch compares with its own atom: such
// levels are passed by that comparison and their call's level alone.
#include "pie/run/direct_branch.h"

#include "pie/run/call_steps.h"
#include "pie/run/default_read.h"
#include "pie/run/head_filter.h"
#include "pie/run/held_status.h"
#include "pie/run/unify.h"
#include "pie/terms/list.h"

namespace {

// The heads of f's branch rules when f is a disjunction that holds the two rules alone, as the
// system rules loaded them (a rule taken out and written again is another), with nothing else a
// call of f would do: no once cell, nothing settled or refused.
[[gnu::always_inline]] inline bool pure_disjunction(const PieEngine* engine, const PlFunctor* f,
                                                    const PlCell*& left, const PlCell*& right) {
    const int which = f == engine->disjunctions[0] ? 0 : f == engine->disjunctions[1] ? 1 : -1;
    const auto none = [](const PlList* list) { return !list || pl_list_empty(list); };
    if (which < 0 || f->builtin || (f->flags & (PLF_SETTLED | PLF_REFUSE)) || f->once_cells || !none(f->clauses[1]) ||
        !none(f->clauses[2]))
        return false;
    const PlList* list = f->clauses[0];
    const PlListNode* first = list ? list->next : nullptr;
    if (!first || first->item != engine->branch_rules[which][0] || first->next->item != engine->branch_rules[which][1] ||
        first->next->next != list)
        return false;
    left = pl_arg(engine->branch_rules[which][0]->clause.term, 0);
    right = pl_arg(engine->branch_rules[which][1]->clause.term, 0);
    return true;
}

// pl_branch_of for both rules of a level of the loop of nested levels, at once: what the two
// looks share (the engine's flags and depth, the goal's arguments) is read once, and each argument
// is dereferenced once for both. The rules are those pure_disjunction found for the goal's functor,
// whose heads pl_direct_branch_prepare took in: of that functor, the first naming its head's first
// argument and the second its second, so that both hold where both arguments are terms: the other
// argument of each is then a term, which the head's "_" takes.
[[gnu::always_inline]] inline bool branches_of(PieEngine* engine, PlCell* goal, PlFrame* frame, PlBranch& first,
                                               PlBranch& second) {
    const PlVector* args = goal->fn.args;
    if ((engine->flags & (PLE_TRACE | PLE_DISJUNCTION_RULES)) || !frame ||
        !pl_levels_quiet(engine, 3 * pl_head_walk::kWeight) || !args || args->count != 2)
        return false;
    const PlDeref a = pl_deref(args->items[0], frame);
    const PlDeref b = pl_deref(args->items[1], frame);
    if (a.term->type != PL_FUNCTOR || b.term->type != PL_FUNCTOR) return false;
    first = {a.term, a.term->fn.args && a.term->fn.args->count ? a.frame : nullptr};
    second = {b.term, b.term->fn.args && b.term->fn.args->count ? b.frame : nullptr};
    return true;
}

bool has_entries(const PlList* list) { return list && !pl_list_empty(list); }

using pl_default_read_detail::is_atom_cell;

// The answer of the goal's atom meeting an item's held status, where the unification answers it at
// once: the same functor matches and another fails (a unary functor's terms that both carry
// arguments are left to the unification, as is any pair away from the quiet levels). compare_atoms
// answers where the unification's levels are known quiet. kAtomValue: the value is known an atom's
// term, compared before.
constexpr int kPlNotCompared = -1;
template <bool kAtomValue = false>
[[gnu::always_inline]] inline int compare_atoms(const PlCell* argument, const PlCell* value) {
    if ((!kAtomValue && (!value || !is_atom_cell(value))) || !is_atom_cell(argument)) return kPlNotCompared;
    const int met = pl_default_read_detail::atoms_meet(argument, value);
    return met < 0 ? kPlNotCompared : met ? PL_SUCCESS : PL_FAIL;
}
template <bool kAtomValue = false>
[[gnu::always_inline]] inline int compare_held(const PieEngine* engine, const PlCell* argument, const PlCell* value) {
    return pl_levels_quiet(engine, kPlUnifyLevels) ? compare_atoms<kAtomValue>(argument, value) : kPlNotCompared;
}

// The levels of a branch's call (4) and of the unification after it that compares: where they are
// quiet, a comparison that answers leaves the depth as it found it and raises nothing, and is
// made without taking them.
constexpr int kPlCallAndCompareLevels = 4 + kPlUnifyLevels;

// pl_call of a branch that reads an item not settled yet (its own value, in its rules), the next
// commonest branch, where propagation asks its third list alone and that list is its default
// clause alone: the call's level, its once cells reset, the read of default_read.h in place of
// the clause's try and the call's success step, as the call takes them. Only where the call's
// level and the body's stay clear of the limit and of a look at the native stack, as they would
// in the call; kPlNotReadDirectly, with nothing done that the call would not do again, elsewhere.
[[gnu::noinline]] int read_item(PieEngine* engine, PlFunctor* f, PlCell* goal, PlFrame* frame, PlList* table) {
    if (!pl_calls_clauses_only(engine, f) || !pl_third_list_only(engine, f) || !has_entries(f->clauses[2]) ||
        !pl_levels_quiet(engine, 4 + pl_default_read_detail::kStatusBodyDepth))
        return kPlNotReadDirectly;
    const int limit = pl_depth_limit(engine);
    const PlDepthGuard depth(engine, "pl_call", 4);
    pl_reset_once_cells(f);
    const size_t mark = pl_trail_mark(engine);
    PlListNode* node = nullptr;
    const int read = pl_read_through_default_clause(engine, f, goal, frame, limit, &node);
    if (read == PL_SUCCESS) {
        pl_after_item_read(engine, f, goal, frame, table, limit);
        return PL_SUCCESS;
    }
    if (read == PL_STOP) {
        pl_trail_undo(engine, mark);
        return PL_FAIL;
    }
    return kPlNotReadDirectly;
}

// The goal's argument meeting an item's held status (a value, not null) at the level of the
// goal's call, as pl_call answers it. compared tells whether the goal's atom alone answered.
template <bool kAtomValue = false>
[[gnu::always_inline]] inline int meet_held(PieEngine* engine, PlCell* goal, PlFrame* frame, PlCell* value,
                                            bool& compared) {
    if (const int answer = compare_held<kAtomValue>(engine, pl_arg(goal, 0), value); answer != kPlNotCompared) {
        compared = true;
        return answer;
    }
    return pl_unify(engine, pl_arg(goal, 0), frame, value, nullptr) ? PL_SUCCESS : PL_FAIL;
}

// pl_call of a branch that reads a settled item (Item(VALUE) of a disjunction of an item's
// values, the commonest branch), as pl_call answers it: the call's level, then the item's status
// unified with the goal's argument, undetermined without one. Any other goal is called. compared
// tells whether the answer came from a held status and the goal's atom alone, with nothing run;
// held is then that status.
[[gnu::always_inline]] inline int call_branch_goal(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* table,
                                                   bool& compared, PlCell*& held) {
    compared = false;
    if (goal->type == PL_FUNCTOR) {
        PlFunctor* f = goal->fn.functor;
        // Of an item's lists, the generated defaults are the one most often held: looked at first.
        if ((f->flags & (PLF_SETTLED | PLF_SYSTEM)) == PLF_SETTLED && f->arity == 1 && !f->owner && !f->builtin &&
            f != engine->direct_is_functor && goal->fn.args && goal->fn.args->count &&
            (has_entries(f->clauses[2]) || has_entries(f->clauses[0]) || has_entries(f->clauses[1]))) {
            // A table that holds nothing holds no answer of the item's: the status is the held one.
            const bool none_recorded = !table || pl_list_empty(table);
            PlCell* value;
            // The goal's atom meeting it is answered first, without the levels where they are quiet.
            if (none_recorded && pl_levels_quiet(engine, kPlCallAndCompareLevels) && pl_held_status(engine, f, value) &&
                value) {
                if (const int answer = compare_atoms(pl_arg(goal, 0), value); answer != kPlNotCompared) {
                    compared = true;
                    held = value;
                    return answer;
                }
            }
            const PlDepthGuard depth(engine, "pl_call", 4);
            if (none_recorded && pl_held_status(engine, f, value)) {
                if (!value) return PL_UNDETERMINED;
                held = value;
                return meet_held(engine, goal, frame, value, compared);
            }
            value = pl_item_status(engine, f, table);
            if (!value) return PL_UNDETERMINED;
            return pl_unify(engine, pl_arg(goal, 0), frame, value, nullptr) ? PL_SUCCESS : PL_FAIL;
        }
        if (const int read = read_item(engine, f, goal, frame, table); read != kPlNotReadDirectly) return read;
    }
    return pl_call(engine, goal, frame, table);
}

// call_branch_goal of a branch, where item is the item of the branch before it whose held status
// the goal's atom answered (null if none), with nothing run since: the looks at that item, its
// clauses, the table and the status answer as they did there, and a goal of the same item has
// only its own argument read, at its call's level.
[[gnu::always_inline]] inline int call_branch_goal_after(PieEngine* engine, const PlBranch& branch, PlList* table,
                                                         const PlFunctor* item, bool& compared, PlCell*& held) {
    PlCell* goal = branch.goal;
    if (item && goal->type == PL_FUNCTOR && goal->fn.functor == item && goal->fn.args && goal->fn.args->count) {
        compared = false;
        if (pl_levels_quiet(engine, kPlCallAndCompareLevels)) {
            if (const int answer = compare_atoms<true>(pl_arg(goal, 0), held); answer != kPlNotCompared) {
                compared = true;
                return answer;
            }
        }
        const PlDepthGuard depth(engine, "pl_call", 4);
        return meet_held<true>(engine, goal, branch.frame, held, compared);
    }
    return call_branch_goal(engine, goal, branch.frame, table, compared, held);
}

}  // namespace

int pl_call_read_goal(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* table) {
    bool compared;
    PlCell* held;
    return call_branch_goal(engine, goal, frame, table, compared, held);
}

void pl_direct_branch_prepare(PieEngine* engine) {
    using namespace pl_head_filter_detail;
    for (int which = 0; which < 2; ++which) {
        PlFunctor* f = engine->predefined[which ? PLP_semicolon_2 : PLP_bar_2];
        const PlList* list = f->clauses[0];
        if (f->builtin || !(f->flags & PLF_SYSTEM) || !list || list->next == list || list->next->next == list ||
            list->next->next->next != list)
            continue;
        auto* left = static_cast<PlCell*>(list->next->item);
        auto* right = static_cast<PlCell*>(list->next->next->item);
        // The loop of nested levels reads neither head again: each is f's, of two arguments, and
        // names the argument its place tells.
        const auto names = [&](const PlCell* rule, int argument) {
            if (!is_record(rule) || !(facts_of(engine, rule).bits & PLC_BRANCH)) return false;
            const PlCell* head = pl_arg(rule->clause.term, 0);
            return head->type == PL_FUNCTOR && head->fn.functor == f && head->fn.args && head->fn.args->count == 2 &&
                   (pl_arg(head, 0)->type == PL_VAR ? 0 : 1) == argument;
        };
        if (!names(left, 0) || !names(right, 1)) continue;
        engine->disjunctions[which] = f;
        engine->branch_rules[which][0] = left;
        engine->branch_rules[which][1] = right;
    }
}

namespace {

// pl_try_branch, laid out where a rule's try takes it.
[[gnu::always_inline]] inline int try_branch(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, const PlCell* head,
                                             PlList* answers, PlBranchTable table) {
    PlBranch branch;
    if (!pl_branch_of(engine, goal, goal_frame, head, branch)) return kPlBranchNotTaken;
    PlListNode own;
    PlList* body_table = answers;
    if (table == PlBranchTable::OneGoal) {
        body_table = pl_one_goal_table(engine, answers, own);
    } else if (table == PlBranchTable::Own) {
        own = PlListNode{&own, &own, nullptr};
        body_table = &own;
    }
    // Most branches are no disjunction: they are called here.
    const PlFunctor* f = branch.goal->fn.functor;
    bool compared;
    PlCell* held;
    const int outcome = f == engine->disjunctions[0] || f == engine->disjunctions[1]
                            ? pl_call_branch(engine, branch, body_table)
                            : call_branch_goal(engine, branch.goal, branch.frame, body_table, compared, held);
    return pl_rule_answer(engine, outcome, body_table, answers);
}

}  // namespace

int pl_try_branch(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, const PlCell* head, PlList* answers,
                  PlBranchTable table) {
    return try_branch(engine, goal, goal_frame, head, answers, table);
}

namespace {

// The rule's route, for a try the direct path does not hold for: apart, so that the direct try
// stays small among the interpreter's hot steps.
template <bool kClausesDirectly>
[[gnu::cold, gnu::noinline]] int branch_rule_route(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* term,
                                                   PlFrame* clause_frame, PlList* answers) {
    // The parts of a rule: a branch rule's head has no plan.
    const PlClauseParts c{term, pl_arg(term, 0), 0, true, PLC_KNOWN | PLC_BRANCH};
    bool body_ran = false;
    const int route =
        pl_try_user_clause<kClausesDirectly, false, false>(engine, goal, goal_frame, c, clause_frame, answers, &body_ran);
    return body_ran ? route | kPlBranchBodyRan : route;
}

}  // namespace

template <bool kClausesDirectly>
int pl_try_branch_rule(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* term, PlFrame* clause_frame,
                       PlList* answers) {
    PlCell* head = pl_arg(term, 0);
    // The warning line the rule's try names, as the route sets it before its head's match.
    engine->warning_line = static_cast<int32_t>(head->line);
    const int outcome = try_branch(engine, goal, goal_frame, head, answers,
                                   kClausesDirectly ? PlBranchTable::OneGoal : PlBranchTable::Own);
    if (outcome != kPlBranchNotTaken) [[likely]]
        return outcome | kPlBranchBodyRan;
    return branch_rule_route<kClausesDirectly>(engine, goal, goal_frame, term, clause_frame, answers);
}
template int pl_try_branch_rule<true>(PieEngine*, PlCell*, PlFrame*, PlCell*, PlFrame*, PlList*);
template int pl_try_branch_rule<false>(PieEngine*, PlCell*, PlFrame*, PlCell*, PlFrame*, PlList*);

namespace {

// The levels a level of the loop passes through at its most: its call's (4), the branches' look (3
// head walks), then a branch's call (4) and the unification that compares.
constexpr int kPlComparedLevelDepth =
    4 + (3 * pl_head_walk::kWeight > 4 + kPlUnifyLevels ? 3 * pl_head_walk::kWeight : 4 + kPlUnifyLevels);

// Passes the levels of the loop, from goal (read in frame) on, whose first branch reads item, whose
// held status (held, an atom's term) the level before compared with its goal's atom, and whose own
// atom is another, where each level stays clear of the limit and of a look at the native stack: the
// steps would fail that branch there and go on to the second. Where that is a disjunction of the
// same functor, the level leaves the bindings, the table (empty), the disjunction's flags and the
// warning line (its second rule's, as the level before left it) as it found them, and keeps its
// call's level: that level alone is taken here. Where the second branch reads the item as well,
// its atom answers the call as the level's step would (kPlNotCompared where that atom does not
// answer it); else kPlNotCompared, goal and frame left at the first level not passed.
[[gnu::always_inline]] inline int pass_compared_levels(PieEngine* engine, PlDepthRun& depth, PlCell*& goal,
                                                       PlFrame*& frame, const PlFunctor* item, const PlCell* held) {
    const PlFunctor* f = goal->fn.functor;
    const PlFunctor* value = held->fn.functor;
    while (frame && pl_levels_quiet(engine, kPlComparedLevelDepth)) {
        const PlVector* args = goal->fn.args;
        if (!args || args->count != 2) break;
        const PlDeref a = pl_deref(args->items[0], frame);
        if (a.term->type != PL_FUNCTOR || a.term->fn.functor != item || !a.term->fn.args || !a.term->fn.args->count)
            break;
        const PlCell* argument = pl_arg(a.term, 0);
        if (!is_atom_cell(argument) || argument->fn.functor == value) break;
        const PlDeref b = pl_deref(args->items[1], frame);
        PlCell* second = b.term;
        if (second->type != PL_FUNCTOR) break;
        if (second->fn.functor != f) {
            // The last level, whose second branch is no disjunction: called after the first's failure.
            if (second->fn.functor != item || !second->fn.args || !second->fn.args->count) break;
            const int answer = compare_atoms<true>(pl_arg(second, 0), held);
            if (answer != kPlNotCompared) depth.take_quietly(4);
            return answer;
        }
        depth.take_quietly(4);
        goal = second;
        frame = second->fn.args && second->fn.args->count ? b.frame : nullptr;
    }
    return kPlNotCompared;
}

}  // namespace

int pl_call_branch(PieEngine* engine, const PlBranch& branch, PlList* table) {
    PlCell* goal = branch.goal;
    PlFrame* frame = branch.frame;
    const PlCell* left_head;
    const PlCell* right_head;
    // The body's table is the branch's: a nested rule's body records straight into it
    // (pl_one_goal_table) while it holds nothing and is not the query's own.
    if (!pure_disjunction(engine, goal->fn.functor, left_head, right_head) || !table ||
        table == engine->run.answers || !pl_list_empty(table))
        return pl_call(engine, goal, frame, table);
    // The levels of the nested calls, given back however the loop ends.
    PlDepthRun depth(engine, "pl_call");
    int outcome = PL_FAIL;
    // The item of the branch last answered by its held status alone, and that status: the
    // branches of a disjunction most often read one item, for each of its values in turn.
    const PlFunctor* compared_item = nullptr;
    PlCell* held = nullptr;
    for (;;) {
        // The level pl_call_clauses takes for the call of the disjunction.
        depth.take(4, "pl_call");
        PlFunctor* f = goal->fn.functor;
        PlBranch first, second;
        // Both tries are decided at once: the second is tried with the bindings the first found.
        if (!branches_of(engine, goal, frame, first, second)) {
            depth.give(4);
            outcome = pl_call(engine, goal, frame, table);
            break;
        }
        if (f->flags & PLF_ALL_LISTS) f->flags &= ~PLF_ALL_LISTS;
        engine->warning_line = static_cast<int32_t>(left_head->line);
        const size_t mark = pl_trail_mark(engine);
        bool compared;
        const int answer = pl_rule_answer(
            engine, call_branch_goal_after(engine, first, table, compared_item, compared, held), table, table);
        compared_item = compared ? first.goal->fn.functor : nullptr;
        if (answer == PL_SUCCESS) {
            outcome = PL_SUCCESS;
            break;
        }
        // A branch the goal's atom answered bound nothing.
        if (!compared) pl_trail_undo(engine, mark);
        // A cut in the branch ends the level's rules: its call fails, and so does each call above.
        if (answer != PL_FAIL) break;
        engine->warning_line = static_cast<int32_t>(right_head->line);
        // A level whose first branch ran nothing leaves its disjunction as it found it: a nested
        // one of the same functor holds the same two rules alone.
        if (second.goal->type == PL_FUNCTOR && compared && second.goal->fn.functor == f) {
            goal = second.goal;
            frame = second.frame;
            if (const int answer = pass_compared_levels(engine, depth, goal, frame, compared_item, held);
                answer != kPlNotCompared) {
                outcome = answer;
                break;
            }
            continue;
        }
        if (second.goal->type == PL_FUNCTOR &&
            pure_disjunction(engine, second.goal->fn.functor, left_head, right_head)) {
            goal = second.goal;
            frame = second.frame;
            continue;
        }
        if (pl_rule_answer(engine, call_branch_goal_after(engine, second, table, compared_item, compared, held), table,
                           table) == PL_SUCCESS) {
            outcome = PL_SUCCESS;
            break;
        }
        if (!compared) pl_trail_undo(engine, mark);
        break;
    }
    return outcome;
}
