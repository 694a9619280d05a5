// The post-load pass. Each step runs only on the clauses whose rewrite flags call for it, and
// only on the clauses of the text just loaded, so loading a second text does not rework (or
// fold twice) what the first one left.
#include "pie/build/post_load.h"

#include "pie/build/compiler.h"
#include "pie/build/element_control.h"
#include "pie/api/engine.h"
#include "pie/terms/clause_facts.h"
#include "pie/terms/list.h"
#include "pie/build/preprocessor.h"
#include "pie/build/program.h"
#include "pie/build/simplify.h"
#include "pie/terms/term_copy.h"
#include "pie/terms/term_walk.h"

namespace {

bool is(const PieEngine* engine, const PlCell* cell, int which) {
    return pl_is_functor(cell, pl_predefined(engine, which));
}

PlCell* truth(PieEngine* engine, bool holds) { return holds ? engine->cell.true_ : engine->cell.fail; }

PlCell* conjunction(PieEngine* engine, PlCell* a, PlCell* b) {
    PlCell* goal = pl_make_term(engine, pl_predefined(engine, PLP_comma_2));
    goal->fn.args->items[0] = a;
    goal->fn.args->items[1] = b;
    return goal;
}

PlCell* element_goal(PieEngine* engine, int which, PlCell* item, PlCell* elements) {
    PlCell* goal = pl_make_term(engine, pl_predefined(engine, which));
    goal->fn.args->items[0] = item;
    goal->fn.args->items[1] = elements;
    return goal;
}

void fold_platform(PieEngine* engine, PlCell*& body) {
    pl_walk_top_down(body, [&](PlCell*& goal) {
        struct Row { int which; bool holds; };
        for (Row row : {Row{PLP_winNT_0, engine->winNT != 0}, Row{PLP_win2k_0, engine->win2k != 0},
                        Row{PLP_win95_0, engine->win95 != 0}, Row{PLP_win98_0, engine->win98 != 0},
                        Row{PLP_win9X_0, engine->win95 || engine->win98},
                        Row{PLP_Folionix_0, engine->folionix_answer == 1}, Row{PLP_SDK_0, engine->sdk_answer == 1}})
            if (is(engine, goal, row.which)) {
                goal = truth(engine, row.holds);
                return false;
            }
        return true;
    });
}

// select_enable(I, Es): every element off, then the listed ones on (likewise select_show).
void rewrite_select(PieEngine* engine, PlCell*& body) {
    pl_walk_top_down(body, [&](PlCell*& goal) {
        const bool enable = is(engine, goal, PLP_select_enable_2);
        if (!enable && !is(engine, goal, PLP_select_show_2)) return true;
        PlCell* item = pl_arg(goal, 0);
        PlCell* elements = pl_arg(goal, 1);
        goal = conjunction(engine,
                           element_goal(engine, enable ? PLP_disable_element_2 : PLP_hide_element_2, item, engine->cell.anonymous),
                           element_goal(engine, enable ? PLP_enable_element_2 : PLP_show_element_2, item, elements));
        return false;
    });
}

// wait([a, b]) enters a/1 and b/1 in the head's wait list and becomes true.
void replace_wait(PieEngine* engine, PlFunctor* head, PlCell*& body) {
    pl_walk_top_down(body, [&](PlCell*& goal) {
        if (!is(engine, goal, PLP_wait_1)) return true;
        if (head->owner) pl_fatal_error(engine, PL_ERR_PROPERTY_GOAL, "replace_wait", "wait", 1);
        PlCell* list = pl_arg(goal, 0);
        if (list->type != PL_LIST && list->type != PL_NIL) pl_fatal_error(engine, PL_ERR_WAIT_LIST, "check_wait3");
        for (PlCell* c = list; c->type != PL_NIL; c = c->list.tail) {
            if (c->type != PL_LIST) pl_fatal_error(engine, PL_ERR_WAIT_LIST, "check_wait3");
            const PlCell* name = c->list.head;
            if (name->type != PL_FUNCTOR || name->fn.functor->arity != 0)
                pl_fatal_error(engine, PL_ERR_WAIT_ELEMENT, "check_wait3");
        }
        if (!head->waits) head->waits = pl_list_new(engine);
        for (PlCell* c = list; c->type == PL_LIST; c = c->list.tail) {
            PlFunctor* waited = pl_unary_functor(engine, c->list.head->fn.functor);
            if (!pl_list_find(head->waits, [](void*, void* item, void* key) { return item == key ? 1 : 0; }, nullptr, waited))
                pl_list_append(engine, head->waits, waited);
        }
        pl_term_release(engine, goal);
        goal = engine->cell.true_;
        return false;
    });
}

PlCell* head_of(PlCell* clause) { return pl_arg(clause->clause.term, 0); }

}  // namespace

void pl_post_load(PieEngine* engine, PlListNode* after) {
    PlList* clauses = engine->program->clauses[PL_WRITTEN];
    const int32_t line = engine->line;
    for (PlListNode* node = after->next, *next; node != clauses; node = next) {
        next = node->next;
        auto* clause = static_cast<PlCell*>(node->item);
        const uint32_t flags = clause->clause.flags;
        if (clause->type != PL_CLAUSE || (flags & PLR_FACT) || !is(engine, clause->clause.term, PLP_neck_2)) continue;
        PlCell* head = head_of(clause);
        PlCell*& body = clause->clause.term->fn.args->items[1];
        engine->line = static_cast<int32_t>(head->line);
        if (flags & PLR_PLATFORM) fold_platform(engine, body);
        if (flags & PLR_SELECT) rewrite_select(engine, body);
        if (flags & PLR_WAIT) replace_wait(engine, head->fn.functor, body);
        if (flags & (PLR_SELECT | PLR_PLATFORM | PLR_WAIT)) pl_simplify(engine, body);
        // A rule left with nothing to do is taken out: kept with body true, it would hold for
        // any argument.
        if ((flags & PLR_ELEMENT) && !pl_expand_element_controls(engine, clause)) {
            pl_list_remove_item(engine, head->fn.functor->clauses[PL_WRITTEN], clause);
            pl_list_remove_node(engine, node);
            pl_clause_lists_changed();
        }
    }
    engine->line = line;
}

void pl_substitute_constants(PieEngine* engine) {
    pl_list_each(engine->program->clauses[PL_WRITTEN], [&](void* item) {
        auto* clause = static_cast<PlCell*>(item);
        if (clause->type != PL_CLAUSE || !is(engine, clause->clause.term, PLP_neck_2)) return;
        pl_walk_top_down(clause->clause.term->fn.args->items[1], [&](PlCell*& goal) {
            if (goal->type != PL_FUNCTOR || goal->fn.functor->arity != 1 || !(goal->fn.functor->flags & PLF_CONSTANT))
                return true;
            PlCell* value = goal->fn.functor->constant;
            PlCell* argument = pl_arg(goal, 0);
            if (argument->type == PL_VAR) {
                PlCell* unify = pl_make_term(engine, pl_predefined(engine, PLP_unify_2));
                unify->fn.args->items[0] = argument;
                unify->fn.args->items[1] = value;
                goal = unify;
            } else {
                goal = truth(engine, argument == value);
            }
            return false;
        });
    });
}
