// Conjunctions: "," and ":-" retry the clauses of their left goal until the right goal holds,
// and an and-group runs as the conjunction of its goals, once cells included. A clause body's
// chain of "," runs several conjunctions in one native frame.
#include "pie/run/interpreter.h"

#include "pie/run/call_steps.h"
#include "pie/run/clause_index.h"
#include "pie/run/default_read.h"
#include "pie/run/direct_is.h"
#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/run/head_filter.h"
#include "pie/terms/list.h"

namespace {

// What follows the left goal of a conjunction: one goal, or the goals of an and-group from a
// list cell on.
struct Rest {
    PlCell* goal;
    PlCell* items;
};

int conjunction(PieEngine* engine, PlCell* left, Rest right, PlFrame* frame, PlList* answers, bool once_case);

bool is_goal_list(const PlCell* items) { return items && items->type == PL_LIST; }

// The rest of a group is run as the right-nested "," it stands for would be: through a call, so
// a stop leaves it as a failure, and its last goal as an ordinary call.
int call_rest(PieEngine* engine, Rest rest, PlFrame* frame, PlList* answers) {
    if (!rest.items) return pl_call_chain(engine, rest.goal, frame, answers);
    if (!is_goal_list(rest.items)) return PL_SUCCESS;
    PlCell* head = rest.items->list.head;
    if (!is_goal_list(rest.items->list.tail)) return pl_call(engine, head, frame, answers);
    const int outcome = conjunction(engine, head, Rest{nullptr, rest.items->list.tail}, frame, answers, true);
    return outcome == PL_STOP ? PL_FAIL : outcome;
}

// The left goal of a conjunction, dereferenced: a group, a built-in, or a predicate whose
// clauses are tried.
struct Left {
    PlCell* term;
    PlFrame* frame;
    bool group;
};

// One clause of the left goal (none for a group or a built-in) followed by the right goal: the
// outcome of the conjunction, or -1 to go on with the next clause.
int attempt(PieEngine* engine, const Left& a, PlCell* clause, Rest right, PlFrame* frame, PlList* answers) {
    const size_t mark = pl_trail_mark(engine);
    // A built-in or a group runs in the goal's frame: no binding can name a frame of its own, so
    // it needs none, and settling one would change nothing.
    PlFrame* clause_frame = clause ? pl_frame_alloc(engine, pl_clause_variables(clause), a.frame, nullptr) : nullptr;
    const int first = a.group ? pl_call_and_group(engine, a.term, a.frame, answers)
                              : pl_try_clause(engine, a.term, a.frame, clause, clause_frame, answers);
    int second = PL_FAIL;
    if (first == PL_SUCCESS || first == PL_CUT) {
        second = call_rest(engine, right, frame, answers);
        if (second == PL_SUCCESS) {
            if (clause_frame) {
                pl_settle_frames(engine, clause_frame, mark);
                pl_frame_release(engine, clause_frame);
            }
            return PL_SUCCESS;
        }
    }
    pl_trail_undo(engine, mark);
    if (clause_frame) pl_frame_release(engine, clause_frame);
    if (first == PL_STOP || first == PL_UNDETERMINED) return first;
    if (first == PL_CUT) return PL_CUT;
    if (second == PL_CUT || second == PL_UNDETERMINED) return second;
    return -1;
}

// Conjunction with retry: each clause of the left goal that holds is followed by the right goal.
// The level the conjunction takes is taken by the caller.
int conjunction_body(PieEngine* engine, PlCell* left, Rest right, PlFrame* frame, PlList* answers, bool once_case) {
    const PlDeref d = pl_deref(left, frame);
    if (once_case && d.term->type == PL_ONCE) {
        const int first = pl_call_once_left(engine, d.term, d.frame, answers);
        if (first != PL_SUCCESS && first != PL_CUT) return first;
        const int second = call_rest(engine, right, frame, answers);
        if (second == PL_SUCCESS || first == PL_CUT) return second == PL_SUCCESS ? PL_SUCCESS : PL_CUT;
        return second == PL_CUT || second == PL_UNDETERMINED ? second : PL_FAIL;
    }
    // A group nested as the left goal (an image may hold one) is run like a built-in.
    const Left a{d.term, d.frame, d.term->type == PL_AND_GROUP};
    PlFunctor* f = a.group ? nullptr : pl_callable_functor(engine, d);
    if (a.group || f->builtin) {
        const int outcome = attempt(engine, a, nullptr, right, frame, answers);
        return outcome < 0 ? PL_FAIL : outcome;
    }
    if (f == engine->direct_is_functor && !(engine->flags & PLE_TRACE)) {
        // At most one rule of "is" holds for a goal: retrying the others could only fail.
        const size_t mark = pl_trail_mark(engine);
        const int first = pl_direct_is(engine, a.term, a.frame);
        if (first == PL_SUCCESS) {
            const int second = call_rest(engine, right, frame, answers);
            if (second == PL_SUCCESS) return PL_SUCCESS;
            pl_trail_undo(engine, mark);
            return second == PL_CUT || second == PL_UNDETERMINED ? second : PL_FAIL;
        }
        if (first == PL_FAIL) return PL_FAIL;
    }
    // A left goal's clauses run without a call of their own: its once cells must not answer
    // from an earlier call either.
    pl_reset_once_cells(f);
    // The goal's side of the look at first arguments is the same for every clause: a failed
    // attempt leaves the bindings and the depth as they were.
    const PlCell* key = pl_head_filter_key(engine, a.term, a.frame);
    for (int i = pl_third_list_only(engine, f) ? 2 : 0; i < 3; ++i) {
        PlList* list = f->clauses[i];
        if (!list) continue;
        for (PlListNode* node = list->next; node != list; node = node->next) {
            auto* clause = static_cast<PlCell*>(node->item);
            if (key && pl_head_clashes(engine, f, key, clause)) continue;
            const int outcome = attempt(engine, a, clause, right, frame, answers);
            if (outcome >= 0) return outcome;
        }
    }
    return PL_FAIL;
}

int conjunction(PieEngine* engine, PlCell* left, Rest right, PlFrame* frame, PlList* answers, bool once_case) {
    PlDepthGuard depth(engine, "pl_call_logical_and", 4);
    return conjunction_body(engine, left, right, frame, answers, once_case);
}

bool is_conjunction(const PieEngine* engine, const PlFunctor* f) {
    return f->builtin == pl_call_logical_and && (f->flags & (PLF_SYSTEM | PLF_REFUSE)) == PLF_SYSTEM &&
           !(engine->flags & PLE_TRACE);
}

// One conjunction of a chain: its left goal with the clause it stands on, and its right goal.
// Every level of a chain reads its goals in the chain's frame. Kept small: a chain's levels live
// in its native frame, which every recursion through a clause body takes once more.
struct Level {
    PlCell* goal;  // the left goal, dereferenced once entered
    PlFrame* goal_frame;
    PlCell* right;  // read in the chain's frame, as the left goal before dereferencing
    PlFunctor* f;
    PlLazyKey key;       // the goal's side of the look at first arguments
    PlListNode* node;    // the clause tried; nullptr for the one attempt of a built-in or of "is"
    size_t mark;
    PlFrame* clause_frame;
    int list;            // the clause list node is in
    int first;           // what the left goal answered: success or cut
};

// The level's left goal, a read of an item through its default clause (default_read.h): -1 as
// next_clause answers a clause that holds, or the outcome of the level's conjunction, or
// kPlNotReadDirectly for a goal the read does not take.
[[gnu::noinline]] int read_status_directly(PieEngine* engine, Level& l, int limit) {
    l.mark = pl_trail_mark(engine);
    const int read = pl_read_through_default_clause(engine, l.f, l.goal, l.goal_frame, limit, &l.node);
    if (read == kPlNotReadDirectly) return read;
    l.clause_frame = nullptr;
    l.first = read;
    if (read == PL_SUCCESS) return -1;
    pl_trail_undo(engine, l.mark);
    return PL_STOP;
}

// The clause before the one where the look stops for a goal of f whose key is ours, from the first
// clause of list on, which it passed over, with two clauses or more after it. Out of line: the
// chain's frame keeps its registers for the goals whose clauses the look passes none of.
[[gnu::noinline]] PlListNode* before_stop(PieEngine* engine, PlList* list, const PlFunctor* f, const PlCell* ours) {
    return pl_indexed_look(engine, list, f, pl_head_filter_detail::key_word(ours))->prev;
}

// Tries the clauses of the level's left goal from l.node on (from the start of list l.list when
// it is null) until one holds: -1 then, the level standing on that clause; else the outcome of
// the level's conjunction. limit: the engine's depth limit.
int next_clause(PieEngine* engine, Level& l, PlList* answers, int limit) {
    // The key is kept here while clauses are passed over, and in the level once one holds.
    PlLazyKey key = l.key;
    PlListNode* from = l.node;
    for (int i = l.list; i < 3; ++i, from = nullptr) {
        // Lists with nothing left to try are passed by without touching the level.
        PlList* list = l.f->clauses[i];
        if (!list) continue;
        if (!from) from = list->next;
        if (from == list) continue;
        l.list = i;
        for (l.node = from; l.node != list; l.node = l.node->next) {
            auto* clause = static_cast<PlCell*>(l.node->item);
            PlClauseParts c;
            if (!pl_clause_to_try(engine, l.f, l.goal, l.goal_frame, limit, key, clause, c)) {
                // Passed over: from a list's first clause with two clauses or more after it, the
                // index answers where the look stops, as it does for the call of one goal; the
                // clause there is read again here.
                if (l.node->next != list && l.node->next->next != list && l.node == list->next)
                    l.node = before_stop(engine, list, l.f, key.key);
                continue;
            }
            l.mark = pl_trail_mark(engine);
            // A guard and its answer alone are tried without the clause's frame where they can be.
            if (c.rule && (c.facts & PLC_OPENING_TEST)) [[unlikely]] {
                l.clause_frame = nullptr;
                l.first = pl_try_guard_clause(engine, l.goal, l.goal_frame, c.term, c.head, c.facts);
                if (l.first == PL_SUCCESS) {
                    l.key = key;
                    return -1;
                }
                if (l.first == PL_FAIL) continue;
                if (l.first == PL_STOP) return PL_STOP;
            }
            l.clause_frame = pl_frame_alloc(engine, c.variables, l.goal_frame, nullptr);
            // The left goal's functor has no built-in: its try is the clause's, inline.
            l.first = pl_try_user_clause<false>(engine, l.goal, l.goal_frame, c, l.clause_frame, answers);
            if (l.first == PL_SUCCESS || l.first == PL_CUT) {
                l.key = key;
                return -1;
            }
            pl_trail_undo(engine, l.mark);
            pl_frame_release(engine, l.clause_frame);
            l.clause_frame = nullptr;
            if (l.first == PL_STOP || l.first == PL_UNDETERMINED) return l.first;
        }
    }
    return PL_FAIL;
}

// Whether the last goal of a chain, a call of f, goes straight to the loop of one-goal bodies:
// when f's clauses are facts and, last, a rule whose body is one goal without a built-in, with
// the head p([A | B], C, [E | D]) in slots in order, which that loop matches in place (a walk
// over a list, the commonest recursion). A call of f then goes on in the loop, whose steps cost
// more than an ordinary call's for any other predicate; and an ordinary call runs that rule's body
// in the loop as well, so the call takes no more native stack than it did. A body the loop would
// run from its own large frame where an ordinary call runs it from a small one (a conjunction, a
// built-in) would let a recursion through it reach less deep before the look at the stack.
bool walks_lists(const PlFunctor* f) {
    using namespace pl_head_filter_detail;
    const PlList* list = f->clauses[0];
    if (!list || list->prev == list) return false;
    const auto* rule = static_cast<const PlCell*>(list->prev->item);
    if (!is_record(rule) || !pl_head_plan_in_order(pl_clause_facts(rule).bits, kPlListWalkPlan)) return false;
    const PlCell* body = pl_arg(rule->clause.term, 1);
    if (body->type != PL_FUNCTOR || body->fn.functor->builtin) return false;
    for (const PlList* other : {f->clauses[1], f->clauses[2]})
        if (other && !pl_list_empty(other)) return false;
    for (const PlListNode* node = list->next; node != list->prev; node = node->next) {
        const auto* clause = static_cast<const PlCell*>(node->item);
        if (!is_record(clause) || (pl_clause_facts(clause).bits & (PLC_KNOWN | PLC_RULE)) != PLC_KNOWN) return false;
    }
    return true;
}

// The last goal of a chain, of a predicate of clauses alone, as pl_call_clauses runs it, from the
// loop of one-goal bodies at once. That loop records into a table that holds nothing, which the
// caller's is most often not: the call then records into a table of its own, moved into answers
// once it has succeeded. The entries land there in the order they would have: the bodies of the
// call's clauses record into a table of their own too (pl_one_goal_table), moved into answers
// before the call records its own goal, and nothing reads the two tables meanwhile.
[[gnu::noinline]] int last_goal_clauses(PieEngine* engine, PlFunctor* f, PlCell* goal, PlFrame* frame,
                                        PlList* answers) {
    PlListNode own;
    PlList* table = pl_one_goal_table(engine, answers, own);
    const int outcome = pl_call_clauses_in_levels(engine, f, goal, frame, table);
    // The outcome is the call's own: only the table is closed as a body's is.
    pl_close_table(engine, outcome == PL_SUCCESS, table, answers);
    return outcome;
}

// A left goal of a chain that is no compound term (a once cell, a group, a goal that cannot be
// called), with the goal to its right, as a conjunction runs it. Its own call, whose arguments all
// travel in registers: a chain that pushed one for a call would keep its frame with a frame
// pointer, a register less for every step it takes.
[[gnu::noinline]] int other_left_goal(PieEngine* engine, PlCell* left, PlCell* right, PlFrame* frame,
                                      PlList* answers) {
    return conjunction_body(engine, left, Rest{right, nullptr}, frame, answers, true);
}

// The levels a chain takes, as PlDepthRun takes them, given back when it ends by putting back
// the depth it found: every level it took is given back by then, or an engine error is on its way
// to the guard that catches it, which puts back the depth that guard found. Nothing counts what
// was taken, and each step names the engine the chain holds in a register already: two loads and
// a store less at every level.
class ChainDepth {
public:
    explicit ChainDepth(PieEngine* engine) : engine_(engine), limit_(pl_depth_limit(engine)), found_(engine->depth) {}
    ~ChainDepth() { engine_->depth = found_; }
    ChainDepth(const ChainDepth&) = delete;
    ChainDepth& operator=(const ChainDepth&) = delete;

