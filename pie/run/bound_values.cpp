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
#include "pie/run/recorded_lists.h"
#include "pie/run/unify.h"

#include <algorithm>

namespace {

using namespace pl_recorded_lists;

// Notes that f's values may hold terms of the running query (see pl_forget_query_values); the
// mark makes it once a query.
[[gnu::noinline]] void note_first_query_values(PieEngine* engine, PlFunctor* f) {
    f->marks |= PLM_QUERY_VALUES;
    engine->run.query_valued.push_back(f);
}
[[gnu::always_inline]] inline void note_query_values(PieEngine* engine, PlFunctor* f) {
    if (!(f->marks & PLM_QUERY_VALUES)) note_first_query_values(engine, f);
}

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


// What recording a term found: whether a recorded value changed, and, when the term holds no
// variable (so that resolving it gives it back unchanged), the levels that resolving takes; -1
// for a term with a variable or anything not looked into.
struct Recording {
    bool changed;
    int64_t levels;
};

// What every term of one recording shares.
struct Recorder {
    PieEngine* engine;
    PlList* answers;
    bool enter;
    uint64_t number;  // of this recording, 0 when it enters no table
};

// Enters f in the recording's answer table. A functor found or entered there once by this
// recording is there still: nothing takes entries out of a table while a recording runs, so
// the walk over the table is left out.
inline void enter_answer(const Recorder& r, PlFunctor* f) {
    if (!r.number || f->recorded_in == r.number) return;
    f->recorded_in = r.number;
    pl_table_enter(r.engine, r.answers, f);
}

// room_above: the levels free at the level of the caller; the term's walk takes one of them.
Recording record_inner(const Recorder& r, PlCell* term, PlFrame* frame, int64_t room_above);

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
        int here = list_differs(arg, arg_frame, previous, g.room, flat);
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

// Resolving takes a level for the term and goes into every argument, those past the arity too.
inline int64_t levels_with(int64_t levels, int64_t below) {
    if (below < 0) return -1;
    return levels < 0 || levels >= 2 + below ? levels : 2 + below;
}

// Any goal, each argument by record_argument.
Recording record_any(const Recorder& r, PlCell* goal, PlFrame* frame, bool follow) {
    PieEngine* engine = r.engine;
    PlList* answers = r.answers;
    const bool enter = r.enter;
    PlFunctor* f = goal->fn.functor;
    Goal g{engine, goal, frame, f, nullptr, answers, enter, r.number, (f->flags & PLF_READ_ONLY) != 0, 0};
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

// An argument of a functor with a vector of its own that the common steps below do not cover.
[[gnu::noinline]] int64_t record_other(const Recorder& r, PlCell* goal, PlFrame* frame, int64_t room, uint32_t i,
                                       PlCell* arg, PlFrame* arg_frame, bool& changed) {
    const Goal g{r.engine, goal, frame, goal->fn.functor, nullptr, r.answers, r.enter, r.number, false, room};
    return record_argument(g, i, arg, arg_frame, changed);
}


// The resolved copy of a list to record. "[X]" with X bound to a constant, by far the commonest,
// is made here as resolving would make it (a new cell, its shape found); its walk takes four
// levels, which must fit.
PlCell* resolved_list(PieEngine* engine, PlCell* list, PlFrame* frame, int64_t room) {
    PlCell* head = list->list.head;
    if (head->type == PL_VAR && frame && list->list.tail->type == PL_NIL && room >= 4) {
        const PlBinding* b = &frame->slots()[head->var.slot];
        while (b->term->type == PL_VAR && b->frame) b = &b->frame->slots()[b->term->var.slot];
        const uint32_t element = pl_element_shape(b->term);
        if (!b->frame && b->term->type != PL_LIST && b->term->type != PL_UNBOUND && (element & PL_SHAPE_GROUND)) {
            PlCell* cell = pl_term_cell(engine, PL_LIST);
            cell->list.head = b->term;
            cell->list.tail = list->list.tail;
            cell->shape = pl_cell_shape(element, pl_element_shape(list->list.tail));
            return cell;
        }
    }
    return pl_resolve_term(engine, list, frame, frame).term;
}

// The list last resolved for a goal's arguments. Two arguments often stand for one list
// ("app([], L, L)") and nothing binds between them, so its copy serves both.
struct Copied {
    PlCell* term;
    PlFrame* frame;
    PlCell* copy;
};

// What record_list_value answers for a list that record_argument must take, nothing having been
// changed.
constexpr int64_t kTakeGeneric = INT64_MIN;

// A list argument of a functor with a vector of its own, *value being the value recorded before:
// the lists met most often (walked ones, flat and ground, which have only the comparison left
// and their first elements most often settle it; "[X]"; lists of constants) are compared and
// stored here. Answers the levels record_argument answers, or kTakeGeneric. copied: the goal's
// copy to share, or nullptr.
[[gnu::always_inline]] inline int64_t record_list_value(PieEngine* engine, PlCell* arg, PlFrame* arg_frame,
                                                        PlCell** value, int64_t room, bool& changed, Copied* copied) {
    const uint32_t shape = arg->shape;
    const int64_t reach = pl_shape_reach(shape);
    int here;
    if ((shape & PL_SHAPE_FLAT) && 1 + reach <= room) {
        if (!(shape & PL_SHAPE_GROUND)) return kTakeGeneric;
        here = ground_list_differs(arg, *value, room);
    } else {
        here = single_differs(arg, arg_frame, *value, room);
        if (here < 0) here = constant_list_differs(arg, arg_frame, *value, room);
    }
    if (here < 0) return kTakeGeneric;
    const int64_t below = shape & PL_SHAPE_GROUND ? 2 + 2 * reach : -1;
    if (here) {
        if (below >= 0 && below <= room) {
            *value = arg;
        } else if (!copied) {
            *value = resolved_list(engine, arg, arg_frame, room);
        } else {
            if (arg != copied->term || arg_frame != copied->frame) *copied = {arg, arg_frame, resolved_list(engine, arg, arg_frame, room)};
            *value = copied->copy;
        }
        changed = true;
    }
    return below;
}

// A compound term or atom argument of a functor with a vector of its own, *value being the value
// recorded before: the term's own arguments are recorded first (the value is read before them:
// they may be of the same functor), then it is compared by its functor. Answers the levels of
// record_argument.
[[gnu::always_inline]] inline int64_t record_functor_value(const Recorder& r, PlCell* arg, PlFrame* arg_frame,
                                                           PlCell** value, int64_t room, bool& changed) {
    PlCell* previous = *value;
    bool here = false;
    int64_t below = 2;
    if (has_arguments(arg)) {
        const Recording inner = record_inner(r, arg, arg_frame, room);
        here = inner.changed;
        below = inner.levels;
    }
    if (here || !previous || previous->type != PL_FUNCTOR || previous->fn.functor != arg->fn.functor) {
        // A term without variables resolves to itself: the walk is left out when it would fit.
        *value = below >= 0 && below <= room ? arg : pl_resolve_term(r.engine, arg, arg_frame, arg_frame).term;
        changed = true;
    }
    return below;
}

// Whether f keeps the values of count arguments in a vector of its own, the case the walks below
// take themselves; anything else takes record_any.
inline bool own_vector(const PlFunctor* f, uint32_t count) {
    return !f->owner && !(f->flags & (PLF_HOST_FACT | PLF_READ_ONLY)) && f->values && f->values->count >= count;
}

// What the walks below hand to own_argument with an argument they leave to it.
struct OwnWalk {
    const Recorder& r;
    PlCell* goal;
    PlFrame* frame;
    int64_t room;
    Copied* copied;  // the goal's, when its variables are followed; else nullptr
};

// Argument i of a functor with a vector of its own, by the steps above or record_other: whether
// its value changed, and the levels record_argument answers.
[[gnu::noinline]] Recording own_argument(const OwnWalk& w, uint32_t i, PlCell* arg, PlFrame* arg_frame) {
    PlCell** value = &w.goal->fn.functor->values->items[i];
    bool changed = false;
    int64_t below = 2;
    switch (arg->type) {
    case PL_INT: case PL_NIL: case PL_UNBOUND:
        if (arg != *value) {
            *value = arg;
            changed = true;
        }
        break;
    case PL_FUNCTOR:
        below = record_functor_value(w.r, arg, arg_frame, value, w.room, changed);
        break;
    case PL_LIST:
        below = record_list_value(w.r.engine, arg, arg_frame, value, w.room, changed, w.copied);
        if (below != kTakeGeneric) break;
        [[fallthrough]];
    default:
        below = record_other(w.r, w.goal, w.frame, w.room, i, arg, arg_frame, changed);
        break;
    }
    return {changed, below};
}

// Whether two list elements are integers of different values, which tells two lists apart as
// their comparison would (pl_constants_equal answers 0).
inline bool different_integers(const PlCell* a, const PlCell* b) {
    return a->type == PL_INT && b->type == PL_INT && a->value != b->value;
}

// Constants stored as they stand: equal ones are the same cell.
inline bool is_plain_constant(const PlCell* cell) {
    return cell->type == PL_INT || cell->type == PL_NIL || cell->type == PL_UNBOUND;
}

// Sets the engine's depth count for the life of the object.
class DepthAt {
public:
    DepthAt(PieEngine* engine, int64_t depth) : engine_(engine), saved_(engine->depth) {
        engine->depth = static_cast<int>(depth);
    }
    ~DepthAt() { engine_->depth = saved_; }
    DepthAt(const DepthAt&) = delete;
    DepthAt& operator=(const DepthAt&) = delete;

private:
    PieEngine* engine_;
    int saved_;
};

[[noreturn, gnu::noinline]] void too_deep(PieEngine* engine) { pl_fatal_error(engine, PL_ERR_STACK, "bound_last_query"); }

// The look at the native stack a guard takes entering a level: only when the count crosses 64.
[[gnu::noinline]] void look_at_stack(PieEngine* engine, int64_t depth) {
    const DepthAt at(engine, depth);
    if (pl_stack_exhausted(engine, static_cast<int>(depth - 1))) too_deep(engine);
}

// What every level of a walk inside an argument shares. The walk keeps its depth in the room it
// hands down (the limit less the level's depth): the engine's count is brought up to a level's
// only around a step that may read it (resolving, the generic steps, the stack's look); an error
// on the way leaves the count to the guard of the call that catches it.
struct InnerWalk {
    const Recorder& r;
    PlFrame* frame;  // of every term of the walk: its variables are not followed
    int64_t limit;
};

Recording inner_level(const InnerWalk& w, PlCell* term, int64_t room_above);

// The arguments of a goal from argument i on, each by own_argument (the first one record_goal did
// not take, and the rest), with the engine's count at the goal's level; then the goal's entry in
// the answers when a value changed, record_goal's own arguments included. The walks of compound
// terms are entered here.
[[gnu::noinline]] bool goal_rest(const Recorder& r, PlCell* goal, PlFrame* frame, uint32_t i, bool changed) {
    PieEngine* engine = r.engine;
    const DepthAt at(engine, engine->depth + 1);
    PlFunctor* f = goal->fn.functor;
    const uint32_t count = std::min(f->arity, goal->fn.args->count);
    Copied copied;
    copied.term = nullptr;  // no copy yet: the other fields are read only once it matches
    const int64_t limit = pl_depth_limit(engine);
    const int64_t room = limit - engine->depth;
    const OwnWalk w{r, goal, frame, room, &copied};
    PlCell** values = f->values->items;
    for (; i < count; ++i) {
        const PlDeref d = pl_deref(goal->fn.args->items[i], frame);
        if (d.term->type != PL_FUNCTOR) {
            changed |= own_argument(w, i, d.term, d.frame).changed;
            continue;
        }
        // A compound term or atom, as own_argument records it.
        PlCell* previous = values[i];
        bool here = false;
        int64_t below = 2;
        if (has_arguments(d.term)) {
            const InnerWalk inner_walk{r, d.frame, limit};
            const Recording inner = inner_level(inner_walk, d.term, room);
            here = inner.changed;
            below = inner.levels;
        }
        if (here || !previous || previous->type != PL_FUNCTOR || previous->fn.functor != d.term->fn.functor) {
            values[i] = below >= 0 && below <= room ? d.term : pl_resolve_term(engine, d.term, d.frame, d.frame).term;
            changed = true;
        }
    }
    if (changed) {
        note_query_values(engine, f);
        enter_answer(r, f);
    }
    return changed;
}

// The end of a recording whose values changed: the functor enters the answers.
[[gnu::noinline]] bool goal_changed(const Recorder& r, PlFunctor* f) {
    note_query_values(r.engine, f);
    enter_answer(r, f);
    return true;
}

// A goal whose functor keeps no vector of its own, at the goal's level.
[[gnu::noinline]] bool goal_any(const Recorder& r, PlCell* goal, PlFrame* frame) {
    const DepthAt at(r.engine, r.engine->depth + 1);
    return record_any(r, goal, frame, true).changed;
}

// The arguments of a goal that succeeded, its variables followed to what they stand for. The
// commonest arguments are compared and stored here: constants; a walked list whose first element
// differs from the one recorded before; "[X]" equal to the list recorded before. At the first
// other argument the rest of the goal goes to goal_rest: this loop calls nothing, and keeps what
// it holds in registers. Lists are taken here only when their first steps are far from the depth
// limit: the steps left out cannot meet it. The goal's level is counted as the inner walk counts
// its levels: the engine's count stays, and is brought up to the level's around the steps that
// may read it.
[[gnu::noinline]] bool record_goal(const Recorder& r, PlCell* goal, PlFrame* frame) {
    PieEngine* engine = r.engine;
    const int64_t room = int64_t{pl_depth_limit(engine)} - engine->depth - 1;
    if (room < 0) too_deep(engine);
    const int64_t depth = int64_t{engine->depth} + 1;
    if (((depth - 1) ^ depth) & ~int64_t{63}) look_at_stack(engine, depth);
    PlFunctor* f = goal->fn.functor;
    const PlVector* args = goal->fn.args;
    const uint32_t count = args ? std::min(f->arity, args->count) : 0;
    if (!own_vector(f, count)) return goal_any(r, goal, frame);
    bool changed = false;
    PlCell** values = f->values->items;
    for (uint32_t i = 0; i < count; ++i) {
        PlCell* arg = args->items[i];
        PlFrame* arg_frame = frame;
        while (arg->type == PL_VAR && arg_frame) {
            const PlBinding& b = arg_frame->slots()[arg->var.slot];
            arg = b.term;
            arg_frame = b.frame;
        }
        PlCell* previous = values[i];
        if (arg->type == PL_LIST) {
            if (room >= 6 && previous && previous->type == PL_LIST) {
                const uint32_t shape = arg->shape;
                if ((shape & PL_SHAPE_FLAT) && (shape & PL_SHAPE_GROUND)) {
                    if (2 + 2 * int64_t{pl_shape_reach(shape)} <= room && different_integers(previous->list.head, arg->list.head)) {
                        values[i] = arg;
                        changed = true;
                        continue;
                    }
                } else if (single_differs(arg, arg_frame, previous, room) == 0) {
                    continue;
                }
            }
        } else if (is_plain_constant(arg)) {
            if (arg != previous) {
                values[i] = arg;
                changed = true;
            }
            continue;
        }
        return goal_rest(r, goal, frame, i, changed);
    }
    return changed ? goal_changed(r, f) : false;
}


// The generic steps for one argument, at the level's depth.
[[gnu::noinline]] Recording inner_argument(const InnerWalk& w, PlCell* term, int64_t room, uint32_t i, PlCell* arg) {
    const DepthAt at(w.r.engine, w.limit - room);
    const OwnWalk ow{w.r, term, w.frame, room, nullptr};
    return own_argument(ow, i, arg, w.frame);
}

// The resolved copy of a term to record, at the level's depth.
[[gnu::noinline]] PlCell* inner_resolved(const InnerWalk& w, PlCell* term, int64_t room) {
    const DepthAt at(w.r.engine, w.limit - room);
    return pl_resolve_term(w.r.engine, term, w.frame, w.frame).term;
}

// A level whose functor keeps no vector of its own, at the level's depth.
[[gnu::noinline]] Recording inner_any(const InnerWalk& w, PlCell* term, int64_t room) {
    const DepthAt at(w.r.engine, w.limit - room);
    return record_any(w.r, term, w.frame, false);
}

// One level of the walk: term's arguments recorded as record_argument would. Constants and
// compound terms are taken here, the rest by the generic steps.
Recording inner_level(const InnerWalk& w, PlCell* term, int64_t room_above) {
    if (room_above < 1) too_deep(w.r.engine);
    const int64_t room = room_above - 1;
    // Entering the level crosses a multiple of 64 when it reaches one.
    if (((w.limit - room) & 63) == 0) look_at_stack(w.r.engine, w.limit - room);
    PlFunctor* f = term->fn.functor;
    const PlVector* args = term->fn.args;
    const uint32_t n = args ? args->count : 0;
    const uint32_t count = std::min(f->arity, n);
    if (!own_vector(f, count)) return inner_any(w, term, room);
    bool changed = false;
    int64_t levels = count == n ? 2 : -1;
    PlCell** value = f->values->items;
    for (uint32_t i = 0; i < count; ++i, ++value) {
        PlCell* arg = args->items[i];
        int64_t below = 2;
        // Compound terms and atoms first: in a term inside an argument they are most of what is met.
        if (arg->type == PL_FUNCTOR) {
            PlCell* previous = *value;  // before the arguments are recorded: they may be f's too
            bool here = false;
            if (has_arguments(arg)) {
                const Recording inner = inner_level(w, arg, room);
                here = inner.changed;
                below = inner.levels;
            }
            if (here || !previous || previous->type != PL_FUNCTOR || previous->fn.functor != arg->fn.functor) {
                // A term without variables resolves to itself: the walk is left out when it would fit.
                *value = below >= 0 && below <= room ? arg : inner_resolved(w, arg, room);
                changed = true;
            }
        } else if (is_plain_constant(arg)) {
            if (arg != *value) {
                *value = arg;
                changed = true;
            }
        } else if (arg->type == PL_VAR) {
            levels = -1;
            continue;
        } else {
            const Recording one = inner_argument(w, term, room, i, arg);
            changed |= one.changed;
            below = one.levels;
        }
        levels = levels_with(levels, below);
    }
    if (changed) {
        note_query_values(w.r.engine, f);
        enter_answer(w.r, f);
    }
    return {changed, levels};
}

// A compound term inside an argument (read in frame): its variables are not followed, and the
// levels resolving it takes are found on the way.
Recording record_inner(const Recorder& r, PlCell* term, PlFrame* frame, int64_t room_above) {
    const InnerWalk w{r, frame, pl_depth_limit(r.engine)};
    return inner_level(w, term, room_above);
}

}  // namespace

// Values not forgotten with an answer table (a propagation query records into none) would
// otherwise point into released terms, and a later comparison would read whatever took their
// place. Constants and terms of the program stay: they are not the query's.
void pl_forget_query_values(PieEngine* engine) {
    PlRunState& run = engine->run;
    for (PlFunctor* f : run.query_valued) {
        f->marks &= ~PLM_QUERY_VALUES;
        for (uint32_t i = 0; f->values && i < f->values->count; ++i)
            if (f->values->items[i] && pl_pool_holds(&run.terms, f->values->items[i])) f->values->items[i] = nullptr;
    }
    run.query_valued.clear();
}

void pl_record_value(PieEngine* engine, PlFunctor* f, uint32_t i, PlCell* value) {
    if (!f->values) {
        f->values = pl_vector_alloc(engine, &engine->main_pool, f->arity ? f->arity : 1);
    }
    if (i >= f->values->count) return;
    if (outlives_query(f)) {
        f->values->items[i] = pl_keep_term(engine, value);
        return;
    }
    f->values->items[i] = value;
    note_query_values(engine, f);
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
    const Recorder r{engine, answers, enter, enter && answers ? ++engine->run.recordings : 0};
    if (follow) return record_goal(r, goal, frame);
    return record_inner(r, goal, frame, pl_depth_limit(engine) - engine->depth).changed;
}
