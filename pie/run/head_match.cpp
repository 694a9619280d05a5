// Matching a goal with a clause head in the clause's frame: the generic unification, walked by
// the head's own cells. A head cell needs no dereferencing and a head variable whose slot is
// unbound is bound on the spot, so the pairs a head is made of skip the generic steps; every
// other pair is handed to the generic walk at the same level and step. Away from the depth limit,
// quick steps without checks take the commonest pairs first and hand the walk the match where
// they stop. The answer, the bindings (which slot, which value, trailed or not, in which order),
// the item status looks and the depth errors are the generic walk's.
#include "pie/run/unify.h"

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/run/unify_steps.h"
#include "pie/terms/cycle_check.h"

#include <algorithm>
#include <new>

namespace {

// A level counts as the generic walk counts it.
constexpr int kWeight = 2;

[[noreturn]] void too_deep(PieEngine* engine) { pl_fatal_error(engine, PL_ERR_STACK, "pl_unification_sub"); }
[[noreturn]] void not_unifiable(PieEngine* engine) {
    pl_fatal_error(engine, PL_ERR_NOT_UNIFIABLE, "pl_unification_sub");
}

// The walk keeps its depth in a variable: the engine's count is brought up to a level's only
// around a step that may read it (an item's status may run rules, the generic walk counts on).
class DepthAt {
public:
    DepthAt(PieEngine* engine, int depth) : engine_(engine), saved_(engine->depth) { engine->depth = depth; }
    ~DepthAt() { engine_->depth = saved_; }
    DepthAt(const DepthAt&) = delete;
    DepthAt& operator=(const DepthAt&) = delete;

private:
    PieEngine* engine_;
    int saved_;
};

struct HeadWalk {
    PieEngine* engine;
    PlFrame* frame;      // the head's
    PlFrame* untrailed;  // the engine's untrailed frame, which no step of the walk changes
    int limit;
};

// pl_bind, with the untrailed frame read once.
[[gnu::always_inline]] inline void set(const HeadWalk& w, PlBinding* slot, PlFrame* slot_frame, PlCell* term,
                                       PlFrame* frame) {
    if (slot_frame != w.untrailed) w.engine->run.trail.push_back({&slot->term, slot_frame, slot->term, slot->frame});
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
    PlBinding* slot = nullptr;
    PlFrame* slot_frame = nullptr;
    while (term->type == PL_VAR && frame) {
        slot = &frame->slots()[term->var.slot];
        slot_frame = frame;
        term = slot->term;
        frame = slot->frame;
    }
    return {term, frame, slot, slot_frame};
}
[[gnu::always_inline]] inline Goal goal_of(const PlDeref& d) { return {d.term, d.frame, d.slot, d.slot_frame}; }

// The look at the native stack a guard takes entering the level below depth: only when the
// count crosses 64.
inline void look_at_stack(const HeadWalk& w, int depth) {
    if (((depth ^ (depth + kWeight)) & ~63) == 0) return;
    DepthAt at(w.engine, depth + kWeight);
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

// A pair below the level at depth that takes a level of its own.
[[gnu::noinline]] int sub(const HeadWalk& w, PlCell* a, PlFrame* fa, PlCell* b, int depth) {
    const int inner = depth + kWeight;
    if (inner > w.limit) too_deep(w.engine);
    look_at_stack(w, depth);
    switch (b->type) {
    case PL_ANONYMOUS:
    case PL_INT:
    case PL_NIL:
        if (const int met = constant_step(w, a, fa, b); met >= 0) return met;
        break;
    case PL_FUNCTOR:
    case PL_LIST:
        return structure(w, a, fa, b, inner);
    default:
        break;
    }
    return level(w, a, fa, b, inner);
}

// pair's binding of a head variable not bound yet, for a goal's term that is a once cell.
[[gnu::noinline]] int meet_unbound_past_once(const HeadWalk& w, PlCell* a, PlFrame* fa, PlBinding* slot, PlCell* var,
                                             int depth) {
    const Goal l = goal_of(pl_deref_goal(a, fa));
    const PlCellType lt = l.term->type;
    if (lt != PL_INT && lt != PL_NIL && lt != PL_FUNCTOR && lt != PL_LIST) look_at_stack(w, depth);
    return meet_unbound(w, l, slot, var);
}

// A pair below the level at depth. A head variable not bound yet is met without a native
// level, and meeting a constant or structure also without the look at the stack, as the
// generic walk binds it at once; a constant of the head without a native level either.
[[gnu::always_inline]] inline int pair_leaf(const HeadWalk& w, PlCell* a, PlFrame* fa, PlCell* b, int depth) {
    if (b->type == PL_VAR && depth + kWeight <= w.limit) {
        PlBinding* slot = &w.frame->slots()[b->var.slot];
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

// The cycle check of a level, made only when its loop comes back a second time: the first
// place it came back to is kept and shown to the check then, which leaves the check as if it
// had seen every place from the first on. Most levels end before: they pay for no check.
class LazyCycle {
public:
    LazyCycle() {}
    LazyCycle(const LazyCycle&) = delete;
    LazyCycle& operator=(const LazyCycle&) = delete;

    PlCycleCheck& engage() {
        if (!engaged_) {
            new (&check_) PlCycleCheck();
            engaged_ = true;
            check_.seen(first_[0], first_[1], first_[2], first_[3]);
        }
        return check_;
    }
    // The place of a level's step (step 0 is its first pair, which no check sees).
    void see(PieEngine* engine, int step, const void* a, const void* b, const void* c, const void* d) {
        if (step == 0) return;
        if (step == 1) {
            first_[0] = a, first_[1] = b, first_[2] = c, first_[3] = d;
            return;
        }
        if (engage().seen(a, b, c, d)) too_deep(engine);
    }

private:
    union {
        PlCycleCheck check_;  // made by engage
    };
    bool engaged_ = false;
    const void* first_[4];  // written at step 1, read from step 2 on
};

// One level of the walk at depth, from the pair (a, fa) and the head's cell b on, taken as the
// level's step first_step (0, or 1 for the pair its loop came back to first).
int level(const HeadWalk& w, PlCell* a, PlFrame* fa, PlCell* b, int depth, int first_step) {
    LazyCycle cycle;
    for (int step = first_step;; ++step) {
        const PlDeref l = pl_deref_goal(a, fa);
        const PlCellType lt = l.term->type;
        switch (b->type) {
        case PL_VAR: {
            PlBinding* slot = &w.frame->slots()[b->var.slot];
            if (slot->term->type != PL_UNBOUND) break;
            cycle.see(w.engine, step, l.term, l.frame, slot->term, slot->frame);
            return meet_unbound(w, goal_of(l), slot, b);
        }
        case PL_ANONYMOUS:
        case PL_INT:
        case PL_NIL:
            cycle.see(w.engine, step, l.term, l.frame, b, w.frame);
            return meet_constant(w, goal_of(l), b);
        case PL_FUNCTOR:
        case PL_LIST: {
            // A group, a member set or "_" meeting a structure are the generic walk's to tell.
            if (lt != PL_UNBOUND && lt != PL_INT && lt != PL_NIL && lt != PL_FUNCTOR && lt != PL_LIST) break;
            cycle.see(w.engine, step, l.term, l.frame, b, w.frame);
            if (lt == PL_UNBOUND) return bind_to_structure(w, goal_of(l), b);
            if (lt != b->type) return 0;
            if (lt == PL_LIST) {
                if (!pair(w, l.term->list.head, l.frame, b->list.head, depth)) return 0;
                a = l.term->list.tail, fa = l.frame, b = b->list.tail;
                continue;
            }
            if (l.term->fn.functor != b->fn.functor) return 0;
            if (l.term->fn.functor->arity == 1) {
                DepthAt at(w.engine, depth);
                const PlDeref item = l;  // the step's own stays out of memory
                if (!pl_item_status_allows(w.engine, item, PlDeref{b, w.frame, nullptr, nullptr, nullptr})) return 0;
            }
            const uint32_t n = l.term->fn.args ? l.term->fn.args->count : 0;
            const uint32_t m = b->fn.args ? b->fn.args->count : 0;
            const uint32_t k = n < m ? n : m;
            if (k == 0) return 1;
            for (uint32_t i = 0; i + 1 < k; ++i)
                if (!pair(w, pl_arg(l.term, i), l.frame, pl_arg(b, i), depth)) return 0;
            a = pl_arg(l.term, k - 1), fa = l.frame, b = pl_arg(b, k - 1);
            continue;  // the last argument without a native level, as the generic walk goes on
        }
        default:
            break;
        }
        // The generic walk takes the pair up where this step stands: at this level's depth, with
        // the cycle check having seen the steps before it.
        DepthAt at(w.engine, depth);
        if (step >= 2) return pl_unify_from(w.engine, a, fa, b, w.frame, cycle.engage(), true);
        PlCycleCheck fresh;
        return pl_unify_from(w.engine, a, fa, b, w.frame, fresh, step == 1);
    }
}

// A pair that begins a level (step 0) or is the first its loop comes back to (step 1): a
// variable of the head not bound yet, or a constant, ends the level at once, and the cycle
// check would not have looked at it.
[[gnu::always_inline]] inline int open_step(const HeadWalk& w, PlCell* a, PlFrame* fa, PlCell* b, int depth, int step) {
    switch (b->type) {
    case PL_VAR: {
        PlBinding* slot = &w.frame->slots()[b->var.slot];
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

// The walk from the head's first level, for a head the quick steps below leave to it.
[[gnu::noinline]] int walk_head(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head, PlFrame* clause_frame) {
    const HeadWalk w{engine, clause_frame, engine->run.untrailed, pl_depth_limit(engine)};
    const int depth = engine->depth + kWeight;
    if (depth > w.limit) too_deep(engine);
    look_at_stack(w, depth - kWeight);
    // The commonest first step, a goal against a head of its functor (a goal cell needs no
    // dereferencing), taken here; an item's head is left to the level for its status look.
    if (goal->type != PL_FUNCTOR || head->type != PL_FUNCTOR || goal->fn.functor->arity == 1)
        return open_step(w, goal, goal_frame, head, depth, 0);
    if (goal->fn.functor != head->fn.functor) return 0;
    const uint32_t n = goal->fn.args ? goal->fn.args->count : 0;
    const uint32_t m = head->fn.args ? head->fn.args->count : 0;
    const uint32_t k = n < m ? n : m;
    if (k == 0) return 1;
    for (uint32_t i = 0; i + 1 < k; ++i)
        if (!pair(w, pl_arg(goal, i), goal_frame, pl_arg(head, i), depth)) return 0;
    return open_step(w, pl_arg(goal, k - 1), goal_frame, pl_arg(head, k - 1), depth, 1);
}

[[gnu::noinline]] int walk_arguments(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head,
                                     PlFrame* clause_frame, uint32_t count) {
    // Every pair is unified from the same depth: the checks the first one passes, all pass.
    const HeadWalk w{engine, clause_frame, engine->run.untrailed, pl_depth_limit(engine)};
    const int depth = engine->depth + kWeight;
    if (depth > w.limit) too_deep(engine);
    look_at_stack(w, depth - kWeight);
    PlCell** ours = goal->fn.args->items;
    PlCell** theirs = head->fn.args->items;
    for (uint32_t i = 0; i < count; ++i)
        if (!open_step(w, ours[i], goal_frame, theirs[i], depth, 0)) return 0;
    return 1;
}

// The quick steps: a head whose frame is the untrailed one (its slots are bound with two stores)
// matched where the two levels below its own stay within the limit and take no look at the
// native stack, so that no step here meets the limit or looks. Each step takes a pair the walk
// above takes the same way (the same binding, the same order) and answers -1 for any other,
// which it leaves as it found it. The walk then takes the match up from that pair: the quick
// steps make no native call they come back from, so that their few values stay in registers.
constexpr int kPair = -1;  // a pair taken as `pair` takes it, not as a level's first step

// The binding of a variable in a frame (a slot number is never negative).
[[gnu::always_inline]] inline PlBinding* binding_of(PlFrame* frame, const PlCell* var) {
    return reinterpret_cast<PlBinding*>(reinterpret_cast<char*>(frame) + sizeof(PlFrame) +
                                        size_t{static_cast<uint32_t>(var->var.slot)} * sizeof(PlBinding));
}

// A binding of a slot outside the head's frame, trailed unless it is the head's.
[[gnu::always_inline]] inline void bind_goal_slot(PieEngine* engine, PlFrame* head_frame, PlBinding* slot,
                                                  PlFrame* slot_frame, PlCell* term, PlFrame* frame) {
    if (slot_frame != head_frame) engine->run.trail.push_back({&slot->term, slot_frame, slot->term, slot->frame});
    slot->term = term;
    slot->frame = frame;
}

// An integer, a term, a list or [].
[[gnu::always_inline]] inline bool plain(PlCellType type) { return type >= PL_INT && type <= PL_NIL; }

// goal_of in place: term and frame become the goal's term and its frame, slot and slot_frame the
// binding the variable met last stands in (left as they are when none was met). The term is read
// in a frame (kFramed) or in one that may be null (the parts of a term).
template <bool kFramed>
[[gnu::always_inline]] inline void goal_at(PlCell*& term, PlFrame*& frame, PlBinding*& slot, PlFrame*& slot_frame) {
    if (term->type != PL_VAR || (!kFramed && !frame)) return;
    do {
        slot = binding_of(frame, term);
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
                                  PlBinding* slot) {
    PlCell* value = slot->term;
    PlFrame* value_frame = slot->frame;
    PlBinding* value_slot = slot;
    PlFrame* value_slot_frame = head_frame;
    PlCell* value_var = b;
    while (value->type == PL_VAR && value_frame) {
        value_slot = binding_of(value_frame, value);
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
        bind_goal_slot(engine, head_frame, goal_slot, goal_slot_frame, value_var, value_slot_frame);
    } else {
        const bool framed = vt == PL_LIST || (vt == PL_FUNCTOR && value->fn.args && value->fn.args->count);
        bind_goal_slot(engine, head_frame, goal_slot, goal_slot_frame, value, framed ? value_frame : nullptr);
    }
    return 1;
}

// A pair whose head cell b is a variable or a constant, at the head's level or the one below,
// as pair_leaf or open_step (step kStep) takes it: a variable not bound yet takes the goal's
// integer, [], list or term, or is met by its unbound variable; a constant meets the goal's.
template <int kStep, bool kFramed = true>
[[gnu::always_inline]] inline int quick_leaf(PieEngine* engine, PlFrame* head_frame, PlCell* a, PlFrame* fa,
                                             PlCell* b) {
    PlBinding* goal_slot = nullptr;
    PlFrame* goal_slot_frame = nullptr;
    const PlCellType bt = b->type;
    if (bt == PL_VAR) [[likely]] {
        PlBinding* slot = binding_of(head_frame, b);
        if (slot->term->type != PL_UNBOUND) [[unlikely]]
            return quick_bound<kFramed>(engine, head_frame, a, fa, b, slot);
        goal_at<kFramed>(a, fa, goal_slot, goal_slot_frame);
        const PlCellType lt = a->type;
        // The commonest first: an integer, a list, another variable.
        if (lt == PL_INT) {
            slot->term = a;
            slot->frame = nullptr;
            return 1;
        }
        if (lt == PL_LIST) {
            slot->term = a;
            slot->frame = fa;
            return 1;
        }
        if (lt == PL_UNBOUND) {
            if (goal_slot && goal_slot != slot) bind_goal_slot(engine, head_frame, goal_slot, goal_slot_frame, b, head_frame);
            return 1;
        }
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
    if (bt != PL_INT && bt != PL_NIL) return -1;
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
        if (goal_slot) bind_goal_slot(engine, head_frame, goal_slot, goal_slot_frame, b, nullptr);
        return 1;
    default:
        return -1;
    }
}

// Where the walk takes a match up: at a pair of the head's level, untouched (kWhole), or inside
// one whose head cell is a list (at its tail) or a term (at its argument part - kArgument).
constexpr uint32_t kWhole = 0;
constexpr uint32_t kTail = 1;
constexpr uint32_t kArgument = 2;

// A pair of the head's own level, as `pair` (kPair) or open_step takes it: 1 or 0, or where
// inside it the walk is to take it up (-1 - the place). A list of two variables or a term of
// another functor than an item's meets the goal's of its kind part by part, one level below;
// an unbound variable of the goal is bound to a structure of the head, as bind_to_structure
// binds it.
template <int kStep>
[[gnu::always_inline]] inline int quick_pair(PieEngine* engine, PlFrame* head_frame, PlCell* a, PlFrame* fa, PlCell* b) {
    const PlCellType bt = b->type;
    if (bt == PL_VAR) [[likely]]
        return quick_leaf<kStep>(engine, head_frame, a, fa, b);
    if (bt != PL_LIST && bt != PL_FUNCTOR) return quick_leaf<kStep>(engine, head_frame, a, fa, b);
    PlBinding* goal_slot = nullptr;
    PlFrame* goal_slot_frame = nullptr;
    goal_at<true>(a, fa, goal_slot, goal_slot_frame);
    const PlCellType lt = a->type;
    if (lt == PL_UNBOUND) {
        if (goal_slot) {
            const bool framed = bt == PL_LIST || (b->fn.args && b->fn.args->count);
            bind_goal_slot(engine, head_frame, goal_slot, goal_slot_frame, b, framed ? head_frame : nullptr);
        }
        return 1;
    }
    if constexpr (kStep == 0) {
        // A fact's argument: an integer, [] or a structure of the other kind fails wherever the
        // walk meets it, and so do terms of different functors; two terms without arguments of
        // one functor (not an item's) succeed.
        if (lt != bt) return plain(lt) ? 0 : -1;
        if (bt != PL_FUNCTOR) return -1;
        if (a->fn.functor != b->fn.functor) return 0;
        if (a->fn.functor->arity == 1) return -1;
        return (a->fn.args && a->fn.args->count) && (b->fn.args && b->fn.args->count) ? -1 : 1;
    }
    if (kStep != kPair) return -1;
    if (bt == PL_LIST) {
        if (lt != PL_LIST || b->list.head->type != PL_VAR || b->list.tail->type != PL_VAR) return -1;
        const int head = quick_leaf<kPair, false>(engine, head_frame, a->list.head, fa, b->list.head);
        if (head <= 0) return head;
        const int tail = quick_leaf<1, false>(engine, head_frame, a->list.tail, fa, b->list.tail);
        return tail >= 0 ? tail : -1 - static_cast<int>(kTail);
    }
    if (lt != PL_FUNCTOR || a->fn.functor->arity == 1) return -1;
    if (a->fn.functor != b->fn.functor) return 0;
    const uint32_t n = a->fn.args ? a->fn.args->count : 0;
    const uint32_t m = b->fn.args ? b->fn.args->count : 0;
    const uint32_t k = n < m ? n : m;
    if (k == 0) return 1;
    PlCell** ours = a->fn.args->items;
    PlCell** theirs = b->fn.args->items;
    for (uint32_t i = 0; i + 1 < k; ++i) {
        const int met = quick_leaf<kPair, false>(engine, head_frame, ours[i], fa, theirs[i]);
        if (met <= 0) return met < 0 ? -1 - static_cast<int>(kArgument + i) : 0;
    }
    const int met = quick_leaf<1, false>(engine, head_frame, ours[k - 1], fa, theirs[k - 1]);
    return met >= 0 ? met : -1 - static_cast<int>(kArgument + k - 1);
}

// The walk taking a match of the quick steps up at the pair of the head's level whose cells are
// ours[0] and theirs[0], at place within it, and going on to the head's last pair (left pairs
// from that one on). The head's frame is the untrailed one.
[[gnu::noinline]] int walk_on(PieEngine* engine, PlFrame* goal_frame, PlCell** ours, PlCell** theirs, uint32_t left,
                              uint32_t place) {
    PlFrame* frame = engine->run.untrailed;
    const HeadWalk w{engine, frame, frame, pl_depth_limit(engine)};
    const int depth = engine->depth + kWeight;
    const int inner = depth + kWeight;
    PlCell* a = ours[0];
    PlCell* b = theirs[0];
    if (place == kWhole) {
        if (left > 1 ? !pair(w, a, goal_frame, b, depth) : !open_step(w, a, goal_frame, b, depth, 1)) return 0;
    } else if (place == kTail) {
        // The goal's term is the list it was: its dereferencing passed no slot bound since.
        const Goal l = goal_of(a, goal_frame);
        if (!open_step(w, l.term->list.tail, l.frame, b->list.tail, inner, 1)) return 0;
    } else {
        const Goal l = goal_of(a, goal_frame);
        const uint32_t parts = std::min(l.term->fn.args->count, b->fn.args->count);
        for (uint32_t j = place - kArgument; j + 1 < parts; ++j)
            if (!pair(w, pl_arg(l.term, j), l.frame, pl_arg(b, j), inner)) return 0;
        if (!open_step(w, pl_arg(l.term, parts - 1), l.frame, pl_arg(b, parts - 1), inner, 1)) return 0;
    }
    uint32_t i = 1;
    for (; i + 1 < left; ++i)
        if (!pair(w, ours[i], goal_frame, theirs[i], depth)) return 0;
    return i + 1 == left ? open_step(w, ours[i], goal_frame, theirs[i], depth, 1) : 1;
}

// The same for a fact's arguments, each matched as a level's first step.
[[gnu::noinline]] int walk_arguments_on(PieEngine* engine, PlFrame* goal_frame, PlCell** ours, PlCell** theirs,
                                        uint32_t left) {
    PlFrame* frame = engine->run.untrailed;
    const HeadWalk w{engine, frame, frame, pl_depth_limit(engine)};
    const int depth = engine->depth + kWeight;
    for (uint32_t i = 0; i < left; ++i)
        if (!open_step(w, ours[i], goal_frame, theirs[i], depth, 0)) return 0;
    return 1;
}

// Whether the looks at the native stack a walk from here would take within a head's levels are
// sure to answer "not exhausted" and note nothing: the stack stands well above the depth where
// looks begin to count (the walk's native frames below this one take far less than the margin).
[[gnu::noinline]] bool stack_far_from_deep(const PieEngine* engine) {
    constexpr uintptr_t kMargin = uintptr_t{64} << 10;
    volatile char probe = 0;
    return reinterpret_cast<uintptr_t>(&probe) >= engine->stack_deep_mark + kMargin;
}

// Whether the quick steps may take a head matched from the engine's depth: its level and the two
// below it stay within the limit and take no look at the stack that could tell anything (the
// walk takes those), its frame is the untrailed one, and the goal is read in a frame.
[[gnu::always_inline]] inline bool quick_fits(PieEngine* engine, PlFrame* goal_frame, PlFrame* clause_frame) {
    const int before = engine->depth;
    if (before + 3 * kWeight > pl_depth_limit(engine) || engine->run.untrailed != clause_frame || !goal_frame)
        return false;
    return ((before ^ (before + 3 * kWeight)) & ~63) == 0 || stack_far_from_deep(engine);
}

// The pairs of a head of kCount arguments from pair kIndex on.
template <uint32_t kCount, uint32_t kIndex = 0>
[[gnu::always_inline]] inline int quick_arguments(PieEngine* engine, PlFrame* head_frame, PlFrame* goal_frame,
                                                  PlCell** ours, PlCell** theirs) {
    constexpr bool kLast = kIndex + 1 == kCount;
    const int met = quick_pair<kLast ? 1 : kPair>(engine, head_frame, ours[kIndex], goal_frame, theirs[kIndex]);
    if (met < 0) [[unlikely]]
        return walk_on(engine, goal_frame, ours + kIndex, theirs + kIndex, kCount - kIndex,
                       static_cast<uint32_t>(-1 - met));
    if constexpr (kLast)
        return met;
    else
        return met ? quick_arguments<kCount, kIndex + 1>(engine, head_frame, goal_frame, ours, theirs) : 0;
}

// An item's head (its one argument, no key behind it), for the quick steps: its status is looked
// at only where a member set meets an unbound variable, which the walk takes; any other argument
// pair is the pair the level takes next, as open_step takes it.
[[gnu::noinline]] int match_item(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head,
                                 PlFrame* clause_frame) {
    if (goal->fn.functor != head->fn.functor) return 0;
    const PlVector* goal_args = goal->fn.args;
    const PlVector* head_args = head->fn.args;
    if (!goal_args || !head_args || goal_args->count != 1 || head_args->count != 1 ||
        pl_deref(goal_args->items[0], goal_frame).term->type == PL_MEMBER ||
        pl_deref(head_args->items[0], clause_frame).term->type == PL_MEMBER)
        return walk_head(engine, goal, goal_frame, head, clause_frame);
    PlCell* a = goal_args->items[0];
    PlCell* b = head_args->items[0];
    const PlCellType bt = b->type;
    const int met = bt == PL_VAR || bt == PL_INT || bt == PL_NIL ? quick_leaf<1>(engine, clause_frame, a, goal_frame, b)
                                                                 : -1;
    return met >= 0 ? met : walk_head(engine, goal, goal_frame, head, clause_frame);
}

}  // namespace

// Every rule tried comes here: the compiler is told so, and lays the walk out for its common
// paths (the cold ones, errors and the generic steps, apart).
[[gnu::hot]] int pl_match_head(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head, PlFrame* clause_frame) {
    if (!clause_frame) return pl_unification_sub(engine, goal, goal_frame, head, clause_frame);
    if (goal->type != PL_FUNCTOR || head->type != PL_FUNCTOR || !quick_fits(engine, goal_frame, clause_frame))
        [[unlikely]]
        return walk_head(engine, goal, goal_frame, head, clause_frame);
    if (goal->fn.functor->arity == 1) return match_item(engine, goal, goal_frame, head, clause_frame);
    if (goal->fn.functor != head->fn.functor) return 0;
    const PlVector* goal_args = goal->fn.args;
    const PlVector* head_args = head->fn.args;
    if (!goal_args || !head_args) return 1;
    const uint32_t k = std::min(goal_args->count, head_args->count);
    PlCell** ours = goal_args->items;
    PlCell** theirs = head_args->items;
    // Heads of two to four arguments are walked by code of their own, without a count to keep.
    switch (k) {
    case 0: return 1;
    case 2: return quick_arguments<2>(engine, clause_frame, goal_frame, ours, theirs);
    case 3: return quick_arguments<3>(engine, clause_frame, goal_frame, ours, theirs);
    case 4: return quick_arguments<4>(engine, clause_frame, goal_frame, ours, theirs);
    default: break;
    }
    uint32_t i = 0;
    for (; i + 1 < k; ++i) {
        const int met = quick_pair<kPair>(engine, clause_frame, ours[i], goal_frame, theirs[i]);
        if (met == 0) return 0;
        if (met < 0) [[unlikely]]
            return walk_on(engine, goal_frame, ours + i, theirs + i, k - i, static_cast<uint32_t>(-1 - met));
    }
    const int met = quick_pair<1>(engine, clause_frame, ours[i], goal_frame, theirs[i]);
    if (met >= 0) [[likely]]
        return met;
    return walk_on(engine, goal_frame, ours + i, theirs + i, 1, static_cast<uint32_t>(-1 - met));
}

int pl_match_arguments(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head, PlFrame* clause_frame,
                       uint32_t count) {
    if (count == 0) return 1;
    if (!clause_frame) {
        for (uint32_t i = 0; i < count; ++i)
            if (!pl_unification_sub(engine, pl_arg(goal, i), goal_frame, pl_arg(head, i), clause_frame)) return 0;
        return 1;
    }
    if (!quick_fits(engine, goal_frame, clause_frame)) [[unlikely]]
        return walk_arguments(engine, goal, goal_frame, head, clause_frame, count);
    PlCell** ours = goal->fn.args->items;
    PlCell** theirs = head->fn.args->items;
    for (uint32_t i = 0; i < count; ++i) {
        // A fact's pairs are all first steps: none is taken up inside.
        const int met = quick_pair<0>(engine, clause_frame, ours[i], goal_frame, theirs[i]);
        if (met == 0) return 0;
        if (met < 0) [[unlikely]]
            return walk_arguments_on(engine, goal_frame, ours + i, theirs + i, count - i);
    }
    return 1;
}
