// Recording what a successful goal bound: each argument's value goes into the functor's value
// vector (or, for a property, its table by key), and a functor whose values changed enters the
// query's answer table, from which propagation starts.
#include "pie/run/interpreter.h"

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/host/host_values.h"
#include "pie/terms/list.h"
#include "pie/terms/list_shape.h"
#include "pie/run/property_values.h"
#include "pie/run/unify.h"

#include <algorithm>

namespace {

// Values of host facts and properties outlive the query; the rest are dropped when it ends.
bool outlives_query(const PlFunctor* f) { return f->owner || (f->flags & PLF_HOST_FACT); }

PlCell* recorded(PlFunctor* f, uint32_t i, PlCell* key) {
    if (f->owner) {
        PlPropertyValue* entry = key ? pl_property_value(f, key) : nullptr;
        return entry ? entry->value : nullptr;
    }
    return f->values && i < f->values->count ? f->values->items[i] : nullptr;
}

inline void record(PieEngine* engine, PlFunctor* f, uint32_t i, PlCell* key, PlCell* value) {
    if (f->owner) {
        pl_property_record(engine, f, key, pl_keep_term(engine, value));
        return;
    }
    // The commonest case, a value of the query into a vector that exists, without a call.
    if (!(f->flags & PLF_HOST_FACT) && f->values && i < f->values->count) {
        f->values->items[i] = value;
        return;
    }
    pl_record_value(engine, f, i, value);
}

// The key of a property goal: its hidden argument, or the owner's first recorded value.
PlCell* property_key(PieEngine* engine, PlFunctor* f, PlCell* goal, PlFrame* frame) {
    if (goal->fn.args->count > f->arity) {
        const PlDeref key = pl_deref(pl_arg(goal, f->arity), frame);
        if (key.term->type == PL_FUNCTOR || key.term->type == PL_INT) return key.term;
    }
    PlFunctor* owner = f->owner;
    return owner->values && owner->values->count ? owner->values->items[0] : nullptr;
    (void)engine;
}

// Heads and tails of a list, tails by a loop: each cell takes one level, as the recursion on
// the tail once did, so a cyclic list still ends in error 4102. An element that is neither a
// list nor a compound term with arguments holds nothing to record and costs no call; a list
// found to hold nothing at all is marked flat, and is not walked again.
int record_elements(PieEngine* engine, PlCell* list, PlFrame* frame, PlList* answers, bool enter) {
    PlDepthRun depth(engine, "bound_last_query");
    depth.step();
    PlWalkCells flat_run(engine->run.list_cells);  // the cells since the last one that cannot be flat
    int changed = 0;
    PlDeref d = pl_deref(list, frame);
    while (d.term->type == PL_LIST && !(d.term->shape & PL_SHAPE_FLAT)) {
        PlCell* head = d.term->list.head;
        PlCell* tail = d.term->list.tail;
        // The head's own level is the one the next cell takes: that cell checks it.
        const PlDeref h = pl_deref(head, d.frame);
        if (h.term->type == PL_LIST && (h.term->shape & PL_SHAPE_FLAT))
            depth.reach(1 + int64_t{pl_shape_reach(h.term->shape)});
        else if (h.term->type == PL_LIST || (h.term->type == PL_FUNCTOR && h.term->fn.args && h.term->fn.args->count))
            changed |= record_elements(engine, h.term, h.frame, answers, enter);
        if (pl_element_shape(head) & PL_SHAPE_FLAT)
            flat_run.push(d.term);
        else
            flat_run.clear();
        depth.step();
        d = pl_deref(tail, d.frame);
        if (tail->type == PL_VAR) flat_run.clear();
    }
    if (d.term->type == PL_LIST) depth.reach(pl_shape_reach(d.term->shape));  // the flat rest, not walked
    if (d.term->type == PL_FUNCTOR && d.term->fn.args && d.term->fn.args->count) {
        changed |= bound_last_query(engine, d.term, d.frame, answers, enter, false);
    } else if (uint32_t shape = pl_element_shape(d.term); shape & PL_SHAPE_FLAT) {
        for (size_t i = flat_run.size(); i > 0; --i) {
            PlCell* cell = flat_run[i - 1];
            shape = pl_cell_shape(pl_element_shape(cell->list.head), shape);
            cell->shape = shape;
        }
    }
    return changed;
}

// The commonest list to record, one whose elements are constants or variables bound to them,
// walked without the bookkeeping of record_elements: 0 (nothing to record) when it is such a
// list, or -1 when it is not, when its levels come near the limit, or when the walk would mark
// cells flat; then record_elements runs from the start. Nothing is changed on the way.
int constants_only(PieEngine* engine, PlCell* list, PlFrame* frame) {
    int64_t levels = 1;
    if (engine->depth + levels > pl_depth_limit(engine)) return -1;
    bool flat_run = false;  // whether the walk would end with cells to mark
    PlDeref d = pl_deref(list, frame);
    while (d.term->type == PL_LIST) {
        if (d.term->shape & PL_SHAPE_FLAT) return -1;
        const PlCell* h = pl_deref(d.term->list.head, d.frame).term;
        if (h->type == PL_LIST || (h->type == PL_FUNCTOR && h->fn.args && h->fn.args->count)) return -1;
        flat_run = pl_element_shape(d.term->list.head) & PL_SHAPE_FLAT;
        if (engine->depth + ++levels > pl_depth_limit(engine)) return -1;
        PlCell* tail = d.term->list.tail;
        d = pl_deref(tail, d.frame);
        if (tail->type == PL_VAR) flat_run = false;
    }
    if (d.term->type == PL_FUNCTOR && d.term->fn.args && d.term->fn.args->count) return -1;
    if (flat_run && (pl_element_shape(d.term) & PL_SHAPE_FLAT)) return -1;
    return 0;
}

int record_list(PieEngine* engine, PlCell* list, PlFrame* frame, PlList* answers, bool enter) {
    const int quick = constants_only(engine, list, frame);
    return quick >= 0 ? quick : record_elements(engine, list, frame, answers, enter);
}

// Whether the list recorded before equals list (read in frame). Most often their first elements
// are different constants, which tell them apart without the whole comparison; its first two
// levels, the only ones it would take, must fit in room.
bool same_list(PieEngine* engine, PlCell* recorded, PlCell* list, PlFrame* frame, int64_t room) {
    if (room >= 4 && pl_constants_equal(recorded->list.head, pl_deref(list->list.head, frame).term) == 0) return false;
    return pl_terms_equal_in(engine, recorded, list, frame);
}

}  // namespace