    void take(PieEngine* engine, int weight, const char* function) const {
        pl_depth_take(engine, weight, limit_, function);
    }
    // As PlDepthRun::take_quietly.
    bool take_quietly(PieEngine* engine, int weight) const {
        const int before = engine->depth;
        if (before + weight > limit_ || ((before ^ (before + weight)) & ~63) != 0) return false;
        engine->depth = before + weight;
        return true;
    }
    static void give(PieEngine* engine, int weight) { engine->depth -= weight; }
    int limit() const { return limit_; }

private:
    PieEngine* engine_;
    int limit_;
    int found_;
};

// A chain of conjunctions kept in one native frame: the conjunction of left and right, and when
// right is itself a conjunction, that one as the next level, and so on. Each level does exactly
// what conjunction_body and the call of its right goal do (the same attempts in the same order,
// the same levels of depth at the same steps), without the four native calls a level costs
// otherwise. Deeper chains go on in a chain of their own. Six levels hold a body of seven goals
// (three steps of arithmetic and four recursive calls, say) in one frame; each level more costs
// every recursion through a clause body its room on the native stack.
constexpr int kChainLevels = 6;

// The conjunction goal, run by the built-in itself or, when called says so, as pl_call runs it:
// with the call's level, and a stop answered as a failure. The steps of a level (enter its left
// goal, try its next clause, run its right goal, take the right goal's outcome, leave) jump
// straight to one another: a loop over a step variable paid an indirect branch at every step,
// and the steps are most of what a clause body of several goals costs.
int chain(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers, bool called) {
    Level levels[kChainLevels];
    // The levels of the calls the chain stands for, given back however it ends.
    ChainDepth depth(engine);
    if (called && depth.take_quietly(engine, 8)) {
        pl_reset_once_cells(goal->fn.functor);
    } else {
        if (called) {
            depth.take(engine, 4, "pl_call");
            pl_reset_once_cells(goal->fn.functor);
        }
        depth.take(engine, 4, "pl_call_logical_and");
    }
    Level* top = levels;  // the level running
    top->goal = pl_arg(goal, 0);
    top->right = pl_arg(goal, 1);
    int outcome = PL_FAIL;  // of the running level's conjunction, on leaving it
    int second = PL_FAIL;   // of the running level's right goal
enter : {
    Level& l = *top;
    // A compound goal, the commonest, is read as it is: only a variable needs following.
    if (l.goal->type == PL_FUNCTOR) {
        l.goal_frame = frame;
    } else {
        const PlDeref d = pl_deref(l.goal, frame);
        if (d.term->type != PL_FUNCTOR) {
            // A once cell, a group, or a goal that cannot be called: as a conjunction runs it.
            outcome = other_left_goal(engine, l.goal, l.right, frame, answers);
            goto leave;
        }
        l.goal = d.term;
        l.goal_frame = d.frame;
    }
    l.f = l.goal->fn.functor;
    l.clause_frame = nullptr;
    l.node = nullptr;
    if (l.f->builtin) {
        l.mark = pl_trail_mark(engine);
        // Untraced, a built-in's attempt is its function, as pl_try_clause would run it.
        l.first = engine->flags & PLE_TRACE ? pl_try_clause(engine, l.goal, l.goal_frame, nullptr, nullptr, answers)
                                            : l.f->builtin(engine, l.goal, l.goal_frame, answers);
        if (l.first == PL_SUCCESS || l.first == PL_CUT) goto right;
        pl_trail_undo(engine, l.mark);
        outcome = l.first == PL_STOP || l.first == PL_UNDETERMINED ? l.first : PL_FAIL;
        goto leave;
    }
    if (l.f == engine->direct_is_functor && !(engine->flags & PLE_TRACE)) {
        // At most one rule of "is" holds for a goal: retrying the others could only fail.
        l.mark = pl_trail_mark(engine);
        l.first = pl_direct_is(engine, l.goal, l.goal_frame);
        if (l.first == PL_SUCCESS) goto right;
        if (l.first == PL_FAIL) {
            outcome = PL_FAIL;
            goto leave;
        }
    }
    // A left goal's clauses run without a call of their own: its once cells must not answer from
    // an earlier call either.
    pl_reset_once_cells(l.f);
    l.key.key = PlLazyKey::unread();
    l.list = 0;
    if (pl_third_list_only(engine, l.f)) [[unlikely]] {
        // Propagation asks the item's third list alone: most often its default clause, read here.
        l.list = 2;
        outcome = read_status_directly(engine, l, depth.limit());
        if (outcome == -1) goto right;
        if (outcome != kPlNotReadDirectly) goto leave;
    }
}
next:
    outcome = next_clause(engine, *top, answers, depth.limit());
    if (outcome >= 0) goto leave;
right : {
    PlCell* r = top->right;
    if (top + 1 < levels + kChainLevels && r->type == PL_FUNCTOR && is_conjunction(engine, r->fn.functor)) {
        if (depth.take_quietly(engine, 8)) {
            pl_reset_once_cells(r->fn.functor);
        } else {
            depth.take(engine, 4, "pl_call");
            pl_reset_once_cells(r->fn.functor);
            depth.take(engine, 4, "pl_call_logical_and");
        }
        Level& next = *++top;
        next.goal = pl_arg(r, 0);
        next.right = pl_arg(r, 1);
        goto enter;
    }
    // The last goal, or a conjunction past the levels kept here: as pl_call runs it. An untraced
    // built-in goes straight to its function, as it would from pl_call.
    PlFunctor* f = r->type == PL_FUNCTOR ? r->fn.functor : nullptr;
    if (f && f->builtin == pl_call_logical_and) {
        second = pl_call_conjunction(engine, r, frame, answers);
    } else if (f && pl_calls_builtin_directly(engine, f)) {
        depth.take(engine, 4, "pl_call");
        second = pl_call_builtin_directly(engine, f, r, frame, answers);
        depth.give(engine, 4);
    } else if (f && pl_calls_clauses_only(engine, f)) {
        second = walks_lists(f) ? last_goal_clauses(engine, f, r, frame, answers)
                                : pl_call_clauses(engine, f, r, frame, answers);
    } else {
        second = pl_call(engine, r, frame, answers);
    }
}
after_right : {
    Level& l = *top;
    if (second == PL_SUCCESS) {
        if (l.clause_frame) {
            pl_settle_frames(engine, l.clause_frame, l.mark);
            pl_frame_release(engine, l.clause_frame);
        }
        outcome = PL_SUCCESS;
        goto leave;
    }
    pl_trail_undo(engine, l.mark);
    if (l.clause_frame) {
        pl_frame_release(engine, l.clause_frame);
        l.clause_frame = nullptr;
    }
    if (l.first == PL_CUT) {
        outcome = PL_CUT;
    } else if (second == PL_CUT || second == PL_UNDETERMINED) {
        outcome = second;
    } else if (!l.node) {
        outcome = PL_FAIL;
    } else {
        l.node = l.node->next;
        goto next;
    }
}
leave:
    if (top == levels) return called && outcome == PL_STOP ? PL_FAIL : outcome;
    // The conjunction's level, then the level of the call that ran it.
    depth.give(engine, 8);
    --top;
    second = outcome == PL_STOP ? PL_FAIL : outcome;
    goto after_right;
}

}  // namespace

int pl_call_conjunction(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers) {
    if (!is_conjunction(engine, goal->fn.functor)) return pl_call(engine, goal, frame, answers);
    return chain(engine, goal, frame, answers, true);
}

int pl_call_chain(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers) {
    // A compound term is read as it is: only a variable would need dereferencing first.
    return goal->type == PL_FUNCTOR && goal->fn.functor->builtin == pl_call_logical_and
               ? pl_call_conjunction(engine, goal, frame, answers)
               : pl_call(engine, goal, frame, answers);
}

int pl_call_logical_and(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers) {
    return chain(engine, goal, frame, answers, false);
}

int pl_call_definition(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers) {
    return conjunction(engine, pl_arg(goal, 0), Rest{pl_arg(goal, 1), nullptr}, frame, answers, false);
}

// An and-group means exactly the conjunction of its goals: the left goals' clauses are retried
// as "," retries them and a cut commits without ending the group, so that a body flattened
// into a group, or loaded as one from an image, answers as its text does.
int pl_call_and_group(PieEngine* engine, PlCell* group, PlFrame* frame, PlList* answers) {
    if (!is_goal_list(group->items)) return PL_SUCCESS;
    return call_rest(engine, Rest{nullptr, group->items}, frame, answers);
}
