// Recording what a successful goal bound: each argument's value goes into the functor's value
// vector (or, for a property, its table by key), and a functor whose values changed enters the
// query's answer table, from which propagation starts. This file holds the entry and the value
// store; the walks are in record_goal.h and record_quick.cpp (common goals) and record_generic.cpp
// (any goal).
#include "pie/run/interpreter.h"

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/run/record_goal.h"
#include "pie/run/recording.h"
#include "pie/terms/list.h"

namespace pl_recording {

[[gnu::noinline]] void note_first_query_values(PieEngine* engine, PlFunctor* f) {
    f->marks |= PLM_QUERY_VALUES;
    engine->run.query_valued.push_back(f);
}

}  // namespace pl_recording

using namespace pl_recording;

namespace {

// Values of host facts and properties outlive the query; the rest are dropped when it ends.
bool outlives_query(const PlFunctor* f) { return f->owner || (f->flags & PLF_HOST_FACT); }

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

namespace {

// A term inside a list, its variables not followed. Out of line: the recording of a goal, by far
// the commoner, then hands straight on to record_goal.
[[gnu::noinline]] int record_term(PieEngine* engine, PlCell* term, PlFrame* frame, PlList* answers, bool enter) {
    return record_inner(numbered(engine, answers, enter), term, frame, pl_depth_limit(engine) - engine->depth).changed;
}

}  // namespace

int bound_last_query(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers, bool enter, bool follow) {
    if (follow) return record_goal(engine, enter ? answers : nullptr, goal->fn.functor, goal, frame, pl_depth_limit(engine));
    return record_term(engine, goal, frame, answers, enter);
}