void pl_record_value(PieEngine* engine, PlFunctor* f, uint32_t i, PlCell* value) {
    if (!f->values) {
        f->values = pl_vector_alloc(engine, &engine->main_pool, f->arity ? f->arity : 1);
    }
    if (i >= f->values->count) return;
    f->values->items[i] = outlives_query(f) ? pl_keep_term(engine, value) : value;
}

PlCell* pl_keep_term(PieEngine* engine, PlCell* term) {
    PlDepthGuard depth(engine, "pl_keep_term");
    switch (term->type) {
    case PL_FUNCTOR: {
        const uint32_t n = term->fn.args ? term->fn.args->count : 0;
        if (n == 0) return term;
        PlCell* copy = pl_cell_new(engine, PL_FUNCTOR);
        copy->fn.functor = term->fn.functor;
        copy->fn.args = pl_vector_alloc(engine, &engine->main_pool, n);
        for (uint32_t i = 0; i < n; ++i) copy->fn.args->items[i] = pl_keep_term(engine, pl_arg(term, i));
        return copy;
    }
    case PL_LIST:
        return pl_make_list(engine, pl_keep_term(engine, term->list.head), pl_keep_term(engine, term->list.tail));
    case PL_VAR:
        return engine->cell.unbound;
    default:
        return term;
    }
}

