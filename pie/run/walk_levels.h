// The levels of a walk over lists, p([A | B], C, [A | D]) :- p(B, C, D), as the loop of one-goal
// bodies runs them once the rule has matched: what the loop's general steps work out again at
// every level (the lists of p, its once cells and flags, the look at first arguments that passes
// over the clauses before the rule, the rule's parts and the tests of its head's plan) holds for
// every level of one walk, for nothing runs between them but head matches that bind the goal's
// unbound D and so read no item's status (no rule runs). It is read once, from the clause lists as
// the loader left them, and each level then takes only what may change.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/call_steps.h"
#include "pie/run/head_filter.h"
#include "pie/run/walk_recording.h"
#include "pie/terms/clause_facts.h"
#include "pie/terms/functor.h"
#include "pie/terms/list.h"

namespace pl_walk_levels {

// What a level of the walk reads of its rule: the rule (a record of f walking into f), its node
// in the list the level takes it from, its head, its body and the size of its frame.
// Left unset until walk_fits fills it: the loop that keeps one would set it on every call.
struct Rule {
    PlCell* clause;
    PlListNode* node;
    PlList* list;
    PlCell* head;
    PlCell* body;
    uint32_t variables;
    int32_t line;  // the head's, the warning line of the rule's try
    // The clause the look lands on for a level whose first argument is "[]", the walk's end, where
    // that is a fact; else nullptr.
    PlListNode* end;
};

// Whether the level that is about to run the body of clause, a rule of f found in node of list by
// a level that took every list of f (not its third alone), leaves each level of the walk below it
// to the steps of this file, and if so its parts in rule. A level of f finds the rule at once
// when its first argument is a list: f, no property, has clauses only in its first list, no once
// cell and no flag of the steps a level takes (settled, refused, all lists), and every clause
// before the rule is passed over by the look for a list; the rule is known to be one and to walk.
[[gnu::noinline]] inline bool walk_fits(const PieEngine* engine, const PlFunctor* f, PlCell* clause, PlListNode* node,
                                        PlList* list, Rule& rule) {
    using namespace pl_head_filter_detail;
    if ((engine->flags & (PLE_TRACE | PLE_WALK_GENERAL)) || f->owner || f->builtin || f->once_cells ||
        (f->flags & (PLF_SETTLED | PLF_REFUSE | PLF_ALL_LISTS)) || f == engine->direct_is_functor)
        return false;
    if (f->clauses[0] != list || !pl_list_empty_or_null(f->clauses[1]) || !pl_list_empty_or_null(f->clauses[2]))
        return false;
    if (!is_record(clause) || !(clause->clause.facts & PLC_KNOWN) || !pl_walk_recording::walks_into(clause, f))
        return false;
    // The look's key for a list is its type alone (key_word).
    const uint64_t list_key = PL_LIST;
    for (PlListNode* before = list->next; before != node; before = before->next)
        if (before == list || !pl_head_clashes(engine, f, list_key, static_cast<PlCell*>(before->item))) return false;
    rule.clause = clause;
    rule.node = node;
    rule.list = list;
    rule.head = pl_arg(clause->clause.term, 0);
    rule.body = pl_arg(clause->clause.term, 1);
    rule.variables = clause->clause.var_count;
    rule.line = static_cast<int32_t>(rule.head->line);
    // The look stops at the last clause of the list, or the first before it that "[]" meets.
    PlListNode* end = list->next;
    while (end->next != list && pl_head_clashes(engine, f, uint64_t{PL_NIL}, static_cast<PlCell*>(end->item)))
        end = end->next;
    const auto* fact = static_cast<const PlCell*>(end->item);
    rule.end = is_record(fact) && (fact->clause.facts & PLC_KNOWN) && !(fact->clause.facts & (PLC_RULE | PLC_BRANCH))
                   ? end
                   : nullptr;
    return true;
}

}  // namespace pl_walk_levels
