// Matching a goal with a clause head in the clause's frame: the generic unification, walked by
// the head's own cells (pie/run/head_walk.cpp). Away from the depth limit, the quick steps here
// take the commonest pairs first, without checks, and hand the walk the match where they stop.
// A rule's head whose clause keeps a plan of its arguments (pie/terms/clause_facts.h) is taken by
// steps that leave out the tests the plan answers once for all its tries (pie/run/head_plan.h,
// whose rare paths are here). The answer, the bindings (which slot, which value, trailed or not,
// in which order), the item status looks and the depth errors are the generic walk's.
#include "pie/run/unify.h"

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/run/head_plan.h"
#include "pie/run/head_walk.h"
#include "pie/run/unify_steps.h"
#include "pie/terms/clause_facts.h"

#include <algorithm>

using namespace pl_head_walk;
using namespace pl_head_plan;

namespace pl_head_plan {

// A variable of the head bound already (slot, b's) meeting an unbound variable of the goal's, as
// the generic walk meets them wherever it takes the pair up: the goal's is bound to what the
// head's stands for. -1 for any other pair.
template <bool kFramed>
[[gnu::noinline]] int quick_bound(PieEngine* engine, PlFrame* head_frame, PlCell* a, PlFrame* fa, PlCell* b,
                                  PlBinding* slot) {
    PlCell* value = slot->term;
    PlFrame* value_frame = slot->frame;
    PlBinding* value_slot = slot;
    PlFrame* value_slot_frame = head_frame;
    PlCell* value_var = b;
    while (value->type == PL_VAR && value_frame) {
        value_slot = pl_binding_of(value_frame, value);
        value_slot_frame = value_frame;
        value_var = value;
        value = value_slot->term;
        value_frame = value_slot->frame;
    }
    const PlCellType vt = value->type;
    if (vt != PL_ANONYMOUS && vt != PL_INT && vt != PL_FUNCTOR && vt != PL_LIST && vt != PL_NIL && vt != PL_UNBOUND)
        return -1;
    PlBinding* goal_slot = nullptr;
    PlFrame* goal_slot_frame = nullptr;
    goal_at<kFramed>(a, fa, goal_slot, goal_slot_frame);
    if (a->type != PL_UNBOUND) return -1;
    if (!goal_slot || goal_slot == value_slot) return 1;
    if (vt == PL_UNBOUND) {
        bind_goal_slot<false>(engine, head_frame, goal_slot, goal_slot_frame, value_var, value_slot_frame);
    } else {
        const bool framed = vt == PL_LIST || (vt == PL_FUNCTOR && value->fn.args && value->fn.args->count);
        bind_goal_slot<false>(engine, head_frame, goal_slot, goal_slot_frame, value, framed ? value_frame : nullptr);
    }
    return 1;
}
template int quick_bound<true>(PieEngine*, PlFrame*, PlCell*, PlFrame*, PlCell*, PlBinding*);
template int quick_bound<false>(PieEngine*, PlFrame*, PlCell*, PlFrame*, PlCell*, PlBinding*);

}  // namespace pl_head_plan

