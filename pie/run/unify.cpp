// Unification by the type of the left side, as the engine has always done it: an anonymous cell
// matches anything, integers are shared cells, a member set stands for any of its elements.
#include "pie/run/unify.h"

#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/run/interpreter.h"
#include "pie/run/unify_steps.h"
#include "pie/terms/cycle_check.h"

namespace {

bool bindable(const PlDeref& d) { return d.term->type == PL_UNBOUND && d.slot; }

// Binds the unbound side to the other: to the other variable when it is unbound too, so that
// both stay one. A constant needs no frame.
inline void bind(PieEngine* engine, const PlDeref& var, const PlDeref& value) {
    if (value.slot == var.slot) return;  // the same variable
    if (value.term->type == PL_UNBOUND && value.slot) {
        pl_bind(engine, var.slot, var.slot_frame, value.var, value.slot_frame);
        return;
    }
    const bool framed = value.term->type == PL_FUNCTOR ? value.term->fn.args && value.term->fn.args->count
                                                       : value.term->type == PL_LIST || value.term->type == PL_AND_GROUP;
    pl_bind(engine, var.slot, var.slot_frame, value.term, framed ? value.frame : nullptr);
}

constexpr int kWeight = kPlUnifyLevels;

int unify(PieEngine* engine, PlCell* a, PlFrame* fa, PlCell* b, PlFrame* fb);

// An and-group is the conjunction of its goals: it matches a variable, another group goal by
// goal, or the right-nested "," term it stands for (retract names a rule by its written body).
int unify_group(PieEngine* engine, const PlDeref& l, const PlDeref& r) {
    const bool left = l.term->type == PL_AND_GROUP;
    const PlDeref& group = left ? l : r;
    const PlDeref& other = left ? r : l;
    switch (other.term->type) {
    case PL_ANONYMOUS:
        return 1;
    case PL_UNBOUND:
        if (bindable(other)) bind(engine, other, group);
        return 1;
    case PL_AND_GROUP:
        return unify(engine, l.term->items, l.frame, r.term->items, r.frame);
    case PL_FUNCTOR: {
        PlCell* items = group.term->items;
        PlDeref term = other;
        if (items->type != PL_LIST) return 0;
        for (; items->list.tail->type == PL_LIST; items = items->list.tail) {
            if (!pl_is_functor(term.term, pl_predefined(engine, PLP_comma_2)) ||
                !unify(engine, items->list.head, group.frame, pl_arg(term.term, 0), term.frame))
                return 0;
            term = pl_step_once(pl_deref(pl_arg(term.term, 1), term.frame));
        }
        return unify(engine, items->list.head, group.frame, term.term, term.frame);
    }
    default:
        return 0;
    }
}

// The commonest pair inside a clause head, a constant or structure of the goal against a
// variable of the clause not bound yet, bound as unify would bind it but without a call. False
// when the pair needs unify (the level unify would take is past the limit included).
bool bind_at_once(PieEngine* engine, PlCell* a, PlFrame* fa, PlCell* b, PlFrame* fb) {
    if (engine->depth + kWeight > pl_depth_limit(engine)) return false;
    PlBinding* slot = pl_binding_of(fb, b);
    if (slot->term->type != PL_UNBOUND) return false;
    const PlDeref l = pl_deref_goal(a, fa);
    switch (l.term->type) {
    case PL_INT:
    case PL_NIL:
        pl_bind(engine, slot, fb, l.term, nullptr);
        return true;
    case PL_FUNCTOR:
        pl_bind(engine, slot, fb, l.term, l.term->fn.args && l.term->fn.args->count ? l.frame : nullptr);
        return true;
    case PL_LIST:
        pl_bind(engine, slot, fb, l.term, l.frame);
        return true;
    default:
        return false;
    }
}

// Only a variable of the clause can be bound at once: anything else is told at the call.
inline bool bound_at_once(PieEngine* engine, PlCell* a, PlFrame* fa, PlCell* b, PlFrame* fb) {
    return b->type == PL_VAR && fb && bind_at_once(engine, a, fa, b, fb);
}

}  // namespace

