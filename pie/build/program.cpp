// The program root, and the bookkeeping that keeps complements, default clauses and clause
// numbers consistent when clauses leave the program.
#include "pie/build/program.h"

#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/terms/clause_facts.h"
#include "pie/terms/hash.h"
#include "pie/terms/list.h"
#include "pie/terms/term_walk.h"

#include <vector>

namespace {

size_t hash_functor(const void* key) { return static_cast<const PlFunctor*>(key)->name->serial; }

}  // namespace

void pl_program_create(PieEngine* engine) {
    auto* program = pl_pool_new<PlProgram>(engine, &engine->main_pool);
    for (PlList*& list : program->clauses) list = pl_list_new(engine);
    program->functors = pl_hash_create(engine, &engine->main_pool, pl_compare_functors, hash_functor, 10);
    engine->program = program;
}

void pl_program_link_clause(PieEngine* engine, PlCell* clause, PlFunctor* functor, int list) {
    pl_list_append(engine, engine->program->clauses[list], clause);
    pl_list_append(engine, functor->clauses[list], clause);
    pl_clause_lists_changed();
}

// Every clause stored names its functor here, most of them a functor entered before: the mark
// answers those without a probe of the table.
void pl_program_add_functor(PieEngine* engine, PlFunctor* functor) {
    if (functor->marks & PLM_IN_PROGRAM) return;
    pl_hash_add(engine, engine->program->functors, functor);
    functor->marks |= PLM_IN_PROGRAM;
}

namespace {

PlCell* head_of(PieEngine* engine, PlCell* clause) { return pl_clause_head(engine, clause->clause.term); }

void relink_complement(PieEngine* engine, PlFunctor* fact) {
    bool all_on = true, all_off = true, any = false;
    pl_list_each(fact->clauses[PL_WRITTEN], [&](void* item) {
        const PlCell* value = pl_arg(head_of(engine, static_cast<PlCell*>(item)), 0);
        any = true;
        all_on = all_on && value == engine->cell.ON;
        all_off = all_off && value == engine->cell.OFF;
    });
    if (!any || (!all_on && !all_off)) return;
    while (void* clause = pl_list_retire_first(engine, fact->clauses[PL_COMPLEMENTS]))
        pl_list_retire_item(engine, engine->program->clauses[PL_COMPLEMENTS], clause);
    PlCell* head = pl_make_term(engine, fact);
    head->fn.args->items[0] = all_on ? engine->cell.OFF : engine->cell.ON;
    PlCell* term = pl_make_term(engine, pl_predefined(engine, PLP_neck_2));
    term->fn.args->items[0] = head;
    term->fn.args->items[1] = engine->cell.true_;
    PlCell* complement = pl_make_clause(engine, PL_CLAUSE, term);
    complement->clause.flags = 0x1;
    pl_program_link_clause(engine, complement, fact, PL_COMPLEMENTS);
    fact->flags = (fact->flags & ~(PLF_ON_WRITTEN | PLF_OFF_WRITTEN)) | (all_on ? PLF_ON_WRITTEN : PLF_OFF_WRITTEN);
}

}  // namespace

void pl_program_renumber(PieEngine* engine) {
    for (PlList* list : engine->program->clauses) {
        uint32_t number = 0;
        pl_list_each(list, [&](void* item) {
            PlCell* head = head_of(engine, static_cast<PlCell*>(item));
            ++number;
            if (head->type == PL_FUNCTOR && !pl_cell_is_shared(engine, head)) head->line = number;
        });
    }
    engine->program->changed = 0;
}

void pl_program_unlink_clause(PieEngine* engine, PlCell* clause) {
    PlList* all = engine->program->clauses[PL_WRITTEN];
    for (PlListNode* node = all->next; node != all; node = node->next) {
        if (node->item != clause) continue;
        if (node == engine->load_anchor) engine->load_anchor = node->prev;
        pl_list_retire_node(engine, node);
        return;
    }
}

void pl_program_clause_removed(PieEngine* engine, PlCell* clause) {
    PlCell* head = head_of(engine, clause);
    if (head->type == PL_FUNCTOR && head->fn.functor->arity == 1 && (head->fn.functor->flags & PLF_HOST_FACT) &&
        !head->fn.functor->owner && !(head->fn.functor->flags & PLF_REPLACEMENT))
        relink_complement(engine, head->fn.functor);
    std::vector<PlFunctor*> items;
    pl_walk_top_down(clause->clause.term, [&](PlCell*& cell) {
        if (cell->type != PL_FUNCTOR || pl_cell_is_shared(engine, cell)) return true;
        PlFunctor* f = cell->fn.functor;
        if (f->flags & (PLF_SYSTEM | PLF_CONSTANT)) return true;
        --f->uses;
        if (f->arity == 1) items.push_back(f);
        return true;
    });
    for (PlFunctor* f : items) {
        if (f->uses > 0 || !(f->marks & PLM_DEFAULT_CLAUSE)) continue;
        while (void* defaults = pl_list_retire_first(engine, f->clauses[PL_DEFAULTS]))
            pl_list_retire_item(engine, engine->program->clauses[PL_DEFAULTS], defaults);
        f->marks &= ~PLM_DEFAULT_CLAUSE;
        pl_clause_lists_changed();
    }
    engine->program->changed = 1;
}
