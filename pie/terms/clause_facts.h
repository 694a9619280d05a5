// What every try of a clause reads of its term (whether it is a rule, how its head's first
// argument tells it apart from a goal's, and a rule head's plan for its match), worked out once
// when a clause record is made or its term replaced and kept in the record, so that a call does
// not take the term apart for each clause.
#pragma once

#include "pie/api/engine.h"
#include "pie/terms/functor.h"
#include "pie/terms/term.h"

#include <atomic>
#include <cstdint>

// Bits of a record's facts. A record whose facts are not known (made before its term, or by
// hand) is read from its term instead; its facts are 0, so that a first argument's type tells
// also that the facts are known.
enum PlClauseFactBits : uint16_t {
    PLC_FIRST_TYPE = 0x7,  // the type of the head's first argument where it can clash, else 0
    PLC_RULE = 0x8,        // the term is a ":-"/2 rule, other than a branch rule (PLC_BRANCH)
    PLC_KNOWN = 0x10,
    PLC_SLOTS_IN_ORDER = 0x20,  // a head with a plan whose variables hold slots 0, 1, ... in the order met first
    // A fact p(K, V, V), K [] or an integer, V the variable of slot 0: the end of a rule that walks
    // one list while it builds another, app([], L, L), met once at the end of every such walk and
    // matched by steps of its own (pie/run/fact_plan.h).
    PLC_JOINING_FACT = 0x40,
    // The same bit on a rule (with PLC_RULE): a body that opens with a comparison of two integers
    // (PlFunctor::comparison) followed by a conjunction of two goals of built-ins, the guard's cut
    // and its answer in tak(X, Y, Z, A) :- X =< Y, !, Z = A. Its try may run them without the
    // chains of the conjunctions (pie/run/opening_test.h).
    PLC_OPENING_TEST = 0x40,
    // A disjunction's rule, "(_X | _) :- _X." or one of its kin ("|" or ";", either argument): a
    // head of a variable and "_", and a body that is the variable. Its try may be the call of the
    // goal's argument the variable stands for (pie/run/direct_branch.h). It is told apart where a
    // try tells a fact from a rule, which the common rule then passes without a test of its own.
    PLC_BRANCH = 0x80,
    PLC_HEAD_PLAN = 0xFF00,     // a rule head's plan (below): two bits for each of its arguments
};
static_assert(uint32_t{PL_NIL} <= uint32_t{PLC_FIRST_TYPE}, "the first argument's type fits its bits");

// What matching a rule's head in the fresh frame of its try may take for granted about each of
// its arguments, for a head of two to four arguments each of which is one of these: which cell it
// is, and that a variable is met there for the first time in the head, so that its slot is still
// unbound when the match reaches it. An item's head (a functor of one argument) has a plan of its
// own, for an argument that is a variable: PLH_FIRST_VAR for its argument and none other, which no
// head of more arguments has. Any other head has no plan (0).
enum PlHeadArgPlan : uint32_t {
    PLH_FIRST_VAR = 1,   // a variable met first here
    PLH_LIST = 2,        // [A | B] of two variables, B met first here
    PLH_FRESH_LIST = 3,  // [A | B] of two variables, both met first here
};
constexpr uint32_t kPlHeadPlanShift = 8;
constexpr uint32_t kPlHeadPlanArgs = 4;
// The bit of kind for argument i (below kPlHeadPlanArgs) in a record's plan bits.
constexpr uint32_t pl_head_plan_bit(PlHeadArgPlan kind, uint32_t i) { return kind << (kPlHeadPlanShift + 2 * i); }
// The plans the matches lay out on their own: a head of count variables, each met first; the
// head of a rule that walks a list, p([A | B], C), and one that builds another as it walks,
// p([A | B], C, [E | D]).
constexpr uint32_t pl_first_vars_plan(uint32_t count) {
    return count ? pl_first_vars_plan(count - 1) | pl_head_plan_bit(PLH_FIRST_VAR, count - 1) : 0;
}
constexpr uint32_t kPlListThenVarPlan = pl_head_plan_bit(PLH_FRESH_LIST, 0) | pl_head_plan_bit(PLH_FIRST_VAR, 1);
constexpr uint32_t kPlListWalkPlan = kPlListThenVarPlan | pl_head_plan_bit(PLH_LIST, 2);
// The plan bits of a rule's head term, with PLC_SLOTS_IN_ORDER where that holds.
uint32_t pl_head_plan_of(const PlCell* head);
// Whether the bits of a clause's facts tell a head of plan, its variables in slots in order.
constexpr bool pl_head_plan_in_order(uint32_t facts, uint32_t plan) {
    return (facts & (PLC_HEAD_PLAN | PLC_SLOTS_IN_ORDER)) == (plan | PLC_SLOTS_IN_ORDER);
}

