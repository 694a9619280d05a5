// Loading rule text into the program: the clause loop of a rule text, and the start-up load of
// the built-in predicates and the system rules.
#pragma once

struct PieEngine;
struct PlCell;

// Runs a directive ("?- goal."): set by the interpreter; while it is unset, directives are read
// and checked but not run.
using PlDirectiveRunner = int (*)(PieEngine* engine, PlCell* query);

// Loads every clause of text. Clauses before an error stay loaded; the error carries the line.
void pl_parse(PieEngine* engine, const char* text);
// Registers every built-in predicate with a system clause and loads the system rules; once per
// engine, after the program exists.
void pl_parse_system(PieEngine* engine);

// The system rules, one clause per line.
extern const char* const kPlSystemRules;