int pl_unify_from(PieEngine* engine, PlCell* a, PlFrame* fa, PlCell* b, PlFrame* fb, PlCycleCheck& cycle, bool looped) {
  again:
    const PlDeref l = pl_deref_goal(a, fa);
    const PlDeref r = pl_deref_goal(b, fb);
    if (looped && cycle.seen(l.term, l.frame, r.term, r.frame)) pl_fatal_error(engine, PL_ERR_STACK, "pl_unification_sub");
    if (l.term->type == PL_AND_GROUP || r.term->type == PL_AND_GROUP) return unify_group(engine, l, r);
    const PlCellType rt = r.term->type;
    switch (l.term->type) {
    case PL_ANONYMOUS:
        return 1;
    case PL_INT:
        switch (rt) {
        case PL_ANONYMOUS: return 1;
        case PL_INT: return l.term == r.term || l.term->value == r.term->value;
        case PL_FUNCTOR: case PL_LIST: case PL_NIL: return 0;
        case PL_MEMBER: return pl_member_holds(r.term, l.term);
        case PL_UNBOUND: if (!bindable(r)) return 1; bind(engine, r, l); return 1;
        default: break;
        }
        break;
    case PL_FUNCTOR:
        switch (rt) {
        case PL_ANONYMOUS: return 1;
        case PL_INT: case PL_LIST: case PL_NIL: return 0;
        case PL_FUNCTOR: {
            if (l.term->fn.functor != r.term->fn.functor) return 0;
            if (!pl_item_status_allows(engine, l, r)) return 0;
            const uint32_t n = l.term->fn.args ? l.term->fn.args->count : 0;
            const uint32_t m = r.term->fn.args ? r.term->fn.args->count : 0;
            const uint32_t k = n < m ? n : m;
            if (k == 0) return 1;
            for (uint32_t i = 0; i + 1 < k; ++i)
                if (!bound_at_once(engine, pl_arg(l.term, i), l.frame, pl_arg(r.term, i), r.frame) &&
                    !unify(engine, pl_arg(l.term, i), l.frame, pl_arg(r.term, i), r.frame))
                    return 0;
            a = pl_arg(l.term, k - 1), fa = l.frame, b = pl_arg(r.term, k - 1), fb = r.frame;
            looped = true;
            goto again;  // the last argument without a native level: long chains stay flat
        }
        case PL_MEMBER:
            return (!l.term->fn.args || l.term->fn.args->count == 0) && pl_member_holds(r.term, l.term);
        case PL_UNBOUND: if (bindable(r)) bind(engine, r, l); return 1;
        default: break;
        }
        break;
    case PL_LIST:
        switch (rt) {
        case PL_ANONYMOUS: return 1;
        case PL_INT: case PL_FUNCTOR: case PL_NIL: case PL_MEMBER: return 0;
        case PL_LIST:
            if (!bound_at_once(engine, l.term->list.head, l.frame, r.term->list.head, r.frame) &&
                !unify(engine, l.term->list.head, l.frame, r.term->list.head, r.frame))
                return 0;
            a = l.term->list.tail, fa = l.frame, b = r.term->list.tail, fb = r.frame;
            looped = true;
            goto again;
        case PL_UNBOUND: if (bindable(r)) bind(engine, r, l); return 1;
        default: break;
        }
        break;
    case PL_NIL:
        switch (rt) {
        case PL_ANONYMOUS: case PL_NIL: return 1;
        case PL_UNBOUND: if (bindable(r)) bind(engine, r, l); return 1;
        case PL_INT: case PL_FUNCTOR: case PL_LIST: case PL_MEMBER: return 0;
        default: break;
        }
        break;
    case PL_MEMBER:
        switch (rt) {
        case PL_ANONYMOUS: return 1;
        case PL_INT: return pl_member_holds(l.term, r.term);
        case PL_FUNCTOR: return (!r.term->fn.args || r.term->fn.args->count == 0) && pl_member_holds(l.term, r.term);
        case PL_LIST: case PL_NIL: case PL_MEMBER: case PL_UNBOUND: return 0;
        default: break;
        }
        break;
    case PL_UNBOUND:
        switch (rt) {
        case PL_MEMBER: return 0;
        case PL_ANONYMOUS: case PL_INT: case PL_FUNCTOR: case PL_LIST: case PL_NIL: case PL_UNBOUND:
            if (bindable(l)) bind(engine, l, r);
            return 1;
        default: break;
        }
        break;
    default:
        break;
    }
    pl_fatal_error(engine, PL_ERR_NOT_UNIFIABLE, "pl_unification_sub");
}

