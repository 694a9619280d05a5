// Conflict propagation: after a query changed items, the rules of the items that read them run
// again, producers before readers and each item at most once per run; and the two host requests
// that start it for one registered item (initial conflict, check conflict).
#pragma once

struct PieEngine;
struct PlFunctor;
struct PlListNode;
using PlList = PlListNode;

// Makes the prepared queries and hands the interpreter the propagation run.
void pl_propagation_create(PieEngine* engine);
// 0 the item's rule held; 1 it did not, the item was seeded already, or item is null.
int pl_initial_conflict(PieEngine* engine, PlFunctor* item);
// 0 the check query succeeded, 1 it failed, 2 item is null (not registered).
int pl_check_conflict(PieEngine* engine, PlFunctor* item);
// One run over the answers of a successful query whose goal functor was goal.
void pl_propagate(PieEngine* engine, PlList* answers, PlFunctor* goal);
