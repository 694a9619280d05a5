// Copying and releasing terms, and the one atom term of a functor. Clauses are trees over shared
// leaves (constants, the clause's variables), so copy and release walk only the structure.
#pragma once

struct PieEngine;
struct PlCell;

// A copy whose compound terms, list cells, and-groups and member sets are new cells; every other
// cell (variables, constants, tags) is shared with the original.
PlCell* pl_term_copy(PieEngine* engine, PlCell* term);
// Returns the structure cells of term to the free list and lowers the use counters of its
// compound terms' functors. Shared cells, variables (owned by their clause's table) and tags
// (owned by their predicate) stay.
void pl_term_release(PieEngine* engine, PlCell* term);
// The cached atom term of cell's arity-0 functor: the first cell offered becomes it, later ones
// are released. Each call counts a use of the functor.
PlCell* pl_atom_term_of(PieEngine* engine, PlCell* cell);
