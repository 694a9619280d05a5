// A read of an item through its default clause, Item(_X) :- !, status(Item, _X), answered as the
// try of that clause answers it, without the clause's frame, its head's match and the chain of
// its body: a propagation asks an item's third list alone, where that clause most often stands
// alone, for nearly every item a rule reads.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/call_steps.h"
#include "pie/run/head_filter.h"
#include "pie/run/held_status.h"
#include "pie/run/interpreter.h"
#include "pie/run/unify.h"
#include "pie/run/unify_steps.h"
#include "pie/terms/list.h"

constexpr int kPlNotReadDirectly = -2;

namespace pl_default_read_detail {

// The levels of depth the body "!, status(Item, _X)" takes at its deepest: the call of the
// conjunction and the conjunction (8), then the call of status (4).
inline constexpr int kStatusBodyDepth = 12;

// A cell of a functor without arguments: an atom, as an item's value most often is.
[[gnu::always_inline]] inline bool is_atom_cell(const PlCell* c) {
    return c->type == PL_FUNCTOR && (!c->fn.args || !c->fn.args->count);
}

// Two atoms as the unification answers them: the same functor matches, another fails; -1 for a
// pair it looks into (a unary functor's terms with arguments on both sides).
[[gnu::always_inline]] inline int atoms_meet(const PlCell* a, const PlCell* b) {
    if (a->fn.functor != b->fn.functor) return 0;
    return a->fn.functor->arity != 1 || !a->fn.args || !b->fn.args ? 1 : -1;
}

// Whether clause is a rule F(_X) :- !, status(Item, _X) with the system's conjunction, cut and
// status, as the loader gives an item for its default clause; item is the functor status reads,
// c the clause's parts. The rule's shape is kept in its facts (kPlStatusReadKey), made with its
// term; what may change since is asked here: the engine's flags on the conjunction and status.
inline bool is_status_rule(PieEngine* engine, PlCell* clause, PlClauseParts& c, PlFunctor*& item) {
    using namespace pl_head_filter_detail;
    if (!is_record(clause)) return false;
    const PlClauseFacts facts = facts_of(engine, clause);
    if ((facts.bits & (PLC_RULE | PLC_FIRST_TYPE)) != PLC_RULE || facts.key != kPlStatusReadKey) return false;
    // The body runs as a chain where the conjunction is the system's, untraced and not refused.
    const PlFunctor* comma = engine->predefined[PLP_comma_2];
    if (comma->builtin != pl_call_logical_and || (comma->flags & (PLF_SYSTEM | PLF_REFUSE)) != PLF_SYSTEM ||
        comma->once_cells)
        return false;
    PlFunctor* reader = engine->predefined[PLP_status_2];
    if (!pl_calls_builtin_directly(engine, reader) || reader->once_cells) return false;
    c = pl_record_parts(clause, facts);
    // The item as status finds it from its first argument: name/1, looked up once.
    PlFunctor* name = pl_arg(pl_arg(pl_arg(c.term, 1), 1), 0)->fn.functor;
    item = name->unary ? name->unary : pl_unary_functor(engine, name);
    return true;
}

}  // namespace pl_default_read_detail

// A call of f for goal (read in goal_frame) that tries f's third list alone, untraced, where that
// list holds one clause of the form F(_X) :- !, status(Item, _X) with the system's conjunction,
// cut and status: what the try answers, PL_SUCCESS or PL_STOP (the status did not hold, and the
// cut stopped the call; what the unification bound is the caller's to undo from its mark), with
// node the clause's node and the warning line the head's, as the try leaves them. The head binds
// its variable to the goal's argument and nothing else; status reads the item and unifies its
// value with that argument at the depth its call has inside the body. kPlNotReadDirectly, with
// nothing done, for any other call and wherever the body's levels of depth would come to the
// limit or to a look at the native stack. limit: the engine's depth limit.
[[gnu::always_inline]] inline int pl_read_through_default_clause(PieEngine* engine, PlFunctor* f, PlCell* goal,
                                                                PlFrame* goal_frame, int limit, PlListNode** node) {
    using namespace pl_default_read_detail;
    // A property's goal carries its key after the value: its clauses are left to their tries.
    if ((engine->flags & PLE_TRACE) || f->owner || !goal->fn.args || goal->fn.args->count != 1)
        return kPlNotReadDirectly;
    PlList* list = f->clauses[2];
    if (!list || list->next == list || list->next->next != list) return kPlNotReadDirectly;
    const int depth = engine->depth;
    if (depth + kStatusBodyDepth > limit || ((depth ^ (depth + kStatusBodyDepth)) & ~63) != 0)
        return kPlNotReadDirectly;
    PlClauseParts c;
    PlFunctor* item = nullptr;
    if (!is_status_rule(engine, static_cast<PlCell*>(list->next->item), c, item)) return kPlNotReadDirectly;
    *node = list->next;
    engine->warning_line = static_cast<int32_t>(c.head->line);
    engine->depth = depth + kStatusBodyDepth;
    // The body's table holds nothing when status asks it.
    PlCell* value;
    if (!pl_held_status(engine, item, value)) value = pl_item_status(engine, item, nullptr);
    // The goal's "_", the commonest argument, meets any value, and its atom an atom value as the
    // unification answers them, where the unification's level would come to no limit and no look
    // at the stack.
    PlCell* argument = pl_arg(goal, 0);
    int met = -1;
    if (value && (argument->type == PL_ANONYMOUS || (is_atom_cell(argument) && is_atom_cell(value))) &&
        pl_levels_quiet(engine, kPlUnifyLevels))
        met = argument->type == PL_ANONYMOUS ? 1 : atoms_meet(argument, value);
    const bool holds = met >= 0 ? met : value && pl_unification_sub(engine, argument, goal_frame, value, nullptr);
    engine->depth = depth;
    return holds ? PL_SUCCESS : PL_STOP;
}