namespace {

int unify(PieEngine* engine, PlCell* a, PlFrame* fa, PlCell* b, PlFrame* fb) {
    PlDepthGuard depth(engine, "pl_unification_sub", kWeight);
    PlCycleCheck cycle;  // the loop-backs below take no level: a cyclic pair is caught here
    return pl_unify_from(engine, a, fa, b, fb, cycle, false);
}

}  // namespace

void pl_step_once_in_place(PlDeref& d) {
    while (d.term->type == PL_ONCE) {
        PlFrame* frame = d.frame;
        d = pl_deref(d.term->once.goal, frame);
    }
}

bool pl_item_status_allows(PieEngine* engine, const PlDeref& l, const PlDeref& r) {
    PlFunctor* item = l.term->fn.functor;
    if (item->arity != 1 || !l.term->fn.args || !r.term->fn.args) return true;
    const PlDeref a = pl_deref(pl_arg(l.term, 0), l.frame);
    const PlDeref b = pl_deref(pl_arg(r.term, 0), r.frame);
    const PlDeref* var = nullptr;
    if (a.term->type == PL_MEMBER && b.term->type == PL_UNBOUND) var = &b;
    if (b.term->type == PL_MEMBER && a.term->type == PL_UNBOUND) var = &a;
    if (!var || !var->slot) return true;
    PlCell* status = pl_item_status(engine, item, engine->run.answers);
    if (!status) return false;
    return pl_unify(engine, var->var, var->slot_frame, status, nullptr) != 0;
}

bool pl_member_holds(const PlCell* set, const PlCell* cell) {
    for (const PlCell* item = set->items; item && item->type == PL_LIST; item = item->list.tail) {
        const PlCell* element = item->list.head;
        if (element == cell) return true;
        if (element->type == PL_INT && cell->type == PL_INT && element->value == cell->value) return true;
        if (element->type == PL_FUNCTOR && cell->type == PL_FUNCTOR && element->fn.functor == cell->fn.functor)
            return true;
    }
    return false;
}

