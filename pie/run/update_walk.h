// The walks over every functor that begin and end an update of the host's values.
#pragma once

struct PieEngine;

// Clears every functor's done bit and recorded argument values (arities 1 to 31).
void pl_update_walk_begin(PieEngine* engine);
// Clears every functor's done bit; the recorded values stay.
void pl_update_walk_end(PieEngine* engine);
