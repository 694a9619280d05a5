// Solving one goal: clause lists tried in their order with a fresh frame per clause, bindings of
// a failed attempt undone, a successful clause settled into its caller before its frame goes.
#include "pie/run/interpreter.h"

#include "pie/run/call_steps.h"
#include "pie/run/changed_table.h"
#include "pie/run/clause_index.h"
#include "pie/run/direct_is.h"
#include "pie/api/engine.h"
#include "pie/run/fact_plan.h"
#include "pie/run/frame.h"
#include "pie/run/head_filter.h"
#include "pie/run/head_plan.h"
#include "pie/run/record_goal.h"
#include "pie/run/settle_quick.h"
#include "pie/run/walk_levels.h"
#include "pie/run/walk_recording.h"
#include "pie/host/host_slots.h"
#include "pie/host/host_values.h"
#include "pie/terms/list.h"
#include "pie/text/trace.h"
#include "pie/run/unify.h"

#include <climits>

bool pl_list_empty_or_null(const PlList* list) { return !list || pl_list_empty(list); }

namespace {

// Once cells remember the exact outcome of their first run (a stop only where a left goal of a
// conjunction ran).
int once_state_of(int outcome) {
    switch (outcome) {
    case PL_SUCCESS: return 1;
    case PL_FAIL: return 2;
    case PL_CUT: return 3;
    case PL_STOP: return 5;
    default: return 4;
    }
}
int outcome_of_state(int state) {
    switch (state) {
    case 1: return PL_SUCCESS;
    case 2: return PL_FAIL;
    case 3: return PL_CUT;
    case 5: return PL_STOP;
    default: return PL_UNDETERMINED;
    }
}

[[gnu::always_inline]] inline bool has_clauses(const PlFunctor* f) {
    return f->builtin || !pl_list_empty_or_null(f->clauses[0]) || !pl_list_empty_or_null(f->clauses[1]) ||
           !pl_list_empty_or_null(f->clauses[2]);
}

}  // namespace

void pl_reset_once_cell_list(PlFunctor* f) {
    pl_list_each(f->once_cells, [](void* cell) { static_cast<PlCell*>(cell)->once.state = 0; });
}

PlFunctor* pl_callable_functor(PieEngine* engine, const PlDeref& goal) {
    if (goal.term->type != PL_FUNCTOR) pl_fatal_error(engine, PL_ERR_NOT_CALLABLE, "pl_call");
    return goal.term->fn.functor;
}

