// The loop that records what a successful goal bound, for the commonest arguments: inline where a
// call succeeds, so that the call of a predicate takes it without a native call of its own. What
// it does not cover goes to the steps of record_quick.cpp.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/run/recorded_lists.h"
#include "pie/run/recording.h"
#include "pie/terms/list.h"
#include "pie/terms/list_shape.h"

#include <algorithm>
#include <cstdint>

namespace pl_recording {

// Whether f keeps the values of count arguments in a vector of its own, the case the quick walks
// take themselves; anything else takes record_any.
inline bool own_vector(const PlFunctor* f, uint32_t count) {
    return !f->owner && !(f->flags & (PLF_HOST_FACT | PLF_READ_ONLY)) && f->values && f->values->count >= count;
}

// Whether two list elements are integers of different values, which tells two lists apart as
// their comparison would (pl_constants_equal answers 0).
inline bool different_integers(const PlCell* a, const PlCell* b) {
    return a->type == PL_INT && b->type == PL_INT && a->value != b->value;
}

// Constants stored as they stand: equal ones are the same cell.
inline bool is_plain_constant(const PlCell* cell) {
    return cell->type == PL_INT || cell->type == PL_NIL || cell->type == PL_UNBOUND;
}

// Error 4102 from the recording.
[[noreturn]] void too_deep(PieEngine* engine);
// The look at the native stack a guard takes entering a level: only when the count crosses 64.
void look_at_stack(PieEngine* engine, int64_t depth);
// The arguments of a goal from argument i on, record_goal's changed so far handed on.
int goal_rest(PieEngine* engine, PlList* table, PlCell* goal, PlFrame* frame, uint32_t i, bool changed);
// A goal whose functor keeps no vector of its own.
int goal_any(PieEngine* engine, PlList* table, PlCell* goal, PlFrame* frame);

// The end of a recording whose values changed: the functor enters the answers.
[[gnu::always_inline]] inline int goal_changed(PieEngine* engine, PlList* table, PlFunctor* f) {
    note_query_values(engine, f);
    // As enter_answer with the recording's number taken now: f holds no number that new.
    if (table) {
        f->recorded_in = ++engine->run.recordings;
        // Most often f is the table's first entry already: the look over the table is left out.
        if (table->next == table || table->next->item != f) pl_table_enter(engine, table, f);
    }
    return 1;
}

// The arguments of a goal that succeeded, its variables followed to what they stand for. The
// commonest arguments are compared and stored here: constants; a walked list whose first element
// differs from the one recorded before, or recorded against a value that is no list; "[X]" equal
// to the list recorded before. At the first other argument the rest of the goal goes to
// goal_rest: this loop calls nothing. Lists are taken here only when their first steps are far
// from the depth limit: the steps left out cannot meet it. The goal's level is counted as the
// inner walk counts its levels: the engine's count stays, and is brought up to the level's around
// the steps that may read it. Answers 1 when a value changed, else 0 (bound_last_query's answer).
// table: the answers to enter, or nullptr.
[[gnu::always_inline]] inline int record_goal(PieEngine* engine, PlList* table, PlCell* goal, PlFrame* frame) {
    const int64_t room = int64_t{pl_depth_limit(engine)} - engine->depth - 1;
    if (room < 0) too_deep(engine);
    // Entering the level crosses a multiple of 64 when it reaches one.
    const int64_t depth = int64_t{engine->depth} + 1;
    if ((depth & 63) == 0) look_at_stack(engine, depth);
    PlFunctor* f = goal->fn.functor;
    const PlVector* args = goal->fn.args;
    const uint32_t count = args ? std::min(f->arity, args->count) : 0;
    if (!own_vector(f, count)) return goal_any(engine, table, goal, frame);
    // Within a few levels of the limit every argument takes goal_rest's steps, which count them
    // all: the lists below are then far from it, and the loop tests the room once.
    if (room < 6) return goal_rest(engine, table, goal, frame, 0, false);
    // The deepest walked list whose walk (two levels and two a reach) fits in the room.
    const uint64_t fitting_reach = static_cast<uint64_t>(room - 2) / 2;
    bool changed = false;
    PlCell** values = f->values->items;
    for (uint32_t i = 0; i < count; ++i) {
        PlCell* arg = args->items[i];
        PlFrame* arg_frame = frame;
        while (arg->type == PL_VAR && arg_frame) {
            const PlBinding& b = arg_frame->slots()[arg->var.slot];
            arg = b.term;
            arg_frame = b.frame;
        }
        PlCell* previous = values[i];
        if (arg->type == PL_LIST) {
            const uint32_t shape = arg->shape;
            const bool previous_list = previous && previous->type == PL_LIST;
            if ((shape & PL_SHAPE_FLAT) && (shape & PL_SHAPE_GROUND)) {
                // A value that is no list (the "[]" of the recursion's last call, most often)
                // tells the two apart before any level is taken.
                if (pl_shape_reach(shape) <= fitting_reach &&
                    (!previous_list || different_integers(previous->list.head, arg->list.head))) {
                    values[i] = arg;
                    changed = true;
                    continue;
                }
            } else if (previous_list && pl_recorded_lists::single_differs(arg, arg_frame, previous, room) == 0) {
                continue;
            }
        } else if (is_plain_constant(arg)) {
            if (arg != previous) {
                values[i] = arg;
                changed = true;
            }
            continue;
        }
        return goal_rest(engine, table, goal, frame, i, changed);
    }
    return changed ? goal_changed(engine, table, f) : 0;
}

}  // namespace pl_recording
