// The quick steps of recording a goal's bound values, for the commonest goals: functors that keep
// their values in a vector of their own, whose arguments are constants, compound terms and the
// lists met most often: the rest of a goal that the loop inline in the call (record_goal.h) hands
// on, and the walk inside compound arguments. The loops here call nothing on the common path;
// whatever they do not cover goes to the generic steps (record_generic.cpp).
#include "pie/run/interpreter.h"

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/terms/list.h"
#include "pie/terms/list_shape.h"
#include "pie/run/record_goal.h"
#include "pie/run/recorded_lists.h"
#include "pie/run/recording.h"
#include "pie/run/settle_quick.h"
#include "pie/run/unify.h"

#include <algorithm>

using namespace pl_recording;

namespace {

using namespace pl_recorded_lists;

// "[X]" with X bound to a constant, by far the commonest list to copy, made as resolving would make
// it (a new cell, its shape found); its walk takes four levels, which must fit. Nullptr, nothing
// taken, for any other list.
[[gnu::always_inline]] inline PlCell* single_copy(PieEngine* engine, PlCell* list, PlFrame* frame, int64_t room) {
    PlCell* head = list->list.head;
    if (head->type == PL_VAR && frame && list->list.tail->type == PL_NIL && room >= 4) {
        const PlBinding* b = &frame->slots()[head->var.slot];
        while (b->term->type == PL_VAR && b->frame) b = &b->frame->slots()[b->term->var.slot];
        const PlCell* value = b->term;
        // An integer, the commonest element, first.
        if (!b->frame && (value->type == PL_INT || (value->type != PL_LIST && value->type != PL_UNBOUND &&
                                                    (pl_element_shape(value) & PL_SHAPE_GROUND)))) {
            // A constant (the element is ground and no list or compound term) before "[]".
            const uint32_t shape = pl_cell_shape_after_constant(PL_SHAPE_GROUND | PL_SHAPE_FLAT);
            if (PlCell* cell = pl_new_list_cell(engine, b->term, list->list.tail, shape)) return cell;
            PlCell* cell = pl_term_cell(engine, PL_LIST);
            cell->list.head = b->term;
            cell->list.tail = list->list.tail;
            cell->shape = shape;
            return cell;
        }
    }
    return nullptr;
}

// The resolved copy of a list to record.
PlCell* resolved_list(PieEngine* engine, PlCell* list, PlFrame* frame, int64_t room) {
    if (PlCell* copy = single_copy(engine, list, frame, room)) return copy;
    return pl_resolve_term(engine, list, frame, frame).term;
}

// The list last resolved for a goal's arguments. Two arguments often stand for one list
// ("app([], L, L)") and nothing binds between them, so its copy serves both.
struct Copied {
    PlCell* term;
    PlFrame* frame;
    PlCell* copy;
};

// The goal's copy of a list, made when the list differs from the one copied last.
[[gnu::noinline]] PlCell* shared_copy(PieEngine* engine, PlCell* list, PlFrame* frame, int64_t room, Copied& copied) {
    if (list != copied.term || frame != copied.frame) copied = {list, frame, resolved_list(engine, list, frame, room)};
    return copied.copy;
}

// What record_list_value answers for a list that record_argument must take, nothing having been
// changed.
constexpr int64_t kTakeGeneric = INT64_MIN;

// A list argument of a functor with a vector of its own, *value being the value recorded before:
// the lists met most often (walked ones, flat and ground, which have only the comparison left
// and their first elements most often settle it; "[X]"; lists of constants) are compared and
// stored here. Answers the levels record_argument answers, or kTakeGeneric. copied: the goal's
// copy to share, or nullptr.
[[gnu::always_inline]] inline int64_t record_list_value(PieEngine* engine, PlCell* arg, PlFrame* arg_frame,
                                                        PlCell** value, int64_t room, bool& changed, Copied* copied) {
    const uint32_t shape = arg->shape;
    const int64_t reach = pl_shape_reach(shape);
    int here;
    if ((shape & PL_SHAPE_FLAT) && 1 + reach <= room) {
        if (!(shape & PL_SHAPE_GROUND)) return kTakeGeneric;
        here = ground_list_differs(arg, *value, room);
    } else {
        here = single_differs(arg, arg_frame, *value, room);
        if (here < 0) here = constant_list_differs(arg, arg_frame, *value, room);
    }
    if (here < 0) return kTakeGeneric;
    const int64_t below = shape & PL_SHAPE_GROUND ? 2 + 2 * reach : -1;
    if (here) {
        if (below >= 0 && below <= room) {
            *value = arg;
        } else if (!copied) {
            *value = resolved_list(engine, arg, arg_frame, room);
        } else {
            *value = shared_copy(engine, arg, arg_frame, room, *copied);
        }
        changed = true;
    }
    return below;
}

// A compound term or atom argument of a functor with a vector of its own, *value being the value
// recorded before: the term's own arguments are recorded first (the value is read before them:
// they may be of the same functor), then it is compared by its functor. Answers the levels of
// record_argument.
[[gnu::always_inline]] inline int64_t record_functor_value(const Recorder& r, PlCell* arg, PlFrame* arg_frame,
                                                           PlCell** value, int64_t room, bool& changed) {
    PlCell* previous = *value;
    bool here = false;
    int64_t below = 2;
    if (has_arguments(arg)) {
        const Recording inner = record_inner(r, arg, arg_frame, room);
        here = inner.changed;
        below = inner.levels;
    }
    if (here || !previous || previous->type != PL_FUNCTOR || previous->fn.functor != arg->fn.functor) {
        // A term without variables resolves to itself: the walk is left out when it would fit.
        *value = below >= 0 && below <= room ? arg : pl_resolve_term(r.engine, arg, arg_frame, arg_frame).term;
        changed = true;
    }
    return below;
}

// What the walks below hand to own_argument with an argument they leave to it.
struct OwnWalk {
    const Recorder& r;
    PlCell* goal;
    PlFrame* frame;
    int64_t room;
    Copied* copied;  // the goal's, when its variables are followed; else nullptr
};

// Argument i of a functor with a vector of its own, by the steps above or record_other: whether
// its value changed, and the levels record_argument answers.
[[gnu::noinline]] Recording own_argument(const OwnWalk& w, uint32_t i, PlCell* arg, PlFrame* arg_frame) {
    PlCell** value = &w.goal->fn.functor->values->items[i];
    bool changed = false;
    int64_t below = 2;
    switch (arg->type) {
    case PL_INT: case PL_NIL: case PL_UNBOUND:
        if (arg != *value) {
            *value = arg;
            changed = true;
        }
        break;
    case PL_FUNCTOR:
        below = record_functor_value(w.r, arg, arg_frame, value, w.room, changed);
        break;
    case PL_LIST:
        below = record_list_value(w.r.engine, arg, arg_frame, value, w.room, changed, w.copied);
        if (below != kTakeGeneric) break;
        [[fallthrough]];
    default:
        below = record_other(w.r, w.goal, w.frame, w.room, i, arg, arg_frame, changed);
        break;
    }
    return {changed, below};
}

}  // namespace

