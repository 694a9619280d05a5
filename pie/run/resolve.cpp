// Resolving a term out of a frame that is about to be released, and settling the bindings a
// successful clause left pointing into its frame: each becomes a term its caller can read after
// the frame is gone.
#include "pie/run/frame.h"

#include "pie/api/engine.h"
#include "pie/run/settle_quick.h"
#include "pie/run/unify_steps.h"
#include "pie/terms/list_shape.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

PlCell* resolve(PieEngine* engine, PlCell* term, PlFrame* frame, PlFrame* dying, PlFrame*& keep);

// Where a variable leads, inline: the binding follow ends at.
[[gnu::always_inline]] inline const PlBinding* last_binding(PlCell* var, PlFrame* in) {
    const PlBinding* b = &in->slots()[var->var.slot];
    while (b->term->type == PL_VAR && b->frame) {
        in = b->frame;
        b = &in->slots()[b->term->var.slot];
    }
    return b;
}

// The term a variable of frame leads to when that term needs no frame and is no unbound variable;
// nullptr for any other: last_binding's walk with settle_quick's test, frame first: a binding settled before has none.
[[gnu::always_inline]] inline PlCell* frameless_end(PlCell* var, PlFrame* frame) {
    const PlBinding* b = &frame->slots()[var->var.slot];
    while (b->frame) [[unlikely]] {
        if (b->term->type != PL_VAR) return nullptr;
        b = &b->frame->slots()[b->term->var.slot];
    }
    return b->term->type == PL_UNBOUND ? nullptr : b->term;
}

// Where a variable leads: its last slot's term and frame, or the variable itself while unbound.
struct VarEnd {
    PlCell* var;
    PlFrame* in;
    const PlBinding* last;
};

VarEnd follow(PlCell* var, PlFrame* in) {
    for (PlBinding* b = &in->slots()[var->var.slot]; b->term->type == PL_VAR && b->frame;
         b = &in->slots()[var->var.slot]) {
        var = b->term;
        in = b->frame;
    }
    return {var, in, &in->slots()[var->var.slot]};
}

// An unbound variable survives only in keep (the first surviving frame that needs one).
PlCell* unbound_end(PieEngine* engine, const VarEnd& end, PlFrame* dying, PlFrame*& keep) {
    if (end.in == dying || (keep && keep != end.in)) return engine->cell.unbound;
    keep = end.in;
    return end.var;
}

// A list element that resolves without a call and without a look at keep: a constant, or a
// variable bound to a term that needs no frame. Nullptr for any other.
[[gnu::always_inline]] inline PlCell* element_in_place(PlCell* term, PlFrame* frame) {
    if (term->type == PL_VAR) return frame ? frameless_end(term, frame) : nullptr;
    if (term->type != PL_LIST && (pl_element_shape(term) & PL_SHAPE_GROUND)) return term;
    return nullptr;
}
PlCell* quick_element(PlCell* term, PlFrame* frame) { return element_in_place(term, frame); }

// A list element, resolved without a call when it can be. The level the call would take is the
// one the tail takes next, and checked there.
PlCell* resolve_element(PieEngine* engine, PlCell* term, PlFrame* frame, PlFrame* dying, PlFrame*& keep) {
    if (PlCell* quick = quick_element(term, frame)) return quick;
    return resolve(engine, term, frame, dying, keep);
}

// The cell list resolves to when its head resolves to head and its tail to end: list itself
// when neither changed, else a new cell; what the two are known to hold is kept on it.
inline PlCell* list_cell_of(PieEngine* engine, PlCell* list, PlCell* head, PlCell* end) {
    const uint32_t shape = pl_cell_shape(pl_element_shape(head), pl_element_shape(end));
    PlCell* cell = list;
    if (head != list->list.head || end != list->list.tail) {
        cell = pl_term_cell(engine, PL_LIST);
        cell->list.head = head;
        cell->list.tail = end;
    }
    if (shape) cell->shape = shape;
    return cell;
}

