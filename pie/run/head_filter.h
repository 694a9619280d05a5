// A look at the first argument of a clause head before a frame is made for the clause: when it
// and the goal's first argument are constants or structures of different kinds (or different
// integers or functors), unifying the head would fail at its first step and leave nothing
// behind, so the clause is passed over without trying it. What a try reads of a clause is read
// once for it (PlClauseParts).
#pragma once

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/run/interpreter.h"
#include "pie/terms/functor.h"
#include "pie/terms/predefined_functors.h"

namespace pl_head_filter_detail {

inline bool comparable(PlCellType type) {
    return type == PL_INT || type == PL_FUNCTOR || type == PL_LIST || type == PL_NIL;
}

// a and b are comparable cells: whether unifying them fails without a look inside.
inline bool clash(const PlCell* a, const PlCell* b) {
    if (a->type != b->type) return true;
    if (a->type == PL_INT) return a->value != b->value;
    if (a->type == PL_FUNCTOR) return a->fn.functor != b->fn.functor;
    return false;
}

}  // namespace pl_head_filter_detail

// Whether a compound term's functor is the neck ":-"/2: the engine's own one, or any other of that
// name and arity.
inline bool pl_is_neck(const PieEngine* engine, const PlFunctor* f) {
    return f == engine->predefined[PLP_neck_2] || (f->arity == 2 && f->name == engine->atom.neck);
}

// What a try reads of a clause: its term, its head and the size of its frame.
struct PlClauseParts {
    PlCell* term;        // the clause's term (a bare term stands for itself)
    PlCell* head;        // a rule's head; the term itself for anything else
    uint32_t variables;  // slots of the clause's frame
    bool rule;           // a compound ":-"/2 term
};

inline PlClauseParts pl_clause_parts(const PieEngine* engine, PlCell* clause) {
    PlClauseParts c;
    const bool record = clause->type >= PL_CLAUSE && clause->type <= PL_QUERY_CLAUSE;
    c.term = record ? clause->clause.term : clause;
    c.variables = record ? clause->clause.var_count : 0;
    c.head = c.term;
    c.rule = false;
    if (c.term->type == PL_FUNCTOR && c.term->fn.args) {
        c.rule = pl_is_neck(engine, c.term->fn.functor);
        if (c.rule) c.head = c.term->fn.args->items[0];
    }
    return c;
}

// pl_clause_parts for a bare term standing for a clause, out of line: clause lists hold records.
[[gnu::noinline, gnu::cold]] inline PlClauseParts pl_bare_clause_parts(const PieEngine* engine, PlCell* clause) {
    return pl_clause_parts(engine, clause);
}

// The goal's side of the look, the same for every clause tried for the goal (a failed try leaves
// its bindings and the depth as they were): its first argument, or nullptr when no clause can be
// passed over. A property's key is matched before the first argument, and a unification at the
// depth limit raises its own error.
// limit is the engine's depth limit, for callers that have read it already.
inline const PlCell* pl_head_filter_key(PieEngine* engine, const PlCell* goal, PlFrame* goal_frame, int limit) {
    using namespace pl_head_filter_detail;
    if (goal->fn.functor->owner || !goal->fn.args || !goal->fn.args->count || engine->depth + 4 > limit) return nullptr;
    const PlCell* ours = pl_deref(goal->fn.args->items[0], goal_frame).term;
    return comparable(ours->type) ? ours : nullptr;
}
inline const PlCell* pl_head_filter_key(PieEngine* engine, const PlCell* goal, PlFrame* goal_frame) {
    return pl_head_filter_key(engine, goal, goal_frame, pl_depth_limit(engine));
}

// The clause's side of the look, from its head (the term itself for a fact, with arguments) and
// whether it is a rule: true when the head's first argument is a constant or structure that
// clashes with ours, so that trying the clause would fail with no effect (no binding, no host
// call, no trace line and no engine error). A clause too large for a frame raises its error when
// it is tried, so it is never passed over.
inline bool pl_first_argument_clashes(const PlFunctor* f, const PlCell* ours, const PlCell* head, bool rule,
                                      uint32_t variables) {
    using namespace pl_head_filter_detail;
    if (rule) {
        if (head->type != PL_FUNCTOR || head->fn.functor != f || !head->fn.args) return false;
    } else if (f->arity == 0) {
        return false;
    }
    if (!head->fn.args->count) return false;
    const PlCell* theirs = head->fn.args->items[0];
    if (!comparable(theirs->type) || !clash(ours, theirs)) return false;
    return pl_frame_fits(variables);
}

// True when clause cannot match a goal of f whose key is ours (see pl_first_argument_clashes);
// the steps run in the order that turns most clauses that can match away soonest.
inline bool pl_head_clashes(const PieEngine* engine, const PlFunctor* f, const PlCell* ours, const PlCell* clause) {
    if (clause->type < PL_CLAUSE || clause->type > PL_QUERY_CLAUSE) return false;
    const PlCell* term = clause->clause.term;
    if (term->type != PL_FUNCTOR || !term->fn.args) return false;
    const bool rule = pl_is_neck(engine, term->fn.functor);
    return pl_first_argument_clashes(f, ours, rule ? term->fn.args->items[0] : term, rule, clause->clause.var_count);
}

// The look and the parts in one walk over the clause, for the tries that read the parts of every
// clause the look lets through: false when the look passes clause over (as pl_head_clashes), else
// true with the clause's parts (as pl_clause_parts) in c. ours is the goal's key, nullptr when no
// clause can be passed over.
[[gnu::always_inline]] inline bool pl_clause_to_try(const PieEngine* engine, const PlFunctor* f, const PlCell* ours,
                                                   PlCell* clause, PlClauseParts& c) {
    if (clause->type < PL_CLAUSE || clause->type > PL_QUERY_CLAUSE) [[unlikely]] {
        c = pl_bare_clause_parts(engine, clause);
        return true;
    }
    PlCell* term = clause->clause.term;
    c.term = term;
    c.head = term;
    c.variables = clause->clause.var_count;
    c.rule = false;
    if (term->type != PL_FUNCTOR || !term->fn.args) return true;
    if (pl_is_neck(engine, term->fn.functor)) {
        c.rule = true;
        c.head = term->fn.args->items[0];
    }
    return !ours || !pl_first_argument_clashes(f, ours, c.head, c.rule, c.variables);
}

// A clause tried without the look, the try having failed before any body ran: where the look
// would have passed the clause over, the try failed at the head's first argument and changed
// nothing but the warning line, which the clause named; line, the one named before, is put back.
// ours is the goal's key. (A try that ran a body is one the look would have let through.)
inline void pl_look_after_try(PieEngine* engine, const PlFunctor* f, const PlCell* ours, const PlCell* clause,
                              int32_t line) {
    if (ours && pl_head_clashes(engine, f, ours, clause)) engine->warning_line = line;
}
