// The optimiser's run over the program, and the flattening of conjunctions into and-groups.
#include "pie/build/optimiser.h"

#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/terms/clause_facts.h"
#include "pie/terms/list.h"
#include "pie/build/preprocessor.h"
#include "pie/build/program.h"
#include "pie/terms/work_stack.h"

#include <unordered_map>
#include <vector>

namespace {

bool is(const PieEngine* engine, const PlCell* cell, int which) {
    return pl_is_functor(cell, pl_predefined(engine, which));
}

bool rewritable(const PieEngine* engine, const PlCell* clause) {
    if (clause->type != PL_CLAUSE || (clause->clause.flags & PLR_OPTIMISED) || !clause->clause.term) return false;
    const PlCell* term = clause->clause.term;
    if (!is(engine, term, PLP_neck_2)) return false;
    const PlCell* head = pl_arg(term, 0);
    return head->type == PL_FUNCTOR && !(head->fn.functor->flags & PLF_SYSTEM);
}

}  // namespace

void pl_flatten_body(PieEngine* engine, PlCell* rule) {
    PlCell*& body = rule->clause.term->fn.args->items[1];
    if (!is(engine, body, PLP_comma_2)) return;
    std::vector<PlCell*> goals;
    PlWorkStack<PlCell*> work(body);
    while (!work.empty()) {
        PlCell* goal = work.back();
        work.pop_back();
        if (is(engine, goal, PLP_comma_2)) {
            work.push_back(pl_arg(goal, 1));
            work.push_back(pl_arg(goal, 0));
        } else {
            goals.push_back(goal);
        }
    }
    PlCell* items = engine->cell.nil;
    for (auto it = goals.rbegin(); it != goals.rend(); ++it) items = pl_make_list(engine, *it, items);
    body = pl_make_and_group(engine, items);
}

void pl_optimise_program(PieEngine* engine) {
    PlProgram* program = engine->program;
    if (!program) return;
    std::vector<PlFunctor*> predicates;
    std::unordered_map<PlFunctor*, std::vector<PlCell*>> rules;
    for (PlList* list : program->clauses)
        pl_list_each(list, [&](void* item) {
            auto* clause = static_cast<PlCell*>(item);
            if (!rewritable(engine, clause)) return;
            PlFunctor* head = pl_arg(clause->clause.term, 0)->fn.functor;
            auto [it, fresh] = rules.try_emplace(head);
            if (fresh) predicates.push_back(head);
            it->second.push_back(clause);
        });
    for (PlFunctor* predicate : predicates) {
        const std::vector<PlCell*>& clauses = rules[predicate];
        pl_share_common_goals(engine, predicate, clauses);
        for (PlCell* clause : clauses) {
            pl_rewrite_member_sets(engine, clause);
            pl_flatten_body(engine, clause);
            clause->clause.flags |= PLR_OPTIMISED;
            pl_clause_facts_body_rewritten(clause);
        }
    }
    // This load may have given an item of an earlier member set a rule of another kind.
    for (PlList* list : program->clauses)
        pl_list_each(list, [&](void* item) {
            auto* clause = static_cast<PlCell*>(item);
            if (clause->type == PL_CLAUSE && (clause->clause.flags & PLR_OPTIMISED)) pl_restore_member_tests(engine, clause);
        });
}