namespace pl_recording {

[[gnu::noinline]] void too_deep(PieEngine* engine) { pl_fatal_error(engine, PL_ERR_STACK, "bound_last_query"); }

[[gnu::noinline]] void look_at_stack(PieEngine* engine, int64_t depth) {
    const PlDepthAt at(engine, depth);
    if (pl_stack_exhausted(engine, static_cast<int>(depth - 1))) too_deep(engine);
}

}  // namespace pl_recording

namespace {

// The arguments of a goal from argument i on, each by own_argument, with the engine's count at the
// goal's level; then the goal's entry in the answers when a value changed, those taken before
// included. copied: the copy made last for the goal. The walks of compound terms are entered here.
[[gnu::always_inline]] inline int rest_of_goal(PieEngine* engine, PlList* table, PlCell* goal, PlFrame* frame,
                                               uint32_t i, bool changed, Copied copied) {
    const Recorder r = numbered(engine, table, table != nullptr);
    const PlDepthAt at(engine, engine->depth + 1);
    PlFunctor* f = goal->fn.functor;
    const uint32_t count = std::min(f->arity, goal->fn.args->count);
    const int64_t room = int64_t{pl_depth_limit(engine)} - engine->depth;
    PlCell** values = f->values->items;
    for (; i < count; ++i) {
        const PlDeref d = pl_deref(goal->fn.args->items[i], frame);
        if (d.term->type == PL_LIST && room >= 6 && values[i] && values[i]->type == PL_LIST) {
            // "[X]", the commonest list here, as record_list_value takes it, without its call.
            const int here = single_differs(d.term, d.frame, values[i], room);
            if (here == 0) continue;
            if (here > 0 && !(d.term->shape & PL_SHAPE_GROUND)) {
                // Most often the second of two arguments that stand for one list: its copy is made.
                values[i] = d.term == copied.term && d.frame == copied.frame
                                ? copied.copy
                                : shared_copy(engine, d.term, d.frame, room, copied);
                changed = true;
                continue;
            }
        }
        if (d.term->type != PL_FUNCTOR) {
            changed |= own_argument(OwnWalk{r, goal, frame, room, &copied}, i, d.term, d.frame).changed;
            continue;
        }
        // A compound term or atom, as own_argument records it, without its call.
        record_functor_value(r, d.term, d.frame, &values[i], room, changed);
    }
    if (changed) {
        note_query_values(engine, f);
        enter_answer(r, f);
    }
    return changed;
}

// rest_of_goal, a copy made already.
[[gnu::noinline]] int goal_rest_copied(PieEngine* engine, PlList* table, PlCell* goal, PlFrame* frame, uint32_t i,
                                       const Copied& copied) {
    return rest_of_goal(engine, table, goal, frame, i, true, copied);
}

}  // namespace