// The commonest list out of a dying frame, a cell whose tail is a variable bound to a list that
// needs no frame (settled before) and whose head resolves without a call, made as the walk below
// would make it but without its bookkeeping; the one level the walk would take must fit.
// Nullptr when the list is not of that kind.
PlCell* resolve_one_cell(PieEngine* engine, PlCell* list, PlFrame* frame) {
    PlCell* tail = list->list.tail;
    if (tail->type != PL_VAR || !frame || !pl_levels_within_limit(engine, 2)) return nullptr;
    const VarEnd v = follow(tail, frame);
    if (v.last->term->type == PL_UNBOUND || v.last->frame) return nullptr;
    PlCell* head = quick_element(list->list.head, frame);
    if (!head) return nullptr;
    return list_cell_of(engine, list, head, v.last->term);
}

// A short list that resolve_list below would walk to a constant end or to a variable bound to a
// term that needs no frame, every element a constant or a variable bound to a term that needs no
// frame: made here as that walk makes it (the same cells, shapes and order of allocation) without
// its bookkeeping, when every level the walk would take (above the engine's depth and levels
// more) is free. Nullptr, with nothing done, for any other list.
constexpr int kShortList = 8;
PlCell* resolve_short_list(PieEngine* engine, PlCell* list, PlFrame* frame, int above = 0) {
    PlCell* cells[kShortList];
    PlCell* heads[kShortList];
    int n = 0;
    int steps = 0;  // the walk's steps of two levels
    PlCell* end = nullptr;
    for (PlCell* cell = list;;) {
        if (n == kShortList) return nullptr;
        PlCell* head = element_in_place(cell->list.head, frame);
        if (!head) return nullptr;
        cells[n] = cell;
        heads[n++] = head;
        PlCell* tail = cell->list.tail;
        if (tail->type == PL_VAR && frame) {
            ++steps;
            const PlBinding* b = last_binding(tail, frame);
            if (b->term->type == PL_UNBOUND) return nullptr;
            if (!b->frame) {
                end = b->term;
                break;
            }
            tail = b->term;
            frame = b->frame;
            if (tail->type != PL_LIST || (tail->shape & PL_SHAPE_GROUND)) return nullptr;
        } else if (tail->type != PL_LIST || (tail->shape & PL_SHAPE_GROUND)) {
            // An end resolve gives back as it is, one level below the last step.
            if (tail->type == PL_VAR || tail->type == PL_LIST ||
                (tail->type == PL_FUNCTOR && tail->fn.args && tail->fn.args->count))
                return nullptr;
            ++steps;
            end = tail;
            break;
        }
        ++steps;
        cell = tail;
    }
    if (!pl_levels_within_limit(engine, above + 2 * steps)) return nullptr;
    PlCell* result = end;
    uint32_t shape = pl_element_shape(end);
    for (int i = n - 1; i >= 0; --i) {
        PlCell* cell = cells[i];
        shape = pl_cell_shape(pl_element_shape(heads[i]), shape);
        if (heads[i] != cell->list.head || result != cell->list.tail) {
            PlCell* copy = pl_term_cell(engine, PL_LIST);
            copy->list.head = heads[i];
            copy->list.tail = result;
            cell = copy;
        }
        if (shape) cell->shape = shape;
        result = cell;
    }
    return result;
}

// A list by a loop over its tails, each tail taking the level the recursion on it once took;
// the cells are rebuilt from the end, and only up to the last one that changed. What the result
// is found to hold is kept on its cells: a ground list is not walked again.
PlCell* resolve_list(PieEngine* engine, PlCell* list, PlFrame* frame, PlFrame* dying, PlFrame*& keep) {
    if (PlCell* cell = resolve_one_cell(engine, list, frame)) return cell;
    if (PlCell* cell = resolve_short_list(engine, list, frame)) return cell;
    PlDepthRun depth(engine, "pl_resolve_term", 2);
    PlWalkCells cells(engine->run.list_cells);  // each cell with its resolved head
    PlCell* end = nullptr;
    for (PlCell* cell = list;;) {
        cells.push(cell);
        cells.push(resolve_element(engine, cell->list.head, frame, dying, keep));
        PlCell* tail = cell->list.tail;
        if (tail->type == PL_VAR && frame) {
            depth.step();
            const VarEnd v = follow(tail, frame);
            if (v.last->term->type == PL_UNBOUND) {
                end = unbound_end(engine, v, dying, keep);
                break;
            }
            if (!v.last->frame) {
                end = v.last->term;
                break;
            }
            tail = v.last->term;
            frame = v.last->frame;
            if (tail->type != PL_LIST || (tail->shape & PL_SHAPE_GROUND)) {
                end = resolve(engine, tail, frame, dying, keep);
                break;
            }
        } else if (tail->type != PL_LIST || (tail->shape & PL_SHAPE_GROUND)) {
            end = resolve(engine, tail, frame, dying, keep);
            break;
        }
        depth.step();
        cell = tail;
    }
    PlCell* result = end;
    uint32_t shape = pl_element_shape(end);
    for (size_t i = cells.size(); i > 0; i -= 2) {
        PlCell* cell = cells[i - 2];
        PlCell* head = cells[i - 1];
        shape = pl_cell_shape(pl_element_shape(head), shape);
        if (head != cell->list.head || result != cell->list.tail) {
            PlCell* copy = pl_term_cell(engine, PL_LIST);
            copy->list.head = head;
            copy->list.tail = result;
            cell = copy;
        }
        if (shape) cell->shape = shape;
        result = cell;
    }
    return result;
}