namespace {

// A settled item is answered from its value, not from its clauses.
int call_settled_item(PieEngine* engine, PlFunctor* f, PlCell* goal, PlFrame* frame, PlList* answers) {
    if (f->arity != 1 || (f->flags & PLF_SYSTEM)) return PL_UNDETERMINED;
    PlCell* value = nullptr;
    if (f->owner) {
        if (goal->fn.args->count <= f->arity) return PL_UNDETERMINED;
        const PlDeref key = pl_deref(pl_arg(goal, f->arity), frame);
        if (key.term->type != PL_FUNCTOR) return PL_UNDETERMINED;
        value = pie_read_property(engine, pl_unary_functor(engine, f->owner), key.term->fn.functor, f);
    } else {
        value = pl_item_status(engine, f, answers);
    }
    if (!value) return PL_UNDETERMINED;
    return pl_unify(engine, pl_arg(goal, 0), frame, value, nullptr) ? PL_SUCCESS : PL_FAIL;
}

// Step after a successful call: record what it bound, mark reasons and controls, enter the
// changed table. Inline: every successful call of a predicate takes it. limit: the engine's depth
// limit, which the call has read. third_only is read where it is kept, after the recording: a
// level of the loop of one-goal bodies keeps it in memory already. kRecord: what the recording
// does (walk_recording.h): the goal's own, none (left to the caller: f then takes three arguments
// and is no system functor), none again right after the call below left it (f is then the last
// entry of the changed table already), or the caller's after a walk.
enum class Recorded { kOwn, kLeft, kLeftAgain, kAfterWalk };
template <Recorded kRecord = Recorded::kOwn>
[[gnu::always_inline]] inline void after_success(PieEngine* engine, PlFunctor* f, PlCell* goal, PlFrame* frame,
                                                 PlList* answers, const bool& third_only, int limit) {
    constexpr bool kLeftHere = kRecord == Recorded::kLeft || kRecord == Recorded::kLeftAgain;
    if (!kLeftHere && ((f->flags & PLF_SYSTEM) || f->arity == 0)) return;
    // What bound_last_query does for a goal whose variables are followed, without its call.
    if constexpr (!kLeftHere)
        pl_recording::record_goal<kRecord == Recorded::kAfterWalk>(engine, answers, f, goal, frame, limit);
    if (third_only) {
        if (f->flags & PLF_KEEP_REASON) f->flags |= PLF_REASON_SET;
    } else if (!kLeftHere && f->arity == 1 && !(f->flags & (PLF_SYSTEM | PLF_HOST_FACT)) &&
               (f->flags & PLF_IN_PROPAGATION)) {
        int32_t control = 0;
        if (pie_item_call<PIE_OP_HasControl>(engine, f, &control) == 0 && control == 1) f->flags |= PLF_HAS_CONTROL;
    }
    if constexpr (kRecord == Recorded::kLeftAgain) return;
    pl_changed_enter(engine, f);
}

// Tries the clauses of one list in order, each in a fresh frame, until one gives an outcome other
// than fail; key is the goal's side of the look at first arguments, worked out for a goal of
// clauses (kUser) when a clause first needs it, limit being the engine's depth limit. A goal of a
// built-in (kUser false) runs the built-in once for each clause the look lets through. Inline in
// the call of a predicate: no native call between a goal and the body of the clause that solves it.
// kIndexed: list is a list of the goal's functor, whose index (clause_index.h) answers the look
// from its first clause; a list given by a caller may be another's.
template <bool kUser, bool kHeadHere = false, bool kIndexed = false>
[[gnu::always_inline]] inline int try_list(PieEngine* engine, PlList* list, PlCell* goal, PlFrame* goal_frame,
                                           PlLazyKey& key, int limit, PlList* answers) {
    PlFunctor* f = goal->fn.functor;
    for (PlListNode* node = list->next; node != list; node = node->next) {
        PlFrame* frame;
        int outcome;
        size_t mark;
        if constexpr (kUser) {
            // The last clause of a list is most often the one that answers: it is tried without
            // the look (see pl_look_after_try).
            if (node->next != list && pl_head_may_clash(engine, static_cast<PlCell*>(node->item)))
                if (const PlCell* ours = pl_lazy_key(engine, goal, goal_frame, limit, key)) {
                    // Most often several clauses are passed over: the key is read once for all.
                    const uint64_t word = pl_head_filter_detail::key_word(ours);
                    if (pl_head_clashes(engine, f, word, static_cast<PlCell*>(node->item)))
                        node = pl_look_past(engine, list, f, word, node, kIndexed);
                }
            auto* clause = static_cast<PlCell*>(node->item);
            const bool last = node->next == list;
            const PlClauseParts c = pl_clause_parts(engine, clause);
            const int32_t line = engine->warning_line;
            mark = pl_trail_mark(engine);
            frame = pl_frame_alloc(engine, c.variables, goal_frame, nullptr);
            bool body_ran = false;
            outcome = pl_try_user_clause<true, kHeadHere>(engine, goal, goal_frame, c, frame, answers, &body_ran);
            if (last && outcome == PL_FAIL) {
                pl_trail_undo(engine, mark);
                pl_frame_release(engine, frame);
                if (!body_ran) pl_look_after_try_lazily(engine, f, goal, goal_frame, limit, key, clause, line);
                continue;
            }
        } else {
            auto* clause = static_cast<PlCell*>(node->item);
            if (key.key && pl_head_clashes(engine, f, key.key, clause)) continue;
            mark = pl_trail_mark(engine);
            frame = pl_frame_alloc(engine, pl_clause_variables(clause), goal_frame, nullptr);
            outcome = pl_try_clause(engine, goal, goal_frame, clause, frame, answers);
        }
        if (outcome == PL_SUCCESS) {
            // Every clause is settled, system ones too: the caller must never read a released frame.
            pl_settle_frames(engine, frame, mark);
            pl_frame_release(engine, frame);
            return PL_SUCCESS;
        }
        pl_trail_undo(engine, mark);
        pl_frame_release(engine, frame);
        if (outcome != PL_FAIL) return outcome;
    }
    return PL_FAIL;
}

// Tries the lists of f in order until one gives an outcome other than fail.
// The goal's side of the look at first arguments is the same for every list. kHeadHere as for
// pl_try_user_clause.
template <bool kHeadHere = false>
[[gnu::always_inline]] inline int try_lists(PieEngine* engine, PlFunctor* f, PlCell* goal, PlFrame* frame,
                                            PlList* answers, bool third_only, int limit) {
    if (f->builtin) return pl_try_clause(engine, goal, frame, nullptr, nullptr, answers);
    PlLazyKey key{PlLazyKey::unread()};
    if (!third_only) f->flags &= ~PLF_ALL_LISTS;
    for (int i = third_only ? 2 : 0; i < 3; ++i)
        if (PlList* list = f->clauses[i])
            if (int outcome = try_list<true, kHeadHere, true>(engine, list, goal, frame, key, limit, answers))
                return outcome;
    return PL_FAIL;
}

// A once cell met where a goal is called. Its first run is that call; an answer given again from
// the cell stands for a call that succeeded again, so the call's success step is taken again:
// what the goal bound is recorded, and the query learns of the read just as it would have.
int call_once(PieEngine* engine, PlCell* once, PlFrame* frame, PlList* answers) {
    if (!once->once.state) {
        const int outcome = pl_call(engine, once->once.goal, frame, answers);
        once->once.state = once_state_of(outcome);
        return outcome;
    }
    const int outcome = outcome_of_state(once->once.state);
    if (outcome == PL_SUCCESS) {
        const PlDeref g = pl_deref(once->once.goal, frame);
        if (g.term->type == PL_FUNCTOR)
            after_success(engine, g.term->fn.functor, g.term, g.frame, answers,
                          pl_third_list_only(engine, g.term->fn.functor), pl_depth_limit(engine));
    }
    return outcome == PL_STOP ? PL_FAIL : outcome;
}

}  // namespace