namespace {

// The frame a variable bound to term (read in frame) keeps, as bind keeps it.
[[gnu::always_inline]] inline PlFrame* frame_kept(const PlCell* term, PlFrame* frame) {
    const bool framed = term->type == PL_FUNCTOR ? term->fn.args && term->fn.args->count
                                                 : term->type == PL_LIST || term->type == PL_AND_GROUP;
    return framed ? frame : nullptr;
}

// pl_bind for the answers given at once: 1 when bound, or -1, with nothing done, where the trail
// would have to grow, which the walk then does. No call is left that these paths come back from,
// and so they need no registers of their callers' saved.
[[gnu::always_inline]] inline int bind_at_once(PieEngine* engine, PlBinding* slot, PlFrame* slot_frame, PlCell* term,
                                               PlFrame* frame) {
    if (slot_frame != engine->run.untrailed) {
        if (engine->run.trail.full()) [[unlikely]]
            return -1;
        engine->run.trail.push_back({slot, slot_frame});
    }
    slot->term = term;
    slot->frame = frame;
    return 1;
}

// The variable a dereferencing met last, in the frame it was read in, or none: kept in two
// registers, its slot found again only where a binding is made.
struct LastVar {
    PlCell* var = nullptr;
    PlFrame* frame = nullptr;
    PlBinding* slot() const { return pl_binding_of(frame, var); }
};
[[gnu::always_inline]] inline bool is_atom_cell(const PlCell* c) { return !c->fn.args || !c->fn.args->count; }

// Two atoms (cells of functors without arguments), what a rule's test of an item's value meets, as
// the walk answers them: the same functor matches, another fails, and an item's functor without
// arguments to look in has no status to look at; -1 for a pair the walk is to take.
[[gnu::always_inline]] inline int atoms_meet(const PlCell* a, const PlCell* b) {
    if (a->fn.functor != b->fn.functor) return 0;
    return a->fn.functor->arity != 1 || !a->fn.args || !b->fn.args ? 1 : -1;
}

// pl_deref in place, for unify_at_once.
[[gnu::always_inline]] inline void deref_to(PlCell*& term, PlFrame*& frame, LastVar& last) {
    while (term->type == PL_VAR && frame) {
        last = {term, frame};
        const PlBinding* slot = pl_binding_of(frame, term);
        term = slot->term;
        frame = slot->frame;
    }
}

// The commonest unification asked for from outside a head, a variable not bound yet meeting a
// constant, a structure or another variable (what a built-in answers), or two integers:
// answered and bound as the walk would, its level's checks included; -1 leaves the pair to it
// (and so does a level that would look at the native stack), as the variables met last on each
// side, read in their frames: the walk finds the same terms and slots from them, and the caller
// keeps no copy of the pair it was given.
[[gnu::always_inline]] inline int unify_at_once(PieEngine* engine, PlCell*& a, PlFrame*& fa, PlCell*& b, PlFrame*& fb) {
    if (!pl_levels_quiet(engine, kWeight)) return -1;
    // A once cell is the walk's to step past.
    LastVar left;
    deref_to(a, fa, left);
    LastVar right;
    deref_to(b, fb, right);
    const PlCellType lt = a->type;
    const PlCellType rt = b->type;
    const auto plain = [](PlCellType type) { return type >= PL_INT && type <= PL_NIL; };
    int answer = -1;  // also where the trail has no room for a binding: the walk grows it
    if (lt == PL_UNBOUND) {
        // A constant needs no frame (the result of arithmetic, most often); an unbound variable
        // met is bound to, so that both stay one.
        if (rt == PL_INT || rt == PL_NIL)
            answer = left.var ? bind_at_once(engine, left.slot(), left.frame, b, nullptr) : 1;
        else if (plain(rt))
            answer = left.var ? bind_at_once(engine, left.slot(), left.frame, b, frame_kept(b, fb)) : 1;
        else if (rt == PL_UNBOUND && (!left.var || (right.var && right.slot() == left.slot())))
            answer = 1;
        else if (rt == PL_UNBOUND)
            answer = bind_at_once(engine, left.slot(), left.frame, right.var ? right.var : b, right.frame);
    } else if (rt == PL_UNBOUND) {
        if (plain(lt)) answer = right.var ? bind_at_once(engine, right.slot(), right.frame, a, frame_kept(a, fa)) : 1;
    } else if (lt == PL_INT && rt == PL_INT) {
        return a == b || a->value == b->value;
    } else if (lt == PL_FUNCTOR && rt == PL_FUNCTOR && is_atom_cell(a) && is_atom_cell(b)) {
        if (const int met = atoms_meet(a, b); met >= 0) return met;
    }
    if (answer >= 0) return answer;
    if (left.var) a = left.var, fa = left.frame;
    if (right.var) b = right.var, fb = right.frame;
    return -1;
}

// pl_unification_sub past a pair it has no answer for at once.
[[gnu::noinline]] int unify_in_full(PieEngine* engine, PlCell* a, PlFrame* fa, PlCell* b, PlFrame* fb) {
    if (const int answer = unify_at_once(engine, a, fa, b, fb); answer >= 0) return answer;
    return unify(engine, a, fa, b, fb);
}

// pl_unify past a pair not answered at once: the walk, with tracing suspended.
[[gnu::noinline]] int unify_untraced(PieEngine* engine, PlCell* a, PlFrame* fa, PlCell* b, PlFrame* fb) {
    const uint32_t trace = engine->flags & PLE_TRACE;
    engine->flags &= ~PLE_TRACE;
    struct Restore {
        PieEngine* e;
        uint32_t t;
        ~Restore() { e->flags |= t; }
    } restore{engine, trace};
    return unify(engine, a, fa, b, fb);
}

// pl_unify past its first look: the pair answered at once where unify_at_once answers it, else
// the walk. Both read the pair from scratch, and so it may stand at any variable on its way to
// the term it was given for, or at that term.
[[gnu::noinline]] int unify_rest(PieEngine* engine, PlCell* a, PlFrame* fa, PlCell* b, PlFrame* fb) {
    if (const int answer = unify_at_once(engine, a, fa, b, fb); answer >= 0) return answer;
    return unify_untraced(engine, a, fa, b, fb);
}

// A variable read in frame followed to the term it stands for, which is returned: var and frame
// end as the variable met last and the frame it is read in, slot as its binding. Scalars a
// compiler keeps in registers, where a PlDeref would go to memory.
[[gnu::always_inline]] inline PlCell* follow(PlCell*& var, PlFrame*& frame, PlBinding*& slot) {
    for (;;) {
        slot = pl_binding_of(frame, var);
        PlCell* value = slot->term;
        PlFrame* next = slot->frame;
        if (value->type != PL_VAR || !next) return value;
        var = value;
        frame = next;
    }
}

// pl_unify for a left side that is a constant (kType, an integer or []): the constant's frame
// is never read, for a binding to it or a comparison, and so it needs none.
template <PlCellType kType>
[[gnu::always_inline]] inline int constant_first(PieEngine* engine, PlCell* constant, PlCell* b, PlFrame* fb) {
    PlCell* value = b;
    PlBinding* slot = nullptr;
    if (b->type == PL_VAR && fb) value = follow(b, fb, slot);
    const PlCellType rt = value->type;
    if (rt == PL_UNBOUND) {
        if (!slot) return 1;
        if (bind_at_once(engine, slot, fb, constant, nullptr) > 0) return 1;
    } else if (kType == PL_INT && rt == PL_INT) {
        return constant == value || constant->value == value->value;
    }
    return unify_rest(engine, constant, nullptr, b, fb);
}

}  // namespace

