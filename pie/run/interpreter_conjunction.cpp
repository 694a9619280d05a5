// Conjunctions: "," and ":-" retry the clauses of their left goal until the right goal holds,
// and an and-group runs as the conjunction of its goals, once cells included.
#include "pie/run/interpreter.h"

#include "pie/run/call_steps.h"
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
int conjunction(PieEngine* engine, PlCell* left, Rest right, PlFrame* frame, PlList* answers, bool once_case) {
    PlDepthGuard depth(engine, "pl_call_logical_and", 4);
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
            if (key && pl_head_clashes(engine, a.term, key, clause)) continue;
            const int outcome = attempt(engine, a, clause, right, frame, answers);
            if (outcome >= 0) return outcome;
        }
    }
    return PL_FAIL;
}

}  // namespace

int pl_call_chain(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers) {
    // A compound term is read as it is: only a variable would need dereferencing first.
    if (goal->type == PL_FUNCTOR) {
        PlFunctor* f = goal->fn.functor;
        if (f->builtin == pl_call_logical_and && (f->flags & (PLF_SYSTEM | PLF_REFUSE)) == PLF_SYSTEM &&
            !(engine->flags & PLE_TRACE)) {
            PlDepthGuard depth(engine, "pl_call", 4);
            pl_reset_once_cells(f);
            const int outcome =
                conjunction(engine, pl_arg(goal, 0), Rest{pl_arg(goal, 1), nullptr}, frame, answers, true);
            return outcome == PL_STOP ? PL_FAIL : outcome;
        }
    }
    return pl_call(engine, goal, frame, answers);
}

int pl_call_logical_and(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers) {
    return conjunction(engine, pl_arg(goal, 0), Rest{pl_arg(goal, 1), nullptr}, frame, answers, true);
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
