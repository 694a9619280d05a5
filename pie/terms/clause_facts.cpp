// Working out a clause's facts from its term.
#include "pie/terms/clause_facts.h"

PlClauseFacts pl_clause_facts_of(const PieEngine* engine, const PlCell* term) {
    PlClauseFacts facts{PLC_KNOWN, 0};
    if (term->type != PL_FUNCTOR || !term->fn.args) return facts;
    const PlCell* head = term;
    if (pl_is_neck(engine, term->fn.functor)) {
        facts.bits |= PLC_RULE;
        head = term->fn.args->items[0];
        if (head->type != PL_FUNCTOR || !head->fn.args) return facts;
    }
    if (!head->fn.args->count) return facts;
    const PlCell* first = head->fn.args->items[0];
    switch (first->type) {
    case PL_INT: facts.key = static_cast<uint32_t>(first->value); break;
    case PL_FUNCTOR: facts.key = first->fn.functor->serial; break;
    case PL_LIST:
    case PL_NIL: break;
    default: return facts;  // a variable or anything else clashes with nothing
    }
    facts.bits |= first->type;
    return facts;
}

void pl_clause_facts_update(const PieEngine* engine, PlCell* clause) {
    const PlClauseFacts facts = clause->clause.term ? pl_clause_facts_of(engine, clause->clause.term) : PlClauseFacts{};
    clause->clause.facts = static_cast<uint16_t>(facts.bits);
    clause->first_key = facts.key;
}
