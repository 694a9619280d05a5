// The commonest binding settled out of a dying frame, the list cell of a rule building a list,
// made without a native call: settling takes it in pl_settle_binding, and the loop of one-goal
// bodies lays it out among its own steps, where a call would cost as much as the step.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/run/unify_steps.h"
#include "pie/terms/list_shape.h"
#include "pie/terms/pool.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// A list cell of the query made as pl_term_cell_bump makes it and given its head, tail and shape,
// with fewer steps: the query's pool keeps the default alignment, which a cell's size is a multiple
// of, and the cell is written whole, as its four words (type and shape, head, tail, and the rest
// cleared): as fields after a clear, it took a string store where registers ran short. Nullptr,
// with nothing taken, where the bump is not at hand (always under AddressSanitizer, which must
// unpoison what is handed out).
static_assert(std::endian::native == std::endian::little && sizeof(PlCell) == 4 * sizeof(uint64_t) &&
              offsetof(PlCell, shape) == 4 && offsetof(PlCell, list.head) == 8 && offsetof(PlCell, list.tail) == 16);
[[gnu::always_inline]] inline PlCell* pl_fill_list_cell(void* room, PlCell* head, PlCell* tail, uint32_t shape) {
    // Word by word from the registers that hold them: gathered into one vector first, the words
    // went through the stack.
    auto* words = static_cast<char*>(room);
    const auto store = [words](int i, uint64_t word) {
        asm("" : "+r"(word));
        std::memcpy(words + i * sizeof word, &word, sizeof word);
    };
    store(0, uint64_t{PL_LIST} | uint64_t{shape} << 32);
    store(1, reinterpret_cast<uintptr_t>(head));
    store(2, reinterpret_cast<uintptr_t>(tail));
    store(3, 0);
    return static_cast<PlCell*>(room);
}
[[gnu::always_inline]] inline PlCell* pl_new_list_cell(PieEngine* engine, PlCell* head, PlCell* tail, uint32_t shape) {
    static_assert(sizeof(PlCell) % kPlPoolAlignment == 0);
    void* room = pl_pool_bump_aligned(&engine->run.terms, sizeof(PlCell));
    return room ? pl_fill_list_cell(room, head, tail, shape) : nullptr;
}

// The list cell of the commonest settling of all, that of a rule building a list: a cell "[H|T]"
// of the clause, H and T its own variables bound straight to an integer and to a list that need
// no frame (T settled by the call below). Made as the walk would make it, with the tests this case
// needs alone; false, with nothing done, for any other binding or where the query's pool has no
// room at hand. term: a list cell that is not ground, its tail a variable; four levels free.
[[gnu::always_inline]] inline bool pl_settle_integer_cell(PieEngine* engine, PlBinding* slot, PlFrame* frame) {
    PlCell* term = slot->term;
    PlCell* head = term->list.head;
    if (head->type != PL_VAR) return false;
    const PlBinding* h = pl_binding_of(frame, head);
    const PlBinding* t = pl_binding_of(frame, term->list.tail);
    if (h->frame || t->frame) return false;
    PlCell* value = h->term;
    PlCell* end = t->term;
    if (value->type != PL_INT || end->type != PL_LIST) return false;
    PlCell* cell = pl_new_list_cell(engine, value, end, pl_cell_shape_after_constant(end->shape));
    if (!cell) return false;
    *slot = {cell, nullptr};
    return true;
}

// pl_settle_binding with the integer cell above laid out inline: the same binding settled the
// same way (pl_settle_binding tries that cell first for a list, and finds nothing to do here
// when it could not be made).
[[gnu::always_inline]] inline void pl_settle_binding_inline(PieEngine* engine, PlBinding* slot, PlFrame* callee) {
    const PlCell* term = slot->term;
    if (term->type == PL_LIST && !(term->shape & PL_SHAPE_GROUND) && term->list.tail->type == PL_VAR &&
        pl_levels_within_limit(engine, 4) && pl_settle_integer_cell(engine, slot, callee))
        return;
    pl_settle_binding(engine, slot, callee);
}