namespace pl_recording {

// The arguments of a goal from argument i on (the first one record_goal did not take, and the
// rest), by rest_of_goal.
[[gnu::noinline]] int goal_rest(PieEngine* engine, PlList* table, PlCell* goal, PlFrame* frame, uint32_t i,
                                 bool changed) {
    Copied none;
    none.term = nullptr;  // no copy yet: the other fields are read only once it matches
    return rest_of_goal(engine, table, goal, frame, i, changed, none);
}

// Argument i's copy made and stored as rest_of_goal makes it, then the arguments after it that
// stand for the same list, as rest_of_goal takes them; at any other the rest goes to it, the copy
// handed on. The levels free are six at least (single_differs asked for them), which is what the
// steps here need: the copy's walk takes four; nothing here reads the engine's count. No recording
// number is taken and the goal enters the answers as record_goal enters it: a number only tells
// the entries of one recording from those of others, and nothing here enters any other. An
// argument that is no list (record_goal's kOther) goes to goal_unnamed.
[[gnu::noinline]] int goal_rest_single(PieEngine* engine, PlList* table, PlCell* goal, PlFrame* frame, uint32_t i,
                                        bool changed) {
    constexpr int64_t kRoom = 6;
    PlFunctor* f = goal->fn.functor;
    PlCell* const* items = goal->fn.args->items;
    PlCell** values = f->values->items;
    // An argument's list and the frame it is read in, its variables followed as pl_deref follows them.
    const auto follow = [frame](PlCell* term) {
        PlTermRef t{term, frame};
        while (t.term->type == PL_VAR && t.frame) {
            const PlBinding* b = pl_binding_of(t.frame, t.term);
            t = {b->term, b->frame};
        }
        return t;
    };
    const PlTermRef list = follow(items[i]);
    if (list.term->type != PL_LIST) return goal_unnamed(engine, table, goal, frame, i, changed);
    PlCell* copy = list.term->shape & PL_SHAPE_GROUND ? nullptr : single_copy(engine, list.term, list.frame, kRoom);
    if (!copy) return goal_rest(engine, table, goal, frame, i, changed);
    values[i] = copy;
    const uint32_t count = std::min(f->arity, goal->fn.args->count);
    for (++i; i < count; ++i) {
        const PlTermRef other = follow(items[i]);
        // The same list: its element is the copy's, found already.
        int here = -1;
        if (other.term == list.term && other.frame == list.frame && values[i] && values[i]->type == PL_LIST)
            here = single_element_differs(copy->list.head, values[i]);
        if (here < 0) return goal_rest_copied(engine, table, goal, frame, i, Copied{list.term, list.frame, copy});
        if (here > 0) values[i] = copy;
    }
    return goal_changed(engine, table, f);
}

[[gnu::noinline]] int single_apart(PlCell* list, PlFrame* frame, PlCell* previous, int64_t room) {
    return single_differs(list, frame, previous, room);
}

// A goal whose functor keeps no vector of its own, at the goal's level.
[[gnu::noinline]] int goal_any(PieEngine* engine, PlList* table, PlCell* goal, PlFrame* frame) {
    const PlDepthAt at(engine, engine->depth + 1);
    return record_any(numbered(engine, table, table != nullptr), goal, frame, true).changed;
}

}  // namespace pl_recording

