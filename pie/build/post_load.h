// The pass over freshly loaded clauses: platform goals folded to true or fail, select goals
// spelled out, wait goals turned into wait lists, bodies simplified, and defined constants
// substituted into every clause.
#pragma once

struct PieEngine;
struct PlCell;
struct PlListNode;

// Rewrites the user rules of the program's clause list that follow after (the list's sentinel
// for all), by their rewrite flags. Clauses of earlier loads are not reworked.
void pl_post_load(PieEngine* engine, PlListNode* after);
// Replaces, in every loaded rule, the goals of constant item functors by their values.
void pl_substitute_constants(PieEngine* engine);
