// The lean steps of head matching that a rule's planned head takes (pie/terms/clause_facts.h),
// laid out in the caller that wants them without a native call; the rest of head matching, and
// the rare paths of these steps, are in pie/run/head_match.cpp.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/run/head_walk.h"
#include "pie/run/unify.h"
#include "pie/run/unify_steps.h"
#include "pie/terms/clause_facts.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>

namespace pl_head_plan {

using namespace pl_head_walk;

// The quick steps: a head whose frame's slots are bound untrailed, with two stores each,
// matched where the two levels below its own stay within the limit and take no look at the
// native stack, so that no step here meets the limit or looks. Each step takes a pair the walk
// takes the same way (the same binding, the same order) and answers -1 for any other,
// which it leaves as it found it. The walk then takes the match up from that pair: the quick
// steps make no native call they come back from, so that their few values stay in registers.
constexpr int kPair = -1;  // a pair taken as `pair` takes it, not as a level's first step

// A binding of a slot outside the head's frame, trailed unless it is the head's. The lean steps
// (kLean) make no call they come back from: where the trail has no room, they bind nothing and
// answer false, and the pair goes to steps that grow it.
template <bool kLean>
[[gnu::always_inline]] inline bool bind_goal_slot(PieEngine* engine, PlFrame* head_frame, PlBinding* slot,
                                                  PlFrame* slot_frame, PlCell* term, PlFrame* frame) {
    if (slot_frame != head_frame) {
        PlTrail& trail = engine->run.trail;
        if (kLean && trail.full()) [[unlikely]]
            return false;
        trail.push_back({slot, slot_frame});
    }
    // Two stores: the slot kept opaque between them leaves them apart, where the vectorizer would
    // first gather both words in one register (two instructions more).
    slot->term = term;
    asm("" : "+r"(slot));
    slot->frame = frame;
    return true;
}

// goal_of in place: term and frame become the goal's term and its frame, slot and slot_frame the
// binding the variable met last stands in (left as they are when none was met). The term is read
// in a frame (kFramed) or in one that may be null (the parts of a term, most often no variable).
template <bool kFramed>
[[gnu::always_inline]] inline void goal_at(PlCell*& term, PlFrame*& frame, PlBinding*& slot, PlFrame*& slot_frame) {
    if constexpr (kFramed) {
        if (term->type != PL_VAR) return;
    } else if (term->type != PL_VAR || !frame) [[likely]] {
        return;
    }
    do {
        slot = pl_binding_of(frame, term);
        slot_frame = frame;
        term = slot->term;
        frame = slot->frame;
    } while (term->type == PL_VAR && frame);
}

// A variable of the head bound already (slot, b's) meeting an unbound variable of the goal's, as
// the generic walk meets them wherever it takes the pair up: the goal's is bound to what the
// head's stands for. -1 for any other pair.
template <bool kFramed>
[[gnu::noinline]] int quick_bound(PieEngine* engine, PlFrame* head_frame, PlCell* a, PlFrame* fa, PlCell* b,
                                  PlBinding* slot);

// A variable of the head not bound yet (its slot) taking the goal's term a, read in fa, as the
// walk binds it: 1, or 0 for an unbound variable of the goal's, which the caller binds to the
// head's, or -1 for any other term. The commonest first: an integer, a list, another variable.
// Where a list is known to be the commonest (kListFirst), it is tested before the integer; so is
// a term (kTermFirst) for a part of a term of the head, most often a term itself (d(U + V, ...)).
template <bool kListFirst = false, bool kTermFirst = false>
[[gnu::always_inline]] inline int take_term(PlBinding* slot, PlCell* a, PlFrame* fa) {
    const PlCellType lt = a->type;
    if (kTermFirst && lt == PL_FUNCTOR) [[likely]] {
        slot->term = a;
        slot->frame = a->fn.args && a->fn.args->count ? fa : nullptr;
        return 1;
    }
    if (kListFirst && lt == PL_LIST) [[likely]] {
        // Two stores kept apart, as in bind_goal_slot, by a step the compiler keeps between
        // them: the slot, known here as an offset from the frame, needs no register of its own.
        slot->term = a;
        asm volatile("");
        slot->frame = fa;
        return 1;
    }
    if (lt == PL_INT) [[likely]] {
        slot->term = a;
        slot->frame = nullptr;
        return 1;
    }
    if (lt == PL_LIST) {
        // Two stores, kept apart as above.
        slot->term = a;
        asm volatile("");
        slot->frame = fa;
        return 1;
    }
    if (lt == PL_UNBOUND) return 0;
    if (lt == PL_FUNCTOR) {
        slot->term = a;
        slot->frame = a->fn.args && a->fn.args->count ? fa : nullptr;
        return 1;
    }
    if (lt == PL_NIL) {
        slot->term = a;
        slot->frame = nullptr;
        return 1;
    }
    return -1;
}

// What a lean step answers for a pair it leaves untouched: the quick steps take it from scratch.
constexpr int kLeave = -1 - static_cast<int>(kWhole);

// A variable b of the head, at the head's level (kFramed) or the one below, meeting the goal's
// term a: as quick_leaf takes it. A variable met first in a fresh frame (kFresh) is not bound yet.
// A slot known where the steps are laid out (kSlot, b's) is taken without reading b. The goal's
// term may be given followed one step already (kGoalSlot): a is then what the goal's variable,
// whose binding is goal_slot in goal_slot_frame, stands for, read in fa.
template <bool kFramed, bool kLean, bool kFresh, int kSlot = -1, bool kListFirst = false, class B = PlCell*,
          bool kGoalSlot = false, bool kTermFirst = false>
[[gnu::always_inline]] inline int var_leaf(PieEngine* engine, PlFrame* head_frame, PlCell* a, PlFrame* fa,
                                           const B& b_of, PlBinding* given_slot = nullptr,
                                           PlFrame* given_slot_frame = nullptr) {
    // b is read where a step needs it: given as the way to it (a part of a list of the head), it
    // is not read on the common path.
    const auto b = [&]() __attribute__((always_inline)) -> PlCell* {
        if constexpr (std::is_same_v<B, PlCell*>)
            return b_of;
        else
            return b_of();
    };
    PlBinding* slot = kSlot >= 0 ? head_frame->slots() + kSlot : pl_binding_of(head_frame, b());
    if (!kFresh && slot->term->type != PL_UNBOUND) [[unlikely]] {
        if constexpr (kLean)
            return kLeave;
        else
            return quick_bound<kFramed>(engine, head_frame, a, fa, b(), slot);
    }
    // A goal's term met without a variable (the commonest part of a list) binds no slot of the
    // goal's: its path keeps none.
    if constexpr (!kFramed) {
        if (a->type != PL_VAR || !fa) [[likely]] {
            const int took = take_term<kListFirst, kTermFirst>(slot, a, fa);
            return took ? took : 1;
        }
    }
    PlBinding* goal_slot = given_slot;
    PlFrame* goal_slot_frame = given_slot_frame;
    // Followed on from a binding, the term may be a variable without a frame.
    goal_at<kFramed && !kGoalSlot>(a, fa, goal_slot, goal_slot_frame);
    if (const int took = take_term<kListFirst, kTermFirst>(slot, a, fa)) return took;
    if (goal_slot && goal_slot != slot &&
        !bind_goal_slot<kLean>(engine, head_frame, goal_slot, goal_slot_frame, b(), head_frame))
        return kLeave;
    return 1;
}

// The list [A | B] of a planned head (see planned_list) meeting the goal's list a, read in fa.
template <bool kFreshHead, int kHeadSlot, int kTailSlot>
[[gnu::always_inline]] inline int list_pair(PieEngine* engine, PlFrame* head_frame, PlCell* a, PlFrame* fa,
                                            PlCell* const& b) {
    const auto head_of = [&]() __attribute__((always_inline)) { return b->list.head; };
    const int head = var_leaf<false, true, kFreshHead, kHeadSlot>(engine, head_frame, a->list.head, fa, head_of);
    if (head <= 0) return head;
    const auto tail_of = [&]() __attribute__((always_inline)) { return b->list.tail; };
    // A list's tail is most often a list.
    const int tail = var_leaf<false, true, true, kTailSlot, true>(engine, head_frame, a->list.tail, fa, tail_of);
    return tail >= 0 ? tail : -1 - static_cast<int>(kTail);
}

// A list [A | B] of a planned head (B met first there, pie/terms/clause_facts.h), at the head's
// level, as quick_pair takes it: with the tests of the head's cells and of B's slot known to hold,
// and of A's where it is met first there too (kFreshHead). Slots known where the steps are laid
// out (kHeadSlot, kTailSlot) are taken without reading the variables.
// The goal's term may be given followed one step already (kGoalSlot), as var_leaf takes it.
template <int kStep, bool kFreshHead = false, int kHeadSlot = -1, int kTailSlot = -1, bool kGoalSlot = false>
[[gnu::always_inline]] inline int planned_list(PieEngine* engine, PlFrame* head_frame, PlCell* a, PlFrame* fa,
                                               PlCell* const& b, PlBinding* given_slot = nullptr,
                                               PlFrame* given_slot_frame = nullptr) {
    // A list is the commonest term where a pair is taken up, an unbound variable where it is not.
    // A list met at once (most often the walked list, followed already) is taken before the
    // slot of a variable is even set aside.
    if (kStep == kPair && a->type == PL_LIST) [[likely]]
        return list_pair<kFreshHead, kHeadSlot, kTailSlot>(engine, head_frame, a, fa, b);
    PlBinding* goal_slot = given_slot;
    PlFrame* goal_slot_frame = given_slot_frame;
    goal_at<!kGoalSlot>(a, fa, goal_slot, goal_slot_frame);
    if (kStep == kPair && a->type == PL_LIST)
        return list_pair<kFreshHead, kHeadSlot, kTailSlot>(engine, head_frame, a, fa, b);
    if (a->type != PL_UNBOUND) return -1;
    if (goal_slot && !bind_goal_slot<true>(engine, head_frame, goal_slot, goal_slot_frame, b, head_frame))
        return kLeave;
    return 1;
}

// Whether the quick steps may take a head matched from the engine's depth: its level and the two
// below it stay within the limit (the looks at the native stack are told apart by
// crosses_stack_look), and the goal is read in a frame.
[[gnu::always_inline]] inline bool quick_fits(PieEngine* engine, PlFrame* goal_frame) {
    return pl_levels_within_limit(engine, 3 * kWeight) && goal_frame;
}
// Whether those levels cross a multiple of 64, where the walk would look at the native stack.
[[gnu::always_inline]] inline bool crosses_stack_look(const PieEngine* engine) {
    const int before = engine->depth;
    return ((before ^ (before + 3 * kWeight)) & ~63) != 0;
}

// Whether the looks at the native stack a walk from here would take within a head's levels are
// sure to answer "not exhausted" and note nothing: the stack stands well above the depth where
// looks begin to count (the walk's native frames below this one take far less than the margin).
[[gnu::noinline]] bool stack_far_from_deep(const PieEngine* engine);

// The pairs of a head from ours[0] and theirs[0] on (left of them), by the quick steps, out of
// line: for heads of other sizes and the pairs the lean steps leave.
[[gnu::noinline]] int quick_rest(PieEngine* engine, PlFrame* head_frame, PlFrame* goal_frame, PlCell** ours,
                                 PlCell** theirs, uint32_t left);
// Where the lean steps stopped in a planned head of count arguments: at the pair at index, which
// they answered met.
struct PlannedStop {
    uint16_t count;
    uint16_t index;
    int32_t met;
};
// The pairs of a planned head's arguments (head_args) and a goal's (goal_args), from the pair
// where the lean steps stopped on: kLeave for the quick steps, or the place where the walk takes
// it up. Out of line, and from the argument vectors, so that the lean steps keep no pointer into
// them for it.
[[gnu::noinline]] int planned_rest(PieEngine* engine, PlFrame* head_frame, PlFrame* goal_frame,
                                   const PlVector* goal_args, const PlVector* head_args, PlannedStop stop);
// The same called from the lean steps. g++ keeps a frame pointer in a function that pushes a
// call's arguments, and the clause body's chain, which lays these steps out and needs every
// register it has, would lose one to it: there the stop travels as one word, and every argument
// in a register. clang keeps no frame pointer for them, and lays out the call of a predicate
// better with the stop's parts apart.
#if defined(__clang__)
[[gnu::noinline]] int planned_rest_from(PieEngine* engine, PlFrame* head_frame, PlFrame* goal_frame,
                                        const PlVector* goal_args, const PlVector* head_args, uint32_t count,
                                        uint32_t index, int met);
#else
[[gnu::always_inline]] inline int planned_rest_from(PieEngine* engine, PlFrame* head_frame, PlFrame* goal_frame,
                                                    const PlVector* goal_args, const PlVector* head_args,
                                                    uint32_t count, uint32_t index, int met) {
    return planned_rest(engine, head_frame, goal_frame, goal_args, head_args,
                        {static_cast<uint16_t>(count), static_cast<uint16_t>(index), met});
}
#endif

// The slot of the variable met first in a head of plan kPlan, which holds its variables in the
// order they are met first (PLC_SLOTS_IN_ORDER), as the match comes to argument i: the variables
// met first before it.
constexpr int pl_first_slot_at(uint32_t kPlan, uint32_t i) {
    int slot = 0;
    for (uint32_t j = 0; j < i; ++j) {
        const uint32_t kind = (kPlan >> (kPlHeadPlanShift + 2 * j)) & 3;
        slot += kind == PLH_FRESH_LIST ? 2 : 1;
    }
    return slot;
}

// The pairs of a planned head of kCount arguments from pair kIndex on, as lean_arguments takes
// them, each by the steps its plan tells: what they leave untouched goes to the quick steps,
// what they leave halfway to the walk. A plan known where the steps are laid out (kKnown), of a
// head whose slots are in order, also leaves out the test of a list's head met first and the
// reading of the slots of the variables met first; one read from the facts (plan) is tested once
// for each argument, and such a list is taken as any other. The goal's first argument may be
// given (kFirst) as followed some way through its variables already (first, read in
// first_frame): the steps follow it on from there.
// A goal that is the body p(B, C, D) of a rule whose head walks a list (kBodySlots,
// walk_levels.h), its arguments after the first the variables of slots 2 and 3 of goal_frame, has
// those arguments read through the slots, without the variables.
template <uint32_t kCount, uint32_t kKnown = 0, uint32_t kIndex = 0, bool kFirst = false, bool kBodySlots = false>
[[gnu::always_inline]] inline int planned_arguments(PieEngine* engine, PlFrame* head_frame, PlFrame* goal_frame,
                                                    const PlVector* goal_args, const PlVector* head_args,
                                                    uint32_t plan, PlCell* first = nullptr,
                                                    PlFrame* first_frame = nullptr) {
    constexpr bool kLast = kIndex + 1 == kCount;
    constexpr int kStep = kLast ? 1 : kPair;
    constexpr bool kGiven = kFirst && kIndex == 0;
    constexpr bool kSlotGiven = kBodySlots && kIndex > 0;
    PlBinding* const given_slot = kSlotGiven ? goal_frame->slots() + kIndex + 1 : nullptr;
    PlFrame* const given_slot_frame = kSlotGiven ? goal_frame : nullptr;
    PlCell* a = kGiven ? first : kSlotGiven ? given_slot->term : goal_args->items[kIndex];
    PlFrame* fa = kGiven ? first_frame : kSlotGiven ? given_slot->frame : goal_frame;
    // The head's cells are read where a step needs them: with the slots known, most often nowhere.
    PlCell* const& b = head_args->items[kIndex];
    const uint32_t kind = ((kKnown ? kKnown : plan) >> (kPlHeadPlanShift + 2 * kIndex)) & 3;
    int met;
    constexpr int kSlot = kKnown ? pl_first_slot_at(kKnown, kIndex) : -1;
    // In a known head of three that walks a list from its first argument, the second most often
    // takes a list too (the list put after the one walked): its test goes first.
    constexpr bool kListFirst = kKnown && kCount == 3 && kIndex == 1 && ((kKnown >> kPlHeadPlanShift) & PLH_LIST);
    if (!(kind & PLH_LIST))
        met = var_leaf<true, true, true, kSlot, kListFirst, PlCell*, kSlotGiven>(engine, head_frame, a, fa, b,
                                                                              given_slot, given_slot_frame);
    else if (kKnown && kind == PLH_FRESH_LIST)
        met = planned_list<kStep, true, kSlot, kSlot + 1, kSlotGiven>(engine, head_frame, a, fa, b, given_slot,
                                                                      given_slot_frame);
    else
        met = planned_list<kStep, false, -1, kSlot, kSlotGiven>(engine, head_frame, a, fa, b, given_slot,
                                                                given_slot_frame);
    if (met < 0) [[unlikely]]
        return planned_rest_from(engine, head_frame, goal_frame, goal_args, head_args, kCount, kIndex, met);
    if constexpr (kLast)
        return met;
    else
        return met ? planned_arguments<kCount, kKnown, kIndex + 1, false, kBodySlots>(engine, head_frame, goal_frame,
                                                                                  goal_args, head_args, plan)
                   : 0;
}

}  // namespace pl_head_plan

