// What the steps of recording a goal's bound values share across their files: the recording's
// own state, the small steps every walk takes inline (noting a functor's values, entering it in
// the answers, counting levels), and the doors from one walk into another.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/interpreter.h"
#include "pie/terms/functor.h"

#include <cstdint>

namespace pl_recording {

// Notes that f's values may hold terms of the running query (see pl_forget_query_values); the
// mark makes it once a query. Out of line (bound_values.cpp): it runs once per functor a query.
void note_first_query_values(PieEngine* engine, PlFunctor* f);
[[gnu::always_inline]] inline void note_query_values(PieEngine* engine, PlFunctor* f) {
    if (!(f->marks & PLM_QUERY_VALUES)) note_first_query_values(engine, f);
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

// The recorder of a recording, its number taken now: record_goal's loop, which enters nothing,
// takes none, and the steps after it take one only when they run. Numbers only tell recordings
// apart (a new one is above every number a functor holds): taking them later changes nothing.
inline Recorder numbered(PieEngine* engine, PlList* answers, bool enter) {
    return {engine, answers, enter, enter && answers ? ++engine->run.recordings : 0};
}

// Enters f in the recording's answer table. A functor found or entered there once by this
// recording is there still: nothing takes entries out of a table while a recording runs, so
// the walk over the table is left out.
inline void enter_answer(const Recorder& r, PlFunctor* f) {
    if (!r.number || f->recorded_in == r.number) return;
    f->recorded_in = r.number;
    pl_table_enter(r.engine, r.answers, f);
}

// Resolving takes a level for the term and goes into every argument, those past the arity too.
inline int64_t levels_with(int64_t levels, int64_t below) {
    if (below < 0) return -1;
    return levels < 0 || levels >= 2 + below ? levels : 2 + below;
}

// What every level of a walk inside an argument shares. The walk keeps its depth in the room it
// hands down (the limit less the level's depth): the engine's count is brought up to a level's
// only around a step that may read it (resolving, the generic steps, the stack's look); an error
// on the way leaves the count to the guard of the call that catches it.
struct InnerWalk {
    Recorder r;  // a copy: every level that changes reads its number
    PlFrame* frame;  // of every term of the walk: its variables are not followed
    int64_t limit;
    // A level entered with more room above it than this meets neither the limit nor a multiple
    // of 64 (the stack's look): no level between it and the walk's first does.
    int64_t quiet_above;
    // What recorded_in holds in a functor this walk entered in the answers: its number, or, when
    // it enters none, a number no recording takes, which no functor holds.
    uint64_t entered;
};

// note_query_values and enter_answer for a functor of a vector of its own whose value changed, at
// a level of the walk. Such a functor this recording entered already has its values noted too:
// every step that enters one notes it first, and the mark stays until the query ends; the two
// looks are one then. Inline in an optimised build only: unoptimised, its locals would take stack
// of their own in every frame of the walk's recursion.
#ifdef __OPTIMIZE__
[[gnu::always_inline]]
#endif
inline void note_and_enter(const InnerWalk& w, PlFunctor* f) {
    if (f->recorded_in == w.entered) return;
    note_query_values(w.r.engine, f);
    enter_answer(w.r, f);
}

// quiet_above for a walk whose first level is entered with room_above levels free above it: one
// more than the room of the first level below that reaches a multiple of 64, and at least 0.
inline int64_t pl_quiet_above(int64_t limit, int64_t room_above) {
    const int64_t first_depth = limit - room_above + 1;
    const int64_t look_depth = first_depth + (-first_depth & 63);
    const int64_t look_room = limit - look_depth;
    return (look_room > -1 ? look_room : -1) + 1;
}

// Inside the walk a term that may hold a variable counts kOpen levels or more (not -1): more
// than any room, so that it is never taken as it stands, and the deepest of a level's arguments
// is one maximum.
constexpr int64_t kOpen = INT64_MAX / 4;

// One level of the walk inside an argument (record_quick.cpp), its levels counted as above.
Recording inner_level(const InnerWalk& w, PlCell* term, int64_t room_above);

// A compound term inside an argument (read in frame): its variables are not followed, and the
// levels resolving it takes are found on the way. room_above: the levels free at the level of the
// caller; the term's walk takes one of them.
inline Recording record_inner(const Recorder& r, PlCell* term, PlFrame* frame, int64_t room_above) {
    const int64_t limit = pl_depth_limit(r.engine);
    const InnerWalk w{r, frame, limit, pl_quiet_above(limit, room_above), r.number ? r.number : ~uint64_t{0}};
    const Recording inner = inner_level(w, term, room_above);
    return {inner.changed, inner.levels < kOpen ? inner.levels : -1};
}

// Any goal, each argument by the generic steps (record_generic.cpp).
Recording record_any(const Recorder& r, PlCell* goal, PlFrame* frame, bool follow);

// An argument of a functor with a vector of its own that the quick steps do not cover.
int64_t record_other(const Recorder& r, PlCell* goal, PlFrame* frame, int64_t room, uint32_t i, PlCell* arg,
                     PlFrame* arg_frame, bool& changed);

}  // namespace pl_recording