// The types that stop a look for a term without variables, a variable and a list, differ in one
// bit alone: one test each.
static_assert((PL_VAR | 4u) == PL_LIST && (PL_VAR & 4u) == 0);
inline bool variable_or_list(const PlCell* arg) { return (arg->type & ~4u) == PL_VAR; }
inline bool compound(const PlCell* arg) { return arg->type == PL_FUNCTOR && arg->fn.args && arg->fn.args->count; }

// plain_fits for a term nested deeper than plain_levels keeps, without keeping anything. A
// compound argument is looked at by a call, except the last one met, which the loop takes: a
// term nested in its last argument ("log(log(x))") takes no call. The look has no side effect,
// so a term of two arguments, the commonest, has both read before either is followed.
bool walk_fits(const PlCell* term, int max) {
    for (;; --max) {
        if (max <= 1) return false;
        const PlVector* args = term->fn.args;
        const PlCell* first = args->items[0];
        if (args->count == 1) {
            if (variable_or_list(first)) return false;
            if (!compound(first)) return true;
            term = first;
            continue;
        }
        if (args->count == 2) {
            const PlCell* second = args->items[1];
            if (variable_or_list(first) || variable_or_list(second)) return false;
            if (compound(second)) {
                if (compound(first) && !walk_fits(first, max - 1)) return false;
                term = second;
            } else if (compound(first)) {
                term = first;
            } else {
                return true;
            }
            continue;
        }
        const PlCell* last = nullptr;
        for (uint32_t i = 0; i < args->count; ++i) {
            const PlCell* arg = args->items[i];
            if (variable_or_list(arg)) return false;
            if (compound(arg)) {
                if (last && !walk_fits(last, max - 1)) return false;
                last = arg;
            }
        }
        if (!last) return true;
        term = last;
    }
}

// What plain_levels keeps on a compound term (fn.plain) besides its levels.
constexpr uint32_t kHoldsVariable = UINT32_MAX;  // a variable or a list somewhere inside
// The deepest term plain_levels looks at: it takes a native call for every level.
constexpr int kPlainCap = 64;

// The levels of compound terms in term (a compound term with arguments): 1 when its arguments
// are constants. kHoldsVariable for a term with a variable or a list inside, 0 when it is
// unknown because more than cap levels deep. Kept on the cell of each term it finds out, as the
// same term without variables is met again and again (an argument of a clause body, bound
// through each call below it). What is kept stays true: a new cell starts at 0, and a term's
// arguments do not change once a query can meet it, but for a later load putting constants in
// place of goals, which takes levels away (a look then answers no where the walk says yes, and
// the walk is made).
uint32_t plain_levels(PlCell* term, int cap) {
    if (cap < 1) return 0;
    uint32_t deepest = 0;
    const PlVector* args = term->fn.args;
    for (uint32_t i = 0; i < args->count; ++i) {
        PlCell* arg = args->items[i];
        if (variable_or_list(arg)) return term->fn.plain = kHoldsVariable;
        if (!compound(arg)) continue;
        uint32_t levels = arg->fn.plain;
        if (!levels) levels = plain_levels(arg, cap - 1);
        if (levels == kHoldsVariable) return term->fn.plain = kHoldsVariable;
        if (!levels) return 0;
        deepest = std::max(deepest, levels);
    }
    return term->fn.plain = deepest + 1;
}