int pl_unification_sub(PieEngine* engine, PlCell* a, PlFrame* fa, PlCell* b, PlFrame* fb) {
    // A variable meeting an integer or [] that needs no frame, what a built-in answers most
    // often: unify_at_once's answer from fewer steps, nothing changed before it. Any other pair
    // goes on from where the dereferencing stopped, so that the pair given need not be kept in a
    // register saved for it.
    if (b->type == PL_INT || b->type == PL_NIL) {
        if (!pl_levels_quiet(engine, kWeight) || a->type != PL_VAR || !fa) return unify_in_full(engine, a, fa, b, fb);
        PlBinding* slot;
        PlCell* value = follow(a, fa, slot);
        if (value->type == PL_UNBOUND) {
            if (bind_at_once(engine, slot, fa, b, nullptr) > 0) return 1;
        } else if (value->type == PL_INT && b->type == PL_INT) {
            return value == b || value->value == b->value;
        }
        return unify_in_full(engine, a, fa, b, fb);
    }
    // An atom given, a built-in's answer of an item's value (status/2), meeting the goal's atom
    // or a variable not bound yet: as unify_at_once answers it, from fewer steps.
    if (b->type == PL_FUNCTOR && is_atom_cell(b) && pl_levels_quiet(engine, kWeight)) {
        PlBinding* slot = nullptr;
        PlCell* value = a->type == PL_VAR && fa ? follow(a, fa, slot) : a;
        if (value->type == PL_FUNCTOR && is_atom_cell(value)) {
            if (const int met = atoms_meet(value, b); met >= 0) return met;
        } else if (value->type == PL_UNBOUND && slot) {
            if (bind_at_once(engine, slot, fa, b, nullptr) > 0) return 1;
        }
    }
    return unify_in_full(engine, a, fa, b, fb);
}