namespace {

// An integer, a term, a list or [].
[[gnu::always_inline]] inline bool plain(PlCellType type) { return type >= PL_INT && type <= PL_NIL; }

// A "_" of the head (b), as the walk's constant step takes it: an unbound variable of the goal's
// is bound to it, and it meets any constant or structure; what else the goal holds (a once cell,
// a member set) is the walk's.
template <bool kFramed, bool kLean>
[[gnu::always_inline]] inline int anonymous_leaf(PieEngine* engine, PlFrame* head_frame, PlCell* a, PlFrame* fa,
                                                 PlCell* b) {
    PlBinding* goal_slot = nullptr;
    PlFrame* goal_slot_frame = nullptr;
    goal_at<kFramed>(a, fa, goal_slot, goal_slot_frame);
    const PlCellType lt = a->type;
    if (lt == PL_UNBOUND) {
        if (goal_slot && !bind_goal_slot<kLean>(engine, head_frame, goal_slot, goal_slot_frame, b, nullptr))
            return kLeave;
        return 1;
    }
    return lt == PL_ANONYMOUS || lt == PL_AND_GROUP || plain(lt) ? 1 : -1;
}

// A pair whose head cell b is a variable or a constant, at the head's level or the one below,
// as pair_leaf or open_step (step kStep) takes it: a variable not bound yet takes the goal's
// integer, [], list or term, or is met by its unbound variable; a constant meets the goal's.
// A variable met first in a fresh frame (kFresh) is not bound yet.
template <int kStep, bool kFramed = true, bool kLean = false, bool kFresh = false, bool kTermFirst = false>
[[gnu::always_inline]] inline int quick_leaf(PieEngine* engine, PlFrame* head_frame, PlCell* a, PlFrame* fa,
                                             PlCell* b) {
    const PlCellType bt = b->type;
    if (bt == PL_VAR) [[likely]]
        return var_leaf<kFramed, kLean, kFresh, -1, false, PlCell*, false, kTermFirst>(engine, head_frame, a, fa, b);
    if (bt != PL_INT && bt != PL_NIL)
        return bt == PL_ANONYMOUS ? anonymous_leaf<kFramed, kLean>(engine, head_frame, a, fa, b) : -1;
    PlBinding* goal_slot = nullptr;
    PlFrame* goal_slot_frame = nullptr;
    goal_at<kFramed>(a, fa, goal_slot, goal_slot_frame);
    switch (a->type) {
    case PL_INT:
        return bt == PL_INT && (a == b || a->value == b->value);
    case PL_NIL:
        return bt == PL_NIL;
    case PL_FUNCTOR:
    case PL_LIST:
        return 0;
    case PL_UNBOUND:
        if (goal_slot && !bind_goal_slot<kLean>(engine, head_frame, goal_slot, goal_slot_frame, b, nullptr))
            return kLeave;
        return 1;
    default:
        return -1;
    }
}

// A term of the head (b) meeting the goal's term a of the same kind, at the head's level, as
// quick_pair takes it (kFresh: the term's first part holds the head's first variable).
template <bool kLean, bool kFresh>
[[gnu::always_inline]] inline int term_pair(PieEngine* engine, PlFrame* head_frame, PlCell* a, PlFrame* fa, PlCell* b) {
    const PlFunctor* const f = b->fn.functor;
    if (a->fn.functor != f) return 0;
    const PlVector* const theirs_args = b->fn.args;
    // An atom of the head (d(..., x, ...)) meets its functor's term whatever its parts.
    if (!theirs_args || !theirs_args->count) return f->arity == 1 ? -1 : 1;
    const PlVector* const ours_args = a->fn.args;
    const uint32_t n = ours_args ? ours_args->count : 0;
    const uint32_t m = theirs_args->count;
    if (f->arity == 1) {
        // The walk tells a term of one argument from the head's by its functor first, then looks
        // at the item's status only where a member set meets an unbound variable: with no member
        // set on either side the look answers yes and changes nothing. The head's first
        // variable, met first here in a fresh frame, is unbound.
        if (!n || pl_deref(ours_args->items[0], fa).term->type == PL_MEMBER) return -1;
        PlCell* const part = theirs_args->items[0];
        if (!(kFresh && part->type == PL_VAR) && pl_deref(part, head_frame).term->type == PL_MEMBER) return -1;
    }
    const uint32_t k = n < m ? n : m;
    if (k == 0) return 1;
    PlCell** ours = ours_args->items;
    PlCell** theirs = theirs_args->items;
    uint32_t i = 0;
    if constexpr (kFresh) {
        // The term's first part holds the head's first variable.
        if (k == 1) {
            const int met = quick_leaf<1, false, kLean, true, true>(engine, head_frame, ours[0], fa, theirs[0]);
            return met >= 0 ? met : -1 - static_cast<int>(kArgument);
        }
        const int met = quick_leaf<kPair, false, kLean, true, true>(engine, head_frame, ours[0], fa, theirs[0]);
        if (met <= 0) return met < 0 ? -1 - static_cast<int>(kArgument) : 0;
        if (k == 2) {
            // The commonest term of a head's first argument, an operator's (d(U + V, ...)).
            const int last = quick_leaf<1, false, kLean, false, true>(engine, head_frame, ours[1], fa, theirs[1]);
            return last >= 0 ? last : -1 - static_cast<int>(kArgument + 1);
        }
        i = 1;
    }
    for (; i + 1 < k; ++i) {
        const int met = quick_leaf<kPair, false, kLean, false, true>(engine, head_frame, ours[i], fa, theirs[i]);
        if (met <= 0) return met < 0 ? -1 - static_cast<int>(kArgument + i) : 0;
    }
    const int met = quick_leaf<1, false, kLean, false, true>(engine, head_frame, ours[k - 1], fa, theirs[k - 1]);
    return met >= 0 ? met : -1 - static_cast<int>(kArgument + k - 1);
}

// A pair of the head's own level, as `pair` (kPair) or open_step takes it: 1 or 0, or where
// inside it the walk is to take it up (-1 - the place). A list of two variables or a term of
// another functor than an item's meets the goal's of its kind part by part, one level below;
// an unbound variable of the goal is bound to a structure of the head, as bind_to_structure
// binds it.
template <int kStep, bool kLean = false, bool kFresh = false>
[[gnu::always_inline]] inline int quick_pair(PieEngine* engine, PlFrame* head_frame, PlCell* a, PlFrame* fa, PlCell* b) {
    const PlCellType bt = b->type;
    if (bt != PL_FUNCTOR) {
        if (bt == PL_VAR) [[likely]]
            return quick_leaf<kStep, true, kLean, kFresh>(engine, head_frame, a, fa, b);
        if (bt != PL_LIST) return quick_leaf<kStep, true, kLean>(engine, head_frame, a, fa, b);
    }
    PlBinding* goal_slot = nullptr;
    PlFrame* goal_slot_frame = nullptr;
    goal_at<true>(a, fa, goal_slot, goal_slot_frame);
    const PlCellType lt = a->type;
    // Two terms, the commonest pair of a head's term, are told first.
    if (kStep == kPair && lt == PL_FUNCTOR) [[likely]]
        return bt == PL_FUNCTOR ? term_pair<kLean, kFresh>(engine, head_frame, a, fa, b) : -1;
    if (kStep == 0 && lt == PL_FUNCTOR && bt == PL_FUNCTOR) [[likely]] {
        // A fact's argument: terms of different functors fail wherever the walk meets them; two
        // of one functor (not an item's) succeed where either has no arguments.
        const PlFunctor* const f = b->fn.functor;
        if (a->fn.functor != f) return 0;
        if (f->arity == 1) return -1;
        return (a->fn.args && a->fn.args->count) && (b->fn.args && b->fn.args->count) ? -1 : 1;
    }
    if (lt == PL_UNBOUND) {
        if (goal_slot) {
            const bool framed = bt == PL_LIST || (b->fn.args && b->fn.args->count);
            PlFrame* frame = framed ? head_frame : nullptr;
            if (!bind_goal_slot<kLean>(engine, head_frame, goal_slot, goal_slot_frame, b, frame)) return kLeave;
        }
        return 1;
    }
    if constexpr (kStep == 0) {
        // A fact's argument: an integer, [] or a structure of the other kind fails wherever the
        // walk meets it; two terms were told above.
        if (lt != bt) return plain(lt) ? 0 : -1;
        return -1;
    }
    if (kStep != kPair) return -1;
    if (bt == PL_LIST) {
        if (lt != PL_LIST || b->list.head->type != PL_VAR || b->list.tail->type != PL_VAR) return -1;
        const int head = quick_leaf<kPair, false, kLean, kFresh>(engine, head_frame, a->list.head, fa, b->list.head);
        if (head <= 0) return head;
        const int tail = quick_leaf<1, false, kLean>(engine, head_frame, a->list.tail, fa, b->list.tail);
        return tail >= 0 ? tail : -1 - static_cast<int>(kTail);
    }
    // A term of the goal's was told above.
    return -1;
}

}  // namespace

