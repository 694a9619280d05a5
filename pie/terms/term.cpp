// Term cells and their constructors. Cells are recycled through a free list threaded through
// the cell itself; shared cells (small and interned integers, atom terms, the anonymous, empty
// list and unbound cells) are never put on it.
#include "pie/terms/term.h"

#include "pie/api/engine.h"
#include "pie/build/read_text.h"
#include "pie/terms/clause_facts.h"
#include "pie/terms/hash.h"

#include <cstring>
#include <iterator>

namespace {

PlCell* shared_cell(PieEngine* engine, PlCellType type) {
    PlCell* cell = pl_pool_new<PlCell>(engine, &engine->main_pool);
    cell->type = type;
    return cell;
}

size_t hash_integer(const void* key) { return static_cast<uint32_t>(*static_cast<const int32_t*>(key)); }

PlFunctor* comma(PieEngine* engine) { return pl_lookup_functor(engine, engine->atom.comma, 2, nullptr); }

}  // namespace

int pl_compare_integer_cells(const void* item, const void* key) {
    int32_t a = static_cast<const PlCell*>(item)->value, b = *static_cast<const int32_t*>(key);
    return a < b ? -1 : a > b ? 1 : 0;
}

void pl_cells_create(PieEngine* engine) {
    PlSharedCells& shared = engine->cell;
    shared.anonymous = shared_cell(engine, PL_ANONYMOUS);
    shared.nil = shared_cell(engine, PL_NIL);
    shared.unbound = shared_cell(engine, PL_UNBOUND);
    for (int32_t i = 0; i < 10; ++i) {
        shared.digits[i] = shared_cell(engine, PL_INT);
        shared.digits[i]->value = i;
    }
    engine->integers = pl_hash_create(engine, &engine->main_pool, pl_compare_integer_cells, hash_integer, 10);
    engine->empty_vector = pl_pool_new<PlVector>(engine, &engine->main_pool, PlVector{0});
    shared.ON = pl_make_atom(engine, engine->atom.ON);
    shared.OFF = pl_make_atom(engine, engine->atom.OFF);
    shared.true_ = pl_make_atom(engine, engine->atom.true_);
    shared.fail = pl_make_atom(engine, engine->atom.fail);
    shared.end_of_text = shared_cell(engine, PL_MARKER);
    shared.void_term = shared_cell(engine, PL_MARKER);
}

PlCell* pl_cell_new(PieEngine* engine, PlCellType type) {
    PlCell* cell = engine->free_cells;
    if (cell)
        engine->free_cells = cell->free_next;
    else
        cell = static_cast<PlCell*>(pl_pool_take(engine, &engine->main_pool, sizeof(PlCell)));
    std::memset(static_cast<void*>(cell), 0, sizeof *cell);
    cell->type = type;
    return cell;
}

bool pl_cell_is_shared(const PieEngine*, const PlCell* cell) {
    switch (cell->type) {
    case PL_ANONYMOUS:
    case PL_NIL:
    case PL_UNBOUND:
    case PL_INT:
    case PL_MARKER:
        return true;
    case PL_FUNCTOR:
        return cell->fn.functor->atom_term == cell;
    default:
        return false;
    }
}

void pl_cell_release(PieEngine* engine, PlCell* cell) {
    if (!cell || pl_cell_is_shared(engine, cell)) return;
    std::memset(static_cast<void*>(cell), 0, sizeof *cell);
    cell->type = PL_UNBOUND;  // a stale reference reads an unbound cell, not a half term
    cell->free_next = engine->free_cells;
    engine->free_cells = cell;
}

PlVector* pl_vector_alloc(PieEngine* engine, PlPool* pool, uint32_t count) {
    if (count == 0) return engine->empty_vector;
    size_t bytes = sizeof(PlVector) + count * sizeof(PlCell*);
    auto* vector = static_cast<PlVector*>(pl_pool_take(engine, pool, bytes));
    vector->count = count;
    // Most vectors hold a term's few arguments: stores, not a call of the library's memset.
    if (count <= 4) {
        PlCell** items = vector->items;
        items[0] = nullptr;
        if (count > 1) items[1] = nullptr;
        if (count > 2) items[2] = nullptr;
        if (count > 3) items[3] = nullptr;
    } else {
        std::memset(static_cast<void*>(vector->items), 0, count * sizeof(PlCell*));
    }
    return vector;
}

PlCell* pl_make_variable(PieEngine* engine, PlAtom* name) {
    if (name->length == 1 && name->name[0] == '_') return engine->cell.anonymous;
    PlCell* cell = pl_cell_new(engine, PL_VAR);
    cell->var.name = name;
    return cell;
}

