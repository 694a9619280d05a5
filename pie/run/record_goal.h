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
#include <bit>
#include <cstdint>

namespace pl_recording {

// Whether f keeps its values in a vector of its own, the case the quick walks take themselves;
// anything else takes record_any. A functor's vector is made with it, one value an argument, and
// is never replaced: only the functor's owner and flags tell.
inline bool own_vector(const PlFunctor* f) { return !f->owner && !(f->flags & (PLF_HOST_FACT | PLF_READ_ONLY)); }

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
// goal_rest where argument i is "[X]" that single_differs found to differ from the value recorded
// before, six levels free at least (the innermost call of a recursion over lists, most often); or
// (kOther) an argument that is no constant, list or compound term, which goes to goal_unnamed.
int goal_rest_single(PieEngine* engine, PlList* table, PlCell* goal, PlFrame* frame, uint32_t i, bool changed);
// goal_rest where argument i may be left "_" (record_generic.cpp): such arguments are taken
// without the generic steps around them.
int goal_unnamed(PieEngine* engine, PlList* table, PlCell* goal, PlFrame* frame, uint32_t i, bool changed);

// single_differs out of line, for the "[X]" that is no copy of the value recorded before (the
// innermost call of a recursion, most often): the loop keeps its registers for the commoner case.
int single_apart(PlCell* list, PlFrame* frame, PlCell* previous, int64_t room);

// What quick_argument answers: the argument taken, or the steps the rest of the goal goes to.
// kOther: an argument that is no constant, list or compound term ("_", most often), which
// goal_rest_single hands to goal_unnamed: one test in the loop takes both, and the calls the loop
// is laid out in keep their registers.
enum class Quick { kTaken, kRest, kSingle, kOther };
// A goal whose functor keeps no vector of its own.
int goal_any(PieEngine* engine, PlList* table, PlCell* goal, PlFrame* frame);
// goal_any, the commonest goals of host facts answered without it (record_generic.cpp).
int goal_other(PieEngine* engine, PlList* table, PlCell* goal, PlFrame* frame);

// The end of a recording whose values changed: the functor enters the answers. No recording
// number is taken: the loop entered nothing before, and a number only tells the entries of one
// recording from those of others (a later one takes a new number, which f cannot hold).
[[gnu::always_inline]] inline int goal_changed(PieEngine* engine, PlList* table, PlFunctor* f) {
    note_query_values(engine, f);
    // Most often f is the table's first entry already: the look over the table is left out.
    if (table && (table->next == table || table->next->item != f)) pl_table_enter(engine, table, f);
    return 1;
}

// Whether a list of this shape is flat and ground, its walk (two levels and two a reach) fitting
// in the room that max_reach stands for, in one compare: with the two flags taken out, a shape that
// had both keeps only its reach; turned to the top, any flag left outweighs every reach.
[[gnu::always_inline]] inline bool fitting_ground_shape(uint32_t shape, uint32_t max_reach) {
    // Every reach that fits under a depth limit stays below the flags' place.
    static_assert(kPlShapeReachShift == 2 && (PL_SHAPE_FLAT | PL_SHAPE_GROUND) == 3 && kPlStackDepth < (1 << 30) &&
                  kPlMaxDepth < (1 << 30));
    return std::rotr(shape ^ (PL_SHAPE_FLAT | PL_SHAPE_GROUND), kPlShapeReachShift) <= max_reach;
}

// One argument of record_goal, in the goal's frame (never null), value being its value recorded
// before: kTaken when it is taken here (changed set when the value changed), else the steps it is
// left to, nothing having been changed. max_reach: the highest reach of a flat, ground list whose
// walk fits in room.
[[gnu::always_inline]] inline Quick quick_argument(PlCell* arg, PlFrame* frame, PlCell** value, int64_t room,
                                                   uint32_t max_reach, bool& changed) {
    if (arg->type == PL_VAR) {
        const PlBinding* b = pl_binding_of(frame, arg);
        arg = b->term;
        frame = b->frame;
        while (arg->type == PL_VAR && frame) {
            b = pl_binding_of(frame, arg);
            arg = b->term;
            frame = b->frame;
        }
    }
    PlCell* previous = *value;
    if (arg->type != PL_LIST) {
        if (!is_plain_constant(arg)) {
            // An atom, as record_functor_value takes it: a level is free for it here.
            if (arg->type != PL_FUNCTOR) return Quick::kOther;
            if (pl_recorded_lists::has_arguments(arg)) return Quick::kRest;
            if (!previous || previous->type != PL_FUNCTOR || previous->fn.functor != arg->fn.functor) {
                *value = arg;
                changed = true;
            }
            return Quick::kTaken;
        }
        if (arg != previous) {
            *value = arg;
            changed = true;
        }
        return Quick::kTaken;
    }
    if (fitting_ground_shape(arg->shape, max_reach)) {
        // A list whose tail is the value recorded before differs from it: a walked list is finite,
        // and no finite list is its own tail. It is the commonest case, where a recursion records
        // the list it walks or builds a level further out. A value that is no list (the "[]" of
        // the recursion's last call, most often) tells the two apart before any level is taken.
        if (arg->list.tail != previous && previous && previous->type == PL_LIST &&
            !different_integers(previous->list.head, arg->list.head))
            return Quick::kRest;
        *value = arg;
        changed = true;
        return Quick::kTaken;
    }
    // Any other list: "[X]" is compared here; a flat, ground list (which does not fit) has no
    // variable for a head, and single_differs leaves it.
    if (!previous || previous->type != PL_LIST) return Quick::kRest;
    // The levels single_differs asks for are free here: record_goal took fewer elsewhere.
    if (pl_recorded_lists::single_is_copy(arg, frame, previous)) return Quick::kTaken;
    const int differs = single_apart(arg, frame, previous, room);
    return differs == 0 ? Quick::kTaken : differs > 0 ? Quick::kSingle : Quick::kRest;
}

// The values of the walked and the built list of a goal of three arguments whose inner call left
// its recording to it (record_goal): nothing is compared against them. Taken twice, it changes
// nothing the second time.
inline void forget_walked(PlFunctor* f) {
    PlCell** values = f->values->items;
    values[0] = nullptr;
    values[2] = nullptr;
}

// record_goal's loop over count arguments (a constant for the arities met most, whose steps are
// then laid out one after the other, with nothing kept across them but what changed). A goal
// without a frame holds no variable to follow: goal_rest takes it, and the steps here need not
// look for one.
[[gnu::always_inline]] inline int quick_arguments(PieEngine* engine, PlList* table, PlFunctor* f, PlCell* goal,
                                                  PlFrame* frame, uint32_t count, int64_t room) {
    if (!frame) [[unlikely]]
        return goal_rest(engine, table, goal, frame, 0, false);
    PlCell* const* items = goal->fn.args->items;
    PlCell** values = f->values->items;
    const auto max_reach = static_cast<uint32_t>((room - 2) / 2);
    bool changed = false;
#pragma GCC unroll 4
    for (uint32_t i = 0; i < count; ++i)
        if (const Quick q = quick_argument(items[i], frame, values + i, room, max_reach, changed); q != Quick::kTaken)
            return (q >= Quick::kSingle ? goal_rest_single : goal_rest)(engine, table, goal, frame, i, changed);
    return changed ? goal_changed(engine, table, f) : 0;
}

// The arguments of a goal that succeeded, its variables followed to what they stand for. The
// commonest arguments are compared and stored here: constants and atoms; a walked list whose
// first element differs from the one recorded before, or recorded against a value that is no
// list; "[X]" equal to the list recorded before. At the first other argument the rest of the goal
// goes to goal_rest: this loop calls nothing. Lists are taken here only when their first steps are
// far from the depth limit: the steps left out cannot meet it. The goal's level is counted as the
// inner walk counts its levels: the engine's count stays, and is brought up to the level's around
// the steps that may read it. Answers 1 when a value changed, else 0 (bound_last_query's answer).
// table: the answers to enter, or nullptr. f: the goal's functor, which the caller has read. limit:
// the engine's depth limit, which a call has read already. kAfterWalk: the inner call of a walk
// over lists left its recording to this goal (walk_recording.h); its values of the walked and the
// built list, each a tail of this goal's, would differ from this goal's, and are taken as unknown
// once the goal's level is entered.
template <bool kAfterWalk = false>
[[gnu::always_inline]] inline int record_goal(PieEngine* engine, PlList* table, PlFunctor* f, PlCell* goal,
                                              PlFrame* frame, int limit) {
    // The goal's level, and the levels free below it.
    const int64_t depth = int64_t{engine->depth} + 1;
    const int64_t room = int64_t{limit} - depth;
    // Near the limit, or where entering the level crosses a multiple of 64 (the stack's look), in
    // the order the steps take them: one test for both on the common path. Within a few levels of
    // the limit every argument takes goal_rest's steps, which count them all: the lists below are
    // then far from it.
    if (room < 6 || (depth & 63) == 0) [[unlikely]] {
        if (room < 0) too_deep(engine);
        if ((depth & 63) == 0) look_at_stack(engine, depth);
        if constexpr (kAfterWalk) forget_walked(f);
        if (room < 6)
            return own_vector(f) ? goal_rest(engine, table, goal, frame, 0, false)
                                 : goal_other(engine, table, goal, frame);
    }
    if (!own_vector(f)) return goal_other(engine, table, goal, frame);
    if constexpr (kAfterWalk) forget_walked(f);
    const PlVector* args = goal->fn.args;
    const uint32_t count = args ? std::min(f->arity, args->count) : 0;
#ifdef __OPTIMIZE__
    // The commonest counts, each laid out on its own. An unoptimised build keeps the one loop:
    // there every copy inline takes stack of its own in the frame of a recursive call.
    switch (count) {
    case 1: return quick_arguments(engine, table, f, goal, frame, 1, room);
    case 2: return quick_arguments(engine, table, f, goal, frame, 2, room);
    case 3: return quick_arguments(engine, table, f, goal, frame, 3, room);
    case 4: return quick_arguments(engine, table, f, goal, frame, 4, room);
    default: break;
    }
#endif
    if (!count) return 0;
    return quick_arguments(engine, table, f, goal, frame, count, room);
}

}  // namespace pl_recording
