// Making and reading the index of a clause list by first arguments (clause_index.h), from the facts
// kept in its records as the look at first arguments reads them.
#include "pie/run/clause_index.h"

#include "pie/api/engine.h"
#include "pie/terms/pool.h"

#include <cassert>

namespace {

// Fewer clauses passed over than this are walked: the walk over them costs no more than the table.
constexpr uint32_t kFewestKeyed = 2;
// Up to this many clauses passed over, the table may grow to 8 slots a clause for a slot of its
// own for each word; beyond, it keeps 2 a clause and probes on.
constexpr uint32_t kMostSpread = 16;

constexpr uint64_t kSpreads[] = {0x9E3779B97F4A7C15u, 0xC2B2AE3D27D4EB4Fu, 0x165667B19E3779F9u,
                                 0xD6E8FEB86659FD93u, 0xFF51AFD7ED558CCDu, 0xC4CEB9FE1A85EC53u};

// A record's first argument as key_word gives a goal's.
uint64_t word_of(const PlListNode* node) {
    const PlClauseFacts facts = pl_clause_facts(static_cast<const PlCell*>(node->item));
    return uint64_t{facts.key} << 32 | (facts.bits & PLC_FIRST_TYPE);
}

void size(PlClauseIndex* index, uint32_t slots, uint64_t spread) {
    index->mask = slots - 1;
    index->shift = 64 - static_cast<uint32_t>(__builtin_ctz(slots));
    index->spread = spread;
}

// Puts the words of the clauses from the front of the list up to other in the table as sized: the
// first clause of a word is where the look stops for it. alone: false, leaving the table to be
// filled again, where a word would not find its probe's first slot free.
bool put(PlClauseIndex* index, const PlList* list, const PlListNode* other, bool alone) {
    for (uint32_t i = 0; i <= index->mask; ++i) index->slots[i] = {0, nullptr};
    for (PlListNode* node = list->next; node != other; node = node->next) {
        const uint64_t word = word_of(node);
        uint64_t i = index->first_slot(word);
        while (index->slots[i].word && index->slots[i].word != word) {
            if (alone) return false;
            i = (i + 1) & index->mask;
        }
        if (!index->slots[i].word) index->slots[i] = {word, node};
    }
    return true;
}

// The slots for the words of the clauses up to other: each word in its probe's first slot where a
// multiplier of the few tried gives every word one of its own at some size the block holds; else
// the first multiplier's at the whole size, probed on.
void fill(PlClauseIndex* index, const PlList* list, const PlListNode* other, uint32_t slots) {
    for (; slots <= index->capacity; slots *= 2)
        for (uint64_t spread : kSpreads) {
            size(index, slots, spread);
            if (put(index, list, other, true)) return;
        }
    size(index, index->capacity, kSpreads[0]);
    put(index, list, other, false);
}

// Where the look stops for word, from the table.
PlListNode* probe(const PlClauseIndex* index, uint64_t word) {
    for (uint64_t i = index->first_slot(word);; i = (i + 1) & index->mask) {
        const PlClauseIndex::Slot& slot = index->slots[i];
        if (slot.word == word) return slot.node;
        if (!slot.word) return index->other;
    }
}

// pl_indexed_look for an index that is missing, stale, or walked.
[[gnu::noinline]] PlListNode* look_made(PieEngine* engine, PlList* list, const PlFunctor* f, uint64_t word) {
    const auto* index = static_cast<const PlClauseIndex*>(list->item);
    if (!index || index->changes != pl_clause_change_count() || index->f != f)
        index = pl_clause_index_make(engine, list, f);
    return index->mask ? probe(index, word) : pl_look_from(engine, list, f, word, list->next->next);
}

}  // namespace

const PlClauseIndex* pl_clause_index_make(PieEngine* engine, PlList* list, const PlFunctor* f) {
    using namespace pl_head_filter_detail;
    const uint64_t changes = pl_clause_change_count();
    // The clauses the look passes for any key but their own lead the list, up to the first it
    // never passes; the last clause is not looked at. A record without its facts is read from its
    // term by the look, which the index does not do: such a list is walked.
    PlListNode* other = list->prev;
    uint32_t keyed = 0;
    bool walked = false;
    for (PlListNode* node = list->next; node != list->prev; node = node->next) {
        const auto* clause = static_cast<const PlCell*>(node->item);
        const PlClauseFacts facts = is_record(clause) ? pl_clause_facts(clause) : PlClauseFacts{PLC_KNOWN, 0};
        if (!(facts.bits & PLC_FIRST_TYPE) || !pl_first_argument_clashes(f, clause, facts)) {
            walked = !(facts.bits & PLC_KNOWN);
            other = node;
            break;
        }
        ++keyed;
    }
    if (keyed < kFewestKeyed) walked = true;
    uint32_t slots = 4;
    while (!walked && slots < 2 * keyed) slots *= 2;
    const uint32_t capacity = walked ? 0 : keyed <= kMostSpread ? 4 * slots : slots;
    auto* index = static_cast<PlClauseIndex*>(list->item);
    if (!index || index->capacity < capacity) {
        index = static_cast<PlClauseIndex*>(pl_pool_alloc(
            engine, &engine->scratch_pool, sizeof(PlClauseIndex) + capacity * sizeof(PlClauseIndex::Slot)));
        index->capacity = capacity;
        list->item = index;
    }
    index->changes = changes;
    index->f = f;
    index->other = other;
    index->mask = 0;
    if (!walked) fill(index, list, other, slots);
    return index;
}

PlListNode* pl_indexed_look(PieEngine* engine, PlList* list, const PlFunctor* f, uint64_t word) {
    const auto* index = static_cast<const PlClauseIndex*>(list->item);
    PlListNode* stop;
    if (index && index->changes == pl_clause_change_count() && index->f == f && index->mask) [[likely]] {
        const PlClauseIndex::Slot& slot = index->slots[index->first_slot(word)];
        stop = slot.word == word ? slot.node : !slot.word ? index->other : probe(index, word);
    } else {
        stop = look_made(engine, list, f, word);
    }
    // The walk the index stands for answers the same.
    assert(stop == pl_look_from(engine, list, f, word, list->next->next));
    return stop;
}