namespace pl_head_plan {

// Whether the looks at the native stack a walk from here would take within a head's levels are
// sure to answer "not exhausted" and note nothing: the stack stands well above the depth where
// looks begin to count (the walk's native frames below this one take far less than the margin).
[[gnu::noinline]] bool stack_far_from_deep(const PieEngine* engine) {
    constexpr uintptr_t kMargin = uintptr_t{64} << 10;
    volatile char probe = 0;
    return reinterpret_cast<uintptr_t>(&probe) >= engine->stack_deep_mark + kMargin;
}

// The pairs of a head from ours[0] and theirs[0] on (left of them), by the quick steps, out of
// line: for heads of other sizes and the pairs the lean steps leave.
[[gnu::noinline]] int quick_rest(PieEngine* engine, PlFrame* head_frame, PlFrame* goal_frame, PlCell** ours,
                                 PlCell** theirs, uint32_t left) {
    uint32_t i = 0;
    for (; i + 1 < left; ++i) {
        const int met = quick_pair<kPair>(engine, head_frame, ours[i], goal_frame, theirs[i]);
        if (met == 0) return 0;
        if (met < 0) [[unlikely]]
            return walk_on(engine, head_frame, goal_frame, ours + i, theirs + i,
                           {left - i, static_cast<uint32_t>(-1 - met)});
    }
    const int met = quick_pair<1>(engine, head_frame, ours[i], goal_frame, theirs[i]);
    if (met >= 0) [[likely]]
        return met;
    return walk_on(engine, head_frame, goal_frame, ours + i, theirs + i, {1, static_cast<uint32_t>(-1 - met)});
}

[[gnu::noinline]] int planned_rest(PieEngine* engine, PlFrame* head_frame, PlFrame* goal_frame,
                                   const PlVector* goal_args, const PlVector* head_args, PlannedStop stop) {
    PlCell** ours = goal_args->items + stop.index;
    PlCell** theirs = head_args->items + stop.index;
    const uint32_t left = uint32_t{stop.count} - stop.index;
    if (stop.met == kLeave) return quick_rest(engine, head_frame, goal_frame, ours, theirs, left);
    return walk_on(engine, head_frame, goal_frame, ours, theirs, {left, static_cast<uint32_t>(-1 - stop.met)});
}

#if defined(__clang__)
[[gnu::noinline]] int planned_rest_from(PieEngine* engine, PlFrame* head_frame, PlFrame* goal_frame,
                                        const PlVector* goal_args, const PlVector* head_args, uint32_t count,
                                        uint32_t index, int met) {
    return planned_rest(engine, head_frame, goal_frame, goal_args, head_args,
                        {static_cast<uint16_t>(count), static_cast<uint16_t>(index), met});
}
#endif

}  // namespace pl_head_plan