int pl_call_once_left(PieEngine* engine, PlCell* once, PlFrame* frame, PlList* answers) {
    if (once->once.state) return outcome_of_state(once->once.state);
    const PlDeref g = pl_deref(once->once.goal, frame);
    int outcome = PL_FAIL;
    if (g.term->type != PL_FUNCTOR) {
        outcome = pl_call(engine, g.term, g.frame, answers);
    } else if (PlFunctor* f = g.term->fn.functor; f->builtin) {
        outcome = pl_try_clause(engine, g.term, g.frame, nullptr, nullptr, answers);
    } else {
        pl_reset_once_cells(f);
        for (int i = pl_third_list_only(engine, f) ? 2 : 0; i < 3 && outcome == PL_FAIL; ++i)
            outcome = pl_try_clause_list(engine, f->clauses[i], g.term, g.frame, f, answers);
    }
    once->once.state = once_state_of(outcome);
    return outcome;
}

namespace {

// The clauses of f tried for goal, after its tests: the outcome of the call, after its success
// step. Inline in pl_call_clauses: the call of a predicate is one native level. kHeadHere as for
// pl_try_user_clause.
template <bool kHeadHere = false>
[[gnu::always_inline]] inline int call_clauses(PieEngine* engine, PlFunctor* f, PlCell* goal, PlFrame* frame,
                                               PlList* answers, int limit) {
    if (!has_clauses(f)) return PL_FAIL;
    pl_reset_once_cells(f);
    const bool third_only = pl_third_list_only(engine, f);
    const int outcome = try_lists<kHeadHere>(engine, f, goal, frame, answers, third_only, limit);
    if (outcome == PL_SUCCESS) after_success(engine, f, goal, frame, answers, third_only, limit);
    return outcome == PL_STOP ? PL_FAIL : outcome;
}

// The outcome of a predicate call, after its success step.
[[gnu::noinline]] int call_predicate(PieEngine* engine, PlFunctor* f, PlCell* goal, PlFrame* frame, PlList* answers) {
    if (f == engine->direct_is_functor && !(engine->flags & PLE_TRACE))
        if (const int outcome = pl_direct_is(engine, goal, frame); outcome != PL_UNDETERMINED) return outcome;
    if (!has_clauses(f)) return PL_FAIL;
    if ((f->flags & PLF_SETTLED) && !(f->flags & PLF_SYSTEM)) return call_settled_item(engine, f, goal, frame, answers);
    if (f->flags & PLF_REFUSE) return PL_FAIL;
    return call_clauses(engine, f, goal, frame, answers, pl_depth_limit(engine));
}

}  // namespace

PlCell* pl_clause_term(const PlCell* clause) {
    return clause->type >= PL_CLAUSE && clause->type <= PL_QUERY_CLAUSE ? clause->clause.term
                                                                          : const_cast<PlCell*>(clause);
}

uint32_t pl_clause_variables(const PlCell* clause) {
    return clause->type >= PL_CLAUSE && clause->type <= PL_QUERY_CLAUSE ? clause->clause.var_count : 0;
}

void pl_table_enter(PieEngine* engine, PlList* table, PlFunctor* functor) {
    if (!pl_table_holds(table, functor)) pl_list_append(engine, table, functor);
}

bool pl_table_holds(const PlList* table, const PlFunctor* functor) {
    // From the last entry back: a functor is entered again most often soon after it was entered
    // (a rule's reasons and display words, then its success), which the walk then meets first.
    for (const PlListNode* node = table->prev; node != table; node = node->prev)
        if (node->item == functor) return true;
    return false;
}