int pl_unify(PieEngine* engine, PlCell* a, PlFrame* fa, PlCell* b, PlFrame* fb) {
    // Nothing traces in a pair answered at once. An integer or [] on either side meeting an
    // unbound variable on the other (X = 1 as written, or a variable bound to a number meeting one
    // not bound yet) is answered as unify_at_once answers it, with fewer values kept. What is
    // left goes on from where the dereferencing stopped.
    if (!pl_levels_quiet(engine, kWeight)) return unify_untraced(engine, a, fa, b, fb);
    PlCell* value = a;
    PlBinding* slot = nullptr;
    if (a->type == PL_VAR && fa) value = follow(a, fa, slot);
    const PlCellType lt = value->type;
    if (lt == PL_INT) return constant_first<PL_INT>(engine, value, b, fb);
    if (lt == PL_NIL) return constant_first<PL_NIL>(engine, value, b, fb);
    // A goal's atom meeting an atom given, a rule's test of an item's value against the value read.
    if (lt == PL_FUNCTOR && b->type == PL_FUNCTOR && is_atom_cell(value) && is_atom_cell(b))
        if (const int met = atoms_meet(value, b); met >= 0) return met;
    if (lt == PL_UNBOUND && (b->type == PL_INT || b->type == PL_NIL)) {
        if (!slot) return 1;
        if (bind_at_once(engine, slot, fa, b, nullptr) > 0) return 1;
    }
    return unify_rest(engine, a, fa, b, fb);
}