namespace {

// The generic steps for one argument, at the level's depth.
[[gnu::noinline]] Recording inner_argument(const InnerWalk& w, PlCell* term, int64_t room, uint32_t i, PlCell* arg) {
    const PlDepthAt at(w.r.engine, w.limit - room);
    const OwnWalk ow{w.r, term, w.frame, room, nullptr};
    return own_argument(ow, i, arg, w.frame);
}

// The resolved copy of a term to record, at the level's depth.
[[gnu::noinline]] PlCell* inner_resolved(const InnerWalk& w, PlCell* term, int64_t room) {
    const PlDepthAt at(w.r.engine, w.limit - room);
    return pl_resolve_term(w.r.engine, term, w.frame, w.frame).term;
}

// A level whose functor keeps no vector of its own, at the level's depth.
[[gnu::noinline]] Recording inner_any(const InnerWalk& w, PlCell* term, int64_t room) {
    const PlDepthAt at(w.r.engine, w.limit - room);
    return record_any(w.r, term, w.frame, false);
}

}  // namespace

namespace {

// A level of the walk, its Recording in one word: the levels times two, changed in the lowest bit
// (one register to hand back and to keep across the levels below).
int64_t packed_level(const InnerWalk& w, PlCell* term, int64_t room_above);
constexpr int64_t packed(int64_t levels, bool changed) { return levels * 2 + changed; }
constexpr int64_t packed_levels(int64_t level) { return level >> 1; }
constexpr bool packed_changed(int64_t level) { return (level & 1) != 0; }

// The levels of the walk for what the generic steps answer: their -1, a term that may hold a
// variable, would be taken above for one that fits, and the term kept unresolved, its variables
// the goal's.
constexpr int64_t walk_levels(int64_t levels) { return levels < 0 ? kOpen : levels; }

// Argument i of a level of the walk (items[i], term's), value being its value before, recorded
// as record_argument would: the levels it takes (kOpen for one that may hold a variable); changed
// set when a value changed.
[[gnu::always_inline]] inline int64_t argument_step(const InnerWalk& w, PlCell* term, int64_t room,
                                                    PlCell* const* items, uint32_t i, PlCell** value, bool& changed) {
    PlCell* arg = items[i];
    int64_t below = 2;
    // Compound terms and atoms first: in a term inside an argument they are most of what is met.
    if (arg->type == PL_FUNCTOR) {
        // Held against the value before the arguments are recorded: they may be f's too. The
        // functors first, which tell most terms apart: a cell of another type holds no functor
        // there, and its type tells it apart after.
        const PlCell* previous = *value;
        bool store = !previous || previous->fn.functor != arg->fn.functor || previous->type != PL_FUNCTOR;
        if (has_arguments(arg)) {
            const int64_t inner = packed_level(w, arg, room);
            store |= packed_changed(inner);
            below = packed_levels(inner);
            // Read again rather than kept across the walk: nothing there writes a term's arguments.
            arg = items[i];
        }
        if (store) {
            // A term without variables resolves to itself: the walk is left out when it would fit.
            *value = below <= room ? arg : inner_resolved(w, arg, room);
            changed = true;
        }
    } else if (is_plain_constant(arg)) {
        if (arg != *value) {
            *value = arg;
            changed = true;
        }
    } else if (arg->type == PL_VAR) {
        below = kOpen;
    } else {
        const Recording one = inner_argument(w, term, room, i, arg);
        changed |= one.changed;
        below = walk_levels(one.levels);
    }
    return below;
}

// A level of another arity than one or two, out of line: its loop would take registers from the
// common levels.
[[gnu::noinline]] int64_t other_arity(const InnerWalk& w, PlCell* term, int64_t room) {
    PlFunctor* f = term->fn.functor;
    const uint32_t n = term->fn.args->count;
    PlCell* const* const items = term->fn.args->items;  // read once: the stores below may alias it
    PlCell** values = f->values->items;
    bool changed = false;
    // The levels resolving term takes, as levels_with counts them over its arguments: two and the
    // deepest argument's, kOpen when one may hold a variable. Arguments past the functor's arity
    // are not walked: the term may hold a variable there.
    int64_t deepest = n > f->arity ? kOpen : 0;
    const uint32_t count = std::min(f->arity, n);
    for (uint32_t i = 0; i < count; ++i)
        deepest = std::max(deepest, argument_step(w, term, room, items, i, values + i, changed));
    if (changed) note_and_enter(w, f);
    return packed(2 + deepest, changed);
}

// One level of the walk: term's arguments recorded as record_argument would. Constants and
// compound terms are taken here, the rest by the generic steps. term has arguments (the walk
// enters no other term).
int64_t packed_level(const InnerWalk& w, PlCell* term, int64_t room_above) {
    const int64_t room = room_above - 1;
    if (room_above <= w.quiet_above) [[unlikely]] {
        if (room_above < 1) too_deep(w.r.engine);
        // Entering the level crosses a multiple of 64 when it reaches one.
        if (((w.limit - room) & 63) == 0) look_at_stack(w.r.engine, w.limit - room);
    }
    PlFunctor* f = term->fn.functor;
    // A functor's vector is made with it, one value an argument: a functor that may keep its
    // values there has it for every argument of a term of its own.
    if (f->owner || (f->flags & (PLF_HOST_FACT | PLF_READ_ONLY))) {
        const Recording any = inner_any(w, term, room);
        return packed(walk_levels(any.levels), any.changed);
    }
    const PlVector* args = term->fn.args;
    const uint32_t n = args->count;
    PlCell** values = f->values->items;
    PlCell* const* const items = args->items;  // read once: the stores below may alias it for all the compiler knows
    bool changed = false;
    // Most terms met are of two arguments: their steps are laid out one after the other. The
    // deepest argument's levels, as other_arity counts them.
    int64_t deepest = 0;
    if (n == 2 && f->arity == 2) {
        deepest = std::max(deepest, argument_step(w, term, room, items, 0, values, changed));
        deepest = std::max(deepest, argument_step(w, term, room, items, 1, values + 1, changed));
    } else if (n == 1 && f->arity == 1) {
        deepest = std::max(deepest, argument_step(w, term, room, items, 0, values, changed));
    } else {
        return other_arity(w, term, room);
    }
    if (changed) note_and_enter(w, f);
    return packed(2 + deepest, changed);
}

}  // namespace

namespace pl_recording {

Recording inner_level(const InnerWalk& w, PlCell* term, int64_t room_above) {
    const int64_t level = packed_level(w, term, room_above);
    return {packed_changed(level), packed_levels(level)};
}

}  // namespace pl_recording