int bound_last_query(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers, bool enter, bool follow) {
    PlDepthGuard depth(engine, "bound_last_query");
    PlFunctor* f = goal->fn.functor;
    const bool read_only = f->flags & PLF_READ_ONLY;
    PlCell* key = f->owner ? property_key(engine, f, goal, frame) : nullptr;
    const int64_t room = pl_depth_limit(engine) - engine->depth;  // levels the walks over an argument may take
    bool changed = false;
    // A property goal without a key records nothing.
    const uint32_t count = (f->owner && !key) || !goal->fn.args ? 0 : std::min(f->arity, goal->fn.args->count);
    for (uint32_t i = 0; i < count; ++i) {
        PlCell* arg = pl_arg(goal, i);
        PlFrame* arg_frame = frame;
        if (arg->type == PL_VAR) {
            if (!follow || read_only) continue;
            const PlDeref d = pl_deref(arg, frame);
            arg = d.term;
            arg_frame = d.frame;
        }
        PlCell* previous = recorded(f, i, key);
        switch (arg->type) {
        case PL_ANONYMOUS: {
            if (f->flags & (PLF_READ_ONLY | PLF_SYSTEM | PLF_HOST_FACT)) break;
            if (previous) {
                changed = true;
                break;
            }
            PlCell* value = nullptr;
            if (f->owner) {
                if (goal->fn.args->count <= f->arity) break;
                const PlDeref k = pl_deref(pl_arg(goal, f->arity), frame);
                if (k.term->type != PL_FUNCTOR && k.term->type != PL_ANONYMOUS && k.term->type != PL_UNBOUND)
                    pl_fatal_error(engine, PL_ERR_BOUND_TABLE, "bound_last_query");
                if (k.term->type == PL_FUNCTOR)
                    value = pie_read_property(engine, pl_unary_functor(engine, f->owner), k.term->fn.functor, f);
            } else {
                value = pie_read_item_value(engine, f);
            }
            if (value) {
                record(engine, f, i, key, value);
                changed = true;
            }
            break;
        }
        case PL_INT: case PL_NIL: case PL_UNBOUND:
            if (!read_only && arg != previous) {
                record(engine, f, i, key, arg);
                changed = true;
            }
            break;
        case PL_FUNCTOR: {
            bool here = false;
            if (arg->fn.args && arg->fn.args->count) {
                if (f->owner) pl_fatal_error(engine, PL_ERR_PROPERTY_FUNCTOR, "bound_last_query");
                here = bound_last_query(engine, arg, arg_frame, answers, enter, false);
            }
            if (f->owner && arg->fn.functor->owner) pl_fatal_error(engine, PL_ERR_PROPERTY_PROPERTY, "bound_last_query");
            if (!previous || previous->type != PL_FUNCTOR || previous->fn.functor != arg->fn.functor) here = true;
            if (here && !read_only) {
                const PlTermRef value = pl_resolve_term(engine, arg, arg_frame, arg_frame);
                record(engine, f, i, key, value.term);
            }
            changed |= here;
            break;
        }
        case PL_LIST: {
            if (read_only) break;
            // A flat list holds nothing to record, and a ground one resolves to itself: the walks
            // over them are left out unless they would have met the depth limit.
            bool here = (arg->shape & PL_SHAPE_FLAT) && 1 + int64_t{pl_shape_reach(arg->shape)} <= room
                            ? false
                            : record_list(engine, arg, arg_frame, answers, enter);
            if (!previous || previous->type != PL_LIST || !same_list(engine, previous, arg, arg_frame, room)) here = true;
            if (here) {
                if (f->owner) pl_fatal_error(engine, PL_ERR_PROPERTY_LIST, "bound_last_query");
                // Read again: walking the elements may just have found the list's shape.
                const bool ground = (arg->shape & PL_SHAPE_GROUND) && 2 + 2 * int64_t{pl_shape_reach(arg->shape)} <= room;
                record(engine, f, i, key, ground ? arg : pl_resolve_term(engine, arg, arg_frame, arg_frame).term);
            }
            changed |= here;
            break;
        }
        default:
            break;
        }
    }
    if (changed && enter && answers) pl_table_enter(engine, answers, f);
    return changed;
}