// Whether a compound term with arguments holds no variable and no list (its own included) and
// the levels resolve would take over it fit in max: two for the term and one more for each level
// of compound arguments below it. Such a term resolves to itself whatever its frame, so only its
// depth is left to check. Inline where the term's levels are known, the commonest by far.
[[gnu::noinline]] bool plain_fits_found(PlCell* term, int max) {
    if (const uint32_t levels = plain_levels(term, std::min(max - 1, kPlainCap))) return int64_t{levels} < max;
    return max - 1 > kPlainCap && walk_fits(term, max);
}
inline bool plain_fits(PlCell* term, int max) {
    if (const uint32_t levels = term->fn.plain) [[likely]]
        return int64_t{levels} < max;
    return plain_fits_found(term, max);
}

// Whether resolve would give term back as it is, without an error: a compound term with no
// variable and no list whose walk stays under the limit. Its cells are looked at without the
// walk's bookkeeping; a term that fails the look is resolved as before (the look stops at its
// first variable, so it costs no more than the walk that follows). room: the limit less the depth
// of resolve's call on it, halved (a call, the depth worked out only when the look is made).
template <class Room>
[[gnu::always_inline]] inline bool resolves_to_itself(PlCell* term, Room room) {
    return term->type == PL_FUNCTOR && term->fn.args && term->fn.args->count && plain_fits(term, room());
}
bool resolves_to_itself(PieEngine* engine, PlCell* term) {
    return resolves_to_itself(term, [engine] { return (pl_depth_limit(engine) - engine->depth) / 2; });
}

// What resolve's call on a variable of frame gives back without a call of its own: the term the
// variable leads to when that needs no frame, or is a term of a living frame that resolves to
// itself (room as there); nullptr for any other. The one step of every walk here on an argument
// that is a variable.
template <class Room>
[[gnu::always_inline]] inline PlCell* variable_in_place(PlCell* var, PlFrame* frame, Room room) {
    const PlBinding* b = last_binding(var, frame);
    if (!b->frame) return b->term->type != PL_UNBOUND ? b->term : nullptr;
    return resolves_to_itself(b->term, room) ? b->term : nullptr;
}

// A new compound term of term's functor and line, its n arguments filled by fill, the argument
// vector laid out as pl_vector_alloc lays it out, filled at once instead of cleared. The cell and
// its vector are taken in one bump where the query's pool has room for both: the two takes one
// after the other would hand out the same bytes (both sizes are multiples of the pool's
// alignment, which the query's pool keeps at the default), and the cell is written whole.
static_assert(sizeof(PlCell) % kPlPoolAlignment == 0 && sizeof(PlVector) % kPlPoolAlignment == 0 &&
              sizeof(PlCell*) % kPlPoolAlignment == 0);
template <class Fill>
[[gnu::always_inline]] inline PlCell* copy_of(PieEngine* engine, const PlCell* term, uint32_t n, Fill fill) {
    const size_t bytes = sizeof(PlVector) + n * sizeof(PlCell*);
    PlCell* copy;
    PlVector* vector;
    if (void* room = pl_pool_bump_aligned(&engine->run.terms, sizeof(PlCell) + bytes)) {
        copy = static_cast<PlCell*>(room);
        vector = reinterpret_cast<PlVector*>(static_cast<char*>(room) + sizeof(PlCell));
        *copy = PlCell{};
        copy->type = PL_FUNCTOR;
    } else {
        copy = pl_term_cell(engine, PL_FUNCTOR);
        vector = static_cast<PlVector*>(pl_pool_take(engine, &engine->run.terms, bytes));
    }
    copy->line = term->line;
    copy->fn.functor = term->fn.functor;
    vector->count = n;
    fill(vector->items);
    copy->fn.args = vector;
    return copy;
}

// The walk's calls on a compound term of one or two arguments and on such terms among its
// arguments, at levels where a call's guard could not stop it: every level below the engine's
// count down to the deepest one taken here, and the one its arguments' steps ask about, is free,
// and none crosses a multiple of 64 (where a guard looks at the native stack). Each is made as
// resolve makes it (its arguments' steps, the copies in the same order) without the call; any
// other part is left to resolve, at the depth the walk would have reached there. A head that
// builds its answer, as "_DU * _V + _U * _DV", is settled so whole.
class TreeWalk {
public:
    TreeWalk(PieEngine* engine, PlFrame* frame, PlFrame* dying, PlFrame*& keep)
        : engine_(engine), frame_(frame), dying_(dying), keep_(keep), depth_(engine->depth),
          limit_(pl_depth_limit(engine)) {
        // Level j stands for resolve's call at depth + 2j: it and its arguments' steps need
        // depth + 2j + 2 within the limit, and depth to depth + 2j within one run of 64.
        free_ = std::min(limit_ - 2, depth_ | 63) - depth_;
    }
    // Whether level 1 is taken here.
    bool takes() const { return free_ >= 2; }