namespace {

// One call of a predicate of clauses alone among those run in one native frame: what it needs
// once the body of the clause it stands on has answered. Kept small: the levels live in that
// frame. The call's table is not among them: as each level's body records straight into it, it
// is the table of a body of one goal (pl_one_goal_table) at every level, and holds nothing while
// a clause is tried.
struct CallLevel {
    PlCell* goal;  // compound, of f
    PlFunctor* f;  // without a built-in
    PlFrame* frame;
    PlCell* first;         // the goal's first argument as far as the look followed it, for the head match
    PlFrame* first_frame;  // the frame first is read in
    PlListNode* node;      // the clause tried
    PlFrame* clause_frame;
    size_t mark_bytes;  // the trail's mark before the try, as pl_trail_mark_bytes
    // Apart from node: the two, stored side by side, would be gathered into one vector store.
    PlList* list;        // the list node is in
    int32_t line;  // the warning line before the try, put back where the look would have passed it
    bool third_only;
    bool keyed;  // first is the goal's side of the look at first arguments (else there is none)
};

// Calls run in one native frame; a deeper one goes on in a frame of its own. Only a chain of
// bodies of one goal takes such a frame: a call whose bodies are conjunctions keeps the small
// frame of pl_call_clauses, so that recursion through conjunctions reaches as deep as before.
constexpr int kCallLevels = 16;
static_assert(sizeof(CallLevel) == 80, "a frame of the loop holds its levels in 1,280 bytes");

// The first list of f from list i on that holds clauses; 3 when none does.
inline int list_with_clauses(const PlFunctor* f, int i) {
    while (i < 3 && pl_list_empty_or_null(f->clauses[i])) ++i;
    return i;
}

// The clause after l->node, from the next list with clauses when its list is done; false when
// no list is left. A list once made stays the functor's, at its place among its lists: where
// the level stands is found from the list when it is done, not kept.
[[gnu::always_inline]] inline bool next_clause(CallLevel* l) {
    l->node = l->node->next;
    if (l->node != l->list) return true;
    int i = 0;
    while (i < 3 && l->f->clauses[i] != l->list) ++i;
    if ((i = list_with_clauses(l->f, i + 1)) >= 3) return false;
    l->list = l->f->clauses[i];
    l->node = l->list->next;
    return true;
}

// A level of a walk (walk_levels.h) opened on node of the rule's list: what the loop's general
// steps would have stored there for that clause, but for its frame.
[[gnu::always_inline]] inline void open_walk_level(PieEngine* engine, CallLevel* l, PlCell* goal, PlFunctor* f,
                                                   PlFrame* frame, PlCell* first, PlFrame* first_frame,
                                                   PlList* list, PlListNode* node) {
    l->goal = goal;
    l->f = f;
    l->frame = frame;
    l->third_only = false;
    l->keyed = true;
    l->first = first;
    l->first_frame = first_frame;
    l->list = list;
    l->node = node;
    l->line = engine->warning_line;
    l->mark_bytes = pl_trail_mark_bytes(engine);
}

// A call's level of depth, taken as PlDepthGuard takes it.
[[gnu::always_inline]] inline void take_call_level(PieEngine* engine, int limit) {
    pl_depth_take(engine, 4, limit, "pl_call");
}

// The same inside the loop, whose levels share one native frame: the stack's look gives every
// level the answer it gives the first. Where that answer is room with nothing noted (the frame
// above the deep mark), quiet is the depth limit and a level is taken by the limit's test alone;
// elsewhere quiet is below any depth and every level takes the whole test.
[[gnu::always_inline]] inline void take_loop_level(PieEngine* engine, int quiet, int limit) {
    if (engine->depth + 4 <= quiet) [[likely]] {
        engine->depth += 4;
        return;
    }
    take_call_level(engine, limit);
}

// The calls of a predicate of clauses alone from a call of f for goal on, whose level of depth is
// taken: a rule body of one goal of such a predicate is the next level of the loop, not a native
// call. Each level does exactly what call_clauses does with try_lists and try_list (the same
// tries in the same order, the same level of depth taken at the same step), without the native
// frame and the saved registers of a call per logical inference.
[[gnu::always_inline]] inline int run_levels(PieEngine* engine, PlFunctor* f, PlCell* goal, PlFrame* frame,
                                             PlList* answers, int limit) {
    CallLevel levels[kCallLevels];
    volatile char probe = 0;
    const auto here = reinterpret_cast<uintptr_t>(&probe);
    const int quiet = here >= engine->stack_deep_mark ? limit : INT_MIN;
    CallLevel* l = levels;
    // The outcome of the clause at l->node once its body ran (tried), or of the level's call (leave).
    int outcome = PL_FAIL;
    // A level that succeeded left its recording to the one above (walk_recording.h), and the last
    // clause found to walk into its functor.
    bool left = false;
    pl_walk_recording::Walk walk;
    // The rule of the walk whose levels the steps of walk_levels.h take, as its first level read it.
    pl_walk_levels::Rule rule;
    // Whether the stack stands far from its deep mark (pl_head_plan::stack_far_from_deep), for the
    // head matches of the walk's levels: the answer is the same for every look from this frame.
    bool far_from_deep = false;
    // The steps of a level jump straight to one another: a loop over a step variable paid an
    // indirect branch at every step of every level.
enter : {
    // f, goal and frame are the level's: a level entered reads them from the registers
    // they were found in.
    l->goal = goal;
    l->f = f;
    l->frame = frame;
    // The first list with clauses; with none the call fails before any other step. The
    // first list, the commonest, is kept as it is read.
    int first = 0;
    PlList* list = f->clauses[0];
    if (pl_list_empty_or_null(list)) [[unlikely]] {
        if ((first = list_with_clauses(f, 1)) == 3) {
            outcome = PL_FAIL;
            goto leave;
        }
        list = f->clauses[first];
    }
    pl_reset_once_cells(f);
    if (pl_third_list_only(engine, f)) [[unlikely]] {
        l->third_only = true;
        if ((first = list_with_clauses(f, 2)) == 3) {
            outcome = PL_FAIL;
            goto leave;
        }
        list = f->clauses[first];
    } else {
        l->third_only = false;
        // Stored only when set: most calls find it clear.
        if (f->flags & PLF_ALL_LISTS) [[unlikely]]
            f->flags &= ~PLF_ALL_LISTS;
    }
    l->keyed = pl_head_filter_key_at(engine, f, goal, frame, limit, l->first, l->first_frame);
    l->list = list;
    l->node = list->next;
}
next : {
    // The clause at l->node in l->list, which is never the list's end.
    PlList* list = l->list;
    // The last clause of a list is most often the one that answers: it is tried without
    // the look (see pl_look_after_try).
    PlListNode* node = l->node;
    auto* clause = static_cast<PlCell*>(node->item);
    if (l->keyed) {
        // Read once for all the clauses passed over, as try_list does.
        const uint64_t key = pl_head_filter_detail::key_word(l->first);
        const PlFunctor* lf = l->f;
        if (node->next != list && pl_head_clashes(engine, lf, key, clause)) {
            node = pl_look_past(engine, list, lf, key, node, true);
            clause = static_cast<PlCell*>(node->item);
        }
    }
    l->node = node;
    l->line = engine->warning_line;
    l->mark_bytes = pl_trail_mark_bytes(engine);
    // Clause lists hold records: a bare term is told apart once, by one branch for its
    // frame and its parts. The parts are read once the frame is made: held across its
    // making, they would be kept in memory.
    PlClauseParts c;
    if (pl_head_filter_detail::is_record(clause)) [[likely]] {
        l->clause_frame = pl_frame_alloc(engine, clause->clause.var_count, l->frame, nullptr);
        c = pl_record_parts(clause, pl_head_filter_detail::facts_of(engine, clause));
    } else {
        l->clause_frame = pl_frame_alloc(engine, 0, l->frame, nullptr);
        c = pl_bare_clause_parts(engine, clause);
    }
    bool matched;
    if (!c.rule) [[unlikely]] {
        if (c.facts & PLC_BRANCH) {
            // A branch rule's try: the body's call, as the rule makes it below, or the rule.
            c.head = pl_arg(c.term, 0);
            engine->warning_line = static_cast<int32_t>(c.head->line);
            if (const int branch = pl_try_branch(engine, l->goal, l->frame, c.head, answers, PlBranchTable::Given);
                branch != kPlBranchNotTaken) {
                outcome = branch;
                goto tried;
            }
            goto rule;
        }
        matched = pl_try_fact_here(engine, l->goal, l->frame, c, l->clause_frame, l->first) == PL_SUCCESS;
        if (matched) {
            outcome = PL_SUCCESS;
            goto tried;
        }
    } else {
    rule:
        engine->warning_line = static_cast<int32_t>(c.head->line);
        // The goal's first argument is still where the look found it: a failed try undoes
        // its bindings (see PlLazyKey).
        matched = pl_match_rule_head_here(engine, l->goal, l->frame, c.head, l->clause_frame, c.facts,
                                          l->first, l->first_frame);
    }
    if (!matched) {
        // No body ran: the clause is still the one read. Whether it is the last is read
        // after the try: a head the look would have passed over fails at its first
        // argument, before anything (an item's status rule) could change the list.
        pl_trail_undo(engine, l->mark_bytes / sizeof(PlTrailEntry));
        pl_frame_release(engine, l->clause_frame);
        // The clause and its list are read again from the level: kept in registers, they
        // would be saved around the head match on every try.
        if (l->node->next == l->list)
            pl_look_after_try(engine, l->f, l->keyed ? l->first : nullptr, static_cast<PlCell*>(l->node->item),
                              l->line);
        if (!next_clause(l)) {
            outcome = PL_FAIL;
            goto leave;
        }
        goto next;
    }
    // The body, as pl_try_user_clause runs it; a goal of a predicate of clauses alone is
    // the next level.
    PlCell* goals = pl_arg(c.term, 1);
    PlFunctor* g = goals->type == PL_FUNCTOR ? goals->fn.functor : nullptr;
    // A body of one goal records straight into the level's table (pl_one_goal_table): it
    // holds nothing here and is not the query's own. A body that calls the level's own
    // functor, the commonest, reads only the flags of pl_calls_clauses_only again: a
    // functor of a level has no built-in and is not the direct "is", and neither changes
    // while the engine runs.
    // The level's functor is never null: a goal of it needs no test of its own.
    if (g == l->f ? !(g->flags & (PLF_SETTLED | PLF_REFUSE)) : g && pl_calls_clauses_only(engine, g)) {
        if (l + 1 < levels + kCallLevels) {
            take_loop_level(engine, quiet, limit);
            frame = l->clause_frame;
            goal = goals;
            f = g;
            // A rule that walks into its own functor: the levels below take the walk's steps.
            if (g == l->f && pl_head_plan_in_order(c.facts, kPlListWalkPlan) && !l->third_only &&
                pl_walk_levels::walk_fits(engine, g, static_cast<PlCell*>(l->node->item), l->node, l->list, rule)) {
                // Asked here, the look answers as it answers the head matches of this native frame.
                far_from_deep = pl_head_plan::stack_far_from_deep(engine);
                ++l;
                goto walk_level;
            }
            ++l;
            goto enter;
        }
        outcome = pl_call_clauses_in_levels(engine, g, goals, l->clause_frame, answers);
    } else if (g && g->builtin == pl_call_logical_and) {
        // A conjunction records into a table of its own.
        PlListNode own{&own, &own, nullptr};
        outcome = pl_rule_answer(engine, pl_call_conjunction(engine, goals, l->clause_frame, &own), &own,
                                 answers);
        goto tried;
    } else {
        outcome = pl_call(engine, goals, l->clause_frame, answers);
    }
    outcome = pl_rule_answer(engine, outcome, answers, answers);
}
tried:
    if (outcome == PL_SUCCESS) {
        // Every clause is settled, system ones too: the caller must never read a released frame.
        // The list cell of a rule building a list, the commonest binding here, without a call.
        // The frame stays until the first level has succeeded too, and then every level's
        // frame goes at once (pl_call_clauses_in_levels): a level that succeeded is
        // followed by the success of each level above it, and no frame is read once settled.
        pl_settle_frames_from<pl_settle_binding_inline, true>(engine, l->clause_frame, l->mark_bytes);
        goto leave;
    }
    pl_trail_undo(engine, l->mark_bytes / sizeof(PlTrailEntry));
    pl_frame_release(engine, l->clause_frame);
    if (outcome != PL_FAIL) goto leave;
    if (!next_clause(l)) {
        outcome = PL_FAIL;
        goto leave;
    }
    goto next;
leave:
    if (outcome == PL_SUCCESS) {
        // A call of a walk over lists whose caller, of its functor, succeeds next leaves its
        // recording to that caller (walk_recording.h); the first call above that records takes
        // the values it left.
        if (l != levels && (l - 1)->f == l->f &&
            pl_walk_recording::left_to_caller(engine, answers, l->f, l->frame,
                                              static_cast<PlCell*>((l - 1)->node->item),
                                              (l - 1)->first, limit, left, walk)) {
            // A level below that left its recording here took this step for f just before:
            // nothing since (its caller's settling, the look above) has changed the table.
            if (left)
                after_success<Recorded::kLeftAgain>(engine, l->f, l->goal, l->frame, answers, l->third_only, limit);
            else
                after_success<Recorded::kLeft>(engine, l->f, l->goal, l->frame, answers, l->third_only, limit);
            left = true;
            engine->depth -= 4;
            --l;
            goto walk_up;
        } else if (left) [[unlikely]] {
            after_success<Recorded::kAfterWalk>(engine, l->f, l->goal, l->frame, answers, l->third_only, limit);
            left = false;
        } else {
            after_success(engine, l->f, l->goal, l->frame, answers, l->third_only, limit);
        }
        engine->depth -= 4;
        if (l == levels) return PL_SUCCESS;
        // What pl_rule_answer answers for a body that succeeded recording into the
        // caller's own table, written out so that the step goes straight to settling.
        --l;
        goto tried;
    }
    outcome = outcome == PL_STOP ? PL_FAIL : outcome;
    engine->depth -= 4;
    if (l == levels) return outcome;
    --l;
    outcome = pl_rule_answer(engine, outcome, answers, answers);
    goto tried;
walk_up:
    // l's body, a call that left its recording here, succeeded: the steps of tried and leave for
    // l while the calls of a walk leave their recording to their callers one after the other, as
    // left_to_caller answers for them (left_again). Any other call, about which nothing has been
    // done but settling, is left to the steps of leave.
    pl_settle_frames_from<pl_settle_binding_inline, true>(engine, l->clause_frame, l->mark_bytes);
    if (l == levels || (l - 1)->f != l->f || static_cast<PlCell*>((l - 1)->node->item) != walk.clause ||
        !pl_walk_recording::left_again(engine, l->frame, (l - 1)->first, limit, walk))
        goto leave;
    after_success<Recorded::kLeftAgain>(engine, l->f, l->goal, l->frame, answers, l->third_only, limit);
    engine->depth -= 4;
    --l;
    goto walk_up;
walk_level : {
    // A level of the walk of rule (walk_levels.h): goal is its body, read in frame, f its functor,
    // the level's depth taken. The level takes the steps of enter and next, each as they would
    // answer, where its first argument is a list, the look keys it and the rule's head takes
    // the lean steps; for any other level, which the general steps then take from the start,
    // nothing is done before that is known.
    // The goal's first argument is B, the variable of the frame's second slot (walks_into).
    PlCell* ours = frame->slots()[1].term;
    PlFrame* ours_frame = frame->slots()[1].frame;
    while (ours->type == PL_VAR && ours_frame) {
        const PlBinding* binding = pl_binding_of(ours_frame, ours);
        ours = binding->term;
        ours_frame = binding->frame;
    }
    // The head's quick steps fit (pl_head_plan::quick_fits, limit being the engine's depth limit,
    // which is no less than kPlMaxDepth), and so does the look's key.
    static_assert(3 * pl_head_walk::kWeight >= 4);
    // The goal's third argument, D of the frame above, is most often unbound yet: the head's
    // [A | D] then binds it, and no step of the match reads an item's status, which might run
    // rules that change what the walk read of p. One that is bound leaves the level to the
    // general steps, and the walk's next level to the look at the rule again.
    if (ours->type != PL_LIST || engine->depth + 3 * pl_head_walk::kWeight > limit ||
        frame->slots()[3].term->type != PL_UNBOUND ||
        (!far_from_deep && pl_head_plan::crosses_stack_look(engine))) [[unlikely]] {
        if (ours->type != PL_NIL || !rule.end || engine->depth + 4 > limit) goto enter;
        // The walk's end: the fact the look lands on for "[]" is tried as next tries it.
        open_walk_level(engine, l, goal, f, frame, ours, ours_frame, rule.list, rule.end);
        auto* fact = static_cast<PlCell*>(rule.end->item);
        l->clause_frame = pl_frame_alloc(engine, fact->clause.var_count, frame, nullptr);
        if (pl_try_fact_here(engine, goal, frame, pl_record_parts(fact, pl_clause_facts(fact)), l->clause_frame,
                             ours) == PL_SUCCESS) {
            outcome = PL_SUCCESS;
            goto tried;
        }
        goto walk_failed;
    }
    // The line kept is most often the rule's already, but the match of the level above, where it
    // read an item's status, may have run other rules since.
    open_walk_level(engine, l, goal, f, frame, ours, ours_frame, rule.list, rule.node);
    l->clause_frame = pl_frame_alloc(engine, rule.variables, frame, nullptr);
    engine->warning_line = rule.line;
    if (!pl_head_plan::planned_arguments<3, kPlListWalkPlan, 0, true, true>(engine, l->clause_frame, frame,
                                                                            goal->fn.args, rule.head->fn.args, 0,
                                                                            ours, ours_frame)) [[unlikely]] {
    walk_failed:
        // As a clause that did not match at next.
        pl_trail_undo(engine, l->mark_bytes / sizeof(PlTrailEntry));
        pl_frame_release(engine, l->clause_frame);
        if (l->node->next == l->list)
            pl_look_after_try(engine, l->f, l->first, static_cast<PlCell*>(l->node->item), l->line);
        if (!next_clause(l)) {
            outcome = PL_FAIL;
            goto leave;
        }
        goto next;
    }
    if (l + 1 < levels + kCallLevels) {
        take_loop_level(engine, quiet, limit);
        frame = l->clause_frame;
        goal = rule.body;
        ++l;
        goto walk_level;
    }
    outcome = pl_rule_answer(engine, pl_call_clauses_in_levels(engine, f, rule.body, l->clause_frame, answers),
                             answers, answers);
    goto tried;
}
}

}  // namespace