PlCell* pl_make_integer(PieEngine* engine, int32_t value) {
    if (value >= 0 && value <= 9) return engine->cell.digits[value];
    // Interned cells live as long as the engine: one kept here is the table's.
    static_assert(std::size(PlSharedCells{}.recent_integers) == 64);
    PlCell*& recent = engine->cell.recent_integers[pl_recent_integer_slot(value)];
    if (recent && recent->value == value) return recent;
    auto* cell = static_cast<PlCell*>(pl_hash_lookup(engine->integers, &value));
    if (!cell) {
        cell = pl_cell_new(engine, PL_INT);
        cell->value = value;
        pl_hash_lookup_or_insert(engine, engine->integers, &value)->item = cell;
    }
    recent = cell;
    return cell;
}

PlCell* pl_make_atom_term(PieEngine* engine, PlFunctor* functor) {
    if (!functor->atom_term) {
        PlCell* cell = pl_cell_new(engine, PL_FUNCTOR);
        cell->fn.functor = functor;
        functor->atom_term = cell;
    }
    ++functor->uses;
    return functor->atom_term;
}

PlCell* pl_make_atom(PieEngine* engine, PlAtom* name) {
    if (!name->functor0) name->functor0 = pl_lookup_functor(engine, name, 0, nullptr);
    else if (engine->recorder) pl_text_recorder_note_functor(engine, name->functor0);
    return pl_make_atom_term(engine, name->functor0);
}

PlCell* pl_make_compound(PieEngine* engine, PlAtom* name, uint32_t arity) {
    PlFunctor* functor = pl_lookup_functor(engine, name, arity, nullptr);
    if (arity == 0) return pl_make_atom_term(engine, functor);
    PlVector* args = pl_vector_alloc(engine, &engine->main_pool, arity);
    PlCell* cell = pl_cell_new(engine, PL_FUNCTOR);
    cell->fn.functor = functor;
    cell->fn.args = args;
    ++functor->uses;
    return cell;
}

PlCell* pl_make_term(PieEngine* engine, PlFunctor* functor) {
    if (functor->arity == 0 && !functor->owner) return pl_make_atom_term(engine, functor);
    // A property's terms carry the key of their value behind their own arguments.
    uint32_t count = functor->arity + (functor->owner ? 1 : 0);
    PlVector* args = pl_vector_alloc(engine, &engine->main_pool, count);
    for (uint32_t i = 0; i < count; ++i) args->items[i] = engine->cell.anonymous;
    PlCell* cell = pl_cell_new(engine, PL_FUNCTOR);
    cell->fn.functor = functor;
    cell->fn.args = args;
    ++functor->uses;
    return cell;
}

PlCell* pl_make_list(PieEngine* engine, PlCell* head, PlCell* tail) {
    PlCell* cell = pl_cell_new(engine, PL_LIST);
    cell->list.head = head;
    cell->list.tail = tail;
    return cell;
}

PlCell* pl_make_list_from(PieEngine* engine, PlCell* elements, PlCell* tail) {
    if (!tail) tail = engine->cell.nil;
    if (!elements) return tail;
    PlFunctor* separator = comma(engine);
    if (!pl_is_functor(elements, separator)) return pl_make_list(engine, elements, tail);
    // Iterative, so that a long element list cannot exhaust the native stack.
    for (PlCell* cell = elements;;) {
        PlCell* head = pl_arg(cell, 0);
        PlCell* rest = pl_arg(cell, 1);
        --separator->uses;
        cell->type = PL_LIST;
        cell->line = 0;
        cell->list.head = head;
        if (!pl_is_functor(rest, separator)) {
            cell->list.tail = pl_make_list(engine, rest, tail);
            return elements;
        }
        cell->list.tail = rest;
        cell = rest;
    }
}

PlCell* pl_make_and_group(PieEngine* engine, PlCell* goals) {
    PlCell* cell = pl_cell_new(engine, PL_AND_GROUP);
    cell->items = goals;
    return cell;
}

PlCell* pl_make_member(PieEngine* engine, PlCell* elements) {
    PlCell* cell = pl_cell_new(engine, PL_MEMBER);
    cell->items = elements;
    return cell;
}

PlCell* pl_make_once(PieEngine* engine, PlCell* goal) {
    PlCell* cell = pl_cell_new(engine, PL_ONCE);
    cell->once.goal = goal;
    return cell;
}

PlCell* pl_make_operator(PieEngine* engine, PlCellType type, PlOperator* entry, PlCell* left, PlCell* right) {
    PlCell* cell = pl_cell_new(engine, type);
    cell->op.entry = entry;
    cell->op.left = left;
    cell->op.right = right;
    return cell;
}

PlCell* pl_make_clause(PieEngine* engine, PlCellType type, PlCell* term) {
    PlCell* cell = pl_cell_new(engine, type);
    cell->clause.term = term;
    if (term) pl_clause_facts_update(engine, cell);  // a new cell's facts are not known
    return cell;
}
