// The steps of the walk led by a clause head's cells, inlined into each of its levels and
// entries: a head cell needs no dereferencing and a head variable whose slot is unbound is bound
// on the spot, so the pairs a head is made of skip the generic steps; every other pair is handed
// to the generic walk at the same level and step.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/run/head_walk.h"
#include "pie/run/unify.h"
#include "pie/run/unify_steps.h"

namespace pl_head_walk {

[[noreturn]] void too_deep(PieEngine* engine);
[[noreturn]] void not_unifiable(PieEngine* engine);

// The walk keeps its depth in a variable (see PlDepthAt): an item's status may run rules, and
// the generic walk counts on from the engine's count.
struct HeadWalk {
    PieEngine* engine;
    PlFrame* frame;  // the head's, the engine's untrailed frame while the walk runs
    int limit;
};

// pl_bind, with the untrailed frame known.
[[gnu::always_inline]] inline void set(const HeadWalk& w, PlBinding* slot, PlFrame* slot_frame, PlCell* term,
                                       PlFrame* frame) {
    if (slot_frame != w.frame) w.engine->run.trail.push_back({slot, slot_frame});
    slot->term = term;
    slot->frame = frame;
}

// The goal's side of a pair, dereferenced: what PlDeref holds but the variable itself, which no
// step here reads. Four words a compiler keeps in registers where five went to memory.
struct Goal {
    PlCell* term;
    PlFrame* frame;
    PlBinding* slot;  // the binding a variable met last stands in, nullptr when none was met
    PlFrame* slot_frame;
};
[[gnu::always_inline]] inline Goal goal_of(PlCell* term, PlFrame* frame) {
    const PlDeref d = pl_deref(term, frame);
    return {d.term, d.frame, d.slot, d.slot_frame};
}
[[gnu::always_inline]] inline Goal goal_of(const PlDeref& d) { return {d.term, d.frame, d.slot, d.slot_frame}; }

// The look at the native stack a guard takes entering the level below depth: only when the
// count crosses 64.
inline void look_at_stack(const HeadWalk& w, int depth) {
    if (((depth ^ (depth + kWeight)) & ~63) == 0) return;
    PlDepthAt at(w.engine, depth + kWeight);
    if (pl_stack_exhausted(w.engine, depth)) too_deep(w.engine);
}

// The goal's term l meeting var, a head variable whose slot is unbound.
[[gnu::always_inline]] inline int meet_unbound(const HeadWalk& w, Goal l, PlBinding* slot, PlCell* var) {
    switch (l.term->type) {
    case PL_ANONYMOUS:
        return 1;
    case PL_INT:
    case PL_NIL:
        set(w, slot, w.frame, l.term, nullptr);
        return 1;
    case PL_FUNCTOR:
        set(w, slot, w.frame, l.term, l.term->fn.args && l.term->fn.args->count ? l.frame : nullptr);
        return 1;
    case PL_LIST:
    case PL_AND_GROUP:
        set(w, slot, w.frame, l.term, l.frame);
        return 1;
    case PL_MEMBER:
        return 0;
    case PL_UNBOUND:
        // Two unbound variables stay one: the goal's is bound to the head's.
        if (l.slot && l.slot != slot) set(w, l.slot, l.slot_frame, var, w.frame);
        return 1;
    default:
        not_unifiable(w.engine);
    }
}

// The goal's term l meeting the head's cell b, an integer, [] or "_".
[[gnu::always_inline]] inline int meet_constant(const HeadWalk& w, Goal l, PlCell* b) {
    const PlCellType lt = l.term->type;
    if (lt == PL_ANONYMOUS || b->type == PL_ANONYMOUS) {
        if (lt == PL_UNBOUND) {
            if (l.slot) set(w, l.slot, l.slot_frame, b, nullptr);
            return 1;
        }
        if (lt == PL_ANONYMOUS || lt == PL_AND_GROUP || (lt >= PL_INT && lt <= PL_NIL) || lt == PL_MEMBER) return 1;
        not_unifiable(w.engine);
    }
    switch (lt) {
    case PL_INT:
        return b->type == PL_INT && (l.term == b || l.term->value == b->value);
    case PL_NIL:
        return b->type == PL_NIL;
    case PL_FUNCTOR:
    case PL_LIST:
    case PL_AND_GROUP:
        return 0;
    case PL_MEMBER:
        return b->type == PL_INT && pl_member_holds(l.term, b);
    case PL_UNBOUND:
        if (l.slot) set(w, l.slot, l.slot_frame, b, nullptr);
        return 1;
    default:
        not_unifiable(w.engine);
    }
}

// An unbound variable of the goal (l) meeting b, a structure of the head: bound to it, in the
// head's frame when b has parts.
[[gnu::always_inline]] inline int bind_to_structure(const HeadWalk& w, Goal l, PlCell* b) {
    if (l.slot) {
        const bool framed = b->type == PL_LIST || (b->fn.args && b->fn.args->count);
        set(w, l.slot, l.slot_frame, b, framed ? w.frame : nullptr);
    }
    return 1;
}

// The head's constant (an integer, [] or "_") meeting the goal's term; -1 for a once cell, which
// the level steps past.
[[gnu::always_inline]] inline int constant_step(const HeadWalk& w, PlCell* a, PlFrame* fa, PlCell* b) {
    const Goal l = goal_of(a, fa);
    return l.term->type == PL_ONCE ? -1 : meet_constant(w, l, b);
}

int level(const HeadWalk& w, PlCell* a, PlFrame* fa, PlCell* b, int depth, int first_step = 0);
inline int structure(const HeadWalk& w, PlCell* a, PlFrame* fa, PlCell* b, int depth);
[[gnu::always_inline]] inline int pair(const HeadWalk& w, PlCell* a, PlFrame* fa, PlCell* b, int depth);
[[gnu::always_inline]] inline int open_step(const HeadWalk& w, PlCell* a, PlFrame* fa, PlCell* b, int depth, int step);
[[gnu::noinline]] int sub(const HeadWalk& w, PlCell* a, PlFrame* fa, PlCell* b, int depth);
[[gnu::noinline]] int meet_unbound_past_once(const HeadWalk& w, PlCell* a, PlFrame* fa, PlBinding* slot, PlCell* var,
                                             int depth);

// A pair below the level at depth. A head variable not bound yet is met without a native
// level, and meeting a constant or structure also without the look at the stack, as the
// generic walk binds it at once; a constant of the head without a native level either.
[[gnu::always_inline]] inline int pair_leaf(const HeadWalk& w, PlCell* a, PlFrame* fa, PlCell* b, int depth) {
    if (b->type == PL_VAR && depth + kWeight <= w.limit) {
        PlBinding* slot = pl_binding_of(w.frame, b);
        if (slot->term->type == PL_UNBOUND) {
            // The goal's side is dereferenced here without the once cells, which are stepped past
            // out of line: the common path keeps it in registers.
            const Goal l = goal_of(a, fa);
            switch (l.term->type) {
            case PL_INT:
            case PL_NIL:
                set(w, slot, w.frame, l.term, nullptr);
                return 1;
            case PL_LIST:
                set(w, slot, w.frame, l.term, l.frame);
                return 1;
            case PL_FUNCTOR:
                return meet_unbound(w, l, slot, b);
            case PL_ONCE:
                return meet_unbound_past_once(w, a, fa, slot, b, depth);
            default:
                look_at_stack(w, depth);
                return meet_unbound(w, l, slot, b);
            }
        }
    }
    return sub(w, a, fa, b, depth);
}

// A pair that begins a level (step 0) or is the first its loop comes back to (step 1): a
// variable of the head not bound yet, or a constant, ends the level at once, and the cycle
// check would not have looked at it.
[[gnu::always_inline]] inline int open_step(const HeadWalk& w, PlCell* a, PlFrame* fa, PlCell* b, int depth, int step) {
    switch (b->type) {
    case PL_VAR: {
        PlBinding* slot = pl_binding_of(w.frame, b);
        if (slot->term->type != PL_UNBOUND) break;
        const Goal l = goal_of(a, fa);  // a once cell is the level's to step past
        if (l.term->type == PL_ONCE) break;
        return meet_unbound(w, l, slot, b);
    }
    case PL_ANONYMOUS:
    case PL_INT:
    case PL_NIL:
        if (const int met = constant_step(w, a, fa, b); met >= 0) return met;
        break;
    case PL_FUNCTOR:
    case PL_LIST: {
        const Goal l = goal_of(a, fa);
        if (l.term->type == PL_UNBOUND) return bind_to_structure(w, l, b);
        break;
    }
    default:
        break;
    }
    return level(w, a, fa, b, depth, step);
}

// pair_leaf, but a list of the head whose parts are variables (the commonest structure of a
// head, [H | T]) takes its level here, as sub takes it, without a native level of its own when
// the level is within the limit and takes no look at the stack.
[[gnu::always_inline]] inline int pair(const HeadWalk& w, PlCell* a, PlFrame* fa, PlCell* b, int depth) {
    if (b->type == PL_VAR) return pair_leaf(w, a, fa, b, depth);
    const int inner = depth + kWeight;
    if (b->type != PL_LIST || inner > w.limit || ((depth ^ inner) & ~63) != 0 || b->list.head->type != PL_VAR ||
        b->list.tail->type != PL_VAR)
        return sub(w, a, fa, b, depth);
    const Goal l = goal_of(a, fa);
    if (l.term->type == PL_UNBOUND) return bind_to_structure(w, l, b);
    if (l.term->type != PL_LIST) return level(w, a, fa, b, inner);
    if (!pair_leaf(w, l.term->list.head, l.frame, b->list.head, inner)) return 0;
    return open_step(w, l.term->list.tail, l.frame, b->list.tail, inner, 1);
}

// The first step of a level at depth whose head cell b is a structure: a list against a list,
// or a term against a term of b's functor (not an item's, whose status is looked at in the
// level), taken without the level's own steps; its loop's first pair is taken as open_step
// takes it.
[[gnu::always_inline]] inline int structure(const HeadWalk& w, PlCell* a, PlFrame* fa, PlCell* b, int depth) {
    const Goal l = goal_of(a, fa);  // a once cell is the level's to step past
    if (l.term->type == PL_ONCE) return level(w, a, fa, b, depth);
    if (l.term->type == PL_UNBOUND) return bind_to_structure(w, l, b);
    if (b->type == PL_LIST && l.term->type == PL_LIST) {
        if (!pair(w, l.term->list.head, l.frame, b->list.head, depth)) return 0;
        return open_step(w, l.term->list.tail, l.frame, b->list.tail, depth, 1);
    }
    if (b->type != PL_FUNCTOR || l.term->type != PL_FUNCTOR || l.term->fn.functor->arity == 1)
        return level(w, a, fa, b, depth);
    if (l.term->fn.functor != b->fn.functor) return 0;
    const uint32_t n = l.term->fn.args ? l.term->fn.args->count : 0;
    const uint32_t m = b->fn.args ? b->fn.args->count : 0;
    const uint32_t k = n < m ? n : m;
    if (k == 0) return 1;
    for (uint32_t i = 0; i + 1 < k; ++i)
        if (!pair(w, pl_arg(l.term, i), l.frame, pl_arg(b, i), depth)) return 0;
    return open_step(w, pl_arg(l.term, k - 1), l.frame, pl_arg(b, k - 1), depth, 1);
}

}  // namespace pl_head_walk