    // term (one or two arguments) resolved as the call at level (1: the one resolve or settling
    // would make on it) resolves it.
    PlCell* node(PlCell* term, int level) {
        const PlVector* args = term->fn.args;
        PlCell* first = args->items[0];
        PlCell* const a = part(first, level);
        if (args->count == 1) {
            if (a == first) return term;
            return copy_of(engine_, term, 1, [&](PlCell** items) { items[0] = a; });
        }
        PlCell* second = args->items[1];
        PlCell* const b = part(second, level);
        if (a == first && b == second) return term;
        return copy_of(engine_, term, 2, [&](PlCell** items) {
            items[0] = a;
            items[1] = b;
        });
    }

private:
    // An argument as the argument step of the call at level takes it (room given).
    PlCell* part(PlCell* arg, int level) {
        if (arg->type == PL_VAR) {
            // The argument's step of the call at level, whose own two levels are taken.
            if (PlCell* end = variable_in_place(arg, frame_, [&] { return (limit_ - depth_) / 2 - level - 1; }))
                return end;
        } else if (arg->type == PL_FUNCTOR) {
            const PlVector* args = arg->fn.args;
            if (!args || !args->count) return arg;
            if (args->count <= 2 && 2 * level + 2 <= free_) return node(arg, level + 1);
        } else if (arg->type != PL_LIST) {
            return arg;
        }
        return walk(arg, level);
    }
    // resolve's call on arg from the call at level.
    [[gnu::noinline]] PlCell* walk(PlCell* arg, int level) {
        PlDepthAt at(engine_, depth_ + 2 * level);
        return resolve(engine_, arg, frame_, dying_, keep_);
    }

    PieEngine* engine_;
    PlFrame* frame_;
    PlFrame* dying_;
    PlFrame*& keep_;
    int depth_;
    int limit_;
    int free_;  // level j is taken here where 2j is no more
};

// A compound argument of the call resolve is in, read in frame: by TreeWalk where its levels
// allow, else by resolve's call.
[[gnu::noinline]] PlCell* resolve_compound(PieEngine* engine, PlCell* term, PlFrame* frame, PlFrame* dying,
                                           PlFrame*& keep) {
    if (frame && term->fn.args->count <= 2) {
        TreeWalk tree(engine, frame, dying, keep);
        if (tree.takes()) return tree.node(term, 1);
    }
    return resolve(engine, term, frame, dying, keep);
}