// pl_match_rule_head laid out in its caller: the head of a rule that walks a list and builds one,
// p([A | B], C, [E | D]) (each variable but E met first where it stands, their slots in order),
// the commonest recursive rule, is matched without a native call, whose saved registers and
// reloads cost as much as the steps, and with its plan known here, without a test per argument.
// Its plan tells that the head has those three arguments. Any other head, and a head near the
// depth limit or a look at the native stack, goes to the functions of its own. first is the
// goal's first argument (read in goal_frame), or as far as the look at first arguments followed
// it (pl_head_filter_key_at, read in first_frame) for a goal whose bindings are as they were
// then: the match follows it on from there. Read only for a goal of three arguments or more.
[[gnu::always_inline]] inline int pl_match_rule_head_here(PieEngine* engine, PlCell* goal, PlFrame* goal_frame,
                                                         PlCell* head, PlFrame* clause_frame, uint32_t facts,
                                                         PlCell* first, PlFrame* first_frame) {
    using namespace pl_head_plan;
    if (!pl_head_plan_in_order(facts, kPlListWalkPlan))
        return pl_match_rule_head(engine, goal, goal_frame, head, clause_frame, facts);
    if (!quick_fits(engine, goal_frame) || (crosses_stack_look(engine) && !stack_far_from_deep(engine))) [[unlikely]]
        return pl_match_planned_head(engine, goal, goal_frame, head, clause_frame, facts);
    if (goal->fn.functor != head->fn.functor) return 0;
    const PlVector* goal_args = goal->fn.args;
    if (!goal_args || goal_args->count < 3) [[unlikely]]
        return pl_match_planned_head(engine, goal, goal_frame, head, clause_frame, facts);
    // Followed on from where the look left it, goal_at ends where it would from the goal's cell:
    // only the variables the look passed are left out, whose slot is needed for none but an
    // unbound variable, where the look leaves the goal's cell.
    return planned_arguments<3, kPlListWalkPlan, 0, true>(engine, clause_frame, goal_frame, goal_args, head->fn.args, 0,
                                                    first, first_frame);
}
