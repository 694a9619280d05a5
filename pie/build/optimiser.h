// The program optimiser: after a load under option 0x2000 the rule bodies are rewritten once so
// that a query does less work, with the answers of the plain program. Shared ground goals of a
// predicate become once cells, item tests against a list of choices become member-set calls, and
// conjunctions become and-groups.
#pragma once

#include <vector>

struct PieEngine;
struct PlCell;
struct PlFunctor;

// Rewrites every user rule not rewritten yet, in the three steps below, and marks it, so that a
// later load leaves the clauses of earlier loads as they are.
void pl_optimise_program(PieEngine* engine);

// Step 1: the ground one-argument goals that the rules of predicate share, when there are at
// least two such goals, each become one once cell of the predicate, run at most once per call.
// rules are the predicate's rule clause records ("Head :- Body").
void pl_share_common_goals(PieEngine* engine, PlFunctor* predicate, const std::vector<PlCell*>& rules);
// Step 2: "G(X), member(X, List)" becomes G(Set) (and a conjunction going on after the member
// goal keeps going on) when X occurs nowhere else in the rule, List holds atoms and integers,
// and G answers by facts and its item status only.
void pl_rewrite_member_sets(PieEngine* engine, PlCell* rule);
// After a later load gave G a rule (G(Set) would be judged by the item's status, not by that
// rule), G(Set) of the rule is spelled out again as G(X), member(X, List).
void pl_restore_member_tests(PieEngine* engine, PlCell* rule);
// Step 3: a body that is a conjunction becomes one and-group of its goals, left to right.
void pl_flatten_body(PieEngine* engine, PlCell* rule);
