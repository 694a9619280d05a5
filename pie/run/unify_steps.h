// Steps of unification that the generic walk and the walk led by a clause head share: the goal
// side's dereferencing past once cells, the look at an item's status, and the generic level
// taken up from any pair of it.
#pragma once

#include "pie/run/frame.h"

class PlCycleCheck;
struct PieEngine;

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
