// The opening test of a rule's body (PLC_OPENING_TEST): a comparison of two integers followed by a
// conjunction, tak's X =< Y, !, Z = A. The chain of such a body would take its levels, run the
// comparison's built-in as its first level and, where the comparison holds, go on with the
// conjunction as its next level, which the comparison leaves as it found it. The try runs the
// comparison itself instead: a test that fails costs no chain, and one that holds no level of one.
// A conjunction of two goals of built-ins after it, the guard's cut and its answer, is run as its
// own chain would run them, without that chain either.
#pragma once

#include <cstdint>

struct PieEngine;
struct PlCell;
struct PlFrame;
struct PlListNode;
using PlList = PlListNode;

// The levels a chain takes, for its call and for its conjunction.
constexpr int kPlChainLevels = 8;

// What pl_run_opening_test answers besides PL_FAIL, the body's outcome where its test failed.
enum PlOpeningTest : int {
    kPlBodyAsItIs = -1,     // the body goes to its chain as it is (traced, near a look at the
                            // native stack that may count, or no longer the body its facts found)
    kPlRestToChain = -2,    // the test held: the conjunction after it goes to its own chain
    kPlRestOfBuiltins = -3, // the test held: the conjunction after it is two goals of built-ins,
                            // for pl_call_rest_of_builtins, within levels it takes quietly
};

// The opening test of body, a compound term of the conjunction's built-in read in frame, as its
// chain would run it. Where it held, the chain's levels are taken (kPlChainLevels), for the caller
// to give back once the conjunction after the test has answered for the chain's first level.
[[gnu::noinline]] int pl_run_opening_test(PieEngine* engine, PlCell* body, PlFrame* frame);

// The chain of rest, two goals of built-ins (kPlRestOfBuiltins), as it answers its caller: the left
// goal's built-in as its first level, and the right goal as its last goal.
[[gnu::noinline]] int pl_call_rest_of_builtins(PieEngine* engine, PlCell* rest, PlFrame* frame, PlList* answers);

// A try of a rule whose body is the guard and its answer alone, p(X, Y, Z, A) :- X =< Y, !, Z = A
// (its head two to four variables, each met first, in slots in order; the test's operands and
// the answer's two sides variables of the head, the test's also integers), answered from the
// goal's own arguments without the clause's frame. The head's match would only bind the
// variables to the goal's arguments: where the test's read integers, the answer's sides an
// integer and an unbound variable or two integers, and every other argument an integer, the try
// leaves what the frame's would leave once its frame was settled, the goal's variable bound to the
// integer by one entry on the trail. Any other goal, or one near a look at the native stack that
// may count or near the depth limit, traced, or under PLE_OPENING_CHAINS, is tried with its frame
// (kPlTryWithFrame). Else it answers the try's outcome: PL_SUCCESS, PL_FAIL where the test
// failed, PL_STOP where the answer did not hold after the cut. The warning line is the head's.
constexpr int kPlTryWithFrame = -1;
// term is the rule's term, head its head, facts its facts (PLC_RULE and PLC_OPENING_TEST set).
[[gnu::noinline]] int pl_try_guard_clause(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, const PlCell* term,
                                          const PlCell* head, uint32_t facts);