namespace {

// Both comparisons go down list tails by a loop; each tail takes the level its recursion took.
int identical(PieEngine* engine, PlCell* a, PlFrame* fa, PlCell* b, PlFrame* fb) {
    PlDepthRun depth(engine, "term_compare", kWeight);
    for (;;) {
        depth.step();
        const PlDeref l = pl_deref(a, fa);
        const PlDeref r = pl_deref(b, fb);
        if (l.term->type != r.term->type) return 0;
        switch (l.term->type) {
        case PL_ANONYMOUS: case PL_NIL:
            return 1;
        case PL_INT:
            return l.term->value == r.term->value;
        case PL_UNBOUND:
            return l.slot ? l.slot == r.slot : l.term == r.term && !r.slot;
        case PL_FUNCTOR: {
            if (l.term->fn.functor != r.term->fn.functor) return 0;
            const uint32_t n = l.term->fn.args ? l.term->fn.args->count : 0;
            for (uint32_t i = 0; i < n; ++i)
                if (!identical(engine, pl_arg(l.term, i), l.frame, pl_arg(r.term, i), r.frame)) return 0;
            return 1;
        }
        case PL_LIST:
            if (!identical(engine, l.term->list.head, l.frame, r.term->list.head, r.frame)) return 0;
            a = l.term->list.tail, fa = l.frame, b = r.term->list.tail, fb = r.frame;
            continue;
        default:
            pl_fatal_error(engine, PL_ERR_CELL_TYPE, "term_compare", static_cast<int>(l.term->type));
        }
    }
}

bool equal(PieEngine* engine, PlCell* a, PlFrame* fa, PlCell* b, PlFrame* fb) {
    PlDepthRun depth(engine, "pl_terms_equal", kWeight);
    for (;;) {
        depth.step();
        const PlDeref l = pl_deref(a, fa);
        const PlDeref r = pl_deref(b, fb);
        if (l.term->type != r.term->type || l.term->type > 19) return false;
        if (l.term->type >= 17) return true;  // markers and the unbound cell
        switch (l.term->type) {
        case PL_NAME: return l.term->token == r.term->token;
        case PL_ANONYMOUS: case PL_NIL: return true;
        case PL_INT: return l.term->value == r.term->value;
        case PL_FUNCTOR: {
            if (l.term->fn.functor != r.term->fn.functor) return false;
            const uint32_t n = l.term->fn.args ? l.term->fn.args->count : 0;
            for (uint32_t i = 0; i < n; ++i)
                if (!equal(engine, pl_arg(l.term, i), l.frame, pl_arg(r.term, i), r.frame)) return false;
            return true;
        }
        case PL_LIST:
            // Constant heads are compared here. Their level is the one the tail takes next, checked
            // by the tail's step, or here when the comparison ends.
            if (const int same = pl_constants_equal(pl_deref(l.term->list.head, l.frame).term,
                                                 pl_deref(r.term->list.head, r.frame).term);
                same >= 0) {
                if (!same) {
                    depth.reach(1);
                    return false;
                }
            } else if (!equal(engine, l.term->list.head, l.frame, r.term->list.head, r.frame)) {
                return false;
            }
            a = l.term->list.tail, fa = l.frame, b = r.term->list.tail, fb = r.frame;
            continue;
        case PL_ONCE:
            a = l.term->once.goal, fa = l.frame, b = r.term->once.goal, fb = r.frame;
            continue;
        default: return false;
        }
    }
}

// A comparison of two lists of constants, the commonest one of a recorded value with a new one,
// by a loop without the depth bookkeeping: 1 or 0 as equal answers, or -1 when it cannot tell
// (an element or end that is not a constant, or levels that come near the limit), and equal runs
// from the start. Nothing is changed on the way, so giving up costs only the time.
int constant_lists_equal(PieEngine* engine, PlCell* a, PlFrame* fa, PlCell* b, PlFrame* fb) {
    for (int64_t levels = kWeight;; levels += kWeight) {
        if (engine->depth + levels + kWeight > pl_depth_limit(engine)) return -1;
        const PlDeref l = pl_deref(a, fa);
        const PlDeref r = pl_deref(b, fb);
        if (l.term->type != r.term->type || l.term->type > 19) return 0;
        if (l.term->type >= 17) return 1;
        switch (l.term->type) {
        case PL_ANONYMOUS: case PL_NIL: return 1;
        case PL_INT: return l.term->value == r.term->value;
        case PL_LIST: {
            const int same = pl_constants_equal(pl_deref(l.term->list.head, l.frame).term,
                                                pl_deref(r.term->list.head, r.frame).term);
            if (same <= 0) return same;
            a = l.term->list.tail, fa = l.frame, b = r.term->list.tail, fb = r.frame;
            continue;
        }
        default: return -1;
        }
    }
}

}  // namespace

int term_compare(PieEngine* engine, PlCell* a, PlCell* b, PlFrame* frame) {
    return identical(engine, a, frame, b, frame);
}

bool pl_terms_equal(PieEngine* engine, PlCell* a, PlCell* b, PlFrame* frame) {
    return equal(engine, a, frame, b, frame);
}

bool pl_terms_equal_in(PieEngine* engine, PlCell* a, PlCell* b, PlFrame* frame) {
    if (a->type == PL_LIST)
        if (const int same = constant_lists_equal(engine, a, nullptr, b, frame); same >= 0) return same;
    return equal(engine, a, nullptr, b, frame);
}
