// The recording of a walk over a list left to the call it runs in: where a rule that walks a list
// and builds another, p([A | B], C, [A | D]) :- p(B, C, D), answers in the loop of one-goal bodies,
// the values its inner call would record are written over by the call of the same functor that
// succeeds next, its caller, before anything reads them. Such an inner call records nothing when
// its recording could only store or keep values of its own functor (constants, flat ground lists
// far from the depth limit, "[X]" of an integer), its functor already entered and noted, so that
// the caller's recording is all that stays; the caller's recording then takes the walked and the
// built list as the inner call's values would have let it take them (pl_recording::record_goal).
#pragma once

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/run/head_filter.h"
#include "pie/run/record_goal.h"
#include "pie/terms/clause_facts.h"
#include "pie/terms/list.h"

#include <cstdint>

namespace pl_walk_recording {

// Levels kept free beyond those a skipped recording's own walks take: neither the caller's
// settling of its list cell nor its recording, each a few levels more than the inner call's, can
// then reach the depth limit.
constexpr int64_t kMargin = 16;

// Whether clause, a record, is p([A | B], C, [A | D]) :- p(B, C, D) for f: the caller's values are
// then those of the inner call with one more element at the front of the walked and the built list,
// and the same second argument.
inline bool walks_into(const PlCell* clause, const PlFunctor* f) {
    const uint32_t facts = clause->clause.facts;
    if (!(facts & PLC_RULE) || !pl_head_plan_in_order(facts, kPlListWalkPlan)) return false;
    const PlCell* term = clause->clause.term;
    const PlCell* head = term->fn.args->items[0];
    const PlCell* body = term->fn.args->items[1];
    if (head->type != PL_FUNCTOR || head->fn.functor != f || body->type != PL_FUNCTOR || body->fn.functor != f)
        return false;
    const PlVector* args = body->fn.args;
    if (!args || args->count != 3) return false;
    // The plan tells the head's slots in the order met: A 0, B 1, C 2, D 3; the built list's head
    // is any variable met before it.
    const PlCell* built = head->fn.args->items[2];
    const auto slot_is = [](const PlCell* cell, int32_t slot) { return cell->type == PL_VAR && cell->var.slot == slot; };
    return slot_is(built->list.head, 0) && slot_is(args->items[0], 1) && slot_is(args->items[1], 2) &&
           slot_is(args->items[2], 3);
}

// What a variable stands for, followed to the end.
[[gnu::always_inline]] inline PlTermRef followed(PlCell* term, PlFrame* frame) {
    while (term->type == PL_VAR && frame) {
        const PlBinding* b = pl_binding_of(frame, term);
        term = b->term;
        frame = b->frame;
    }
    return {term, frame};
}

// Whether recording value only stores it or keeps the value before, which equals it: an integer,
// "[]" or a flat ground list whose reach fits.
[[gnu::always_inline]] inline bool stored_as_it_stands(const PlCell* value, uint32_t max_reach) {
    return value->type == PL_INT || value->type == PL_NIL ||
           (value->type == PL_LIST && pl_recording::fitting_ground_shape(value->shape, max_reach));
}

// The same, or "[X]" with X bound to an integer, which is stored as a copy or kept.
[[gnu::always_inline]] inline bool stored_or_copied(PlTermRef v, uint32_t max_reach) {
    if (stored_as_it_stands(v.term, max_reach)) return true;
    const PlCell* list = v.term;
    if (list->type != PL_LIST || list->list.tail->type != PL_NIL || list->list.head->type != PL_VAR || !v.frame)
        return false;
    const PlTermRef x = followed(list->list.head, v.frame);
    return x.term->type == PL_INT && !x.frame;
}

// Whether the walked and the built list of a call of f that succeeded, read in frame, the body of
// a clause that walks into f, are stored as they stand: caller_first is the caller's first
// argument as the look left it, limit the engine's depth limit; max_reach is set to the reach
// that fits.
[[gnu::always_inline]] inline bool lists_fit(const PieEngine* engine, PlFrame* frame, const PlCell* caller_first,
                                             int limit, uint32_t& max_reach) {
    const int64_t depth = int64_t{engine->depth} + 1;
    const int64_t room = int64_t{limit} - depth - kMargin;
    // record_goal's own look at the limit and at the native stack stays with the call, and the
    // caller's recording takes none: a look that raised there would find this call's values gone.
    // One test for both: a multiple of 64 here or four levels up.
    if (room < 6 || (depth & (63 & ~4)) == 0) return false;
    if (!caller_first || caller_first->type != PL_LIST) return false;
    max_reach = static_cast<uint32_t>((room - 2) / 2);
    if (!pl_recording::fitting_ground_shape(caller_first->shape, max_reach)) return false;
    // The walked list is the tail of the caller's, which fits. The built one, bound to the fourth
    // slot of the caller's frame, was settled with the call; the second argument is the third slot.
    const PlBinding* slots = frame->slots();
    return !slots[3].frame && stored_as_it_stands(slots[3].term, max_reach);
}

// What the loop keeps of the walk it last left a recording in: the caller's clause found to walk
// into its functor, and the binding of the second argument found to be recorded as it stands or
// copied. Both hold for every level of one walk: the clause is the same, and the second argument
// is handed down unchanged, no binding being undone while levels succeed.
struct Walk {
    const PlCell* clause = nullptr;
    PlBinding second{nullptr, nullptr};
};

// Whether the recording of a goal of f that succeeded, the body of caller_clause read in frame, may
// be left to its caller: caller_first is the caller's first argument as far as the look followed it
// (a list there is the argument's value), or nullptr; limit is the engine's depth limit. after_left: the level below
// left its recording to this one, which then holds for f and the answers what held there.
[[gnu::always_inline]] inline bool left_to_caller(const PieEngine* engine, const PlList* answers, PlFunctor* f,
                                                  PlFrame* frame, const PlCell* caller_clause,
                                                  const PlCell* caller_first, int limit, bool after_left, Walk& walk) {
    if (caller_clause != walk.clause) [[unlikely]] {
        // A clause found not to walk is kept one address up: no clause lies at an odd address.
        const uintptr_t other = reinterpret_cast<uintptr_t>(caller_clause) | 1;
        if (reinterpret_cast<uintptr_t>(walk.clause) == other) return false;
        if (!pl_head_filter_detail::is_record(caller_clause) || !(caller_clause->clause.facts & PLC_KNOWN) ||
            !walks_into(caller_clause, f)) {
            walk.clause = reinterpret_cast<const PlCell*>(other);
            return false;
        }
        walk = {caller_clause, {nullptr, nullptr}};
        after_left = false;
    }
    if (!after_left) {
        // Entering f and noting its values again would change nothing.
        if (!(f->marks & PLM_QUERY_VALUES) || !answers || (answers->next->item != f && answers->prev->item != f))
            return false;
        if (f->arity != 3 || (f->flags & PLF_SYSTEM) || !pl_recording::own_vector(f)) return false;
    }
    uint32_t max_reach;
    if (!lists_fit(engine, frame, caller_first, limit, max_reach)) return false;
    const PlBinding second = frame->slots()[2];
    // A level further out has more room: what fitted below fits here.
    if (!after_left || second.term != walk.second.term || second.frame != walk.second.frame) {
        if (!stored_or_copied(followed(second.term, second.frame), max_reach)) return false;
        walk.second = second;
    }
    return true;
}

// left_to_caller for a call whose caller's clause is walk.clause, the call below having left its
// recording to it, where the second argument is the one found to fit below: the same answer,
// without a change to walk. A call it answers false for is left to left_to_caller.
[[gnu::always_inline]] inline bool left_again(const PieEngine* engine, PlFrame* frame, const PlCell* caller_first,
                                              int limit, const Walk& walk) {
    uint32_t max_reach;
    if (!lists_fit(engine, frame, caller_first, limit, max_reach)) return false;
    const PlBinding second = frame->slots()[2];
    return second.term == walk.second.term && second.frame == walk.second.frame;
}

}  // namespace pl_walk_recording
