// Member sets: "G(X), member(X, List)" becomes one call G(Set) where that answers the same, and
// is spelled out again when a later load gives G a rule for which it would not.
#include "pie/build/optimiser.h"

#include "pie/terms/atoms.h"
#include "pie/terms/btree.h"
#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/terms/list.h"
#include "pie/build/program.h"
#include "pie/terms/term_walk.h"

#include <string>
#include <vector>

namespace {

bool is(const PieEngine* engine, const PlCell* cell, int which) {
    return pl_is_functor(cell, pl_predefined(engine, which));
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

bool is_constant(const PlCell* cell) {
    return cell->type == PL_INT || cell->type == PL_ANONYMOUS ||
           (cell->type == PL_FUNCTOR && (!cell->fn.args || cell->fn.args->count == 0));
}

// Whether G(Set) answers as G(X) followed by the member test. A member set meets a clause head
// by membership of the head's value, and meets a head variable with the item's status; so every
// clause of G must be a fact naming its value (or "_"), apart from the generated default clauses,
// which answer the status. A rule whose body works the value out would be judged by the status
// instead, and the body of a rule whose value lies outside the list would no longer run.
bool values_in_heads(PieEngine* engine, const PlFunctor* g) {
    for (int list = PL_WRITTEN; list < PL_DEFAULTS; ++list) {
        if (!g->clauses[list]) continue;
        for (const PlListNode* node = g->clauses[list]->next; node != g->clauses[list]; node = node->next) {
            const PlCell* term = static_cast<PlCell*>(node->item)->clause.term;
            const bool rule = is(engine, term, PLP_neck_2);
            if (rule && pl_arg(term, 1) != engine->cell.true_) return false;
            const PlCell* head = rule ? pl_arg(term, 0) : term;
            if (head->type != PL_FUNCTOR || !head->fn.args || !head->fn.args->count || !is_constant(pl_arg(head, 0)))
                return false;
        }
    }
    return true;
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
        if (g->arity != 1 || (g->flags & PLF_SYSTEM) || g->owner || !goal->fn.args || goal->fn.args->count != 1 ||
            !values_in_heads(e_, g))
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

// G(Set) whose item no longer answers only by facts and its status.
bool stale(PieEngine* engine, const PlCell* goal) {
    if (goal->type != PL_FUNCTOR || !goal->fn.args || goal->fn.args->count != 1) return false;
    const PlFunctor* g = goal->fn.functor;
    return g->arity == 1 && !(g->flags & PLF_SYSTEM) && pl_arg(goal, 0)->type == PL_MEMBER &&
           !values_in_heads(engine, g);
}

PlCell* conjunction(PieEngine* engine, PlCell* a, PlCell* b) {
    PlCell* goal = pl_make_term(engine, pl_predefined(engine, PLP_comma_2));
    goal->fn.args->items[0] = a;
    goal->fn.args->items[1] = b;
    return goal;
}

// Turns G(Set) back into G(X) with a variable new to the clause, and answers member(X, List).
PlCell* member_test(PieEngine* engine, PlCell* clause, PlCell* goal) {
    const BTree* names = clause->clause.vars;
    std::string name;
    for (uint32_t n = clause->clause.var_count;; ++n) {
        name = "_M" + std::to_string(n);
        if (!names || !btree_lookup(const_cast<BTree*>(names), pie_intern_string(engine, name.c_str()))) break;
    }
    PlCell* x = pl_clause_variable(engine, clause, pie_intern_string(engine, name.c_str()));
    PlCell* test = pl_make_term(engine, pl_predefined(engine, PLP_member_2));
    test->fn.args->items[0] = x;
    test->fn.args->items[1] = pl_arg(goal, 0)->items;
    goal->fn.args->items[0] = x;
    return test;
}

}  // namespace

void pl_rewrite_member_sets(PieEngine* engine, PlCell* rule) {
    PlCell* term = rule->clause.term;
    MemberSets(engine, term).rewrite(term->fn.args->items[1]);
}

void pl_restore_member_tests(PieEngine* engine, PlCell* rule) {
    std::vector<PlCell**> work{&rule->clause.term->fn.args->items[1]};
    while (!work.empty()) {
        PlCell** slot = work.back();
        work.pop_back();
        PlCell* cell = *slot;
        if (cell->type == PL_LIST) {  // the goals of a group: the test joins them after G
            if (stale(engine, cell->list.head))
                cell->list.tail = pl_make_list(engine, member_test(engine, rule, cell->list.head), cell->list.tail);
            work.push_back(&cell->list.tail);
            work.push_back(&cell->list.head);
        } else if (cell->type == PL_AND_GROUP) {
            work.push_back(&cell->items);
        } else if (stale(engine, cell)) {
            *slot = conjunction(engine, cell, member_test(engine, rule, cell));
        } else if (is(engine, cell, PLP_comma_2) && stale(engine, pl_arg(cell, 0))) {
            PlCell* rest = pl_arg(cell, 1);
            cell->fn.args->items[1] = conjunction(engine, member_test(engine, rule, pl_arg(cell, 0)), rest);
            work.push_back(&pl_arg(cell, 1)->fn.args->items[1]);
        } else if (cell->type == PL_FUNCTOR && !(is(engine, cell, PLP_not_1) && stale(engine, pl_arg(cell, 0)))) {
            // "not(G(Set))" is left alone: no written member test stands behind it.
            pl_for_each_child(cell, [&](PlCell*& child) { work.push_back(&child); });
        }
    }
}