// The facts of a term standing for a clause, and the value that tells its head's first argument
// apart from a goal's: an integer's value, a functor's serial number, 0 for a list or "[]".
// A head whose first argument clashes with nothing has no value to keep: its key is 0, or
// kPlStatusReadKey for an item's default clause.
struct PlClauseFacts {
    uint32_t bits;
    uint32_t key;
};

// The key of an item's default clause as the loader makes it, F(_X) :- !, status(Item, _X), with
// the engine's own conjunction, cut and status, Item an atom: nearly every read a propagation
// makes goes through one, and the read asks its shape each time (pie/run/default_read.h).
constexpr uint32_t kPlStatusReadKey = 1;

// Whether a compound term's functor is the neck ":-"/2: the engine's own one, or any other of that
// name and arity.
inline bool pl_is_neck(const PieEngine* engine, const PlFunctor* f) {
    return f == engine->predefined[PLP_neck_2] || (f->arity == 2 && f->name == engine->atom.neck);
}

// The facts of term (PLC_KNOWN set). Out of line: only loading and the odd clause made by hand
// take it.
PlClauseFacts pl_clause_facts_of(const PieEngine* engine, const PlCell* term);

// Works out the facts of a clause record from its term; every place that makes a record or
// replaces its term, or a cell of its head in place, calls it afterwards. A record without a term
// gets facts that are not known.
void pl_clause_facts_update(const PieEngine* engine, PlCell* clause);

// Drops the facts of the body from a record whose body a rewrite changed in place (the
// optimiser's group of goals is no conjunction): kPlStatusReadKey, and the opening test, whose try
// would read the group as a conjunction.
inline void pl_clause_facts_body_rewritten(PlCell* clause) {
    if ((clause->clause.facts & PLC_FIRST_TYPE) == 0) clause->first_key = 0;
    if (clause->clause.facts & PLC_RULE) clause->clause.facts &= static_cast<uint16_t>(~PLC_OPENING_TEST);
}

// The record's facts, as kept.
inline PlClauseFacts pl_clause_facts(const PlCell* clause) {
    return PlClauseFacts{clause->clause.facts, clause->first_key};
}

// A count of the changes to clause lists and to the records in them, across every engine of the
// process: an index of a list (pie/run/clause_index.h) kept at one count is stale at another.
// Every place that adds a clause to a functor's list or takes one out, and every update of a
// record's facts, counts a change.
inline std::atomic<uint64_t> pl_clause_changes{1};
inline uint64_t pl_clause_change_count() { return pl_clause_changes.load(std::memory_order_relaxed); }
inline void pl_clause_lists_changed() { pl_clause_changes.fetch_add(1, std::memory_order_relaxed); }

// The slots of a record's frame past which an index stops taking it to fit a frame: a record that
// grows past them (a variable added to a clause already in a list) counts as a change.
constexpr uint32_t kPlSlotsWatched = 256;
inline void pl_clause_slots_grew(uint32_t var_count) {
    if (var_count > kPlSlotsWatched) [[unlikely]]
        pl_clause_lists_changed();
}
