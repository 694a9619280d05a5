// Simplification of a rule body: what the post-load pass and the element-control expansion
// leave of true and fail inside conjunctions, alternatives and negations.
#pragma once

struct PieEngine;
struct PlCell;

// Simplifies a body bottom-up: true and fail are taken out of conjunctions and alternatives.
void pl_simplify(PieEngine* engine, PlCell*& body);
