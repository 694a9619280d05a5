// Term copy and release. Both walk with a work list, so that a long body or list needs no
// native stack; clause terms are trees, so every structure cell is met once.
#include "pie/terms/term_copy.h"

#include "pie/api/engine.h"
#include "pie/terms/work_stack.h"


namespace {

bool is_structure(const PlCell* cell) {
    switch (cell->type) {
    case PL_FUNCTOR:
        // A compound or atom cell is shared only as its functor's one atom term
        // (pl_cell_is_shared); asked here inline, since a copy asks every cell.
        return cell->fn.functor->atom_term != cell;
    case PL_LIST:
    case PL_AND_GROUP:
    case PL_MEMBER:
        return true;
    default:
        return false;
    }
}

// A cell of the original and the place in the copy that must point at its copy.
struct CopyStep {
    PlCell* cell;
    PlCell** place;
};

}  // namespace

PlCell* pl_term_copy(PieEngine* engine, PlCell* term) {
    PlCell* result = term;
    PlWorkStack<CopyStep> work(CopyStep{term, &result});
    while (!work.empty()) {
        auto [cell, place] = work.back();
        work.pop_back();
        if (!is_structure(cell)) {
            *place = cell;
            continue;
        }
        PlCell* copy = pl_cell_new(engine, cell->type);
        copy->line = cell->line;
        *place = copy;
        switch (cell->type) {
        case PL_FUNCTOR: {
            PlFunctor* functor = cell->fn.functor;
            const uint32_t count = cell->fn.args ? cell->fn.args->count : 0;
            copy->fn.functor = functor;
            copy->fn.args = pl_vector_alloc(engine, &engine->main_pool, count);
            ++functor->uses;
            for (uint32_t i = count; i-- > 0;) work.push_back(CopyStep{cell->fn.args->items[i], &copy->fn.args->items[i]});
            break;
        }
        case PL_LIST:
            work.push_back(CopyStep{cell->list.tail, &copy->list.tail});
            work.push_back(CopyStep{cell->list.head, &copy->list.head});
            break;
        default:  // and-group, member set
            work.push_back(CopyStep{cell->items, &copy->items});
            break;
        }
    }
    return result;
}

void pl_term_release(PieEngine* engine, PlCell* term) {
    PlWorkStack<PlCell*> work(term);
    while (!work.empty()) {
        PlCell* cell = work.back();
        work.pop_back();
        if (!cell || pl_cell_is_shared(engine, cell)) continue;
        switch (cell->type) {
        case PL_FUNCTOR:
            --cell->fn.functor->uses;
            if (cell->fn.args)
                for (uint32_t i = 0; i < cell->fn.args->count; ++i) work.push_back(cell->fn.args->items[i]);
            break;
        case PL_LIST:
            work.push_back(cell->list.head);
            work.push_back(cell->list.tail);
            break;
        case PL_AND_GROUP:
        case PL_MEMBER:
            work.push_back(cell->items);
            break;
        case PL_PREFIX:
        case PL_INFIX:
        case PL_POSTFIX:
            work.push_back(cell->op.left);
            work.push_back(cell->op.right);
            break;
        default:
            // A variable may stand many times in its clause, a tag in many clauses: releasing
            // them here would put one cell on the free list twice.
            continue;
        }
        pl_cell_release(engine, cell);
    }
}

PlCell* pl_atom_term_of(PieEngine* engine, PlCell* cell) {
    PlFunctor* functor = cell->fn.functor;
    if (!functor->atom_term)
        functor->atom_term = cell;
    else if (cell != functor->atom_term)
        pl_cell_release(engine, cell);
    ++functor->uses;
    return functor->atom_term;
}
