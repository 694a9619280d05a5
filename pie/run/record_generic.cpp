// The generic steps of recording a goal's bound values: any functor (properties, host facts,
// read-only ones) and any argument, lists walked element by element. The quick steps
// (record_quick.cpp) hand them whatever they do not cover.
#include "pie/run/interpreter.h"

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/host/host_values.h"
#include "pie/terms/list.h"
#include "pie/terms/list_shape.h"
#include "pie/run/property_values.h"
#include "pie/run/record_goal.h"
#include "pie/run/recorded_lists.h"
#include "pie/run/recording.h"
#include "pie/run/unify.h"

#include <algorithm>

using namespace pl_recording;

namespace {

using namespace pl_recorded_lists;

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
        note_query_values(engine, f);
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

// The goal being recorded, with what every argument's step reads.
struct Goal {
    PieEngine* engine;
    PlCell* goal;
    PlFrame* frame;
    PlFunctor* f;
    PlCell* key;
    PlList* answers;
    bool enter;
    uint64_t number;  // the recording's
    bool read_only;
    int64_t room;  // levels the walks over an argument may take
    // A list's comparison with the value before is known to be one list_differs leaves to the
    // full steps (it answered -1 on the way here, and nothing has changed since).
    bool list_undecided;
};

// The value to record for arg: arg itself when it holds no variable and resolving it would fit
// (below: the levels resolving it takes, -1 when it may hold a variable), else its resolved copy.
PlCell* value_of(const Goal& g, PlCell* arg, PlFrame* arg_frame, int64_t below) {
    return below >= 0 && below <= g.room ? arg : pl_resolve_term(g.engine, arg, arg_frame, arg_frame).term;
}

// One argument of any functor: what it bound is recorded and changed set when a value changed.
// Returns the levels resolving arg takes when it holds no variable, else -1.
int64_t record_argument(const Goal& g, uint32_t i, PlCell* arg, PlFrame* arg_frame, bool& changed) {
    PieEngine* engine = g.engine;
    PlFunctor* f = g.f;
    PlCell* key = g.key;
    const bool read_only = g.read_only;
    PlCell* previous = recorded(f, i, key);
    switch (arg->type) {
    case PL_ANONYMOUS: {
        if (f->flags & (PLF_READ_ONLY | PLF_SYSTEM | PLF_HOST_FACT)) return 2;
        if (previous) {
            changed = true;
            return 2;
        }
        PlCell* value = nullptr;
        if (f->owner) {
            if (g.goal->fn.args->count <= f->arity) return 2;
            const PlDeref k = pl_deref(pl_arg(g.goal, f->arity), g.frame);
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
        return 2;
    }
    case PL_INT: case PL_NIL: case PL_UNBOUND:
        if (!read_only && arg != previous) {
            record(engine, f, i, key, arg);
            changed = true;
        }
        return 2;
    case PL_FUNCTOR: {
        bool here = false;
        int64_t below = 2;
        if (has_arguments(arg)) {
            if (f->owner) pl_fatal_error(engine, PL_ERR_PROPERTY_FUNCTOR, "bound_last_query");
            const Recorder inner_recorder{engine, g.answers, g.enter, g.number};
            const Recording inner = record_inner(inner_recorder, arg, arg_frame, g.room);
            here = inner.changed;
            below = inner.levels;
        }
        if (f->owner && arg->fn.functor->owner) pl_fatal_error(engine, PL_ERR_PROPERTY_PROPERTY, "bound_last_query");
        if (!previous || previous->type != PL_FUNCTOR || previous->fn.functor != arg->fn.functor) here = true;
        // A term without variables resolves to itself: the walk is left out when it would fit.
        if (here && !read_only) record(engine, f, i, key, value_of(g, arg, arg_frame, below));
        changed |= here;
        return below;
    }
    case PL_LIST: {
        if (read_only) return -1;
        // A flat list holds nothing to record, and a ground one resolves to itself: the walks
        // over them are left out unless they would have met the depth limit.
        const bool flat = (arg->shape & PL_SHAPE_FLAT) && 1 + int64_t{pl_shape_reach(arg->shape)} <= g.room;
        int here = g.list_undecided ? -1 : list_differs(arg, arg_frame, previous, g.room, flat);
        if (here < 0) {
            here = flat ? false : record_list(engine, arg, arg_frame, g.answers, g.enter);
            if (!previous || previous->type != PL_LIST || !same_list(engine, previous, arg, arg_frame, g.room))
                here = true;
        }
        // Read again: walking the elements may just have found the list's shape.
        const int64_t below = arg->shape & PL_SHAPE_GROUND ? 2 + 2 * int64_t{pl_shape_reach(arg->shape)} : -1;
        if (here) {
            if (f->owner) pl_fatal_error(engine, PL_ERR_PROPERTY_LIST, "bound_last_query");
            record(engine, f, i, key, value_of(g, arg, arg_frame, below));
        }
        changed |= here;
        return below;
    }
    default:
        return -1;
    }
}

}  // namespace

namespace pl_recording {

// Any goal, each argument by record_argument.
Recording record_any(const Recorder& r, PlCell* goal, PlFrame* frame, bool follow) {
    PieEngine* engine = r.engine;
    PlList* answers = r.answers;
    const bool enter = r.enter;
    PlFunctor* f = goal->fn.functor;
    Goal g{engine, goal, frame, f, nullptr, answers, enter, r.number, (f->flags & PLF_READ_ONLY) != 0, 0, false};
    if (f->owner) g.key = property_key(engine, f, goal, frame);
    g.room = pl_depth_limit(engine) - engine->depth;
    bool changed = false;
    const uint32_t n = goal->fn.args ? goal->fn.args->count : 0;
    // A property goal without a key records nothing.
    const uint32_t count = f->owner && !g.key ? 0 : std::min(f->arity, n);
    int64_t levels = count == n ? 2 : -1;
    for (uint32_t i = 0; i < count; ++i) {
        PlCell* arg = pl_arg(goal, i);
        PlFrame* arg_frame = frame;
        if (arg->type == PL_VAR) {
            levels = -1;
            if (!follow || g.read_only) continue;
            const PlDeref d = pl_deref(arg, frame);
            arg = d.term;
            arg_frame = d.frame;
        }
        levels = levels_with(levels, record_argument(g, i, arg, arg_frame, changed));
    }
    if (changed) enter_answer(r, f);
    return {changed, levels};
}

// Arguments left "_" from argument i on, taken as record_argument takes them for a functor with a
// vector of its own, without the steps around it (an item's evaluation records such a goal): a
// system functor's records nothing; a value recorded before stays, and counts as changed (the
// answers learn of the goal again); without one the item is read, at the goal's level as goal_rest
// reads it, and a value found is recorded. Nothing else there reads the depth, and nothing raises
// an error. The first other argument and the rest go to goal_rest.
[[gnu::noinline]] int goal_unnamed(PieEngine* engine, PlList* table, PlCell* goal, PlFrame* frame, uint32_t i,
                                    bool changed) {
    PlFunctor* f = goal->fn.functor;
    const uint32_t count = std::min(f->arity, goal->fn.args->count);
    PlCell** values = f->values->items;
    for (; i < count && pl_deref(goal->fn.args->items[i], frame).term->type == PL_ANONYMOUS; ++i) {
        if (f->flags & PLF_SYSTEM) continue;
        if (values[i]) {
            changed = true;
            continue;
        }
        const PlDepthAt at(engine, int64_t{engine->depth} + 1);
        if (PlCell* read = pie_read_item_value(engine, f)) {
            values[i] = read;
            note_query_values(engine, f);
            changed = true;
        }
    }
    if (i == count) return changed ? goal_changed(engine, table, f) : 0;
    return goal_rest(engine, table, goal, frame, i, changed);
}

// A host fact's goal (its values outlive the query, and are the host's) most often changes none of
// its values: its arguments are "_", which record_argument passes over for a host fact, and
// constants and atoms equal to the values recorded before; such a goal records nothing, enters
// no answers and reads nothing of the depth, near the limit too. Else it is most often a goal of
// one argument, a constant or atom other than the value before, which record_argument records as
// it stands wherever its level leaves two free. Both are answered here; any other goal goes to
// goal_any from its first argument, nothing having been changed on the way.
[[gnu::noinline]] int goal_other(PieEngine* engine, PlList* table, PlCell* goal, PlFrame* frame) {
    PlFunctor* f = goal->fn.functor;
    if (!f->owner && (f->flags & (PLF_HOST_FACT | PLF_READ_ONLY)) == PLF_HOST_FACT && goal->fn.args) {
        const uint32_t count = std::min(f->arity, goal->fn.args->count);
        const PlVector* values = f->values;
        PlCell* other = nullptr;  // the one argument, when it differs
        uint32_t i = 0;
        for (; i < count; ++i) {
            PlCell* arg = pl_deref(goal->fn.args->items[i], frame).term;
            if (arg->type == PL_ANONYMOUS) continue;
            const PlCell* previous = values && i < values->count ? values->items[i] : nullptr;
            if (is_plain_constant(arg) ? arg == previous
                                       : arg->type == PL_FUNCTOR && !has_arguments(arg) && previous &&
                                             previous->type == PL_FUNCTOR && previous->fn.functor == arg->fn.functor)
                continue;
            if (count != 1 || (!is_plain_constant(arg) && (arg->type != PL_FUNCTOR || has_arguments(arg)))) break;
            other = arg;
        }
        if (i == count) {
            if (!other) return 0;
            // The goal's level, and the two levels an atom's value needs free below it.
            if (int64_t{pl_depth_limit(engine)} - engine->depth >= 3) {
                const Recorder r = numbered(engine, table, table != nullptr);
                const PlDepthAt at(engine, engine->depth + 1);
                pl_record_value(engine, f, 0, other);
                enter_answer(r, f);
                return 1;
            }
        }
    }
    return goal_any(engine, table, goal, frame);
}

// An argument of a functor with a vector of its own that the quick steps (record_quick.cpp) do not
// cover. A list comes here only when their comparison with the value before, the one list_differs
// makes, found it undecided: it is not made again.
[[gnu::noinline]] int64_t record_other(const Recorder& r, PlCell* goal, PlFrame* frame, int64_t room, uint32_t i,
                                       PlCell* arg, PlFrame* arg_frame, bool& changed) {
    const Goal g{r.engine, goal, frame, goal->fn.functor, nullptr, r.answers, r.enter, r.number, false, room, true};
    return record_argument(g, i, arg, arg_frame, changed);
}

}  // namespace pl_recording
