// Steps of solving a goal that both the call of one goal and the conjunction take.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/direct_branch.h"
#include "pie/run/frame.h"
#include "pie/run/head_filter.h"
#include "pie/run/interpreter.h"
#include "pie/run/left_goal_head.h"
#include "pie/run/opening_test.h"
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
// Whether a call of f goes straight to its clauses: a predicate of clauses alone, neither settled
// nor refused nor the direct "is", for which the other steps of pl_call would do nothing.
inline bool pl_calls_clauses_only(const PieEngine* engine, const PlFunctor* f) {
    return !f->builtin && !(f->flags & (PLF_SETTLED | PLF_REFUSE)) && f != engine->direct_is_functor;
}
// pl_call for a goal, dereferenced, of such a functor f: the native level of every call of a
// predicate, kept apart from the rest of pl_call so that it stays small.
[[gnu::hot]] int pl_call_clauses(PieEngine* engine, PlFunctor* f, PlCell* goal, PlFrame* frame, PlList* answers);
// The success step of a call of f that asked its third list alone, after a read of the item in
// place of its default clause's try (default_read.h), limit being the engine's depth limit.
void pl_after_item_read(PieEngine* engine, PlFunctor* f, PlCell* goal, PlFrame* frame, PlList* answers, int limit);
// pl_call_clauses for the body of one goal of a rule, answers being the table pl_one_goal_table
// chose for it (empty, not the query's own): a chain of such bodies runs as levels of one loop,
// which only such a call takes the native frame for.
[[gnu::hot, gnu::noinline]] int pl_call_clauses_in_levels(PieEngine* engine, PlFunctor* f, PlCell* goal,
                                                           PlFrame* frame, PlList* answers);
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

// A rule body's answer table, emptied when the body failed: its entries go back to the engine.
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

// The table a rule body of one goal that is no conjunction records into: straight into answers
// when that holds nothing yet, for the move would leave exactly the body's entries there, else
// own, made empty. The query's own table is read while a body runs (an item's status), and gets
// them only once the body has succeeded.
inline PlList* pl_one_goal_table(const PieEngine* engine, PlList* answers, PlListNode& own) {
    if (answers && answers != engine->run.answers && pl_list_empty(answers)) return answers;
    own = PlListNode{&own, &own, nullptr};
    return &own;
}

// A table that recorded for answers (itself, or one of its own), closed once what recorded into
// it has answered: moved into answers when that succeeded, emptied when it did not.
inline void pl_close_table(PieEngine* engine, bool succeeded, PlList* table, PlList* answers) {
    if (!succeeded)
        pl_drop_answers(engine, table);
    else if (table != answers)
        pl_merge_answers(engine, answers, table);
}

// What a rule's clause answers for what its body answered, the body's table closed; a cut ends
// the clause's list, an undetermined body fails it.
inline int pl_rule_answer(PieEngine* engine, int outcome, PlList* table, PlList* answers) {
    pl_close_table(engine, outcome == PL_SUCCESS, table, answers);
    if (outcome == PL_SUCCESS) return PL_SUCCESS;
    return outcome == PL_CUT ? PL_STOP : outcome == PL_UNDETERMINED ? PL_FAIL : outcome;
}

// pl_call_conjunction for the body of a rule with PLC_OPENING_TEST, as far as pl_run_opening_test
// leaves it: the same outcome, levels and bindings.
[[gnu::always_inline]] inline int pl_call_after_opening_test(PieEngine* engine, PlCell* body, PlFrame* frame,
                                                            PlList* answers) {
    const int test = pl_run_opening_test(engine, body, frame);
    if (test >= 0) return test;
    if (test == kPlBodyAsItIs) return pl_call_conjunction(engine, body, frame, answers);
    // The conjunction after the test answers as the body's next level would have, whose outcome is
    // then the first level's: what the conjunction left when it did not succeed is undone there,
    // as the conjunction's own chain undid it already.
    PlCell* rest = pl_arg(body, 1);
    int outcome;
    if (test == kPlRestOfBuiltins) {
        outcome = pl_call_rest_of_builtins(engine, rest, frame, answers);
    } else {
        const size_t mark = pl_trail_mark(engine);
        outcome = pl_call_conjunction(engine, rest, frame, answers);
        if (outcome != PL_SUCCESS) pl_trail_undo(engine, mark);
    }
    engine->depth -= kPlChainLevels;
    return outcome;
}

