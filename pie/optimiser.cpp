// The optimiser's run over the program, and its two rewrites that work on one rule at a time:
// member sets for item tests against a list, and and-groups for conjunctions.
#include "pie/optimiser.h"

#include "pie/compiler.h"
#include "pie/engine.h"
#include "pie/list.h"
#include "pie/preprocessor.h"
#include "pie/program.h"
#include "pie/term_walk.h"

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

// How often each variable slot occurs in the clause, head and body.
std::vector<uint32_t> variable_counts(PlCell* term) {
    std::vector<uint32_t> counts;
    pl_walk_top_down(term, [&](PlCell*& cell) {
        if (cell->type == PL_VAR && cell->var.slot >= 0) {
            const auto slot = static_cast<size_t>(cell->var.slot);
            if (slot >= counts.size()) counts.resize(slot + 1);
            ++counts[slot];
        }
        return true;
    });
    return counts;
}

bool is_choice_list(const PlCell* list) {
    for (; list->type == PL_LIST; list = list->list.tail) {
        const PlCell* element = list->list.head;
        const bool atom = element->type == PL_FUNCTOR && (!element->fn.args || element->fn.args->count == 0);
        if (!atom && element->type != PL_INT) return false;
    }
    return list->type == PL_NIL;
}

class MemberSets {
public:
    MemberSets(PieEngine* engine, PlCell* term) : e_(engine), counts_(variable_counts(term)) {}

    // Tries the patterns at every conjunction of the body; other compound goals are searched
    // through. The negative patterns ("G(X), not(member(X, L))") are left alone: not(G(Set))
    // would hold for an item that has no value at all, where the written test fails.
    void rewrite(PlCell*& body) {
        std::vector<PlCell**> work{&body};
        while (!work.empty()) {
            PlCell** slot = work.back();
            work.pop_back();
            if (is(e_, *slot, PLP_comma_2)) match(*slot);
            pl_for_each_child(*slot, [&](PlCell*& child) {
                if (child->type == PL_FUNCTOR || child->type == PL_LIST) work.push_back(&child);
            });
        }
    }

private:
    // The variable X of a goal G(X) that only this goal and one member test use.
    const PlCell* item_variable(const PlCell* goal) const {
        if (goal->type != PL_FUNCTOR) return nullptr;
        const PlFunctor* g = goal->fn.functor;
        if (g->arity != 1 || (g->flags & PLF_SYSTEM) || g->owner || !goal->fn.args || goal->fn.args->count != 1)
            return nullptr;
        const PlCell* x = pl_arg(goal, 0);
        if (x->type != PL_VAR || x->var.slot < 0) return nullptr;
        const auto slot = static_cast<size_t>(x->var.slot);
        return slot < counts_.size() && counts_[slot] == 2 ? x : nullptr;
    }

    // member(X, List) on the same variable with a list of atoms and integers: the list.
    PlCell* choice_list(const PlCell* goal, const PlCell* x) const {
        if (!is(e_, goal, PLP_member_2)) return nullptr;
        const PlCell* y = pl_arg(goal, 0);
        if (y->type != PL_VAR || y->var.slot != x->var.slot) return nullptr;
        PlCell* list = pl_arg(goal, 1);
        return is_choice_list(list) ? list : nullptr;
    }

    // "G(X), member(X, L)" becomes G(Set); "G(X), (member(X, L), Rest)" becomes "G(Set), Rest".
    void match(PlCell*& conjunction) {
        PlCell* goal = pl_arg(conjunction, 0);
        const PlCell* x = item_variable(goal);
        if (!x) return;
        PlCell* next = pl_arg(conjunction, 1);
        if (PlCell* list = choice_list(next, x)) {
            goal->fn.args->items[0] = pl_make_member(e_, list);
            conjunction = goal;
        } else if (is(e_, next, PLP_comma_2)) {
            if (PlCell* inner = choice_list(pl_arg(next, 0), x)) {
                goal->fn.args->items[0] = pl_make_member(e_, inner);
                next->fn.args->items[0] = goal;
                conjunction = next;
            }
        }
    }

    PieEngine* e_;
    std::vector<uint32_t> counts_;
};

}  // namespace

void pl_rewrite_member_sets(PieEngine* engine, PlCell* rule) {
    PlCell* term = rule->clause.term;
    MemberSets(engine, term).rewrite(term->fn.args->items[1]);
}

void pl_flatten_body(PieEngine* engine, PlCell* rule) {
    PlCell*& body = rule->clause.term->fn.args->items[1];
    if (!is(engine, body, PLP_comma_2)) return;
    std::vector<PlCell*> goals;
    std::vector<PlCell*> work{body};
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
        }
    }
}
