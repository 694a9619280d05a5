// The generic walk of a clause head as the quick steps of head matching see it: the entries
// that take a match up where those steps stop, and the measures the two sides share.
#pragma once

#include "pie/terms/term.h"

#include <cstdint>

struct PieEngine;
struct PlFrame;

namespace pl_head_walk {

// A level counts as the generic walk counts it.
constexpr int kWeight = 2;

// Where the walk takes a match up: at a pair of the head's level, untouched (kWhole), or inside
// one whose head cell is a list (at its tail) or a term (at its argument part - kArgument).
constexpr uint32_t kWhole = 0;
constexpr uint32_t kTail = 1;
constexpr uint32_t kArgument = 2;

// Each entry binds the slots of the head's frame untrailed (the engine's untrailed frame while
// it walks), as every binding of a head match does.
// The walk from the head's first level, for a head the quick steps leave to it.
[[gnu::noinline]] int walk_head(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head, PlFrame* clause_frame);
// The walk of a fact's first count arguments, each pair from the same depth.
[[gnu::noinline]] int walk_arguments(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head,
                                     PlFrame* clause_frame, uint32_t count);
// Where walk_on takes a match up: the pairs left from the one it stands at on, and the place
// within that one. One word, so that walk_on takes every argument in a register and the quick
// steps leave for it without a native frame of their own.
struct WalkFrom {
    uint32_t left;
    uint32_t place;
};
// The walk taking a match of the quick steps up at the pair of the head's level whose cells are
// ours[0] and theirs[0], at place within it, and going on to the head's last pair (left pairs
// from that one on).
[[gnu::noinline]] int walk_on(PieEngine* engine, PlFrame* clause_frame, PlFrame* goal_frame, PlCell** ours,
                              PlCell** theirs, WalkFrom from);
// The same for a fact's arguments, each matched as a level's first step.
[[gnu::noinline]] int walk_arguments_on(PieEngine* engine, PlFrame* clause_frame, PlFrame* goal_frame, PlCell** ours,
                                        PlCell** theirs, uint32_t left);

}  // namespace pl_head_walk