namespace {

// The pairs of a head of kCount arguments from pair kIndex on, by the lean steps: what they
// leave untouched goes to the quick steps, what they leave halfway to the walk.
template <uint32_t kCount, bool kFresh, uint32_t kIndex = 0>
[[gnu::always_inline]] inline int lean_arguments(PieEngine* engine, PlFrame* head_frame, PlFrame* goal_frame,
                                                 PlCell** ours, PlCell** theirs) {
    constexpr bool kLast = kIndex + 1 == kCount;
    const int met = quick_pair<kLast ? 1 : kPair, true, kFresh && kIndex == 0>(engine, head_frame, ours[kIndex],
                                                                               goal_frame, theirs[kIndex]);
    if (met < 0) [[unlikely]] {
        if (met == kLeave)
            return quick_rest(engine, head_frame, goal_frame, ours + kIndex, theirs + kIndex, kCount - kIndex);
        return walk_on(engine, head_frame, goal_frame, ours + kIndex, theirs + kIndex,
                       {kCount - kIndex, static_cast<uint32_t>(-1 - met)});
    }
    if constexpr (kLast)
        return met;
    else
        return met ? lean_arguments<kCount, kFresh, kIndex + 1>(engine, head_frame, goal_frame, ours, theirs) : 0;
}

// Whether b, an argument of an item's head, is an atom as its value (Item(OFF) :- ...): met by
// its functor alone.
[[gnu::always_inline]] inline bool item_atom(const PlCell* b) {
    return b->type == PL_FUNCTOR && (!b->fn.args || !b->fn.args->count) && b->fn.functor->arity != 1;
}

// The goal's term a, followed to no variable, meeting b, an item_atom, as the walk's second step
// meets them: a constant or an atom by its functor; -1 for what the walk is to take.
[[gnu::always_inline]] inline int atom_meets(const PlCell* a, const PlCell* b) {
    const PlCellType lt = a->type;
    if (lt == PL_INT || lt == PL_NIL || lt == PL_LIST) return 0;
    if (lt == PL_FUNCTOR && a->fn.functor->arity != 1) return a->fn.functor == b->fn.functor;
    return -1;
}

// An atom as the value of an item's head (Item(OFF) :- ...), meeting the goal's term a as the
// walk's second step takes it: an unbound variable of the goal's is bound to it, and it meets a
// constant by its functor. -1 for what the walk is to take.
[[gnu::always_inline]] inline int item_constant(PieEngine* engine, PlFrame* head_frame, PlCell* a, PlFrame* fa,
                                                PlCell* b) {
    PlBinding* goal_slot = nullptr;
    PlFrame* goal_slot_frame = nullptr;
    goal_at<true>(a, fa, goal_slot, goal_slot_frame);
    const PlCellType lt = a->type;
    if (lt == PL_UNBOUND) {
        if (goal_slot) bind_goal_slot<false>(engine, head_frame, goal_slot, goal_slot_frame, b, nullptr);
        return 1;
    }
    return atom_meets(a, b);
}

// An item's head (its one argument, no key behind it), for the quick steps: its status is looked
// at only where a member set meets an unbound variable, which the walk takes; any other argument
// pair is the pair the level takes next, as open_step takes it.
[[gnu::noinline]] int match_item_steps(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head,
                                       PlFrame* clause_frame) {
    if (goal->fn.functor != head->fn.functor) return 0;
    const PlVector* goal_args = goal->fn.args;
    const PlVector* head_args = head->fn.args;
    if (!goal_args || !head_args || goal_args->count != 1 || head_args->count != 1 ||
        pl_deref(goal_args->items[0], goal_frame).term->type == PL_MEMBER ||
        pl_deref(head_args->items[0], clause_frame).term->type == PL_MEMBER)
        return walk_head(engine, goal, goal_frame, head, clause_frame);
    PlCell* b = head_args->items[0];
    int met;
    if (item_atom(b))
        met = item_constant(engine, clause_frame, goal_args->items[0], goal_frame, b);
    else
        met = quick_pair<1>(engine, clause_frame, goal_args->items[0], goal_frame, b);
    return met >= 0 ? met : walk_head(engine, goal, goal_frame, head, clause_frame);
}

// match_item_steps for the commonest pairs of a propagation, "_" or an atom of the head
// (Item(_) :- ..., Item(OFF) :- ...) meeting a constant of the goal's, or its unbound variable,
// which is bound as those steps bind it where the trail has room. Without a native call it comes
// back from, it saves no registers; any other pair goes to those steps with nothing done.
[[gnu::noinline]] int match_item(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head,
                                 PlFrame* clause_frame) {
    if (goal->fn.functor != head->fn.functor) return 0;
    const PlVector* goal_args = goal->fn.args;
    const PlVector* head_args = head->fn.args;
    if (!goal_args || !head_args || goal_args->count != 1 || head_args->count != 1) [[unlikely]]
        return match_item_steps(engine, goal, goal_frame, head, clause_frame);
    PlCell* const b = head_args->items[0];
    PlCell* a = goal_args->items[0];
    PlFrame* fa = goal_frame;
    PlBinding* goal_slot = nullptr;
    PlFrame* goal_slot_frame = nullptr;
    goal_at<true>(a, fa, goal_slot, goal_slot_frame);
    const PlCellType lt = a->type;
    const bool anonymous = b->type == PL_ANONYMOUS;
    if (anonymous || item_atom(b)) {
        if (lt == PL_UNBOUND && goal_slot) {
            if (bind_goal_slot<true>(engine, clause_frame, goal_slot, goal_slot_frame, b, nullptr)) [[likely]]
                return 1;
        } else if (anonymous) {
            if (lt == PL_ANONYMOUS || lt == PL_AND_GROUP || plain(lt)) return 1;
        } else if (const int met = atom_meets(a, b); met >= 0) {
            return met;
        }
    }
    return match_item_steps(engine, goal, goal_frame, head, clause_frame);
}

// A head the quick steps may take, goal and head terms: every path from here ends in a call it
// does not come back from, so that no value has to outlive a call. Heads of two to four
// arguments are walked by code of their own, without a count to keep. In a fresh frame (kFresh,
// every slot unbound) the first variable the walk meets is not bound yet.
template <bool kFresh>
[[gnu::always_inline]] inline int quick_head(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head,
                                             PlFrame* clause_frame) {
    if (goal->fn.functor->arity == 1) return match_item(engine, goal, goal_frame, head, clause_frame);
    if (goal->fn.functor != head->fn.functor) return 0;
    const PlVector* goal_args = goal->fn.args;
    const PlVector* head_args = head->fn.args;
    if (!goal_args || !head_args) return 1;
    const uint32_t k = std::min(goal_args->count, head_args->count);
    PlCell** ours = goal_args->items;
    PlCell** theirs = head_args->items;
    switch (k) {
    case 0: return 1;
    case 2: return lean_arguments<2, kFresh>(engine, clause_frame, goal_frame, ours, theirs);
    case 3: return lean_arguments<3, kFresh>(engine, clause_frame, goal_frame, ours, theirs);
    case 4: return lean_arguments<4, kFresh>(engine, clause_frame, goal_frame, ours, theirs);
    default: return quick_rest(engine, clause_frame, goal_frame, ours, theirs, k);
    }
}

// An item's head of one variable, with its plan, as match_item takes it: the variable is not bound
// yet, and a member set of the goal's (whose item's status is looked at) is the walk's, as is any
// other term the steps leave.
[[gnu::always_inline]] inline int planned_item(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head,
                                               PlFrame* clause_frame) {
    const PlVector* goal_args = goal->fn.args;
    if (!goal_args || goal_args->count != 1) return walk_head(engine, goal, goal_frame, head, clause_frame);
    const int met = var_leaf<true, false, true>(engine, clause_frame, goal_args->items[0], goal_frame,
                                                head->fn.args->items[0]);
    if (met >= 0) [[likely]]
        return met;
    // A "_" of the goal's (Item(_) in the body of a rule of another item) meets the variable, as
    // the walk meets it: the variable stays unbound and the pair holds.
    if (pl_deref(goal_args->items[0], goal_frame).term->type == PL_ANONYMOUS) return 1;
    return walk_head(engine, goal, goal_frame, head, clause_frame);
}

// A rule's head with a plan (the bits of its facts), as match_in_frame<true> takes it. Only an
// item's head has a functor of one argument: a goal of another head's functor is no item's.
[[gnu::always_inline]] inline int planned_head(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head,
                                               PlFrame* clause_frame, uint32_t plan) {
    constexpr uint32_t kItem = pl_head_plan_bit(PLH_FIRST_VAR, 0);
    if (!quick_fits(engine, goal_frame) || (crosses_stack_look(engine) && !stack_far_from_deep(engine))) [[unlikely]]
        return walk_head(engine, goal, goal_frame, head, clause_frame);
    if (goal->fn.functor != head->fn.functor) return 0;
    const PlVector* goal_args = goal->fn.args;
    const PlVector* head_args = head->fn.args;
    const uint32_t k = goal_args ? std::min(goal_args->count, head_args->count) : 0;
    PlCell** ours = goal_args ? goal_args->items : nullptr;
    PlCell** theirs = head_args->items;
    // A head of variables alone, each met first, in slots 0, 1, ... (the commonest head of a rule
    // over numbers) is matched without reading its cells or its plan again.
    switch (k) {
    case 3:
        if (pl_head_plan_in_order(plan, pl_first_vars_plan(3)))
            return planned_arguments<3, pl_first_vars_plan(3)>(engine, clause_frame, goal_frame, goal_args,
                                                               head_args, 0);
        return planned_arguments<3>(engine, clause_frame, goal_frame, goal_args, head_args, plan);
    case 2:
        if (pl_head_plan_in_order(plan, pl_first_vars_plan(2)))
            return planned_arguments<2, pl_first_vars_plan(2)>(engine, clause_frame, goal_frame, goal_args,
                                                               head_args, 0);
        return planned_arguments<2>(engine, clause_frame, goal_frame, goal_args, head_args, plan);
    case 4:
        if (pl_head_plan_in_order(plan, pl_first_vars_plan(4)))
            return planned_arguments<4, pl_first_vars_plan(4)>(engine, clause_frame, goal_frame, goal_args,
                                                               head_args, 0);
        return planned_arguments<4>(engine, clause_frame, goal_frame, goal_args, head_args, plan);
    default:
        if ((plan & PLC_HEAD_PLAN) == kItem) return planned_item(engine, goal, goal_frame, head, clause_frame);
        return k ? quick_rest(engine, clause_frame, goal_frame, ours, theirs, k) : 1;
    }
}

// A clause without variables has no frame: its head is unified as any other term, every binding
// trailed.
[[gnu::noinline]] int match_without_frame(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head) {
    PlUntrailedFrame untrailed(engine, nullptr);
    return pl_unification_sub(engine, goal, goal_frame, head, nullptr);
}

// A head whose levels cross a multiple of 64: the quick steps take it where the stack is far
// from deep, the walk where a look could tell something.
template <bool kFresh>
[[gnu::noinline]] int match_across_look(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head,
                                        PlFrame* clause_frame) {
    if (!stack_far_from_deep(engine)) return walk_head(engine, goal, goal_frame, head, clause_frame);
    return quick_head<kFresh>(engine, goal, goal_frame, head, clause_frame);
}

// A head matched in a frame of its own (fresh: kFresh) for a goal that is a compound term.
template <bool kFresh>
[[gnu::always_inline]] inline int match_in_frame(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head,
                                                 PlFrame* clause_frame) {
    if (head->type != PL_FUNCTOR || !quick_fits(engine, goal_frame)) [[unlikely]]
        return walk_head(engine, goal, goal_frame, head, clause_frame);
    if (crosses_stack_look(engine)) [[unlikely]]
        return match_across_look<kFresh>(engine, goal, goal_frame, head, clause_frame);
    return quick_head<kFresh>(engine, goal, goal_frame, head, clause_frame);
}

}  // namespace