int pl_call_clauses(PieEngine* engine, PlFunctor* f, PlCell* goal, PlFrame* frame, PlList* answers) {
    // Its callers have seen that f has no built-in: the steps for one are left out.
    if (f->builtin) __builtin_unreachable();
    const int limit = pl_depth_limit(engine);
    PlDepthGuard depth(engine, "pl_call", 4);
    return call_clauses<true>(engine, f, goal, frame, answers, limit);
}

// An engine error leaves the depth the levels took to the guard of the call that catches it
// (pl_guard_recover puts back the depth it found; every handler on the way throws again and reads
// no depth), as the walks inside recorded arguments do: a handler or a guard object here would
// keep the engine in memory across the whole loop.
int pl_call_clauses_in_levels(PieEngine* engine, PlFunctor* f, PlCell* goal, PlFrame* frame, PlList* answers) {
    // Its callers have seen that f has no built-in: the steps for one are left out.
    if (f->builtin) __builtin_unreachable();
    const int limit = pl_depth_limit(engine);
    take_call_level(engine, limit);
    // A call that succeeded leaves the frames of its levels made (see run_levels, a tried clause that succeeded), and releases
    // them here, all at once; any other has released each of them.
    const PlFrameMark made = pl_frame_mark(engine);
    const int outcome = run_levels(engine, f, goal, frame, answers, limit);
    if (outcome == PL_SUCCESS) pl_frame_unwind(engine, made);
    return outcome;
}

