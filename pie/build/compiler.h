// The rule compiler: between the parser and the interpreter a clause loses its operator nodes,
// its variables are numbered in the clause's variable table, its head is checked against the
// system predicates, and a no-propagate head ("$$") gets a functor of its own. Also the small
// conversions the op and abbrev built-ins use.
#pragma once

#include "pie/api/engine.h"

#include <cstdint>

struct PlAtom;
struct PlCell;
struct PlFunctor;
struct PlToken;

// Makes what reading rule text needs: the predefined functors, the abbreviations and the
// operator table, in that order.
void pl_compiler_create(PieEngine* engine);
// The predefined functor of a row of predefined_functors.h. Inline: loading asks for one at
// nearly every goal it looks at.
inline PlFunctor* pl_predefined(const PieEngine* engine, int which) { return engine->predefined[which]; }

// Reads one clause from the current token on: a new clause record (type) whose term has its
// operators turned into compound terms; the "." after it is consumed. Returns nullptr at the end
// of the text. A clause without "." raises 283, one that is not a compound or atom term 284.
PlCell* pl_read_clause(PieEngine* engine, PlToken* token, uint32_t type);

// The variable cell of name in the clause: one per name, numbered in order of appearance; "_"
// is the shared anonymous cell.
PlCell* pl_clause_variable(PieEngine* engine, PlCell* clause, PlAtom* name);
// Enters every variable of term into the clause's table (for clauses built at run time).
void recollect_variables(PieEngine* engine, PlCell* clause, PlCell* term);

// Turns every operator node of term into the compound term of its operator's functor, in place,
// lists and arguments included; any cell the parser cannot leave raises error 4098.
PlCell* operator_to_functor(PieEngine* engine, PlCell* term);

// The head of a clause term: the left side of ":-", or the fact itself.
PlCell* pl_clause_head(PieEngine* engine, PlCell* term);
// A head whose functor is a system functor raises error 257.
void system_predicate_check(PieEngine* engine, PlCell* term);
// The functor "$$@n"/1 (n counts engine-wide) for a head written with the no-propagate marker;
// the marker must not be a property (258) and must take one argument (259).
PlFunctor* replace_nopropagate_functor(PieEngine* engine, PlFunctor* marker);

int32_t fetch_integer(PieEngine* engine, const PlCell* term);  // 4098 unless an integer
int pl_is_op_type(PieEngine* engine, const PlCell* term);      // 1 for an atom "fx" ... "yfy"
int fetch_opcode(PieEngine* engine, const PlCell* term);       // 4099 not an atom, 4100 no type
uint32_t functor_argument(PieEngine* engine, const PlCell* term);  // 4099 unless compound

// The leading digits of text, times 1,024 when the text ends in "MB"; too large raises 262.
int32_t pl_size_text(PieEngine* engine, const char* text);
// Marks name/1 keep-reason: its stored reason outlives the query that set it.
void pl_mark_keep_reason(PieEngine* engine, PlAtom* name);