// Resolves into a term readable in at most one frame; keep is that frame once a part needs it.
// A variable unbound in a frame other than keep (the dying one, or a second surviving one) has
// nothing left to alias and becomes the unbound cell.
PlCell* resolve(PieEngine* engine, PlCell* term, PlFrame* frame, PlFrame* dying, PlFrame*& keep) {
    PlDepthGuard depth(engine, "pl_resolve_term", 2);
    switch (term->type) {
    case PL_VAR: {
        if (!frame) return term;
        const VarEnd v = follow(term, frame);
        if (v.last->term->type == PL_UNBOUND) return unbound_end(engine, v, dying, keep);
        if (!v.last->frame) return v.last->term;
        if (resolves_to_itself(engine, v.last->term)) return v.last->term;
        return resolve(engine, v.last->term, v.last->frame, dying, keep);
    }
    case PL_FUNCTOR: {
        const uint32_t n = term->fn.args ? term->fn.args->count : 0;
        if (n == 0) return term;
        // An argument that resolves without recursing (a constant, or a variable bound to a term
        // that needs no frame) is taken here when the level its call would take is free: the
        // depth is the same for every argument, as each call gives its level back.
        const bool room = pl_levels_within_limit(engine, 2);
        const auto argument = [&](PlCell* arg) __attribute__((always_inline)) -> PlCell* {
            if (room && arg->type != PL_VAR && arg->type != PL_LIST &&
                (arg->type != PL_FUNCTOR || !arg->fn.args || !arg->fn.args->count))
                return arg;
            if (room && arg->type == PL_VAR && frame) {
                // As the call would find it at its level.
                const auto its_room = [engine] { return (pl_depth_limit(engine) - engine->depth - 2) / 2; };
                if (PlCell* end = variable_in_place(arg, frame, its_room)) return end;
            } else if (room && arg->type == PL_FUNCTOR) {
                return resolve_compound(engine, arg, frame, dying, keep);
            }
            return resolve(engine, arg, frame, dying, keep);
        };
#ifdef __OPTIMIZE__
        // Most terms resolved are of two arguments: their steps one after the other, and their
        // copy filled without the loop's count. An unoptimised build keeps the one loop: there
        // every copy inline takes stack of its own in the frame of this recursion.
        if (n == 2) {
            PlCell* first = pl_arg(term, 0);
            PlCell* second = pl_arg(term, 1);
            PlCell* const a = argument(first);
            PlCell* const b = argument(second);
            if (a == first && b == second) return term;
            return copy_of(engine, term, 2, [&](PlCell** items) {
                items[0] = a;
                items[1] = b;
            });
        }
#endif
        PlCell* args[kPlMaxArity + 1];
        bool changed = false;
        for (uint32_t i = 0; i < n; ++i) {
            PlCell* arg = pl_arg(term, i);
            args[i] = argument(arg);
            changed |= args[i] != arg;
        }
        if (!changed) return term;
        return copy_of(engine, term, n, [&](PlCell** items) {
            for (uint32_t i = 0; i < n; ++i) items[i] = args[i];
        });
    }
    case PL_LIST:
        if (!(term->shape & PL_SHAPE_GROUND)) return resolve_list(engine, term, frame, dying, keep);
        pl_depth_reach(engine, 2 * int64_t{pl_shape_reach(term->shape)}, "pl_resolve_term");
        return term;
    default:
        return term;
    }
}

// The commonest bindings into a frame being settled, resolved without a walk: a variable of it
// bound to a term that needs no frame, and the list cell resolve_one_cell makes (made here as it
// makes it). roomy says four levels are free: then neither the level resolve takes nor the one
// of the list cell can meet the limit, and nothing here recurses. False when the walk must run.
[[gnu::always_inline]] inline bool settle_quick(PieEngine* engine, PlBinding* slot, PlFrame* frame) {
    PlCell* term = slot->term;
    if (term->type == PL_VAR) {
        const PlBinding* v = last_binding(term, frame);
        if (v->term->type == PL_UNBOUND || v->frame) return false;
        *slot = {v->term, nullptr};
        return true;
    }
    if (term->type != PL_LIST || (term->shape & PL_SHAPE_GROUND) || term->list.tail->type != PL_VAR) return false;
    const PlBinding* t = last_binding(term->list.tail, frame);
    if (t->term->type == PL_UNBOUND || t->frame) return false;
    PlCell* head = term->list.head;
    if (head->type == PL_VAR) {
        const PlBinding* h = last_binding(head, frame);
        if (h->term->type == PL_UNBOUND || h->frame) return false;
        head = h->term;
    } else if (head->type == PL_LIST || !(pl_element_shape(head) & PL_SHAPE_GROUND)) {
        return false;
    }
    *slot = {list_cell_of(engine, term, head, t->term), nullptr};
    return true;
}

// A term out of a frame that may be dying, from the walk. Not inline: settling calls it for the
// bindings its quick cases leave, and stays small without it.
[[gnu::noinline]] PlTermRef resolve_out(PieEngine* engine, PlCell* term, PlFrame* frame, PlFrame* dying) {
    PlFrame* keep = nullptr;
    PlCell* resolved = resolve(engine, term, frame, dying, keep);
    return {resolved, keep};
}

// What settle_leaf did: settled the binding, or left it (changing nothing) to the walk, or to
// settle_quick when only the cell it needs was not at hand.
enum class Leaf { Settled, Walk, Quick };

// pl_cell_shape for an element before a tail of shape tail: an integer, the commonest element of
// a list built by a recursion, without the look at its type's table.
[[gnu::always_inline]] inline uint32_t shape_before(const PlCell* element, uint32_t tail) {
    if (element->type == PL_INT) return pl_cell_shape_after_constant(tail);
    return pl_cell_shape(pl_element_shape(element), tail);
}