int pl_call(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers) {
    // Following the goal's variables raises nothing: it may come before the call's level.
    const PlDeref g = pl_deref(goal, frame);
    if (g.term->type == PL_FUNCTOR && pl_calls_clauses_only(engine, g.term->fn.functor))
        return pl_call_clauses(engine, g.term->fn.functor, g.term, g.frame, answers);
    PlDepthGuard depth(engine, "pl_call", 4);
    switch (g.term->type) {
    case PL_AND_GROUP: return pl_call_and_group(engine, g.term, g.frame, answers);
    case PL_ONCE: return call_once(engine, g.term, g.frame, answers);
    default: break;
    }
    PlFunctor* f = pl_callable_functor(engine, g);
    if (pl_calls_builtin_directly(engine, f)) return pl_call_builtin_directly(engine, f, g.term, g.frame, answers);
    return call_predicate(engine, f, g.term, g.frame, answers);
}

int pl_try_clause(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* clause, PlFrame* clause_frame,
                  PlList* answers) {
    PlFunctor* f = goal->fn.functor;
    if (f->builtin) {
        if (!(engine->flags & PLE_TRACE)) return f->builtin(engine, goal, goal_frame, answers);
        const int depth = engine->depth;
        plout_trace(engine, PL_TRACE_CALL, depth, goal);
        const int outcome = f->builtin(engine, goal, goal_frame, answers);
        plout_trace(engine, outcome, depth, goal);
        return outcome;
    }
    return pl_try_user_clause(engine, goal, goal_frame, pl_clause_parts(engine, clause), clause_frame, answers);
}

int pl_try_clause_list(PieEngine* engine, PlList* list, PlCell* goal, PlFrame* goal_frame, PlFunctor*, PlList* answers) {
    if (!list) return PL_FAIL;
    const int limit = pl_depth_limit(engine);
    PlLazyKey key{PlLazyKey::unread()};
    if (!goal->fn.functor->builtin) return try_list<true>(engine, list, goal, goal_frame, key, limit, answers);
    key.key = pl_head_filter_key(engine, goal, goal_frame, limit);
    return try_list<false>(engine, list, goal, goal_frame, key, limit, answers);
}

// Apart from the calls above, and out of their hot section: the reads that take it are few.
[[gnu::cold, gnu::noinline]] void pl_after_item_read(PieEngine* engine, PlFunctor* f, PlCell* goal, PlFrame* frame,
                                                     PlList* answers, int limit) {
    const bool third_only = true;
    after_success(engine, f, goal, frame, answers, third_only, limit);
}
