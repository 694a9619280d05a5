// Unification of two terms, each read in its own frame, and the two comparisons of terms: identity
// (==) and structural equality (used to tell whether a recorded list value changed).
#pragma once

#include "pie/terms/clause_facts.h"
#include "pie/terms/term.h"

#include <cstdint>

struct PieEngine;
struct PlFrame;

// 1 when a and b unify (bindings are made and trailed), else 0. Cells that cannot be unified (a
// clause record, an operator node) raise 4111.
int pl_unification_sub(PieEngine* engine, PlCell* a, PlFrame* fa, PlCell* b, PlFrame* fb);
// The same for a goal (or a goal's argument) and a clause's head (or the head's argument) read in
// the clause's frame, by a walk led by the head's cells. The clause's frame is that of a clause
// try, made after the try's trail mark: its own slots are bound untrailed (a failed try releases
// the frame instead), whatever frame the engine holds untrailed outside the match.
int pl_match_head(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head, PlFrame* clause_frame);
// pl_match_head for a clause try that has just made the clause's frame (every slot unbound) for a
// goal that is a compound term: the two tests that holds for are left out, and the first variable
// of the head is known to be unbound. facts are the bits of its clause's facts, whose plan of the
// head (PLC_HEAD_PLAN, pie/terms/clause_facts.h) the match follows, or 0. A head with a plan and
// one without are each matched by a function of their own, so that each keeps its registers.
int pl_match_planned_head(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head, PlFrame* clause_frame,
                          uint32_t facts);
int pl_match_unplanned_head(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head, PlFrame* clause_frame);
inline int pl_match_rule_head(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head, PlFrame* clause_frame,
                              uint32_t facts) {
    if (facts & PLC_HEAD_PLAN) return pl_match_planned_head(engine, goal, goal_frame, head, clause_frame, facts);
    return pl_match_unplanned_head(engine, goal, goal_frame, head, clause_frame);
}
// The first count arguments of a goal and of a fact's head, each pair matched on its own and in
// order as pl_match_head matches it: 1 when all match.
int pl_match_arguments(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, PlCell* head, PlFrame* clause_frame,
                       uint32_t count);
// The same with tracing suspended.
int pl_unify(PieEngine* engine, PlCell* a, PlFrame* fa, PlCell* b, PlFrame* fb);

// 1 when a and b are identical after dereferencing; two unbound variables are identical only
// when they are the same variable. Cells no term holds raise 4098.
int term_compare(PieEngine* engine, PlCell* a, PlCell* b, PlFrame* frame);
// Structural equality; frame (may be null) is used to dereference both sides.
bool pl_terms_equal(PieEngine* engine, PlCell* a, PlCell* b, PlFrame* frame);

// Structural equality of a frame-free term and a term read in frame.
bool pl_terms_equal_in(PieEngine* engine, PlCell* a, PlCell* b, PlFrame* frame);

// Whether the member set holds the integer or atom cell.
bool pl_member_holds(const PlCell* set, const PlCell* cell);

// Structural equality of two dereferenced terms that hold no arguments, decided without a walk:
// 1 or 0, or -1 when either needs the whole comparison.
inline int pl_constants_equal(const PlCell* a, const PlCell* b) {
    if (a->type != b->type) return a->type == PL_VAR || b->type == PL_VAR ? -1 : 0;
    if (a->type == PL_INT) return a->value == b->value;  // the commonest, before the other kinds
    switch (a->type) {
    case PL_NIL: case PL_ANONYMOUS: case PL_UNBOUND: return 1;
    case PL_FUNCTOR:
        if (a->fn.functor != b->fn.functor) return 0;
        return a->fn.args && a->fn.args->count ? -1 : 1;
    default: return -1;
    }
}
