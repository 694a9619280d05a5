// The loaded rule program: its clause lists and the functors that have clauses. Clauses also
// sit on their head functor's lists; the program's lists keep the load order for listings,
// numbering and the passes that run after a load.
#pragma once

struct PieEngine;
struct PlCell;
struct PlFunctor;
struct PlHash;
struct PlListNode;
using PlList = PlListNode;

enum PlClauseList : int {
    PL_WRITTEN = 0,      // the clauses of the text (and the system rules and built-ins)
    PL_COMPLEMENTS = 1,  // added ON/OFF complements of host facts, catch-alls of choices
    PL_DEFAULTS = 2,     // generated default status clauses
};

struct PlProgram {
    PlList* clauses[3];
    PlHash* functors;  // ordered by name, arity and owner
    int user_clauses;  // user clauses have been loaded
    int changed;       // the clauses need numbering again before the next query
};

// Makes the engine's empty program.
void pl_program_create(PieEngine* engine);
// Enters a functor in the program's table (once).
void pl_program_add_functor(PieEngine* engine, PlFunctor* functor);
// Puts clause at the end of the program's list and of its head functor's list: a change of the
// clause lists, which every index of them must learn of.
void pl_program_link_clause(PieEngine* engine, PlCell* clause, PlFunctor* functor, int list);
// Numbers the clauses of each list again in their order (kept in the line word of each head).
void pl_program_renumber(PieEngine* engine);
// After retract or abolish took clause out: the host fact's complement is worked out again from
// its remaining clauses, the use counts of the functors in the clause are lowered, and items no
// clause uses any more lose their default clause.
void pl_program_clause_removed(PieEngine* engine, PlCell* clause);
// Takes clause off the program's list of written clauses (retire: a walk may stand on it),
// keeping the running load's anchor on the program.
void pl_program_unlink_clause(PieEngine* engine, PlCell* clause);
