// "is" evaluated directly over integers, in place of its system rules, for the common case of an
// integer expression: the rules take a call, a frame and two further "is" calls per operator,
// where this takes a walk of the expression. It answers exactly as the rules do; whatever the
// rules would do more than compute (an unbound or foreign operand, heapused, a traced query) is
// left to them.
#pragma once

#include <cstdint>

struct PieEngine;
struct PlCell;
struct PlFrame;

// The operators "is" knows, found once the system rules are loaded (none are created here).
void pl_direct_is_prepare(PieEngine* engine);
// PL_SUCCESS or PL_FAIL as the system rules would answer, or PL_UNDETERMINED when the goal is
// not one this evaluation takes: the rules must run.
int pl_direct_is(PieEngine* engine, PlCell* goal, PlFrame* frame);