// pl_try_user_clause for a rule with PLC_BRANCH (term, its term): its direct try, or the rule's
// route; kPlBranchBodyRan is set in the outcome once its body was called. Out of line: the native
// frames of the calls that try clauses stay as small as they were.
constexpr int kPlBranchBodyRan = 0x100;
template <bool kClausesDirectly>
[[gnu::hot, gnu::noinline]] int pl_try_branch_rule(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* term,
                                         PlFrame* clause_frame, PlList* answers);

// pl_try_user_clause for a clause that is no rule: its head matched, no body.
[[gnu::always_inline]] inline int pl_try_fact(PieEngine* engine, PlCell* goal, PlFrame* goal_frame,
                                              const PlClauseParts& c, PlFrame* clause_frame) {
    PlCell* term = c.term;
    if (term->type != PL_FUNCTOR) pl_fatal_error(engine, PL_ERR_NOT_CALLABLE, "pl_try_clause");
    engine->warning_line = static_cast<int32_t>(c.head->line);
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

// pl_try_clause for a goal whose functor has no built-in, from the clause's parts: the one step
// of solving a goal that every path of the interpreter takes for each clause it tries. body_ran,
// when given, is set once the clause's body is called: after that the clause may have left the
// program, and what was read of it must not be read again. kClausesDirectly takes two steps for a
// body of one goal: a goal of a predicate of clauses alone goes straight to pl_call_clauses, and
// an empty table of the caller is the body's own (pl_one_goal_table); a conjunction's copy of
// these steps leaves both out, for the registers of its own large frame, and matches the
// commonest heads in place (pl_match_left_goal_head). kHeadHere: the heads are matched in place in
// the call of a predicate too, whose frame keeps its size with them (pl_call_clauses); the callers
// whose frames would grow, each a level of a recursion on the native stack, call the match.
// kBranches: a branch rule's try takes its direct path (pie/run/direct_branch.h).
template <bool kClausesDirectly = true, bool kHeadHere = false, bool kBranches = true>
[[gnu::always_inline]] inline int pl_try_user_clause(PieEngine* engine, PlCell* goal, PlFrame* goal_frame,
                                                     const PlClauseParts& c, PlFrame* clause_frame, PlList* answers,
                                                     bool* body_ran = nullptr) {
    // A rule's term is compound: only any other term is seen to be callable first. A warning
    // raised from the test on names this clause.
    if (!c.rule) [[unlikely]] {
        if (kBranches && (c.facts & PLC_BRANCH)) {
            const int outcome =
                pl_try_branch_rule<kClausesDirectly>(engine, goal, goal_frame, c.term, clause_frame, answers);
            if (body_ran && (outcome & kPlBranchBodyRan)) *body_ran = true;
            return outcome & ~kPlBranchBodyRan;
        }
        return pl_try_fact(engine, goal, goal_frame, c, clause_frame);
    }
    engine->warning_line = static_cast<int32_t>(c.head->line);
    if (!(kClausesDirectly && !kHeadHere
              ? pl_match_rule_head(engine, goal, goal_frame, c.head, clause_frame, c.facts)
              : pl_match_left_goal_head(engine, goal, goal_frame, c.head, clause_frame, c.facts)))
        return PL_FAIL;
    if (body_ran) *body_ran = true;
    // The body records into a table of its own, moved into answers when it succeeds and emptied
    // when it fails, or (a body of one goal) into answers itself where that leaves the same.
    PlListNode own;
    PlList* table = &own;
    // Only a body that is a conjunction has a chain to run; any other is called as it is. A
    // compound goal is read as it is: only a variable would need dereferencing first.
    PlCell* goals = pl_arg(c.term, 1);
    PlFunctor* g = goals->type == PL_FUNCTOR ? goals->fn.functor : nullptr;
    int outcome;
    if (g && g->builtin == pl_call_logical_and) {
        own = PlListNode{&own, &own, nullptr};
        outcome = c.facts & PLC_OPENING_TEST ? pl_call_after_opening_test(engine, goals, clause_frame, table)
                                             : pl_call_conjunction(engine, goals, clause_frame, table);
    } else {
        if (kClausesDirectly)
            table = pl_one_goal_table(engine, answers, own);
        else
            own = PlListNode{&own, &own, nullptr};
        if (kClausesDirectly && g && pl_calls_clauses_only(engine, g))
            outcome = pl_call_clauses_in_levels(engine, g, goals, clause_frame, table);
        else
            outcome = pl_call(engine, goals, clause_frame, table);
    }
    return pl_rule_answer(engine, outcome, table, answers);
}
