// Steps of unification that the generic walk and the walk led by a clause head share: the goal
// side's dereferencing past once cells, the look at an item's status, and the generic level
// taken up from any pair of it.
#pragma once

#include "pie/run/frame.h"

class PlCycleCheck;
struct PieEngine;

// The levels a unification's walk takes (its native frames are large under the sanitizers; each
// level counts twice).
constexpr int kPlUnifyLevels = 2;

// Whether levels more from the engine's depth stay within the limit. Below the smaller of the two
// limits the answer is known without reading which one holds: one comparison on the common path.
static_assert(kPlMaxDepth <= kPlStackDepth);
inline bool pl_levels_within_limit(const PieEngine* engine, int levels) {
    const int depth = engine->depth;
    return static_cast<unsigned>(depth) <= static_cast<unsigned>(kPlMaxDepth - levels) ||
           depth + levels <= pl_depth_limit(engine);
}
// Whether they also cross no multiple of 64, where a level looks at the native stack: such levels
// can be taken without either check.
inline bool pl_levels_quiet(const PieEngine* engine, int levels) {
    const int depth = engine->depth;
    return pl_levels_within_limit(engine, levels) && ((depth ^ (depth + levels)) & ~63) == 0;
}

// Steps d past once cells: a once cell stands for its goal.
void pl_step_once_in_place(PlDeref& d);
inline PlDeref pl_step_once(PlDeref d) {
    if (d.term->type == PL_ONCE) pl_step_once_in_place(d);
    return d;
}
// A term dereferenced, and past any once cell. Most terms are none: they cost a test and no copy.
inline PlDeref pl_deref_goal(PlCell* term, PlFrame* frame) {
    PlDeref d = pl_deref(term, frame);
    if (d.term->type == PL_ONCE) pl_step_once_in_place(d);
    return d;
}

// Two terms of one functor, dereferenced: a member set meeting an unbound variable inside a
// one-argument item term makes the variable first take the item's current status, and nothing
// matches an item that has none.
bool pl_item_status_allows(PieEngine* engine, const PlDeref& l, const PlDeref& r);

// The rest of one level of the generic walk (at the engine's depth), from the pair a, b on: the
// level's first pair, or one its loop came back to (looped) with what cycle has seen so far.
int pl_unify_from(PieEngine* engine, PlCell* a, PlFrame* fa, PlCell* b, PlFrame* fb, PlCycleCheck& cycle, bool looped);