// Every rule tried comes here: the compiler is told so, and lays the walk out for its common
// paths (the cold ones, errors and the generic steps, apart).
[[gnu::hot]] int pl_match_head(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head, PlFrame* clause_frame) {
    if (!clause_frame) return match_without_frame(engine, goal, goal_frame, head);
    if (goal->type != PL_FUNCTOR) [[unlikely]]
        return walk_head(engine, goal, goal_frame, head, clause_frame);
    return match_in_frame<false>(engine, goal, goal_frame, head, clause_frame);
}

[[gnu::hot]] int pl_match_planned_head(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head,
                                       PlFrame* clause_frame, uint32_t facts) {
    return planned_head(engine, goal, goal_frame, head, clause_frame, facts);
}

[[gnu::hot]] int pl_match_unplanned_head(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head,
                                         PlFrame* clause_frame) {
    return match_in_frame<true>(engine, goal, goal_frame, head, clause_frame);
}

namespace {

// The pairs of a fact's head from ours[0] and theirs[0] on (left of them), by the quick steps.
[[gnu::noinline]] int arguments_from(PieEngine* engine, PlFrame* clause_frame, PlFrame* goal_frame, PlCell** ours,
                                     PlCell** theirs, uint32_t left) {
    for (uint32_t i = 0; i < left; ++i) {
        // A fact's pairs are all first steps: none is taken up inside.
        const int met = quick_pair<0>(engine, clause_frame, ours[i], goal_frame, theirs[i]);
        if (met == 0) return 0;
        if (met < 0) [[unlikely]]
            return walk_arguments_on(engine, clause_frame, goal_frame, ours + i, theirs + i, left - i);
    }
    return 1;
}

// The same from a pair whose head's variable is bound already.
[[gnu::noinline]] int bound_from(PieEngine* engine, PlFrame* clause_frame, PlFrame* goal_frame, PlCell** ours,
                                 PlCell** theirs, uint32_t left) {
    const int met =
        quick_bound<true>(engine, clause_frame, ours[0], goal_frame, theirs[0], pl_binding_of(clause_frame, theirs[0]));
    if (met == 0) return 0;
    if (met < 0) [[unlikely]]
        return walk_arguments_on(engine, clause_frame, goal_frame, ours, theirs, left);
    return left > 1 ? arguments_from(engine, clause_frame, goal_frame, ours + 1, theirs + 1, left - 1) : 1;
}

// A fact without variables has no frame: its pairs are unified as any other terms.
[[gnu::noinline]] int arguments_without_frame(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head,
                                              uint32_t count) {
    PlUntrailedFrame untrailed(engine, nullptr);
    for (uint32_t i = 0; i < count; ++i)
        if (!pl_unification_sub(engine, pl_arg(goal, i), goal_frame, pl_arg(head, i), nullptr)) return 0;
    return 1;
}

}  // namespace

