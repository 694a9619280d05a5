// The entries of the walk led by a clause head's cells: from a head's first level, for a fact's
// arguments, and from the pair where the quick steps of head matching stopped.
#include "pie/run/head_walk.h"

#include "pie/run/head_walk_steps.h"

#include <algorithm>

namespace pl_head_walk {

// The walk from the head's first level, for a head the quick steps leave to it.
[[gnu::noinline]] int walk_head(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head, PlFrame* clause_frame) {
    PlUntrailedFrame untrailed(engine, clause_frame);
    const HeadWalk w{engine, clause_frame, pl_depth_limit(engine)};
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
    PlUntrailedFrame untrailed(engine, clause_frame);
    const HeadWalk w{engine, clause_frame, pl_depth_limit(engine)};
    const int depth = engine->depth + kWeight;
    if (depth > w.limit) too_deep(engine);
    look_at_stack(w, depth - kWeight);
    PlCell** ours = goal->fn.args->items;
    PlCell** theirs = head->fn.args->items;
    for (uint32_t i = 0; i < count; ++i)
        if (!open_step(w, ours[i], goal_frame, theirs[i], depth, 0)) return 0;
    return 1;
}

// The walk taking a match of the quick steps up at the pair of the head's level whose cells are
// ours[0] and theirs[0], at place within it, and going on to the head's last pair (left pairs
// from that one on).
[[gnu::noinline]] int walk_on(PieEngine* engine, PlFrame* clause_frame, PlFrame* goal_frame, PlCell** ours,
                              PlCell** theirs, WalkFrom from) {
    const uint32_t left = from.left;
    const uint32_t place = from.place;
    PlUntrailedFrame untrailed(engine, clause_frame);
    const HeadWalk w{engine, clause_frame, pl_depth_limit(engine)};
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
[[gnu::noinline]] int walk_arguments_on(PieEngine* engine, PlFrame* clause_frame, PlFrame* goal_frame, PlCell** ours,
                                        PlCell** theirs, uint32_t left) {
    PlUntrailedFrame untrailed(engine, clause_frame);
    const HeadWalk w{engine, clause_frame, pl_depth_limit(engine)};
    const int depth = engine->depth + kWeight;
    for (uint32_t i = 0; i < left; ++i)
        if (!open_step(w, ours[i], goal_frame, theirs[i], depth, 0)) return 0;
    return 1;
}

}  // namespace pl_head_walk