// A list cell of the dying frame whose tail is a variable bound to a one-cell list of a living
// frame, its element resolving without a call and its end a constant: the tail of a list being
// built by a recursion whose last call bound it to "[X]" (the first call above that one, most
// often). Made as resolve_short_list makes it (the same cells, shapes and order of allocation,
// the whole walk's levels free), without its bookkeeping; nothing is taken unless the query's pool
// has room for every cell. False, with nothing done, for any other list. term: a list cell that is
// not ground, its tail a variable.
bool settle_two_cells(PieEngine* engine, PlBinding* slot, PlFrame* frame) {
    PlCell* term = slot->term;
    const PlBinding* b = last_binding(term->list.tail, frame);
    PlCell* inner = b->term;
    if (!b->frame || inner->type != PL_LIST || (inner->shape & PL_SHAPE_GROUND)) return false;
    PlCell* end = inner->list.tail;
    if (end->type == PL_VAR || end->type == PL_LIST || (end->type == PL_FUNCTOR && end->fn.args && end->fn.args->count)) return false;
    PlCell* inner_head = element_in_place(inner->list.head, b->frame);
    PlCell* head = element_in_place(term->list.head, frame);
    // The walk's three steps of two levels, above resolve's own.
    if (!inner_head || !head || !pl_levels_within_limit(engine, 8)) return false;
    const uint32_t inner_shape = shape_before(inner_head, pl_element_shape(end));
    const uint32_t shape = shape_before(head, inner_shape);
    PlCell* cell;
    if (inner_head != inner->list.head) {
        // Both cells in one bump: the two bumps one after the other would take the same room.
        auto* room = static_cast<char*>(pl_pool_bump_aligned(&engine->run.terms, 2 * sizeof(PlCell)));
        if (!room) return false;
        PlCell* rest = pl_fill_list_cell(room, inner_head, end, inner_shape);
        cell = pl_fill_list_cell(room + sizeof(PlCell), head, rest, shape);
    } else {
        cell = pl_new_list_cell(engine, head, inner, shape);
        if (!cell) return false;
        if (inner_shape) inner->shape = inner_shape;
    }
    *slot = {cell, nullptr};
    return true;
}

// settle_quick's two cases without a native call: a list cell is made only while the query's pool
// has room for it, and an integer head or a list tail gives its shape without the general look.
[[gnu::always_inline]] inline Leaf settle_leaf(PieEngine* engine, PlBinding* slot, PlFrame* frame) {
    PlCell* term = slot->term;
    if (term->type == PL_VAR) {
        PlCell* end = frameless_end(term, frame);
        if (!end) return Leaf::Walk;
        *slot = {end, nullptr};
        return Leaf::Settled;
    }
    if (term->type != PL_LIST || (term->shape & PL_SHAPE_GROUND)) return Leaf::Walk;
    PlCell* tail = term->list.tail;
    if (tail->type != PL_VAR) return Leaf::Walk;
    PlCell* end = frameless_end(tail, frame);
    if (!end) return Leaf::Walk;
    PlCell* head = term->list.head;
    if (head->type == PL_VAR) {
        head = frameless_end(head, frame);
        if (!head) return Leaf::Walk;
    } else if (head->type == PL_LIST || !(pl_element_shape(head) & PL_SHAPE_GROUND)) {
        return Leaf::Walk;
    }
    const uint32_t end_shape = end->type == PL_LIST ? end->shape : pl_element_shape(end);
    const uint32_t shape = head->type == PL_INT ? pl_cell_shape_after_constant(end_shape)
                                                : pl_cell_shape(pl_element_shape(head), end_shape);
    PlCell* cell = term;
    if (head != term->list.head || end != tail) {
        cell = pl_new_list_cell(engine, head, end, shape);
        if (!cell) return Leaf::Quick;
    } else if (shape) {
        cell->shape = shape;
    }
    *slot = {cell, nullptr};
    return Leaf::Settled;
}