// The pairs by the lean steps, which make no call they come back from and so save no registers:
// a pair they leave, untouched, goes to the quick steps with the rest.
int pl_match_arguments(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head, PlFrame* clause_frame,
                       uint32_t count) {
    if (count == 0) return 1;
    if (!clause_frame) [[unlikely]]
        return arguments_without_frame(engine, goal, goal_frame, head, count);
    if (!quick_fits(engine, goal_frame) || (crosses_stack_look(engine) && !stack_far_from_deep(engine))) [[unlikely]]
        return walk_arguments(engine, goal, goal_frame, head, clause_frame, count);
    PlCell** ours = goal->fn.args->items;
    PlCell** theirs = head->fn.args->items;
    PlCell** const end = theirs + count;
    for (; theirs != end; ++ours, ++theirs) {
        // A variable met again (p(K, V, V)) is met as quick_pair meets it, out of line; any other
        // is not bound yet, as in a fresh frame.
        PlCell* const b = *theirs;
        if (b->type == PL_VAR && pl_binding_of(clause_frame, b)->term->type != PL_UNBOUND) [[unlikely]]
            return bound_from(engine, clause_frame, goal_frame, ours, theirs, static_cast<uint32_t>(end - theirs));
        const int met = quick_pair<0, true, true>(engine, clause_frame, *ours, goal_frame, b);
        if (met == 0) return 0;
        if (met < 0) [[unlikely]]
            return arguments_from(engine, clause_frame, goal_frame, ours, theirs, static_cast<uint32_t>(end - theirs));
    }
    return 1;
}
