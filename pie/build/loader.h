// Loading rule text into the program: the clause loop of a rule text, and the start-up load of
// the built-in predicates and the system rules.
#pragma once

#include <cstdint>

struct PieEngine;
struct PlCell;

// Runs a directive ("?- goal."): set by the interpreter; while it is unset, directives are read
// and checked but not run.
using PlDirectiveRunner = int (*)(PieEngine* engine, PlCell* query);

// Loads every clause of text. Clauses before an error stay loaded; the error carries the line.
void pl_parse(PieEngine* engine, const char* text);
// Stores a checked clause record whose head functor is final: enters the head in the program,
// links the clause (unless its body is "fail" or the head is a constant), adds the complement of
// a host fact and the default clauses of the items it reads, and, when asked, enters the head in
// the dependents sets of those items.
void pl_store_clause(PieEngine* engine, PlCell* clause, int32_t line, bool collect_dependents);
// Registers every built-in predicate with a system clause and loads the system rules; once per
// engine, after the program exists.
void pl_parse_system(PieEngine* engine);

// The system rules, one clause per line.
extern const char* const kPlSystemRules;