[[gnu::noinline]] void settle_slow(PieEngine* engine, PlBinding* slot, PlFrame* callee, Leaf leaf) {
    if (leaf == Leaf::Quick && settle_quick(engine, slot, callee)) return;
    // A list the walk would take to resolve_short_list, one level (resolve's) down, is made by it
    // here; that level is free when the list's own are.
    PlCell* term = slot->term;
    if (term->type == PL_LIST && !(term->shape & PL_SHAPE_GROUND)) {
        if (term->list.tail->type == PL_VAR && settle_two_cells(engine, slot, callee)) return;
        if (PlCell* list = resolve_short_list(engine, term, callee, 2)) {
            *slot = {list, nullptr};
            return;
        }
    }
    // resolve_out's steps, without its call: the rest of the way here is the walk.
    PlFrame* keep = nullptr;
    slot->term = resolve(engine, slot->term, slot->frame, callee, keep);
    slot->frame = keep;
}

}  // namespace

PlTermRef pl_resolve_term(PieEngine* engine, PlCell* term, PlFrame* frame, PlFrame* dying) {
    if (!frame) return {term, nullptr};
    // A compound term recorded whole is often one without variables.
    if (resolves_to_itself(engine, term)) return {term, nullptr};
    return resolve_out(engine, term, frame, dying);
}

namespace {

// A list cell whose tail leads straight to a term of a living frame, which settle_leaf leaves to
// the walk, and the walk tries as two cells first: the list a recursion builds, where its last
// call answered "[X]" (once for each such recursion). Taken without settle_leaf's look and
// without the registers settle_slow saves.
[[gnu::noinline]] void settle_framed_tail(PieEngine* engine, PlBinding* slot, PlFrame* callee) {
    if (!settle_two_cells(engine, slot, callee)) settle_slow(engine, slot, callee, Leaf::Walk);
}

// A compound term of the callee, the binding a rule that builds its answer in its head leaves:
// the walk's first call on it taken by TreeWalk where that call's level is free.
[[gnu::noinline]] void settle_compound(PieEngine* engine, PlBinding* slot, PlFrame* callee) {
    PlCell* term = slot->term;
    if (const PlVector* args = term->fn.args; args && args->count - 1u < 2u) {
        PlFrame* keep = nullptr;
        TreeWalk tree(engine, callee, callee, keep);
        if (tree.takes()) {
            slot->term = tree.node(term, 1);
            slot->frame = keep;
            return;
        }
    }
    settle_slow(engine, slot, callee, Leaf::Walk);
}

// settle_leaf, and the rest of the way where it settles nothing, when four levels are free.
[[gnu::noinline]] void settle_roomy(PieEngine* engine, PlBinding* slot, PlFrame* callee) {
    const Leaf leaf = settle_leaf(engine, slot, callee);
    if (leaf != Leaf::Settled) settle_slow(engine, slot, callee, leaf);
}

}  // namespace

void pl_settle_binding(PieEngine* engine, PlBinding* slot, PlFrame* callee) {
    // Resolving gives back every level it takes: the room is the same for every binding settled.
    // Four levels free, the two commonest bindings are settled here as settle_leaf settles them,
    // in few enough registers that nothing is saved on the way: a variable of the callee bound
    // straight to a term that needs no frame, and settle_integer_cell's list cell. A list cell
    // whose tail leads straight into a living frame goes to the walk's first step for it, and a
    // compound term (a head that builds its answer) to TreeWalk.
    if (!pl_levels_within_limit(engine, 4)) return settle_slow(engine, slot, callee, Leaf::Walk);
    PlCell* term = slot->term;
    if (term->type == PL_VAR) {
        const PlBinding* b = pl_binding_of(callee, term);
        if (!b->frame && b->term->type != PL_UNBOUND) {
            *slot = {b->term, nullptr};
            return;
        }
    } else if (term->type != PL_LIST || (term->shape & PL_SHAPE_GROUND) || term->list.tail->type != PL_VAR) {
        // The type read again: kept from the first test, it cost the commonest binding a step.
        asm("" ::: "memory");
        if (term->type == PL_FUNCTOR) return settle_compound(engine, slot, callee);
        return settle_slow(engine, slot, callee, Leaf::Walk);  // as settle_leaf would leave it
    } else if (pl_settle_integer_cell(engine, slot, callee)) {
        return;
    } else if (const PlBinding* t = pl_binding_of(callee, term->list.tail); t->frame && t->term->type != PL_VAR) {
        return settle_framed_tail(engine, slot, callee);
    }
    settle_roomy(engine, slot, callee);
}
