// The interpreter: runs queries of the loaded rule program. Every call yields at most its first
// solution (committed choice); a conjunction retries only the clauses of its left goal. A
// functor's three clause lists hold clause records (PL_CLAUSE or PL_SYSTEM_CLAUSE cells).
#pragma once

#include <cstdint>

struct PieEngine;
struct PlCell;
struct PlFrame;
struct PlFunctor;
struct PlListNode;
using PlList = PlListNode;

// Outcomes of a call.
enum PlOutcome : int {
    PL_FAIL = 0,
    PL_SUCCESS = 1,
    PL_CUT = 2,
    PL_STOP = 3,  // a clause body ended in a cut: no further clause is tried; never leaves a call
    PL_UNDETERMINED = 7,  // an item whose value the host does not know
};

// Runs one query clause (or a bare goal term) with its follow-up work: reasons, propagation,
// display of changed controls. Returns the outcome.
int pl_execute_main(PieEngine* engine, PlCell* query);
// Runs one query in propagation mode with no answer table (used by propagation).
int pl_execute_main_unbound(PieEngine* engine, PlCell* query);

int pl_call(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers);
int pl_call_and_group(PieEngine* engine, PlCell* group, PlFrame* frame, PlList* answers);
int pl_try_clause(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* clause, PlFrame* clause_frame,
                  PlList* answers);
int pl_try_clause_list(PieEngine* engine, PlList* list, PlCell* goal, PlFrame* goal_frame, PlFunctor* predicate,
                       PlList* answers);
// The built-ins ","/2 and ":-"/2: the left goal's clauses are retried until the right goal holds.
int pl_call_logical_and(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers);
int pl_call_definition(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers);

// Records on the goal's functor the values a successful goal bound; 1 when one changed.
int bound_last_query(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers, bool enter, bool follow);

// Stores value in slot i of the functor's value vector, copied out of the query's terms when the
// functor is one whose values outlive the query.
void pl_record_value(PieEngine* engine, PlFunctor* functor, uint32_t i, PlCell* value);
// Clears every value a recording left holding terms of the running query (called when those
// terms are released).
void pl_forget_query_values(PieEngine* engine);
// A copy in the main pool of a term built during a query (constants are shared, not copied).
PlCell* pl_keep_term(PieEngine* engine, PlCell* term);

// The current value of an item functor: from the answers when the query set it, from the host,
// or by its status rule. nullptr when there is none.
PlCell* pl_item_status(PieEngine* engine, PlFunctor* item, PlList* answers);

// Enters a functor in the answer table or the changed table (each functor once).
void pl_table_enter(PieEngine* engine, PlList* table, PlFunctor* functor);
bool pl_table_holds(const PlList* table, const PlFunctor* functor);

// What propagation (run after a successful query with answers) does; nullptr runs none.
using PlPropagateFn = void (*)(PieEngine* engine, PlList* answers, PlFunctor* goal);
void pl_set_propagation(PieEngine* engine, PlPropagateFn propagate);

bool pl_list_empty_or_null(const PlList* list);

// The clause's term, its head, and the number of variables of its frame.
PlCell* pl_clause_term(const PlCell* clause);
uint32_t pl_clause_variables(const PlCell* clause);
