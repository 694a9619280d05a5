// One level of the walk led by a clause head's cells, with its cycle check, and the pairs that
// take a level of their own: out of line, where the walk goes a level down.
#include "pie/run/head_walk_steps.h"

#include "pie/run/unify_steps.h"
#include "pie/terms/cycle_check.h"

#include <new>

namespace pl_head_walk {

[[noreturn]] void too_deep(PieEngine* engine) { pl_fatal_error(engine, PL_ERR_STACK, "pl_unification_sub"); }
[[noreturn]] void not_unifiable(PieEngine* engine) {
    pl_fatal_error(engine, PL_ERR_NOT_UNIFIABLE, "pl_unification_sub");
}

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

namespace {

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

}  // namespace

// One level of the walk at depth, from the pair (a, fa) and the head's cell b on, taken as the
// level's step first_step (0, or 1 for the pair its loop came back to first).
int level(const HeadWalk& w, PlCell* a, PlFrame* fa, PlCell* b, int depth, int first_step) {
    LazyCycle cycle;
    for (int step = first_step;; ++step) {
        const PlDeref l = pl_deref_goal(a, fa);
        const PlCellType lt = l.term->type;
        switch (b->type) {
        case PL_VAR: {
            PlBinding* slot = pl_binding_of(w.frame, b);
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
                PlDepthAt at(w.engine, depth);
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
        PlDepthAt at(w.engine, depth);
        if (step >= 2) return pl_unify_from(w.engine, a, fa, b, w.frame, cycle.engage(), true);
        PlCycleCheck fresh;
        return pl_unify_from(w.engine, a, fa, b, w.frame, fresh, step == 1);
    }
}

}  // namespace pl_head_walk
