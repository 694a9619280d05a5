// The printed forms of terms: plain (as rule text), tagged ("(INT: 5)") or with cell addresses,
// chosen by engine flags 0x2 and 0x1. Dumps, listings and trace lines print through these.
#pragma once

struct PieEngine;
struct PlCell;

// Deeper terms print "..." in place of their inner part, so a printed term is always finite.
constexpr int kPlMaxPrintDepth = 256;

// Prints term into the output pool; depth is the nesting the term stands at (0 at the top).
// A cell that is no term (a parser cell, a marker) raises error 4098.
void plout_tree(PieEngine* engine, const PlCell* term, int depth);
// The priority of the operator a compound term prints as: its infix definition for arity 2, else
// its prefix, else its postfix definition; 0 for every other term.
int pl_term_priority(PieEngine* engine, const PlCell* term);
