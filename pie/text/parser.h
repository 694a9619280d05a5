// The operator-precedence parser of rule text: one term at a time from the lexer's tokens,
// shaped by the operator table. The tree it returns still holds operator nodes (types 7-9);
// operator_to_functor turns them into compound terms.
#pragma once

struct PieEngine;
struct PlCell;
struct PlOperator;
struct PlToken;

// Highest priority of a whole clause: above every operator, ":-" included.
constexpr int kPlClausePriority = 1201;

// Parses one term from the current token on, for the clause record clause (its variables are
// entered in the clause's table), and leaves the first token after the term in token. Returns
// the engine's end-of-text marker at the end token and its void marker where ".", ")" or "]"
// stands; neither is consumed.
PlCell* pl_parse_term(PieEngine* engine, PlToken* token, PlCell* clause, int max_priority);

// How an operator continues a term whose left side is left: 1 infix, 2 postfix, 3 stop (the
// term ends before the operator), 4 either (infix when a right operand follows).
int get_priority(PieEngine* engine, const PlOperator* entry, const PlCell* left, int max_priority);

// True for an operator node that was written in parentheses: its commas no longer separate
// arguments or list elements, and it counts as a plain term for the operators around it.
bool pl_is_parenthesised(const PlCell* node);
